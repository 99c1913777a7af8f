#pragma once
// The moving-load case that more than one benchmark runs.

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace qelbench {

// The benchmarks' options: 100 segments per span (the settings' default); threads 0 takes
// every core.
inline AnalysisOptions Options(AnalysisPath path = AnalysisPath::Fast, int nThreads = 0)
{
    return {100, path, nThreads};
}

inline void ReportPositions(benchmark::State& state, double positions)
{
    state.counters["positions/s"] = benchmark::Counter(positions, benchmark::Counter::kIsRate);
    state.counters["positions"] = benchmark::Counter(positions, benchmark::Counter::kAvgIterations);
}

// A five-axle semi-trailer (kN, m) over two spans of 20 m, stepped by stepSize.
inline void MovingLoadTwoSpans(benchmark::State& state, double stepSize, AnalysisPath path = AnalysisPath::Fast)
{
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
        CMovingLoadAnalysis ml(bridge, lm, Options(path));
        int n = 0;
        double step = stepSize;
        auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CStopFlagFeedback(run));
        benchmark::DoNotOptimize(res);
        positions += ml.m_nSteps;
    }
    ReportPositions(state, positions);
}

} // namespace qelbench
