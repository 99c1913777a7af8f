#include <benchmark/benchmark.h>

#include <atomic>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"

namespace {

// A five-axle semi-trailer (kN, m) over two spans of 20 m, stepped by distance.
void MovingLoadTwoSpans(benchmark::State& state)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 100; });
    const double stepSize = state.range(0) / 10.0;
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
        double step = stepSize;
        auto res = ml.Analyse(true, n, step, &run);
        benchmark::DoNotOptimize(res);
        positions += ml.m_nSteps;
    }
    state.counters["positions/s"] = benchmark::Counter(positions, benchmark::Counter::kIsRate);
    state.counters["positions"] = benchmark::Counter(positions, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(MovingLoadTwoSpans)->Arg(1)->Arg(5)->ArgName("step_dm")->Unit(benchmark::kMillisecond);
