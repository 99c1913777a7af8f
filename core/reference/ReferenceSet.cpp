#include "core/reference/ReferenceSet.h"

#include <algorithm>

#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/OverstressAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

bool Filled(const std::shared_ptr<CEnvelopeResults>& r)
{
    return r && r->HasEnvelopes();
}

} // namespace

CReferenceSet::CReferenceSet()
{
    MakeEmptyCritEnsembles();
}

CReferenceSet::CReferenceSet(bool bUseOverstress, std::shared_ptr<CBridgeSet> pBridgeSet,
                             std::shared_ptr<CLoadModelEnsemble> pRefLME, double overstressFactor)
    : m_pBridgeSet(std::move(pBridgeSet)),
      m_pRefLME(std::move(pRefLME)),
      m_bUseOverstress(bUseOverstress),
      m_OverstressFactor(overstressFactor),
      m_nBridges(m_pBridgeSet && m_pBridgeSet->m_nBridge > 0 ? static_cast<std::uint32_t>(m_pBridgeSet->m_nBridge) : 0u)
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

Stepping CReferenceSet::Calculate(const Stepping& stepping, const CAnalysisFeedback& feedback,
                                  const AnalysisOptions& options)
{
    MakeEmptyCritEnsembles();
    CMultiBridgeAnalysis live(m_pBridgeSet, m_pRefLME, options);
    m_vLiveLoadCritEnv = live.Run(stepping, feedback);
    if (m_bUseOverstress) {
        RunOverstress(feedback, options);
        m_vRefCritEnv = CombineEnvelopes(m_vLiveLoadCritEnv, m_vOverstressCritEnv);
    } else {
        m_vRefCritEnv = m_vLiveLoadCritEnv;
    }
    m_bRefCombined = m_bUseOverstress;
    m_pRefCritEnsemble->MakeCriticalValueEnsemble(m_vRefCritEnv, m_pBridgeSet);
    m_bIsCalculated = true;
    return live.GetUsedStepping();
}

void CReferenceSet::RunOverstress(const CAnalysisFeedback& feedback, const AnalysisOptions& options)
{
    COverstressAnalysis overstress(m_pBridgeSet, m_OverstressFactor, options);
    m_vOverstressCritEnv = overstress.Run(feedback);
}

size_t CReferenceSet::CommonBridges(const EnvVector& vLive, const EnvVector& vOverstress)
{
    size_t n = 0;
    while (n < vLive.size() && n < vOverstress.size() && Filled(vLive[n]) && Filled(vOverstress[n]))
        ++n;
    return n;
}

std::shared_ptr<CEnvelopeResults> CReferenceSet::CombineBridge(const CEnvelopeResults& live,
                                                               const CEnvelopeResults& overstress) const
{
    const double f = m_OverstressFactor;
    return CEnvelopeResults::Combine(overstress, f - 1.0, live, f);
}

CReferenceSet::EnvVector CReferenceSet::CombineEnvelopes(const EnvVector& vLive, const EnvVector& vOverstress) const
{
    // On one thread: the entries copied from the live load all count references to the
    // same few load models, and threads copying them at once spend more than they share.
    EnvVector out(CommonBridges(vLive, vOverstress));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = CombineBridge(*vLive[i], *vOverstress[i]);
    return out;
}

std::shared_ptr<CCriticalRatioEnsemble> CReferenceSet::CalculateRatios(bool bUseLM, const Stepping& stepping,
                                                                       const CAnalysisFeedback& feedback,
                                                                       std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                                       double multiplier,
                                                                       const AnalysisOptions& options)
{
    CMultiBridgeAnalysis prop(m_pBridgeSet, pProposed, options);
    EnvVector vProposed = prop.Run(stepping, feedback);
    return CalculateRatios(bUseLM, std::move(vProposed), std::move(pProposed), multiplier, options);
}

std::shared_ptr<CCriticalRatioEnsemble> CReferenceSet::CalculateRatios(bool bUseLM, EnvVector vProposed,
                                                                       std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                                       double multiplier,
                                                                       const AnalysisOptions& options)
{
    m_bUseLM = bUseLM;
    m_pPropLME = std::move(pProposed);
    m_vPropCritEnv = std::move(vProposed);
    m_pPropCritEnsemble = std::make_shared<CCriticalValueEnsemble>(m_vPropCritEnv, m_pBridgeSet);

    size_t n = 0;
    for (; n < m_vPropCritEnv.size() && n < m_vRefCritEnv.size(); ++n) {
        if (!Filled(m_vPropCritEnv[n]) || !Filled(m_vRefCritEnv[n]))
            break;
        // A reference with fewer supports than the proposed bridge (only a damaged file
        // holds one) cannot be paired; it ends the common part like a missing one.
        if (m_vRefCritEnv[n]->m_vEnvReaction.size() < static_cast<size_t>(m_vPropCritEnv[n]->m_nReactions))
            break;
    }
    // The proposed envelopes are only read: a collection shares them between its sets.
    std::vector<CCriticalRatioResults> ratios(n);
    RunTasks(n, options.nThreads,
             [&](size_t i) { ratios[i] = m_vPropCritEnv[i]->GetCriticalRatios(m_vRefCritEnv[i], multiplier); });
    m_bIsRatioCalculated = true;
    return std::make_shared<CCriticalRatioEnsemble>(std::move(ratios), m_pBridgeSet);
}
