// The analyses on the literal path and on the fast path, side by side: each case runs
// with path:0 (literal) and path:1 (fast) and reports its load positions per second.
// The Fold cases run the fast path with the envelope fold limited to a vector width:
// width:0 scalar, 1 SSE2, 2 AVX-512 (as far as the processor has it).
// The Threads cases run the same work on 1, 2, 4 and 8 threads and on every core in turn,
// after one untimed run, and report for each the wall time (ms_N) and the processor time
// of the whole process (cpu_N, every thread's), and the speed-up of every core against
// one thread. The results are freed after the clocks stop (free_ms: the mean time that
// took, on the calling thread).

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "MovingLoadCases.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/ParallelRuns.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

namespace {

AnalysisPath PathOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? AnalysisPath::Literal : AnalysisPath::Fast;
}

// The path and fold cases measure one core's work; the Threads cases measure the cores.
AnalysisOptions OneThread(AnalysisPath path)
{
    return qelbench::Options(path, 1);
}

using qelbench::ReportPositions;

// The fold of this thread's fast analyses limited to a width while it lives.
class CFoldWidthScope {
public:
    explicit CFoldWidthScope(const benchmark::State& state)
    {
        CFastEnvelopeBuilder::LimitVectorWidth(static_cast<int>(state.range(0)));
    }
    ~CFoldWidthScope() { CFastEnvelopeBuilder::LimitVectorWidth(2); }
};

// A 2 x 20 m bridge with a five-axle semi-trailer stepped at 0.1 m.
void MovingLoad2x20Step01(benchmark::State& state)
{
    qelbench::MovingLoadTwoSpans(state, 0.1, PathOf(state));
}

std::shared_ptr<CBridgeSet> Set1To50(BridgeConfig config)
{
    return std::make_shared<CBridgeSet>(1, L"1:1:50", config, 1.0, 50.0, 1.0);
}

// The two-span set of 1, 2, ..., 50 m with the NAASRA 1976 family (10 spacings) at 0.5 m.
// Every model of the family re-applies its bridge rule and posts a status line at every
// position, on either path; no_rules:1 runs the same family without them.
void RunBridgeRange2SpanNAASRA1976(benchmark::State& state, const AnalysisOptions& options, bool bNoRules)
{
    auto set = Set1To50(BC_TWOSPAN);
    CLMEFactory factory;
    auto lme = factory.GetNAASRA1976(false, 10);
    if (bNoRules)
        for (auto& lm : lme->m_vLoadModel)
            lm->m_bAdjustToBridge = false;
    double positions = 0;
    for (auto _ : state) {
        CMultiBridgeAnalysis mba(set, lme, options);
        int nSteps = 0;
        double step = 0.5;
        auto results = mba.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
        for (const auto& r : results)
            positions += r->m_nAnalyses;
        benchmark::DoNotOptimize(results.data());
    }
    ReportPositions(state, positions);
    state.counters["models"] = lme->m_nLoadModels;
}

void BridgeRange2SpanNAASRA1976(benchmark::State& state)
{
    RunBridgeRange2SpanNAASRA1976(state, OneThread(PathOf(state)), state.range(1) != 0);
}

void FoldBridgeRange2SpanNAASRA1976(benchmark::State& state)
{
    CFoldWidthScope width(state);
    RunBridgeRange2SpanNAASRA1976(state, OneThread(AnalysisPath::Fast), true);
}

// The one-, two- and three-span sets of 1, 2, ..., 50 m against the NAASRA 1976 and the
// ABDC 1992 families (10 spacings each) with overstress, then a proposed five-axle
// vehicle compared with them; stepped at 0.5 m.
struct CollectionCase {
    std::shared_ptr<CLoadModelEnsemble> naasra, abdc;
    std::vector<std::shared_ptr<CBridgeSet>> sets;
    std::shared_ptr<CLoadModel> proposed;

    CollectionCase()
    {
        CLMEFactory factory;
        naasra = factory.GetNAASRA1976(false, 10);
        abdc = factory.GetABDC1992(false, 10);
        sets = {Set1To50(BC_ONESPAN), Set1To50(BC_TWOSPAN), Set1To50(BC_THREESPAN)};
        proposed =
            CLMEFactory::MakeVehicle(99, L"Proposed five-axle", {60.0, 125.0, 125.0, 90.0, 90.0}, {3.7, 1.2, 6.1, 1.2});
    }

    // Calculated and compared; the load positions it took are added to positions.
    std::unique_ptr<CReferenceCollection> Run(double& positions, const AnalysisOptions& options) const
    {
        auto coll =
            std::make_unique<CReferenceCollection>(1, L"Bench", Stepping{.bByStep = true, .step = 0.5, .nSteps = 0});
        coll->m_vLME = {naasra, abdc};
        coll->m_vBS = sets;
        coll->m_bUseOverstress = true;
        coll->Calculate(CAnalysisFeedback::None(), options);
        coll->SetProposedLoadModel(proposed);
        coll->CompareProposed(CAnalysisFeedback::None(), 1.0, options);
        for (const auto& rs : coll->GetRefSets())
            for (const auto* v : {&rs->m_vLiveLoadCritEnv, &rs->m_vOverstressCritEnv, &rs->m_vPropCritEnv})
                for (const auto& r : *v)
                    positions += r->m_nAnalyses;
        return coll;
    }
};

void RunReferenceCollection3Sets(benchmark::State& state, const AnalysisOptions& options)
{
    const CollectionCase c;
    double positions = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(c.Run(positions, options)->GetCriticalRatioEnsembles().data());
    ReportPositions(state, positions);
}

void ReferenceCollection3Sets(benchmark::State& state)
{
    RunReferenceCollection3Sets(state, OneThread(PathOf(state)));
}

void FoldReferenceCollection3Sets(benchmark::State& state)
{
    CFoldWidthScope width(state);
    RunReferenceCollection3Sets(state, OneThread(AnalysisPath::Fast));
}

void FoldMovingLoad2x20Step01(benchmark::State& state)
{
    CFoldWidthScope width(state);
    qelbench::MovingLoadTwoSpans(state, 0.1);
}

double ProcessCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// The same work on 1, 2, 4 and 8 threads and on every core, timed side by side in each
// iteration; work(threads) runs it with that many and returns what it computed.
template <class Work>
void ByThreads(benchmark::State& state, Work work)
{
    double freeing = 0;
    using Clock = std::chrono::steady_clock;
    const int all = AnalysisThreads(0);
    std::vector<int> counts = {1, 2, 4, 8};
    if (all != 8)
        counts.push_back(all);
    std::vector<double> wall(counts.size()), cpu(counts.size());
    // Untimed: the first run of a process faults its heap in, which later runs reuse
    // (the calling thread's and the helpers').
    work(1);
    work(all);
    for (auto _ : state) {
        for (size_t k = 0; k < counts.size(); ++k) {
            const double c0 = ProcessCpuMs();
            const auto t0 = Clock::now();
            auto results = work(counts[k]);
            wall[k] += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            cpu[k] += ProcessCpuMs() - c0;
            const auto t1 = Clock::now();
            results = {};
            freeing += std::chrono::duration<double, std::milli>(Clock::now() - t1).count();
        }
    }
    const double n = static_cast<double>(state.iterations());
    for (size_t k = 0; k < counts.size(); ++k) {
        const std::string t = k == 4 ? "all" : std::to_string(counts[k]);
        state.counters["ms_" + t] = wall[k] / n;
        state.counters["cpu_" + t] = cpu[k] / n;
    }
    const size_t kAll = all == 8 ? 3 : 4;
    state.counters["speedup"] = wall[kAll] > 0 ? wall[0] / wall[kAll] : 0.0;
    state.counters["free_ms"] = freeing / (n * static_cast<double>(counts.size()));
    state.counters["threads"] = all;
}

void ThreadsBridgeRange2SpanNAASRA1976(benchmark::State& state)
{
    auto set = Set1To50(BC_TWOSPAN);
    CLMEFactory factory;
    auto lme = factory.GetNAASRA1976(false, 10);
    ByThreads(state, [&](int threads) {
        CMultiBridgeAnalysis mba(set, lme, qelbench::Options(AnalysisPath::Fast, threads));
        int nSteps = 0;
        double step = 0.5;
        auto results = mba.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
        benchmark::DoNotOptimize(results.data());
        return results;
    });
}

void ThreadsReferenceCollection3Sets(benchmark::State& state)
{
    const CollectionCase c;
    double positions = 0;
    ByThreads(state, [&](int threads) {
        auto coll = c.Run(positions, qelbench::Options(AnalysisPath::Fast, threads));
        benchmark::DoNotOptimize(coll->GetCriticalRatioEnsembles().data());
        return coll;
    });
}

} // namespace

BENCHMARK(BridgeRange2SpanNAASRA1976)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->ArgNames({"path", "no_rules"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(ReferenceCollection3Sets)->Arg(0)->Arg(1)->ArgName("path")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(MovingLoad2x20Step01)->Arg(0)->Arg(1)->ArgName("path")->Unit(benchmark::kMillisecond);
BENCHMARK(FoldMovingLoad2x20Step01)->DenseRange(0, 2)->ArgName("width")->Unit(benchmark::kMillisecond);
BENCHMARK(FoldBridgeRange2SpanNAASRA1976)
    ->DenseRange(0, 2)
    ->ArgName("width")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(FoldReferenceCollection3Sets)
    ->DenseRange(0, 2)
    ->ArgName("width")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(ThreadsBridgeRange2SpanNAASRA1976)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ThreadsReferenceCollection3Sets)->Unit(benchmark::kMillisecond)->Iterations(3);
