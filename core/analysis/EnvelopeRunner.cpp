#include "core/analysis/EnvelopeRunner.h"

#include "core/analysis/AnalysisPath.h"
#include "core/analysis/FastEnvelopeMerger.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/Messages.h"

namespace {

bool KeepRunning(const std::atomic<bool>* pbKeepRunning)
{
    return !pbKeepRunning || pbKeepRunning->load(std::memory_order_relaxed);
}

} // namespace

CEnvelopeRunner::CEnvelopeRunner(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModelEnsemble> pLME,
                                 int nPoints)
    : m_pBridge(std::move(pBridge)), m_pLME(std::move(pLME)), m_nLoadModels(m_pLME ? m_pLME->m_nLoadModels : 0),
      m_nPoints(nPoints)
{
}

std::shared_ptr<CEnvelopeResults> CEnvelopeRunner::Run(bool bByStep, int& nSteps, double& stepSize,
                                                       const std::atomic<bool>* pbKeepRunning)
{
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");

    m_nAnalyses = 0;
    m_vResults.clear();
    m_pResults = std::make_shared<CEnvelopeResults>();

    // What is run is the ensemble as it stands now, whatever becomes of its list meanwhile.
    const std::vector<std::shared_ptr<CLoadModel>> models =
        m_pLME ? m_pLME->m_vLoadModel : std::vector<std::shared_ptr<CLoadModel>>{};
    const size_t n = std::min(models.size(), static_cast<size_t>(m_nLoadModels > 0 ? m_nLoadModels : 0));

    if (!m_bKeepModelResults && GetAnalysisPath() == AnalysisPath::Fast) {
        // Only the merge is wanted: the runs are merged flat, as Augment would merge them.
        CFastEnvelopeMerger merger;
        for (size_t i = 0; i < n && KeepRunning(pbKeepRunning); ++i) {
            CMovingLoadAnalysis analysis(m_pBridge, models[i], m_nPoints);
            analysis.AnalyseInto(merger, bByStep, nSteps, stepSize, pbKeepRunning);
            m_nAnalyses += static_cast<int>(analysis.m_nSteps);
            PostMainWindowMessage(UWM_PBAR_UPDATE, 1, 0);
        }
        m_pResults = merger.TakeResults();
        return m_pResults;
    }

    for (size_t i = 0; i < n && KeepRunning(pbKeepRunning); ++i) {
        CMovingLoadAnalysis analysis(m_pBridge, models[i], m_nPoints);
        std::shared_ptr<CEnvelopeResults> r = analysis.Analyse(bByStep, nSteps, stepSize, pbKeepRunning);
        // A run stopped before its first position has nothing to merge or show.
        if (r && r->HasEnvelopes()) {
            m_vResults.push_back(r);
            m_pResults->Augment(*r);
        }
        m_nAnalyses += static_cast<int>(analysis.m_nSteps);
        PostMainWindowMessage(UWM_PBAR_UPDATE, 1, 0);
    }
    return m_pResults;
}
