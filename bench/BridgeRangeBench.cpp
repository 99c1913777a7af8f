#include <benchmark/benchmark.h>

#include <memory>

#include "MovingLoadCases.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"

namespace {

// Two-span bridges of 1, 2, ..., 50 m spans.
std::shared_ptr<CBridgeSet> TwoSpanSet()
{
    return std::make_shared<CBridgeSet>(1, L"1:1:50", BC_TWOSPAN, 1.0, 50.0, 1.0);
}

std::shared_ptr<CLoadModel> FiveAxle()
{
    auto lm = std::make_shared<CLoadModel>(1, L"Five-axle semi-trailer");
    const double axles[][2] = {{60.0, 0.0}, {110.0, -3.7}, {110.0, -4.9}, {85.0, -11.0}, {85.0, -12.2}};
    for (const auto& a : axles)
        lm->AddPointLoad(a[0], a[1], 0.0);
    return lm;
}

std::shared_ptr<CLoadModel> ThreeAxle()
{
    auto lm = std::make_shared<CLoadModel>(2, L"Three-axle rigid");
    const double axles[][2] = {{60.0, 0.0}, {110.0, -4.0}, {110.0, -5.2}};
    for (const auto& a : axles)
        lm->AddPointLoad(a[0], a[1], 0.0);
    return lm;
}

void BridgeRange(benchmark::State& state)
{
    auto set = TwoSpanSet();
    auto lm = FiveAxle();
    size_t n = 0;
    for (auto _ : state) {
        CMultiBridgeAnalysis mba(set, lm, qelbench::Options());
        int nSteps = 0;
        double step = 0.5;
        auto results = mba.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
        n = 0;
        for (const auto& r : results)
            n += static_cast<size_t>(r->m_nAnalyses);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["positions"] = static_cast<double>(n);
}
BENCHMARK(BridgeRange)->Unit(benchmark::kMillisecond);

// Two vehicles as the reference ensemble over the same set, with the overstress lane load.
void ReferenceCollection(benchmark::State& state)
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Reference vehicles");
    lme->AddLoadModel(FiveAxle());
    lme->AddLoadModel(ThreeAxle());
    for (auto _ : state) {
        CReferenceCollection coll(1, L"Bench", Stepping{.bByStep = true, .step = 0.5, .nSteps = 0});
        coll.m_vLME = {lme};
        coll.m_vBS = {TwoSpanSet()};
        coll.m_bUseOverstress = true;
        benchmark::DoNotOptimize(coll.Calculate(CAnalysisFeedback::None(), qelbench::Options()));
    }
}
BENCHMARK(ReferenceCollection)->Unit(benchmark::kMillisecond);

} // namespace
