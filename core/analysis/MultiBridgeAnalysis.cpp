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
            const CKeepUsedStepping keep(run.used, analysis);
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

// Each model object once, with the listings that run it: a model listed twice runs twice
// on one object, the second run starting where the first left it.
struct DistinctModels {
    std::vector<std::shared_ptr<CLoadModel>> objects;
    std::vector<size_t> of; // listing -> index of its model object
};

DistinctModels FindDistinctModels(const std::vector<std::shared_ptr<CLoadModel>>& models)
{
    DistinctModels distinct;
    distinct.of.resize(models.size());
    for (size_t j = 0; j < models.size(); ++j) {
        const auto it = std::find(distinct.objects.begin(), distinct.objects.end(), models[j]);
        distinct.of[j] = static_cast<size_t>(it - distinct.objects.begin());
        if (it == distinct.objects.end())
            distinct.objects.push_back(models[j]);
    }
    return distinct;
}

// at[k][i]: model object k as one thread finds it on reaching bridge i; from reachable[k]
// on there is none, as that thread never gets past a failure of that model.
struct ModelStates {
    std::vector<std::vector<LoadModelRunState>> at;
    std::vector<size_t> reachable;
};

// A run writes its model (bridge rule, update) and what the rule leaves carries to the next
// bridge, so a bridge's runs must start from the states one thread would bring them. The
// replay finds those states one model at a time without solving anything.
ModelStates ReplayModelStates(const DistinctModels& distinct, const std::vector<std::shared_ptr<CBridge>>& bridges,
                              const AnalysisOptions& options, int nThreads, const Stepping& stepping)
{
    const size_t n = bridges.size();
    const size_t d = distinct.objects.size();
    ModelStates states{std::vector<std::vector<LoadModelRunState>>(d), std::vector<size_t>(d, n)};
    RunTasks(d, nThreads, [&](size_t k) {
        if (!distinct.objects[k])
            return; // each run of it fails as on one thread
        const size_t listings = static_cast<size_t>(std::count(distinct.of.begin(), distinct.of.end(), k));
        auto model = std::make_shared<CLoadModel>(*distinct.objects[k]);
        std::vector<LoadModelRunState>& at = states.at[k];
        at.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            at.push_back(model->RunState());
            if (i + 1 == n)
                break;
            try {
                for (size_t l = 0; l < listings; ++l) {
                    CMovingLoadAnalysis analysis(bridges[i], model, options);
                    analysis.AdvanceModel(stepping);
                }
            } catch (...) {
                states.reachable[k] = i + 1; // the run on bridge i fails as well
                return;
            }
        }
    });
    return states;
}

// Longest first, so that the short ones fill the gaps at the end.
std::vector<size_t> LongestFirst(const std::vector<std::shared_ptr<CBridge>>& bridges)
{
    const size_t n = bridges.size();
    std::vector<double> lengths(n, 0.0);
    for (size_t i = 0; i < n; ++i)
        if (bridges[i] && bridges[i]->GetBeam() && std::isfinite(bridges[i]->GetBeam()->m_Length))
            lengths[i] = bridges[i]->GetBeam()->m_Length;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return lengths[a] > lengths[b] || (lengths[a] == lengths[b] && a < b); });
    return order;
}

// What the bridges' tasks leave: pieces[i * listings + j] tells how listing j ran on bridge
// i, and models[i][k] is the object those runs of model k wrote.
struct BridgeRuns {
    std::vector<PieceRun> pieces;
    std::vector<std::shared_ptr<CEnvelopeResults>> results;
    std::vector<std::vector<std::shared_ptr<CLoadModel>>> models;
};

// One task per bridge in the order given, each running the listings in list order as one
// thread does, on copies of the models of its own brought to the bridge's states: the runs
// of different bridges write different objects. The entries name the original models.
BridgeRuns RunBridges(const std::vector<size_t>& order, const std::vector<std::shared_ptr<CBridge>>& bridges,
                      const std::vector<std::shared_ptr<CLoadModel>>& listings, const DistinctModels& distinct,
                      const ModelStates& states, const AnalysisOptions& options, int nThreads, const Stepping& stepping,
                      const CAnalysisFeedback& feedback)
{
    const size_t n = bridges.size();
    const size_t m = listings.size();
    BridgeRuns runs{std::vector<PieceRun>(n * m), std::vector<std::shared_ptr<CEnvelopeResults>>(n),
                    std::vector<std::vector<std::shared_ptr<CLoadModel>>>(n)};
    RunTasks(n, nThreads, [&](size_t t) {
        const size_t i = order[t];
        std::vector<std::shared_ptr<CLoadModel>>& objects = runs.models[i];
        objects.resize(distinct.objects.size());
        std::vector<std::shared_ptr<CLoadModel>> own;
        own.reserve(m);
        for (size_t j = 0; j < m; ++j) {
            const size_t k = distinct.of[j];
            const std::shared_ptr<CLoadModel>& original = distinct.objects[k];
            if (original && i >= states.reachable[k])
                break; // one thread fails on an earlier bridge
            if (original && !objects[k])
                objects[k] = std::make_shared<CLoadModel>(*original, states.at[k][i]);
            own.push_back(objects[k]);
        }
        runs.results[i] = RunBridge(bridges[i], own, listings, options, stepping, feedback, runs.pieces.data() + i * m);
    });
    return runs;
}

// As far as one thread would have come: every run up to the first that did not finish,
// that one included; a failed run fails the whole run there. The originals are left as
// one thread leaves them: in the state of the last run that one thread would have made.
// used is the stepping one thread would hold; it is taken before a failure is rethrown.
std::vector<std::shared_ptr<CEnvelopeResults>> GatherAsOneThread(BridgeRuns& runs, const DistinctModels& distinct,
                                                                 Stepping& used)
{
    const size_t n = runs.results.size();
    const size_t m = distinct.of.size();
    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    out.reserve(n);
    std::vector<const CLoadModel*> last(distinct.objects.size(), nullptr);
    std::exception_ptr error;
    bool bStopped = false;
    for (size_t i = 0; i < n && !bStopped && !error; ++i) {
        for (size_t j = 0; j < m; ++j) {
            const PieceRun& run = runs.pieces[i * m + j];
            if (!run.bStarted) {
                bStopped = true;
                break;
            }
            used = run.TakeStepping(used);
            const size_t k = distinct.of[j];
            if (distinct.objects[k])
                last[k] = runs.models[i][k].get();
            if (run.error) {
                error = run.error;
                break;
            }
            if (!run.bComplete) {
                bStopped = true;
                break;
            }
        }
        if (!error && runs.results[i] && runs.results[i]->HasEnvelopes())
            out.push_back(std::move(runs.results[i]));
    }
    for (size_t k = 0; k < last.size(); ++k)
        if (last[k])
            distinct.objects[k]->RestoreRunState(last[k]->RunState());
    if (error)
        std::rethrow_exception(error);
    return out;
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

// One task per bridge, longest first, on model objects of each bridge's own brought to the
// states one thread would give them there; the envelopes and the models are then left as
// one thread leaves them.
std::vector<std::shared_ptr<CEnvelopeResults>>
CMultiBridgeAnalysis::RunParallel(size_t n, const std::vector<std::shared_ptr<CLoadModel>>& models,
                                  const Stepping& stepping, const CAnalysisFeedback& feedback)
{
    const int nThreads = AnalysisThreads(m_Options.nThreads);
    std::vector<std::shared_ptr<CBridge>> bridges(n);
    for (size_t i = 0; i < n; ++i)
        bridges[i] = m_pBridgeSet->GetBridge(static_cast<int>(i));

    const DistinctModels distinct = FindDistinctModels(models);
    const ModelStates states = ReplayModelStates(distinct, bridges, m_Options, nThreads, stepping);
    const std::vector<size_t> order = LongestFirst(bridges);
    BridgeRuns runs = RunBridges(order, bridges, models, distinct, states, m_Options, nThreads, stepping, feedback);
    return GatherAsOneThread(runs, distinct, m_UsedStepping);
}
