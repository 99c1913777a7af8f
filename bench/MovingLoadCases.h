#pragma once
// The moving-load case that more than one benchmark runs.

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"

namespace qelbench {

inline void ReportPositions(benchmark::State& state, double positions)
{
    state.counters["positions/s"] = benchmark::Counter(positions, benchmark::Counter::kIsRate);
    state.counters["positions"] = benchmark::Counter(positions, benchmark::Counter::kAvgIterations);
}

// A five-axle semi-trailer (kN, m) over two spans of 20 m, stepped by stepSize, on the
// path in force.
inline void MovingLoadTwoSpans(benchmark::State& state, double stepSize)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 100; });
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
    ReportPositions(state, positions);
}

} // namespace qelbench
