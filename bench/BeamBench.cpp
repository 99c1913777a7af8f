#include <benchmark/benchmark.h>

#include <vector>

#include "core/beam/BeamAnalysis.h"
#include "core/beam/LoadPL.h"

namespace {

// A beam as bridges build it, with a four-axle vehicle standing on it.
void AnalyseSpans(benchmark::State& state, const std::vector<double>& spans)
{
    CBeam beam;
    beam.SetSpanLengths(spans);
    beam.m_vEI.assign(spans.size(), 1e11);
    for (size_t i = 0; i <= spans.size(); ++i) {
        beam.m_vR.push_back(-1.0);
        beam.m_vR.push_back(0.0);
    }
    beam.m_nRestraints = static_cast<int>(spans.size()) + 1;

    std::vector<CLoadPL> axles;
    double x = 0.4 * beam.m_Length;
    for (double P : {60.0, 120.0, 120.0, 90.0}) {
        double local = x;
        const int span = beam.GetSpanIndex(local);
        axles.emplace_back(span, P, local);
        x -= 1.3;
    }
    std::vector<CLoad*> loads;
    for (CLoadPL& a : axles)
        loads.push_back(&a);

    for (auto _ : state) {
        CBeamAnalysis analysis(beam, loads);
        CBeamResults r = analysis.Analyse();
        benchmark::DoNotOptimize(r.m_vReactions.data());
    }
}

void BM_Analyse1Span(benchmark::State& s) { AnalyseSpans(s, {20.0}); }
void BM_Analyse2Span(benchmark::State& s) { AnalyseSpans(s, {20.0, 20.0}); }
void BM_Analyse3Span(benchmark::State& s) { AnalyseSpans(s, {15.0, 20.0, 15.0}); }

}

BENCHMARK(BM_Analyse1Span);
BENCHMARK(BM_Analyse2Span);
BENCHMARK(BM_Analyse3Span);
