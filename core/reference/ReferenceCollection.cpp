#include "core/reference/ReferenceCollection.h"

#include <algorithm>
#include <utility>

#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/bounds/Subscript.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceSet.h"

namespace {

std::shared_ptr<CLoadModelEnsemble> MakeProposed()
{
    return std::make_shared<CLoadModelEnsemble>(0, L"Proposed");
}

bool SameBridgeSet(const std::shared_ptr<CBridgeSet>& a, const std::shared_ptr<CBridgeSet>& b)
{
    if (!a || !b)
        return a == b;
    return a->m_StartL == b->m_StartL && a->m_EndL == b->m_EndL && a->m_nBridge == b->m_nBridge &&
           a->m_vBridges == b->m_vBridges && a->m_Config == b->m_Config;
}

bool SameLME(const std::shared_ptr<CLoadModelEnsemble>& a, const std::shared_ptr<CLoadModelEnsemble>& b)
{
    if (!a || !b)
        return a == b;
    return a->m_nLoadModels == b->m_nLoadModels && a->m_vLoadModel == b->m_vLoadModel;
}

} // namespace

CReferenceCollection::CReferenceCollection()
    : CReferenceCollection(0, L"Ref Collection", Stepping{.bByStep = false, .step = 1.0, .nSteps = 0})
{
}

CReferenceCollection::CReferenceCollection(int id, std::wstring name, const Stepping& stepping)
    : CElement(id, std::move(name), ET_REFCOLLECTION),
      m_bByStep(stepping.bByStep),
      m_StepSize(stepping.step),
      m_nStepPoints(stepping.nSteps),
      m_pPropLME(MakeProposed())
{
    m_bIsEditable = true;
}

void CReferenceCollection::SetStepping(const Stepping& s)
{
    m_bByStep = s.bByStep;
    m_StepSize = s.step;
    m_nStepPoints = s.nSteps;
}

bool CReferenceCollection::operator!=(const std::shared_ptr<CReferenceCollection>& other) const
{
    if (!other)
        return true;
    const CReferenceCollection& o = *other;
    return m_bByStep != o.m_bByStep || !(m_StepSize == o.m_StepSize) || m_nStepPoints != o.m_nStepPoints ||
           m_bIsCalculated != o.m_bIsCalculated || m_vLME != o.m_vLME || m_vBS != o.m_vBS ||
           m_bUseOverstress != o.m_bUseOverstress || !(m_OverstressFactor == o.m_OverstressFactor);
}

void CReferenceCollection::ClearResults()
{
    m_bIsCalculated = false;
    m_bFromEarlierVersion = false;
    m_vCritRatioEnsemble.clear();
    m_vRefSet.clear();
    m_nRefSet = 0;
}

bool CReferenceCollection::Calculate(const CAnalysisFeedback& feedback, const AnalysisOptions& options)
{
    if (m_vBS.empty() || m_vLME.empty())
        return false;
    m_vRefSet.clear();
    m_nRefSet = 0;
    for (const auto& lme : m_vLME) {
        for (const auto& bs : m_vBS) {
            auto rs = std::make_shared<CReferenceSet>(m_bUseOverstress, bs, lme, m_OverstressFactor);
            SetStepping(rs->Calculate(GetStepping(), feedback, options));
            m_vRefSet.push_back(std::move(rs));
            ++m_nRefSet;
        }
    }
    m_bIsCalculated = true;
    m_bFromEarlierVersion = false;
    return true;
}

void CReferenceCollection::SetProposedLoadModel(std::shared_ptr<CLoadModel> pLM)
{
    m_bUseLM = true;
    // Never the ensemble set before: it may be the document's, or shared with a copy.
    m_pPropLME = MakeProposed();
    m_pPropLME->AddLoadModel(std::move(pLM));
}

void CReferenceCollection::SetProposedEnsemble(std::shared_ptr<CLoadModelEnsemble> pLME)
{
    m_bUseLM = false;
    m_pPropLME = std::move(pLME);
}

bool CReferenceCollection::CompareProposed(const CAnalysisFeedback& feedback, double multiplier,
                                           const AnalysisOptions& options)
{
    if (!m_pPropLME || m_pPropLME->m_vLoadModel.empty())
        return false;
    m_Multiplier = multiplier;
    m_vCritRatioEnsemble.clear();

    // The proposed item's run over a bridge set is the same for every reference ensemble:
    // run it once per set and share it between the reference sets of that bridge set.
    std::vector<std::pair<std::shared_ptr<CBridgeSet>, CReferenceSet::EnvVector>> runs;
    const size_t n = std::min(static_cast<size_t>(m_nRefSet > 0 ? m_nRefSet : 0), m_vRefSet.size());
    for (size_t i = 0; i < n && feedback.KeepRunning(); ++i) {
        CReferenceSet& rs = *m_vRefSet[i];
        const std::shared_ptr<CBridgeSet> bs = rs.GetBridgeSet();
        auto done = std::find_if(runs.begin(), runs.end(), [&](const auto& r) { return r.first == bs; });
        CReferenceSet::EnvVector proposed;
        if (done != runs.end()) {
            proposed = done->second;
        } else {
            CMultiBridgeAnalysis mba(bs, m_pPropLME, options);
            try {
                proposed = mba.Run(GetStepping(), feedback);
            } catch (...) {
                SetStepping(mba.GetUsedStepping());
                throw;
            }
            SetStepping(mba.GetUsedStepping());
            if (feedback.KeepRunning()) // only a complete run is reused
                runs.emplace_back(bs, proposed);
        }
        m_vCritRatioEnsemble.push_back(
            rs.CalculateRatios(m_bUseLM, std::move(proposed), m_pPropLME, multiplier, options));
    }
    m_bIsCompared = feedback.KeepRunning();
    return true;
}

std::shared_ptr<CReferenceSet> CReferenceCollection::GetRefSet(unsigned int i) const
{
    if (m_nRefSet < 0 || i >= static_cast<unsigned int>(m_nRefSet))
        return nullptr;
    if (i >= m_vRefSet.size())
        ThrowInvalidSubscript();
    return m_vRefSet[i];
}

std::wstring CReferenceCollection::GetProposedName() const
{
    if (!m_pPropLME)
        return {};
    if (m_bUseLM && !m_pPropLME->m_vLoadModel.empty() && m_pPropLME->m_vLoadModel.front())
        return m_pPropLME->m_vLoadModel.front()->GetDescription();
    return m_pPropLME->GetDescription();
}

bool CReferenceCollection::FindBridgeSet(const std::shared_ptr<CBridgeSet>& pBS) const
{
    return std::any_of(m_vBS.begin(), m_vBS.end(), [&](const auto& p) { return SameBridgeSet(p, pBS); });
}

bool CReferenceCollection::FindLME(const std::shared_ptr<CLoadModelEnsemble>& pLME) const
{
    return std::any_of(m_vLME.begin(), m_vLME.end(), [&](const auto& p) { return SameLME(p, pLME); });
}

void CReferenceCollection::RemoveBridgeSet(const std::shared_ptr<CBridgeSet>& pBS)
{
    auto it = std::find_if(m_vBS.begin(), m_vBS.end(), [&](const auto& p) { return SameBridgeSet(p, pBS); });
    if (it != m_vBS.end())
        m_vBS.erase(it);
}

void CReferenceCollection::RemoveLME(const std::shared_ptr<CLoadModelEnsemble>& pLME)
{
    auto it = std::find_if(m_vLME.begin(), m_vLME.end(), [&](const auto& p) { return SameLME(p, pLME); });
    if (it != m_vLME.end())
        m_vLME.erase(it);
}
