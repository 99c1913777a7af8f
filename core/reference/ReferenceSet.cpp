#include "core/reference/ReferenceSet.h"

#include <algorithm>

#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/OverstressAnalysis.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

bool Filled(const std::shared_ptr<CEnvelopeResults>& r) { return r && r->HasEnvelopes(); }

} // namespace

CReferenceSet::CReferenceSet() { MakeEmptyCritEnsembles(); }

CReferenceSet::CReferenceSet(bool bUseOverstress, std::shared_ptr<CBridgeSet> pBridgeSet,
                             std::shared_ptr<CLoadModelEnsemble> pRefLME, double overstressFactor)
    : m_pBridgeSet(std::move(pBridgeSet)), m_pRefLME(std::move(pRefLME)), m_bUseOverstress(bUseOverstress),
      m_OverstressFactor(overstressFactor),
      m_nBridges(m_pBridgeSet && m_pBridgeSet->m_nBridge > 0 ? static_cast<std::uint32_t>(m_pBridgeSet->m_nBridge)
                                                            : 0u)
{
    MakeEmptyCritEnsembles();
}

void CReferenceSet::MakeEmptyCritEnsembles()
{
    m_pOverstressCritEnsemble = std::make_shared<CCriticalValueEnsemble>();
    m_pLiveLoadCritEnsemble = std::make_shared<CCriticalValueEnsemble>();
    m_pRefCritEnsemble = std::make_shared<CCriticalValueEnsemble>();
    m_pPropCritEnsemble = std::make_shared<CCriticalValueEnsemble>();
}

void CReferenceSet::RebuildCritEnsembles()
{
    MakeEmptyCritEnsembles();
    m_pOverstressCritEnsemble->MakeCriticalValueEnsemble(m_vOverstressCritEnv, m_pBridgeSet);
    m_pLiveLoadCritEnsemble->MakeCriticalValueEnsemble(m_vLiveLoadCritEnv, m_pBridgeSet);
    m_pRefCritEnsemble->MakeCriticalValueEnsemble(m_vRefCritEnv, m_pBridgeSet);
    m_pPropCritEnsemble->MakeCriticalValueEnsemble(m_vPropCritEnv, m_pBridgeSet);
    m_nBridges = static_cast<std::uint32_t>(m_vRefCritEnv.size());
}

void CReferenceSet::Calculate(bool bByStep, int* pnSteps, double* pStepSize, const std::atomic<bool>* pbKeepRunning,
                              int nPoints)
{
    MakeEmptyCritEnsembles();
    CMultiBridgeAnalysis live(m_pBridgeSet, m_pRefLME, nPoints);
    m_vLiveLoadCritEnv = live.Run(bByStep, pnSteps, pStepSize, pbKeepRunning);
    if (m_bUseOverstress) {
        RunOverstress(pbKeepRunning, nPoints);
        m_vRefCritEnv = CombineEnvelopes(m_vLiveLoadCritEnv, m_vOverstressCritEnv);
    } else {
        m_vRefCritEnv = m_vLiveLoadCritEnv;
    }
    m_pRefCritEnsemble->MakeCriticalValueEnsemble(m_vRefCritEnv, m_pBridgeSet);
    m_bIsCalculated = true;
}

void CReferenceSet::RunOverstress(const std::atomic<bool>* pbKeepRunning, int nPoints)
{
    COverstressAnalysis overstress(m_pBridgeSet, m_OverstressFactor, nPoints);
    m_vOverstressCritEnv = overstress.Run(pbKeepRunning);
}

CReferenceSet::EnvVector CReferenceSet::CombineEnvelopes(const EnvVector& vLive, const EnvVector& vOverstress) const
{
    const double f = m_OverstressFactor;
    EnvVector out;
    const size_t n = std::min(vLive.size(), vOverstress.size());
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        // Entry i is bridge i in both lists; an unfilled one ends the common part.
        if (!Filled(vLive[i]) || !Filled(vOverstress[i]))
            break;
        const CEnvelopeResults live = *vLive[i] * f;
        const CEnvelopeResults overstress = *vOverstress[i] * (f - 1.0);
        out.push_back(std::make_shared<CEnvelopeResults>(overstress + live));
    }
    return out;
}

std::shared_ptr<CCriticalRatioEnsemble> CReferenceSet::CalculateRatios(bool bUseLM, bool bByStep, int* pnSteps,
                                                                       double* pStepSize,
                                                                       const std::atomic<bool>* pbKeepRunning,
                                                                       std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                                       double multiplier, int nPoints)
{
    CMultiBridgeAnalysis prop(m_pBridgeSet, pProposed, nPoints);
    EnvVector vProposed = prop.Run(bByStep, pnSteps, pStepSize, pbKeepRunning);
    return CalculateRatios(bUseLM, std::move(vProposed), std::move(pProposed), multiplier);
}

std::shared_ptr<CCriticalRatioEnsemble> CReferenceSet::CalculateRatios(bool bUseLM, EnvVector vProposed,
                                                                       std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                                       double multiplier)
{
    m_bUseLM = bUseLM;
    m_pPropLME = std::move(pProposed);
    m_vPropCritEnv = std::move(vProposed);
    m_pPropCritEnsemble = std::make_shared<CCriticalValueEnsemble>(m_vPropCritEnv, m_pBridgeSet);

    std::vector<CCriticalRatioResults> ratios;
    const size_t n = std::min(m_vPropCritEnv.size(), m_vRefCritEnv.size());
    ratios.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (!Filled(m_vPropCritEnv[i]) || !Filled(m_vRefCritEnv[i]))
            break;
        // A reference with fewer supports than the proposed bridge (only a damaged file
        // holds one) cannot be paired; it ends the common part like a missing one.
        if (m_vRefCritEnv[i]->m_vEnvReaction.size() < static_cast<size_t>(m_vPropCritEnv[i]->m_nReactions))
            break;
        ratios.push_back(m_vPropCritEnv[i]->GetCriticalRatios(m_vRefCritEnv[i], multiplier));
    }
    m_bIsRatioCalculated = true;
    return std::make_shared<CCriticalRatioEnsemble>(std::move(ratios), m_pBridgeSet);
}
