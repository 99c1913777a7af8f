#include "core/analysis/MultiBridgeAnalysis.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>

#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/FastEnvelopeMerger.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/beam/Beam.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

std::uint32_t BridgeCount(const std::shared_ptr<CBridgeSet>& set)
{
    return set && set->m_nBridge > 0 ? static_cast<std::uint32_t>(set->m_nBridge) : 0u;
}

// What a thread keeps from one bridge to the next and from run to run: the builder of a
// load model's run and the merge of a bridge's runs, with their buffers.
struct Workspace {
    CFastEnvelopeBuilder builder;
    CFastEnvelopeMerger merger;
};

Workspace& ThreadWorkspace()
{
    thread_local Workspace ws;
    return ws;
}

// The envelopes of one bridge as the envelope runner merges them: every model in list
// order on the model objects given (models[j] or a copy standing for it), the entries
// credited to causing[j]. piece(j) records how each run ended; a run that throws ends the
// bridge there with its exception kept.
std::shared_ptr<CEnvelopeResults> RunBridge(const std::shared_ptr<CBridge>& bridge,
                                            const std::vector<std::shared_ptr<CLoadModel>>& models,
                                            const std::vector<std::shared_ptr<CLoadModel>>& causing,
                                            const AnalysisOptions& options, const Stepping& stepping,
                                            const CAnalysisFeedback& feedback, PieceRun* pieces)
{
    Workspace& ws = ThreadWorkspace();
    for (size_t j = 0; j < models.size(); ++j) {
        if (!feedback.KeepRunning())
            break;
        PieceRun& run = pieces[j];
        run.Start();
        try {
            CMovingLoadAnalysis analysis(bridge, models[j], options);
            const CKeepUsedStepping keep(run, analysis);
            analysis.AnalyseWith(ws.builder, stepping, feedback);
            if (ws.builder.GetPositionCount() > 0)
                ws.merger.Merge(ws.builder, causing[j]);
        } catch (...) {
            run.error = std::current_exception();
            break;
        }
        run.bComplete = feedback.KeepRunning();
        feedback.Progress(1);
    }
    ws.builder.Release();
    return ws.merger.TakeResults();
}

} // namespace

CMultiBridgeAnalysis::CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet,
                                           std::shared_ptr<CLoadModel> pLoadModel, const AnalysisOptions& options)
    : m_pBridgeSet(std::move(pBridgeSet)),
      m_pLoadModel(std::move(pLoadModel)),
      m_pLME(std::make_shared<CLoadModelEnsemble>()),
      m_nBridges(BridgeCount(m_pBridgeSet)),
      m_Options(options)
{
    m_pLME->AddLoadModel(m_pLoadModel);
}

CMultiBridgeAnalysis::CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet,
                                           std::shared_ptr<CLoadModelEnsemble> pLME, const AnalysisOptions& options)
    : m_pBridgeSet(std::move(pBridgeSet)),
      m_pLME(std::move(pLME)),
      m_nBridges(BridgeCount(m_pBridgeSet)),
      m_Options(options)
{
}

std::vector<std::shared_ptr<CEnvelopeResults>> CMultiBridgeAnalysis::Run(const Stepping& stepping,
                                                                         const CAnalysisFeedback& feedback)
{
    m_UsedStepping = stepping;
    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    if (!feedback.KeepRunning() || !m_pBridgeSet)
        return out;

    // Only the bridges that exist: the set may have been regenerated since construction.
    const size_t n = std::min(static_cast<size_t>(m_nBridges), m_pBridgeSet->m_vBridges.size());
    if (m_Options.path == AnalysisPath::Fast) {
        // What is run is the ensemble as it stands now, whatever becomes of its list meanwhile.
        const size_t nModels =
            m_pLME ? std::min(m_pLME->m_vLoadModel.size(), static_cast<size_t>(std::max(m_pLME->m_nLoadModels, 0))) : 0;
        const std::vector<std::shared_ptr<CLoadModel>> models(
            m_pLME ? m_pLME->m_vLoadModel.begin() : std::vector<std::shared_ptr<CLoadModel>>::const_iterator{},
            m_pLME ? m_pLME->m_vLoadModel.begin() + static_cast<std::ptrdiff_t>(nModels)
                   : std::vector<std::shared_ptr<CLoadModel>>::const_iterator{});
        if (n > 1 && nModels > 0 && AnalysisThreads(m_Options.nThreads) > 1)
            return RunParallel(n, models, stepping, feedback);
        out.reserve(n);
        std::vector<PieceRun> pieces(models.size());
        for (size_t i = 0; i < n; ++i) {
            std::fill(pieces.begin(), pieces.end(), PieceRun{});
            std::shared_ptr<CEnvelopeResults> r = RunBridge(m_pBridgeSet->GetBridge(static_cast<int>(i)), models,
                                                            models, m_Options, stepping, feedback, pieces.data());
            for (const PieceRun& p : pieces) {
                if (!p.bStarted)
                    break;
                m_UsedStepping = p.TakeStepping(m_UsedStepping);
                if (p.error)
                    std::rethrow_exception(p.error);
            }
            // A bridge stopped before any position leaves no entry, so every entry can be shown.
            if (r->HasEnvelopes())
                out.push_back(std::move(r));
            if (!feedback.KeepRunning())
                break;
        }
        return out;
    }

    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        CEnvelopeRunner runner(m_pBridgeSet->GetBridge(static_cast<int>(i)), m_pLME, m_Options);
        runner.KeepModelResults(false); // only the merged envelopes of each bridge are kept
        std::shared_ptr<CEnvelopeResults> r;
        try {
            r = runner.Run(m_UsedStepping, feedback);
        } catch (...) {
            m_UsedStepping = runner.GetUsedStepping();
            throw;
        }
        m_UsedStepping = runner.GetUsedStepping();
        if (r && r->HasEnvelopes())
            out.push_back(std::move(r));
        if (!feedback.KeepRunning())
            break;
    }
    return out;
}

// One task per bridge, longest first, each running every model on the bridge in list
// order as one thread does, on model objects of its own: a run writes its model (bridge
// rule, update), and what a bridge rule leaves carries to the next bridge. So the objects
// of each bridge are first brought, one model at a time, to the state the model would
// have when one thread reaches that bridge, which needs no solving. The entries each
// bridge wins name the original models, and the originals are left as one thread leaves
// them: in the state of the last run that one thread would have made.
std::vector<std::shared_ptr<CEnvelopeResults>>
CMultiBridgeAnalysis::RunParallel(size_t n, const std::vector<std::shared_ptr<CLoadModel>>& models,
                                  const Stepping& stepping, const CAnalysisFeedback& feedback)
{
    const size_t m = models.size();
    const int nThreads = AnalysisThreads(m_Options.nThreads);
    std::vector<std::shared_ptr<CBridge>> bridges(n);
    for (size_t i = 0; i < n; ++i)
        bridges[i] = m_pBridgeSet->GetBridge(static_cast<int>(i));

    // Each model object once, with the listings that run it.
    std::vector<size_t> distinct(m); // listing -> index of its model object
    std::vector<std::shared_ptr<CLoadModel>> objects;
    for (size_t j = 0; j < m; ++j) {
        const auto it = std::find(objects.begin(), objects.end(), models[j]);
        distinct[j] = static_cast<size_t>(it - objects.begin());
        if (it == objects.end())
            objects.push_back(models[j]);
    }
    const size_t d = objects.size();

    // states[k][i]: model k as one thread finds it on reaching bridge i; from reachable[k]
    // on there is none, as that thread never gets past a failure of that model.
    std::vector<std::vector<std::shared_ptr<CLoadModel>>> states(d, std::vector<std::shared_ptr<CLoadModel>>(n));
    std::vector<size_t> reachable(d, n);
    RunTasks(d, nThreads, [&](size_t k) {
        if (!objects[k])
            return; // each run of it fails as on one thread
        const size_t listings = static_cast<size_t>(std::count(distinct.begin(), distinct.end(), k));
        auto state = std::make_shared<CLoadModel>(*objects[k]);
        for (size_t i = 0; i < n; ++i) {
            states[k][i] = state;
            if (i + 1 == n)
                break;
            auto next = std::make_shared<CLoadModel>(*state);
            try {
                for (size_t l = 0; l < listings; ++l) {
                    CMovingLoadAnalysis analysis(bridges[i], next, m_Options);
                    analysis.AdvanceModel(stepping);
                }
            } catch (...) {
                reachable[k] = i + 1; // the run on bridge i fails as well
                return;
            }
            state = std::move(next);
        }
    });

    // Longest first, so that the short ones fill the gaps at the end.
    std::vector<double> lengths(n, 0.0);
    for (size_t i = 0; i < n; ++i)
        if (bridges[i] && bridges[i]->GetBeam() && std::isfinite(bridges[i]->GetBeam()->m_Length))
            lengths[i] = bridges[i]->GetBeam()->m_Length;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return lengths[a] > lengths[b] || (lengths[a] == lengths[b] && a < b); });
    std::vector<PieceRun> pieces(n * m);
    std::vector<std::shared_ptr<CEnvelopeResults>> results(n);
    RunTasks(n, nThreads, [&](size_t t) {
        const size_t i = order[t];
        std::vector<std::shared_ptr<CLoadModel>> own(m);
        size_t runnable = m;
        for (size_t j = 0; j < m; ++j) {
            const size_t k = distinct[j];
            if (objects[k] && i >= reachable[k]) {
                runnable = j; // one thread fails on an earlier bridge
                break;
            }
            own[j] = objects[k] ? states[k][i] : nullptr;
        }
        own.resize(runnable);
        results[i] = RunBridge(bridges[i], own, models, m_Options, stepping, feedback, pieces.data() + i * m);
    });

    // As far as one thread would have come: every run up to the first that did not finish,
    // that one included; a failed run fails the whole run there.
    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    out.reserve(n);
    std::vector<const CLoadModel*> last(d, nullptr);
    std::exception_ptr error;
    bool bStopped = false;
    for (size_t i = 0; i < n && !bStopped && !error; ++i) {
        for (size_t j = 0; j < m; ++j) {
            const PieceRun& run = pieces[i * m + j];
            if (!run.bStarted) {
                bStopped = true;
                break;
            }
            m_UsedStepping = run.TakeStepping(m_UsedStepping);
            if (objects[distinct[j]])
                last[distinct[j]] = states[distinct[j]][i].get();
            if (run.error) {
                error = run.error;
                break;
            }
            if (!run.bComplete) {
                bStopped = true;
                break;
            }
        }
        if (!error && results[i] && results[i]->HasEnvelopes())
            out.push_back(std::move(results[i]));
    }
    for (size_t k = 0; k < d; ++k)
        if (last[k])
            *objects[k] = *last[k];
    if (error)
        std::rethrow_exception(error);
    return out;
}
