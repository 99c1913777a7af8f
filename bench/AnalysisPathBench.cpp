// The analyses on the literal path and on the fast path, side by side: each case runs
// with path:0 (literal) and path:1 (fast) and reports its load positions per second.

#include <benchmark/benchmark.h>

#include <memory>

#include "MovingLoadCases.h"
#include "core/analysis/AnalysisPath.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "core/settings/Settings.h"

namespace {

AnalysisPath PathOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? AnalysisPath::Literal : AnalysisPath::Fast;
}

using qelbench::ReportPositions;

// A 2 x 20 m bridge with a five-axle semi-trailer stepped at 0.1 m.
void MovingLoad2x20Step01(benchmark::State& state)
{
    CAnalysisPathScope path(PathOf(state));
    qelbench::MovingLoadTwoSpans(state, 0.1);
}

std::shared_ptr<CBridgeSet> Set1To50(BridgeConfig config)
{
    return std::make_shared<CBridgeSet>(1, L"1:1:50", config, 1.0, 50.0, 1.0);
}

// The two-span set of 1, 2, ..., 50 m with the NAASRA 1976 family (10 spacings) at 0.5 m.
// Every model of the family re-applies its bridge rule and posts a status line at every
// position, on either path; no_rules:1 runs the same family without them.
void BridgeRange2SpanNAASRA1976(benchmark::State& state)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 100; });
    CAnalysisPathScope path(PathOf(state));
    auto set = Set1To50(BC_TWOSPAN);
    CLMEFactory factory;
    auto lme = factory.GetNAASRA1976(false, 10);
    if (state.range(1))
        for (auto& lm : lme->m_vLoadModel)
            lm->m_bAdjustToBridge = false;
    double positions = 0;
    for (auto _ : state) {
        CMultiBridgeAnalysis mba(set, lme);
        int nSteps = 0;
        double step = 0.5;
        auto results = mba.Run(true, &nSteps, &step, nullptr);
        for (const auto& r : results)
            positions += r->m_nAnalyses;
        benchmark::DoNotOptimize(results.data());
    }
    ReportPositions(state, positions);
    state.counters["models"] = lme->m_nLoadModels;
}

// The one-, two- and three-span sets of 1, 2, ..., 50 m against the NAASRA 1976 and the
// ABDC 1992 families (10 spacings each) with overstress, then a proposed five-axle
// vehicle compared with them; stepped at 0.5 m.
void ReferenceCollection3Sets(benchmark::State& state)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 100; });
    CAnalysisPathScope path(PathOf(state));
    CLMEFactory factory;
    const auto naasra = factory.GetNAASRA1976(false, 10);
    const auto abdc = factory.GetABDC1992(false, 10);
    const std::vector<std::shared_ptr<CBridgeSet>> sets = {Set1To50(BC_ONESPAN), Set1To50(BC_TWOSPAN),
                                                           Set1To50(BC_THREESPAN)};
    auto proposed = CLMEFactory::MakeVehicle(99, L"Proposed five-axle", {60.0, 125.0, 125.0, 90.0, 90.0},
                                             {3.7, 1.2, 6.1, 1.2});
    double positions = 0;
    for (auto _ : state) {
        CReferenceCollection coll(1, L"Bench", true, 0, 0.5);
        coll.m_vLME = {naasra, abdc};
        coll.m_vBS = sets;
        coll.m_bUseOverstress = true;
        coll.Calculate(nullptr);
        coll.SetProposedLoadModel(proposed);
        coll.CompareProposed(nullptr, 1.0);
        for (const auto& rs : coll.GetRefSets())
            for (const auto* v : {&rs->m_vLiveLoadCritEnv, &rs->m_vOverstressCritEnv, &rs->m_vPropCritEnv})
                for (const auto& r : *v)
                    positions += r->m_nAnalyses;
        benchmark::DoNotOptimize(coll.GetCriticalRatioEnsembles().data());
    }
    ReportPositions(state, positions);
}

} // namespace

BENCHMARK(BridgeRange2SpanNAASRA1976)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->ArgNames({"path", "no_rules"})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ReferenceCollection3Sets)->Arg(0)->Arg(1)->ArgName("path")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(MovingLoad2x20Step01)->Arg(0)->Arg(1)->ArgName("path")->Unit(benchmark::kMillisecond);
