#include "core/analysis/EnvelopeRunner.h"

#include <algorithm>
#include <exception>

#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/FastEnvelopeMerger.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"


CEnvelopeRunner::CEnvelopeRunner(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModelEnsemble> pLME,
                                 const AnalysisOptions& options)
    : m_pBridge(std::move(pBridge)),
      m_pLME(std::move(pLME)),
      m_nLoadModels(m_pLME ? m_pLME->m_nLoadModels : 0),
      m_Options(options)
{
}

std::shared_ptr<CEnvelopeResults> CEnvelopeRunner::Run(const Stepping& stepping, const CAnalysisFeedback& feedback)
{
    m_UsedStepping = stepping;
    m_nAnalyses = 0;
    m_vResults.clear();
    m_pResults = std::make_shared<CEnvelopeResults>();

    // What is run is the ensemble as it stands now, whatever becomes of its list meanwhile.
    const std::vector<std::shared_ptr<CLoadModel>> models =
        m_pLME ? m_pLME->m_vLoadModel : std::vector<std::shared_ptr<CLoadModel>>{};
    const size_t n = std::min(models.size(), static_cast<size_t>(m_nLoadModels > 0 ? m_nLoadModels : 0));

    if (!m_bKeepModelResults && m_Options.path == AnalysisPath::Fast) {
        // Only the merge is wanted: the runs are merged flat, as Augment would merge them.
        CFastEnvelopeMerger merger;
        for (size_t i = 0; i < n && feedback.KeepRunning(); ++i) {
            CMovingLoadAnalysis analysis(m_pBridge, models[i], m_Options);
            const CKeepUsedStepping keep(m_UsedStepping, analysis);
            analysis.AnalyseInto(merger, stepping, feedback);
            m_nAnalyses += static_cast<int>(analysis.m_nSteps);
            feedback.Progress(1);
        }
        m_pResults = merger.TakeResults();
        return m_pResults;
    }

    if (n > 1 && AnalysisThreads(m_Options.nThreads) > 1)
        return RunParallel(models, n, stepping, feedback);

    for (size_t i = 0; i < n && feedback.KeepRunning(); ++i) {
        CMovingLoadAnalysis analysis(m_pBridge, models[i], m_Options);
        const CKeepUsedStepping keep(m_UsedStepping, analysis);
        std::shared_ptr<CEnvelopeResults> r = analysis.Analyse(stepping, feedback);
        // A run stopped before its first position has nothing to merge or show.
        if (r && r->HasEnvelopes()) {
            m_vResults.push_back(r);
            m_pResults->Augment(*r);
        }
        m_nAnalyses += static_cast<int>(analysis.m_nSteps);
        feedback.Progress(1);
    }
    return m_pResults;
}

// Each load model's run on its own thread (a model listed twice runs its turns in order on
// one), then merged in list order as the loop above merges.
std::shared_ptr<CEnvelopeResults> CEnvelopeRunner::RunParallel(const std::vector<std::shared_ptr<CLoadModel>>& models,
                                                               size_t n, const Stepping& stepping,
                                                               const CAnalysisFeedback& feedback)
{
    struct Run : PieceRun {
        std::shared_ptr<CEnvelopeResults> results;
        int nAnalyses = 0;
    };
    std::vector<Run> runs(n);
    std::vector<std::vector<size_t>> tasks;
    for (size_t i = 0; i < n; ++i) {
        const auto first = std::find(models.begin(), models.begin() + static_cast<std::ptrdiff_t>(i), models[i]);
        if (first != models.begin() + static_cast<std::ptrdiff_t>(i))
            continue; // runs in the task of its first listing
        std::vector<size_t> task;
        for (size_t k = i; k < n; ++k)
            if (models[k] == models[i])
                task.push_back(k);
        tasks.push_back(std::move(task));
    }

    RunPieces(
        tasks, m_Options.nThreads, [&](size_t i) -> PieceRun& { return runs[i]; }, feedback,
        [&](size_t i) {
            Run& run = runs[i];
            CMovingLoadAnalysis analysis(m_pBridge, models[i], m_Options);
            const CKeepUsedStepping keep(run.used, analysis);
            run.results = analysis.Analyse(stepping, feedback);
            run.nAnalyses = static_cast<int>(analysis.m_nSteps);
        });

    // As far as one thread would have come: up to the first run that did not finish.
    for (Run& run : runs) {
        if (!run.bStarted)
            break;
        m_UsedStepping = run.TakeStepping(m_UsedStepping);
        if (run.error)
            std::rethrow_exception(run.error);
        if (run.results && run.results->HasEnvelopes()) {
            m_vResults.push_back(run.results);
            m_pResults->Augment(*run.results);
        }
        m_nAnalyses += run.nAnalyses;
        if (!run.bComplete)
            break;
    }
    return m_pResults;
}
