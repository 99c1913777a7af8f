#include "core/analysis/MultiBridgeAnalysis.h"

#include <algorithm>
#include <exception>

#include "core/analysis/AnalysisPath.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/FastEnvelopeMerger.h"
#include "core/analysis/KeepRunning.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/Messages.h"

namespace {

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
    const size_t nModels =
        m_pLME ? std::min(m_pLME->m_vLoadModel.size(), static_cast<size_t>(std::max(m_pLME->m_nLoadModels, 0))) : 0;
    if (GetAnalysisThreads() > 1 && GetAnalysisPath() == AnalysisPath::Fast && n * nModels > 1)
        return RunParallel(n, bByStep, nSteps, stepSize, pbKeepRunning);

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

// The runs of one load model over one bridge are the pieces. A model with a bridge rule
// carries its state from one bridge to the next, and a model listed twice would be
// written by two threads: each runs its bridges in order on one thread. Every other model
// runs each bridge on a copy of its own (the last bridge on the model itself, which is
// then left as the single-threaded run leaves it), and the copy's entries are credited to
// the model. The pieces are merged bridge by bridge in model order, as the runner merges.
std::vector<std::shared_ptr<CEnvelopeResults>> CMultiBridgeAnalysis::RunParallel(size_t n, bool bByStep, int& nSteps,
                                                                                 double& stepSize,
                                                                                 const std::atomic<bool>* pbKeepRunning)
{
    const std::vector<std::shared_ptr<CLoadModel>> models(
        m_pLME->m_vLoadModel.begin(),
        m_pLME->m_vLoadModel.begin() +
            static_cast<std::ptrdiff_t>(std::min(m_pLME->m_vLoadModel.size(),
                                                 static_cast<size_t>(std::max(m_pLME->m_nLoadModels, 0)))));
    const size_t m = models.size();

    struct Piece : PieceRun {
        std::shared_ptr<CLoadModel> pModel; // what is analysed: the model or a copy of it
        std::unique_ptr<CFastEnvelopeBuilder> run;
    };
    std::vector<Piece> pieces(n * m);
    std::vector<std::vector<size_t>> tasks; // the pieces of each task, in the order they run

    std::vector<bool> chained(m, false);
    for (size_t j = 0; j < m; ++j) {
        const bool repeated = std::count(models.begin(), models.end(), models[j]) > 1;
        chained[j] = !models[j] || models[j]->m_bAdjustToBridge || repeated;
    }
    for (size_t j = 0; j < m; ++j) {
        if (!chained[j] || std::find(models.begin(), models.begin() + static_cast<std::ptrdiff_t>(j), models[j]) !=
                               models.begin() + static_cast<std::ptrdiff_t>(j))
            continue;
        std::vector<size_t> chain;
        for (size_t i = 0; i < n; ++i)
            for (size_t k = j; k < m; ++k)
                if (models[k] == models[j]) {
                    chain.push_back(i * m + k);
                    pieces[i * m + k].pModel = models[k];
                }
        tasks.push_back(std::move(chain));
    }
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < m; ++j)
            if (!chained[j]) {
                pieces[i * m + j].pModel = i + 1 == n ? models[j] : std::make_shared<CLoadModel>(*models[j]);
                tasks.push_back({i * m + j});
            }

    RunPieces(
        tasks, [&](size_t q) -> PieceRun& { return pieces[q]; }, nSteps, stepSize, pbKeepRunning,
        [&](size_t q) {
            Piece& piece = pieces[q];
            const std::shared_ptr<CBridge> bridge = m_pBridgeSet->GetBridge(static_cast<int>(q / m));
            CMovingLoadAnalysis analysis(bridge, piece.pModel, m_nPoints);
            piece.run = analysis.AnalyseFast(bByStep, piece.nSteps, piece.step, pbKeepRunning);
        });

    // As far as the single-threaded run would have come: every piece up to the first that
    // did not finish, that one included; a failed piece fails the whole run there.
    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    out.reserve(n);
    const Piece* last = nullptr;
    bool bStopped = false;
    for (size_t i = 0; i < n && !bStopped; ++i) {
        CFastEnvelopeMerger merger;
        for (size_t j = 0; j < m && !bStopped; ++j) {
            const Piece& piece = pieces[i * m + j];
            if (!piece.bStarted) {
                bStopped = true;
                break;
            }
            if (piece.error)
                std::rethrow_exception(piece.error);
            last = &piece;
            if (piece.run && piece.run->GetPositionCount() > 0)
                merger.Merge(*piece.run, models[j]);
            bStopped = !piece.bComplete;
        }
        std::shared_ptr<CEnvelopeResults> r = merger.TakeResults();
        if (r && r->HasEnvelopes())
            out.push_back(std::move(r));
    }
    if (last) {
        nSteps = last->nSteps;
        stepSize = last->step;
    }
    return out;
}
