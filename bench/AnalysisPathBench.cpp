// The analyses on the literal path and on the fast path, side by side: each case runs
// with path:0 (literal) and path:1 (fast) and reports its load positions per second.

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "core/analysis/AnalysisPath.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"

namespace {

AnalysisPath PathOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? AnalysisPath::Literal : AnalysisPath::Fast;
}

void ReportPositions(benchmark::State& state, double positions)
{
    state.counters["positions/s"] = benchmark::Counter(positions, benchmark::Counter::kIsRate);
    state.counters["positions"] = benchmark::Counter(positions, benchmark::Counter::kAvgIterations);
}

// A 2 x 20 m bridge with a five-axle semi-trailer stepped at 0.1 m.
void MovingLoad2x20Step01(benchmark::State& state)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 100; });
    CAnalysisPathScope path(PathOf(state));
    auto bridge = CBridge::Create(1, L"2 x 20 m", BC_TWOSPAN, 20.0);
    auto lm = std::make_shared<CLoadModel>(1, L"Semi-trailer");
    lm->AddPointLoad(60.0, 0.0, 0.0);
    lm->AddPointLoad(120.0, -3.7, 0.0);
    lm->AddPointLoad(120.0, -4.9, 0.0);
    lm->AddPointLoad(120.0, -11.0, 0.0);
    lm->AddPointLoad(120.0, -12.2, 0.0);
    std::atomic<bool> run = true;
    double positions = 0;
    for (auto _ : state) {
        CMovingLoadAnalysis ml(bridge, lm);
        int n = 0;
        double step = 0.1;
        auto res = ml.Analyse(true, n, step, &run);
        benchmark::DoNotOptimize(res);
        positions += ml.m_nSteps;
    }
    ReportPositions(state, positions);
}

} // namespace

BENCHMARK(MovingLoad2x20Step01)->Arg(0)->Arg(1)->ArgName("path")->Unit(benchmark::kMillisecond);
