#include <benchmark/benchmark.h>

#include <vector>

#include "core/beam/BeamAnalysis.h"
#include "core/beam/FastBeamSolver.h"
#include "core/beam/LoadPL.h"
#include "core/bridge/Bridge.h"

namespace {

// A beam as bridges build it, with a four-axle vehicle standing on it.
CBeam BridgeBeam(const std::vector<double>& spans)
{
    CBridge bridge;
    bridge.m_vSpans = spans;
    bridge.MakeBeam();
    return *bridge.GetBeam();
}

std::vector<CLoadPL> Axles(const CBeam& beam)
{
    std::vector<CLoadPL> axles;
    double x = 0.4 * beam.m_Length;
    for (double P : {60.0, 120.0, 120.0, 90.0}) {
        double local = x;
        const int span = beam.GetSpanIndex(local);
        axles.emplace_back(span, P, local);
        x -= 1.3;
    }
    return axles;
}

constexpr int kPoints = 100; // segments per span: the settings' default

void AnalyseSpans(benchmark::State& state, const std::vector<double>& spans)
{
    const CBeam beam = BridgeBeam(spans);
    std::vector<CLoadPL> axles = Axles(beam);
    std::vector<CLoad*> loads;
    for (CLoadPL& a : axles)
        loads.push_back(&a);

    for (auto _ : state) {
        CBeamAnalysis analysis(beam, loads, kPoints);
        CBeamResults r = analysis.Analyse();
        benchmark::DoNotOptimize(r.m_vReactions.data());
    }
    state.counters["solves/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The same beam and loads through the solver that keeps its factorised stiffness; the
// moving loads ask for moment, shear and reactions only.
void SolveSpansFast(benchmark::State& state, const std::vector<double>& spans, bool bRotDefl)
{
    const CBeam beam = BridgeBeam(spans);
    const std::vector<CLoadPL> axles = Axles(beam);
    CFastBeamSolver solver(beam, kPoints);
    for (auto _ : state) {
        solver.ClearLoads();
        for (const CLoadPL& a : axles)
            solver.AddPointLoad(a.m_nSpan, a.m_P, a.m_A);
        solver.Solve(bRotDefl);
        benchmark::DoNotOptimize(solver.GetReactions().data());
    }
    state.counters["solves/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Analyse1Span(benchmark::State& s)
{
    AnalyseSpans(s, {20.0});
}
void BM_Analyse2Span(benchmark::State& s)
{
    AnalyseSpans(s, {20.0, 20.0});
}
void BM_Analyse3Span(benchmark::State& s)
{
    AnalyseSpans(s, {15.0, 20.0, 15.0});
}
void BM_FastSolve1Span(benchmark::State& s)
{
    SolveSpansFast(s, {20.0}, true);
}
void BM_FastSolve2Span(benchmark::State& s)
{
    SolveSpansFast(s, {20.0, 20.0}, true);
}
void BM_FastSolve3Span(benchmark::State& s)
{
    SolveSpansFast(s, {15.0, 20.0, 15.0}, true);
}
void BM_FastSolve2SpanMV(benchmark::State& s)
{
    SolveSpansFast(s, {20.0, 20.0}, false);
}
// The largest bridge allowed: one position, the solver built for it included.
void BM_Analyse1000Span(benchmark::State& s)
{
    AnalyseSpans(s, std::vector<double>(1000, 20.0));
}

}

BENCHMARK(BM_Analyse1Span);
BENCHMARK(BM_Analyse2Span);
BENCHMARK(BM_Analyse3Span);
BENCHMARK(BM_FastSolve1Span);
BENCHMARK(BM_FastSolve2Span);
BENCHMARK(BM_FastSolve3Span);
BENCHMARK(BM_FastSolve2SpanMV);
BENCHMARK(BM_Analyse1000Span)->Unit(benchmark::kMillisecond);
