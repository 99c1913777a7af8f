#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <algorithm>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FastPathCases.h"
#include "RangeRuns.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModelEnsemble.h"
#include "TestOptions.h"

using namespace fastcases;

namespace {

// Every kind of model in one ensemble: runs of different lengths (so that the reaction
// envelopes are padded both ways in the merge), a stationary lane load, bridge rules, a
// model that counts only on short bridges, reversed and partial loads.
std::shared_ptr<CLoadModelEnsemble> Ensemble()
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Everything");
    for (const ModelCase& mc : Models())
        lme->AddLoadModel(std::make_shared<CLoadModel>(mc.make()));
    return lme;
}

// threads 0: the process's count.
RangeRun RunRange(AnalysisPath path, int threads, const std::shared_ptr<CBridgeSet>& set,
                  const std::shared_ptr<CLoadModelEnsemble>& lme, bool bByStep, int nSteps, double step,
                  const std::atomic<bool>* flag = nullptr, int stopAfterLines = 0, std::atomic<bool>* toClear = nullptr)
{
    RangeRun r;
    RunRangeInto(r, path, threads, set, lme, bByStep, nSteps, step, flag, stopAfterLines, toClear);
    return r;
}

void ExpectSameRange(const RangeRun& a, const RangeRun& b, const ModelMap& map, const std::string& what)
{
    EXPECT_EQ(a.nSteps, b.nSteps) << what;
    EXPECT_EQ(a.step, b.step) << what;
    EXPECT_EQ(a.messages, b.messages) << what << ": status and progress messages";
    ASSERT_EQ(a.results.size(), b.results.size()) << what;
    for (size_t i = 0; i < a.results.size(); ++i)
        ExpectSameResults(*a.results[i], *b.results[i], map, what + ", bridge " + std::to_string(i));
}

TEST(FastBridgeRange, GivesTheLiteralEnvelopesOfEveryBridge)
{
    struct SetCase {
        std::string name;
        BridgeConfig config;
        double from, to;
        int count;
    };
    const SetCase sets[] = {{"one span 4-40", BC_ONESPAN, 4.0, 40.0, 4},
                            {"two spans 6-30", BC_TWOSPAN, 6.0, 30.0, 3},
                            {"three spans 8-32", BC_THREESPAN, 8.0, 32.0, 3}};
    struct Stepping {
        std::string name;
        bool bByStep;
        int nSteps;
        double step;
    };
    const Stepping steppings[] = {{"step 0.6", true, 0, 0.6}, {"25 steps", false, 25, 0.0}};
    for (const SetCase& sc : sets) {
        auto set = std::make_shared<CBridgeSet>(1, L"S", sc.count, sc.config, sc.from, sc.to);
        for (const Stepping& st : steppings) {
            const std::string what = sc.name + ", " + st.name;
            auto lme = Ensemble();
            ModelMap map;
            auto copy = CopyOf(*lme, map);
            const RangeRun literal = RunRange(AnalysisPath::Literal, 0, set, lme, st.bByStep, st.nSteps, st.step);
            const RangeRun fast = RunRange(AnalysisPath::Fast, 0, set, copy, st.bByStep, st.nSteps, st.step);
            ASSERT_EQ(literal.results.size(), static_cast<size_t>(sc.count)) << what;
            ExpectSameRange(literal, fast, map, what);
        }
    }
}

TEST(FastBridgeRange, StopsWhereTheLiteralPathStops)
{
    // The flag drops with the 40th message, in the middle of a load model's run on the
    // second bridge: both paths keep the same partial envelopes of that bridge.
    auto set = std::make_shared<CBridgeSet>(1, L"S", 3, BC_TWOSPAN, 10.0, 20.0);
    auto lme = Ensemble();
    ModelMap map;
    auto copy = CopyOf(*lme, map);
    std::atomic<bool> keepA = true, keepB = true;
    const RangeRun literal = RunRange(AnalysisPath::Literal, 0, set, lme, true, 0, 0.5, &keepA, 40, &keepA);
    const RangeRun fast = RunRange(AnalysisPath::Fast, 0, set, copy, true, 0, 0.5, &keepB, 40, &keepB);
    EXPECT_FALSE(keepB);
    EXPECT_LT(literal.results.size(), 3u);
    ExpectSameRange(literal, fast, map, "stopped");
}

TEST(FastBridgeRange, RunnerMergeIsTheLiteralAugmentOfItsModels)
{
    // The runner on its own, keeping nothing but the merge, against the literal runner.
    auto bridge = CBridge::Create(1, L"B", BC_THREESPAN, 16.0);
    auto lme = Ensemble();
    ModelMap map;
    auto copy = CopyOf(*lme, map);
    const Stepping byStep{.bByStep = true, .step = 0.45, .nSteps = 0};
    CEnvelopeRunner literal(bridge, lme, qeltest::TestOptions(AnalysisPath::Literal));
    const std::shared_ptr<CEnvelopeResults> a = literal.Run(byStep, CAnalysisFeedback::None());
    CEnvelopeRunner fast(bridge, copy, qeltest::TestOptions());
    fast.KeepModelResults(false);
    const auto b = fast.Run(byStep, CAnalysisFeedback::None());
    EXPECT_EQ(literal.GetNoAnalyses(), fast.GetNoAnalyses());
    EXPECT_EQ(literal.GetUsedStepping().nSteps, fast.GetUsedStepping().nSteps);
    ExpectSameResults(*a, *b, map, "merged");
    EXPECT_EQ(literal.GetResults().size(), lme->m_vLoadModel.size());
    EXPECT_TRUE(fast.GetResults().empty());
}

TEST(FastBridgeRange, AnEmptyEnsembleGivesTheSameEmptyMerge)
{
    auto bridge = CBridge::Create(1, L"B", BC_ONESPAN, 16.0);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Empty");
    CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
    runner.KeepModelResults(false);
    int n = 0;
    double s = 1.0;
    const auto r = runner.Run(Stepping{.bByStep = true, .step = s, .nSteps = n}, CAnalysisFeedback::None());
    EXPECT_FALSE(r->HasEnvelopes());
    EXPECT_EQ(r->m_pBridge, nullptr);
    EXPECT_EQ(r->m_nAugments, 0);
}

// Models without bridge rules (a rule posts a status line, which allocates, at every
// position by design).
std::shared_ptr<CLoadModelEnsemble> RuleFreeEnsemble()
{
    auto lme = std::make_shared<CLoadModelEnsemble>(2, L"Rule free");
    for (int i : {0, 1, 3, 4, 7})
        lme->AddLoadModel(std::make_shared<CLoadModel>(Models()[i].make()));
    return lme;
}

TEST(FastBridgeRange, AllocatesNothingPerLoadPosition)
{
    // The same range stepped ten times finer allocates exactly as often: what it
    // allocates belongs to the bridges and the load models, none to the positions.
    // (Models whose runs come longest first: a later, longer run widens the merged
    // reaction envelopes once, which is per model, and would blur the count.)
    auto set = std::make_shared<CBridgeSet>(1, L"S", 3, BC_TWOSPAN, 10.0, 30.0);
    auto lme = std::make_shared<CLoadModelEnsemble>(2, L"Rule free");
    for (int i : {0, 1, 2, 7})
        lme->AddLoadModel(std::make_shared<CLoadModel>(Models()[i].make()));
    const auto allocations = [&](double step, int& positions) {
        CMultiBridgeAnalysis mba(set, lme, qeltest::TestOptions());
        int n = 0;
        qeltest::AllocationScope scope;
        const auto results = mba.Run(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
        const size_t count = scope.Count();
        positions = 0;
        for (const auto& r : results)
            positions += r->m_nAnalyses;
        return count;
    };
    int coarse = 0, fine = 0;
    allocations(0.1, fine); // the buffers a thread keeps from run to run, grown to the finest
    const size_t aCoarse = allocations(1.0, coarse);
    const size_t aFine = allocations(0.1, fine);
    EXPECT_GT(fine, 8 * coarse);
    EXPECT_EQ(aFine, aCoarse);
}

TEST(FastBridgeRange, PeakMemoryStaysFlatInTheNumberOfBridges)
{
    // What a run holds beyond its results does not grow with the bridges, and what it
    // keeps per bridge is that bridge's envelopes, not anything per position.
    auto lme = RuleFreeEnsemble();
    struct Measure {
        long long transient, retained, envelopes;
    };
    const auto measure = [&](int nBridges) {
        auto set = std::make_shared<CBridgeSet>(1, L"S", nBridges, BC_TWOSPAN, 10.0, 40.0);
        CMultiBridgeAnalysis mba(set, lme, qeltest::TestOptions());
        int n = 0;
        double step = 0.5;
        const long long before = qeltest::LiveBytes();
        qeltest::ResetPeakBytes();
        const auto results = mba.Run(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
        Measure m{};
        m.retained = qeltest::LiveBytes() - before;
        m.transient = qeltest::PeakBytes() - before - m.retained;
        for (const auto& r : results) {
            std::vector<std::shared_ptr<CEnvelope>> envs = r->GetEnvReactions();
            envs.push_back(r->GetEnvBMD());
            envs.push_back(r->GetEnvSFD());
            for (const auto& e : envs)
                m.envelopes +=
                    static_cast<long long>((e->m_vMax.capacity() + e->m_vMin.capacity()) * sizeof(PointLoadEffect));
        }
        return m;
    };
    const Measure few = measure(3);
    const Measure many = measure(30);
    EXPECT_LT(many.transient, few.transient + few.transient / 4 + 65536)
        << "few " << few.transient << ", many " << many.transient;
    EXPECT_LT(many.retained, 2 * many.envelopes) << many.retained << " kept for " << many.envelopes;
}

// Every model kind, rules among them, and one model listed twice (its runs must stay on one
// thread, in order): the envelopes, their causing models and the stepping left behind are
// those of one thread whatever the number of threads; status lines and progress steps may
// come in another order but each comes once.
TEST(FastBridgeRange, OneTwoAndEightThreadsGiveTheSameEnvelopes)
{
    auto set = std::make_shared<CBridgeSet>(1, L"S", 4, BC_TWOSPAN, 6.0, 30.0);
    auto lme = Ensemble();
    lme->AddLoadModel(lme->m_vLoadModel[1]);
    // Copies made before any run: runs under rules change their models.
    std::vector<ModelMap> maps(2);
    std::vector<std::shared_ptr<CLoadModelEnsemble>> copies;
    for (ModelMap& map : maps)
        copies.push_back(CopyOf(*lme, map)); // model 1 listed twice there too
    RangeRun one = RunRange(AnalysisPath::Fast, 1, set, lme, true, 0, 0.6);
    ASSERT_EQ(one.results.size(), 4u);
    std::sort(one.messages.begin(), one.messages.end());
    for (int k = 0; k < 2; ++k) {
        const int n = k == 0 ? 2 : 8;
        const ModelMap& map = maps[k];
        const auto& copy = copies[k];
        RangeRun many = RunRange(AnalysisPath::Fast, n, set, copy, true, 0, 0.6);
        std::sort(many.messages.begin(), many.messages.end());
        ExpectSameRange(one, many, map, std::to_string(n) + " threads");
        // The models are left as one thread leaves them (the next run starts from there).
        for (size_t m = 0; m < lme->m_vLoadModel.size(); ++m) {
            EXPECT_EQ(lme->m_vLoadModel[m]->m_Gamma, copy->m_vLoadModel[m]->m_Gamma) << m;
            EXPECT_EQ(lme->m_vLoadModel[m]->m_Length, copy->m_vLoadModel[m]->m_Length) << m;
            EXPECT_EQ(lme->m_vLoadModel[m]->m_nUDL, copy->m_vLoadModel[m]->m_nUDL) << m;
        }
    }
}

TEST(FastBridgeRange, ThreadedRunStopsWithWhatItHasComputed)
{
    // The flag drops with the 40th message: every thread ends promptly, and what comes back
    // is a run of whole bridges and at most one partial one, as on one thread.
    auto set = std::make_shared<CBridgeSet>(1, L"S", 6, BC_TWOSPAN, 10.0, 30.0);
    auto lme = Ensemble();
    std::atomic<bool> keep = true;
    const RangeRun run = RunRange(AnalysisPath::Fast, 8, set, lme, true, 0, 0.5, &keep, 40, &keep);
    EXPECT_FALSE(keep);
    EXPECT_LT(run.results.size(), 6u);
    for (const auto& r : run.results)
        EXPECT_TRUE(r->HasEnvelopes());
}

// An ensemble over one bridge keeps each model's envelopes: with eight threads they are
// those of one thread, model by model, and so is their merge.
TEST(FastBridgeRange, EnsembleRunKeepsEachModelsEnvelopesWhateverTheThreads)
{
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    auto lme = Ensemble();
    ModelMap map;
    auto copy = CopyOf(*lme, map);
    const auto run = [](CEnvelopeRunner& runner) {
        qeltest::RecordingFeedback lines;
        runner.Run(Stepping{.bByStep = true, .step = 0.4, .nSteps = 0}, lines);
        return runner.GetUsedStepping().step;
    };
    CEnvelopeRunner one(bridge, lme, qeltest::TestOptions(AnalysisPath::Fast, 1));
    CEnvelopeRunner many(bridge, copy, qeltest::TestOptions(AnalysisPath::Fast, 8));
    EXPECT_EQ(run(one), run(many));
    ASSERT_EQ(one.GetResults().size(), lme->m_vLoadModel.size());
    ASSERT_EQ(many.GetResults().size(), one.GetResults().size());
    for (size_t m = 0; m < one.GetResults().size(); ++m)
        ExpectSameResults(*one.GetResults()[m], *many.GetResults()[m], map, "model " + std::to_string(m));
    ExpectSameResults(*one.m_pResults, *many.m_pResults, map, "merged");
    EXPECT_EQ(one.GetNoAnalyses(), many.GetNoAnalyses());
}

} // namespace
