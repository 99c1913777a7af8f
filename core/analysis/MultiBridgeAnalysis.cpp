#include "core/analysis/MultiBridgeAnalysis.h"

#include <algorithm>

#include "core/analysis/EnvelopeRunner.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

bool KeepRunning(const std::atomic<bool>* pbKeepRunning)
{
    return !pbKeepRunning || pbKeepRunning->load(std::memory_order_relaxed);
}

std::uint32_t BridgeCount(const std::shared_ptr<CBridgeSet>& set)
{
    return set && set->m_nBridge > 0 ? static_cast<std::uint32_t>(set->m_nBridge) : 0u;
}

} // namespace

CMultiBridgeAnalysis::CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet,
                                           std::shared_ptr<CLoadModel> pLoadModel, int nPoints)
    : m_pBridgeSet(std::move(pBridgeSet)), m_pLoadModel(std::move(pLoadModel)),
      m_pLME(std::make_shared<CLoadModelEnsemble>()), m_nBridges(BridgeCount(m_pBridgeSet)), m_nPoints(nPoints)
{
    m_pLME->AddLoadModel(m_pLoadModel);
}

CMultiBridgeAnalysis::CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet,
                                           std::shared_ptr<CLoadModelEnsemble> pLME, int nPoints)
    : m_pBridgeSet(std::move(pBridgeSet)), m_pLME(std::move(pLME)), m_nBridges(BridgeCount(m_pBridgeSet)),
      m_nPoints(nPoints)
{
}

std::vector<std::shared_ptr<CEnvelopeResults>> CMultiBridgeAnalysis::Run(bool bByStep, int* pnSteps,
                                                                         double* pStepSize,
                                                                         const std::atomic<bool>* pbKeepRunning)
{
    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    if (!KeepRunning(pbKeepRunning) || !m_pBridgeSet)
        return out;

    int localSteps = 0;
    double localStep = 0.0;
    int& nSteps = pnSteps ? *pnSteps : localSteps;
    double& stepSize = pStepSize ? *pStepSize : localStep;

    // Only the bridges that exist: the set may have been regenerated since construction.
    const size_t n = std::min(static_cast<size_t>(m_nBridges), m_pBridgeSet->m_vBridges.size());
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        CEnvelopeRunner runner(m_pBridgeSet->GetBridge(static_cast<int>(i)), m_pLME, m_nPoints);
        runner.KeepModelResults(false); // only the merged envelopes of each bridge are kept
        std::shared_ptr<CEnvelopeResults> r = runner.Run(bByStep, nSteps, stepSize, pbKeepRunning);
        // A bridge stopped before any position leaves no entry, so every entry can be shown.
        if (r && r->HasEnvelopes())
            out.push_back(std::move(r));
        if (!KeepRunning(pbKeepRunning))
            break;
    }
    return out;
}
