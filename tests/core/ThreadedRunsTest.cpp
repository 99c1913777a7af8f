// Runs split over threads against the same runs on one thread: every number, causing
// model, load position, the stepping and the models left behind must be the same bit for
// bit, and so must a stop and a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FastPathCases.h"
#include "RangeRuns.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "TestOptions.h"

using namespace fastcases;

namespace {

const int kThreads[] = {2, 3, 8};

void ExpectIdentical(const PointLoadEffect& a, const PointLoadEffect& b, const ModelMap& map, const std::string& what)
{
    EXPECT_TRUE(SameBits(a.val, b.val)) << what << ": " << a.val << " vs " << b.val;
    EXPECT_TRUE(SameBits(a.xBeam, b.xBeam)) << what;
    EXPECT_TRUE(SameBits(a.xLoadModel, b.xLoadModel)) << what << ": " << a.xLoadModel << " vs " << b.xLoadModel;
    EXPECT_TRUE(SameModel(a.pLM, b.pLM, map)) << what << ": caused by another model";
}

void ExpectIdentical(const std::shared_ptr<CEnvelope>& a, const std::shared_ptr<CEnvelope>& b, const ModelMap& map,
                     const std::string& what)
{
    ASSERT_EQ(!a, !b) << what;
    if (!a)
        return;
    ASSERT_EQ(a->m_vMax.size(), b->m_vMax.size()) << what;
    ASSERT_EQ(a->m_vMin.size(), b->m_vMin.size()) << what;
    for (size_t i = 0; i < a->m_vMax.size() && !::testing::Test::HasFailure(); ++i) {
        ExpectIdentical(a->m_vMax[i], b->m_vMax[i], map, what + " max " + std::to_string(i));
        ExpectIdentical(a->m_vMin[i], b->m_vMin[i], map, what + " min " + std::to_string(i));
    }
}

void ExpectIdentical(const CEnvelopeResults& a, const CEnvelopeResults& b, const ModelMap& map, const std::string& what)
{
    EXPECT_EQ(a.m_pBridge, b.m_pBridge) << what;
    EXPECT_EQ(a.m_nAugments, b.m_nAugments) << what;
    EXPECT_EQ(a.m_nAnalyses, b.m_nAnalyses) << what;
    ExpectIdentical(a.m_pEnvBMD, b.m_pEnvBMD, map, what + " moment");
    ExpectIdentical(a.m_pEnvSFD, b.m_pEnvSFD, map, what + " shear");
    ASSERT_EQ(a.m_vEnvReaction.size(), b.m_vEnvReaction.size()) << what;
    for (size_t i = 0; i < a.m_vEnvReaction.size(); ++i)
        ExpectIdentical(a.m_vEnvReaction[i], b.m_vEnvReaction[i], map, what + " reaction " + std::to_string(i));
    ASSERT_EQ(a.m_vCritReaction.size(), b.m_vCritReaction.size()) << what;
    for (size_t i = 0; i < a.m_vCritReaction.size(); ++i)
        ExpectIdentical(a.m_vCritReaction[i].max, b.m_vCritReaction[i].max, map, what + " critical reaction");
}

void ExpectIdentical(const std::vector<std::shared_ptr<CEnvelopeResults>>& a,
                     const std::vector<std::shared_ptr<CEnvelopeResults>>& b, const ModelMap& map,
                     const std::string& what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i)
        ExpectIdentical(*a[i], *b[i], map, what + ", bridge " + std::to_string(i));
}

// What a run leaves in a model and the next run starts from.
void ExpectSameModelState(const CLoadModel& a, const CLoadModel& b, const std::string& what)
{
    EXPECT_TRUE(SameBits(a.m_Length, b.m_Length)) << what << ": length " << a.m_Length << " vs " << b.m_Length;
    EXPECT_TRUE(SameBits(a.m_Gamma, b.m_Gamma)) << what;
    EXPECT_TRUE(SameBits(a.m_gDLA.value, b.m_gDLA.value)) << what;
    EXPECT_EQ(a.m_bIsMoving, b.m_bIsMoving) << what;
    EXPECT_EQ(a.m_bIsUpdated, b.m_bIsUpdated) << what;
    ASSERT_EQ(a.m_vPL.size(), b.m_vPL.size()) << what;
    for (size_t i = 0; i < a.m_vPL.size(); ++i)
        EXPECT_TRUE(SameBits(a.m_vPL[i].location, b.m_vPL[i].location)) << what << ": axle " << i;
    ASSERT_EQ(a.m_vUDL.size(), b.m_vUDL.size()) << what;
    for (size_t i = 0; i < a.m_vUDL.size(); ++i)
        EXPECT_TRUE(SameBits(a.m_vUDL[i].magnitude, b.m_vUDL[i].magnitude)) << what;
}

// Every model kind, the second listed twice (its runs follow each other on one object).
std::shared_ptr<CLoadModelEnsemble> Ensemble()
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Everything");
    for (const ModelCase& mc : Models())
        lme->AddLoadModel(std::make_shared<CLoadModel>(mc.make()));
    lme->AddLoadModel(lme->m_vLoadModel[1]);
    return lme;
}

// Two-span bridges from 30 m down to 6 m: a rule that adds an axle leaves the model
// longer after a long bridge, so each bridge's run depends on the bridges before it.
std::shared_ptr<CBridgeSet> ShorteningSet(int n)
{
    auto set = std::make_shared<CBridgeSet>(1, L"S", n, BC_TWOSPAN, 6.0, 30.0);
    std::reverse(set->m_vBridges.begin(), set->m_vBridges.end());
    return set;
}

struct ThreadedRange : fastcases::RangeRun {
    std::exception_ptr error;
};

// The messages sorted, as threads may post them in any order; flag drops after stopAfter
// messages (0: never).
ThreadedRange RunRange(int threads, const std::shared_ptr<CBridgeSet>& set,
                       const std::shared_ptr<CLoadModelEnsemble>& lme, bool bByStep, int nSteps, double step,
                       std::atomic<bool>* flag = nullptr, int stopAfter = 0)
{
    ThreadedRange r;
    try {
        RunRangeInto(r, AnalysisPath::Fast, threads, set, lme, bByStep, nSteps, step, flag, stopAfter, flag);
    } catch (...) {
        r.error = std::current_exception();
    }
    std::sort(r.messages.begin(), r.messages.end());
    return r;
}

void ExpectSameModels(const CLoadModelEnsemble& a, const CLoadModelEnsemble& b, const std::string& what)
{
    ASSERT_EQ(a.m_vLoadModel.size(), b.m_vLoadModel.size());
    for (size_t m = 0; m < a.m_vLoadModel.size(); ++m)
        ExpectSameModelState(*a.m_vLoadModel[m], *b.m_vLoadModel[m], what + ", model " + std::to_string(m));
}

TEST(ThreadedRuns, BridgeRangeIsTheOneThreadRun)
{
    auto set = ShorteningSet(5);
    struct Stepping {
        const char* name;
        bool bByStep;
        int nSteps;
        double step;
    };
    for (const Stepping st : {Stepping{"step 0.6", true, 0, 0.6}, Stepping{"25 steps", false, 25, 0.0}}) {
        auto lme = Ensemble();
        std::vector<ModelMap> maps(std::size(kThreads));
        std::vector<std::shared_ptr<CLoadModelEnsemble>> copies;
        for (ModelMap& map : maps)
            copies.push_back(CopyOf(*lme, map)); // before any run: runs change their models
        const ThreadedRange one = RunRange(1, set, lme, st.bByStep, st.nSteps, st.step);
        ASSERT_FALSE(one.error);
        ASSERT_EQ(one.results.size(), 5u);
        for (size_t k = 0; k < std::size(kThreads); ++k) {
            const std::string what = std::string(st.name) + ", " + std::to_string(kThreads[k]) + " threads";
            const ThreadedRange many = RunRange(kThreads[k], set, copies[k], st.bByStep, st.nSteps, st.step);
            ASSERT_FALSE(many.error) << what;
            EXPECT_EQ(one.nSteps, many.nSteps) << what;
            EXPECT_TRUE(SameBits(one.step, many.step)) << what;
            EXPECT_EQ(one.messages, many.messages) << what << ": status lines and progress";
            ExpectIdentical(one.results, many.results, maps[k], what);
            ExpectSameModels(*lme, *copies[k], what);
        }
    }
}

TEST(ThreadedRuns, BridgeOrderMattersToTheRuleThatAddsAnAxle)
{
    // What makes the split by bridge need each model's state per bridge: the same 6 m
    // bridge is run with more positions after the longer bridges than first of all.
    const auto positionsOnShortest = [](const std::shared_ptr<CBridgeSet>& set, size_t shortest) {
        auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Rule");
        lme->AddLoadModel(std::make_shared<CLoadModel>(LaneAndVehicle(BR_NAASRA_PL_ABDC_DLA)));
        return RunRange(1, set, lme, true, 0, 0.5).results.at(shortest)->m_nAnalyses;
    };
    auto rising = std::make_shared<CBridgeSet>(1, L"S", 3, BC_TWOSPAN, 6.0, 30.0);
    EXPECT_GT(positionsOnShortest(ShorteningSet(3), 2), positionsOnShortest(rising, 0));
}

// A stop at any moment leaves what one thread leaves when it stops after the same runs:
// whole bridges as one thread computes them, then at most one that was cut short.
TEST(ThreadedRuns, StopAtAnyMomentLeavesAOneThreadPrefix)
{
    auto set = ShorteningSet(6);
    auto lme = Ensemble(); // never run: each run has copies
    ModelMap toReference;
    auto reference = CopyOf(*lme, toReference);
    const ThreadedRange whole = RunRange(1, set, reference, true, 0, 0.5);
    ASSERT_EQ(whole.results.size(), 6u);
    std::random_device seed;
    const unsigned s = seed();
    std::mt19937 random(s);
    std::uniform_int_distribution<int> when(1, static_cast<int>(whole.messages.size()));
    for (int threads : kThreads) {
        for (int trial = 0; trial < 3; ++trial) {
            ModelMap toCopy, map;
            auto copy = CopyOf(*lme, toCopy);
            for (size_t m = 0; m < toCopy.size(); ++m)
                map.push_back({toReference[m].second, toCopy[m].second});
            const int stopAfter = when(random);
            const std::string what = std::to_string(threads) + " threads, stop after " + std::to_string(stopAfter) +
                                     " messages (seed " + std::to_string(s) + ")";
            std::atomic<bool> keep = true;
            const ThreadedRange run = RunRange(threads, set, copy, true, 0, 0.5, &keep, stopAfter);
            ASSERT_FALSE(run.error) << what;
            EXPECT_FALSE(keep) << what;
            ASSERT_LE(run.results.size(), whole.results.size()) << what;
            for (size_t i = 0; i + 1 < run.results.size(); ++i)
                ExpectIdentical(*whole.results[i], *run.results[i], map, what + ", bridge " + std::to_string(i));
            if (!run.results.empty()) {
                const size_t last = run.results.size() - 1;
                EXPECT_LE(run.results[last]->m_nAnalyses, whole.results[last]->m_nAnalyses) << what;
                EXPECT_EQ(run.results[last]->m_pBridge, whole.results[last]->m_pBridge) << what;
            }
        }
    }
}

TEST(ThreadedRuns, FailureOnOneBridgeIsTheOneThreadFailure)
{
    // The third bridge lost its beam: one thread fails there, after two whole bridges,
    // and the models stay as those bridges left them.
    auto set = ShorteningSet(5);
    set->m_vBridges[2] = std::make_shared<CBridge>();
    auto lme = Ensemble();
    std::vector<ModelMap> maps(std::size(kThreads));
    std::vector<std::shared_ptr<CLoadModelEnsemble>> copies;
    for (ModelMap& map : maps)
        copies.push_back(CopyOf(*lme, map));
    const ThreadedRange one = RunRange(1, set, lme, true, 0, 0.6);
    ASSERT_TRUE(one.error);
    std::string message;
    try {
        std::rethrow_exception(one.error);
    } catch (const std::invalid_argument& e) {
        message = e.what();
    }
    ASSERT_FALSE(message.empty()) << "not the invalid argument of a bridge without beam";
    for (size_t k = 0; k < std::size(kThreads); ++k) {
        const std::string what = std::to_string(kThreads[k]) + " threads";
        const ThreadedRange many = RunRange(kThreads[k], set, copies[k], true, 0, 0.6);
        ASSERT_TRUE(many.error) << what;
        try {
            std::rethrow_exception(many.error);
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(message, e.what()) << what;
        } catch (...) {
            ADD_FAILURE() << what << ": another exception";
        }
        EXPECT_EQ(one.nSteps, many.nSteps) << what;
        EXPECT_EQ(one.messages, many.messages) << what;
        ExpectSameModels(*lme, *copies[k], what);
    }
}

TEST(ThreadedRuns, EnsembleRunIsTheOneThreadRun)
{
    auto bridge = CBridge::Create(1, L"B", BC_THREESPAN, 18.0);
    auto lme = Ensemble();
    const auto run = [&](int threads, const std::shared_ptr<CLoadModelEnsemble>& models) {
        CEnvelopeRunner runner(bridge, models, qeltest::TestOptions(AnalysisPath::Fast, threads));
        runner.Run(Stepping{.bByStep = true, .step = 0.4, .nSteps = 0}, CAnalysisFeedback::None());
        return runner;
    };
    std::vector<ModelMap> maps(std::size(kThreads));
    std::vector<std::shared_ptr<CLoadModelEnsemble>> copies;
    for (ModelMap& map : maps)
        copies.push_back(CopyOf(*lme, map));
    const CEnvelopeRunner one = run(1, lme);
    for (size_t k = 0; k < std::size(kThreads); ++k) {
        const std::string what = std::to_string(kThreads[k]) + " threads";
        const CEnvelopeRunner many = run(kThreads[k], copies[k]);
        ASSERT_EQ(one.GetResults().size(), many.GetResults().size()) << what;
        for (size_t m = 0; m < one.GetResults().size(); ++m)
            ExpectIdentical(*one.GetResults()[m], *many.GetResults()[m], maps[k],
                            what + ", model " + std::to_string(m));
        ExpectIdentical(*one.m_pResults, *many.m_pResults, maps[k], what + ", merged");
        EXPECT_EQ(one.GetNoAnalyses(), many.GetNoAnalyses()) << what;
        ExpectSameModels(*lme, *copies[k], what);
    }
}

struct Collection {
    std::shared_ptr<CReferenceCollection> coll;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes;
    std::shared_ptr<CLoadModel> proposed;
};

// Standard families with their rules, an ensemble with a model listed twice, two bridge
// sets (one shortening), overstress, a proposed vehicle.
Collection MakeCollection(const std::vector<std::shared_ptr<CBridgeSet>>& sets)
{
    Collection c;
    CLMEFactory factory;
    c.lmes.push_back(factory.GetNAASRA1976(false, 3));
    c.lmes.push_back(Ensemble());
    c.proposed = CLMEFactory::MakeVehicle(99, L"Proposed", {60.0, 125.0, 125.0, 90.0, 90.0}, {3.7, 1.2, 6.1, 1.2});
    c.coll = std::make_shared<CReferenceCollection>(1, L"C", Stepping{.bByStep = true, .step = 0.5, .nSteps = 0});
    c.coll->m_vLME = c.lmes;
    c.coll->m_vBS = sets;
    c.coll->m_bUseOverstress = true;
    return c;
}

void ExpectSameRatios(const CCriticalRatioEnsemble& a, const CCriticalRatioEnsemble& b, const std::string& what)
{
    ASSERT_EQ(a.m_vMembers.size(), b.m_vMembers.size()) << what;
    const auto same = [&](const CriticalPair<RatioLoadEffect>& x, const CriticalPair<RatioLoadEffect>& y,
                          const std::string& which) {
        EXPECT_TRUE(SameBits(x.max.ratio, y.max.ratio)) << which << ": " << x.max.ratio << " vs " << y.max.ratio;
        EXPECT_TRUE(SameBits(x.min.ratio, y.min.ratio)) << which << ": " << x.min.ratio << " vs " << y.min.ratio;
        EXPECT_TRUE(SameBits(x.max.proposed.xLoadModel, y.max.proposed.xLoadModel)) << which;
        EXPECT_TRUE(SameBits(x.max.reference.xLoadModel, y.max.reference.xLoadModel)) << which;
    };
    for (size_t i = 0; i < a.m_vMembers.size(); ++i) {
        const std::string bridge = what + ", bridge " + std::to_string(i);
        same(a.m_vMembers[i].GetMomentPair(), b.m_vMembers[i].GetMomentPair(), bridge + " moment");
        same(a.m_vMembers[i].GetShearPair(), b.m_vMembers[i].GetShearPair(), bridge + " shear");
        ASSERT_EQ(a.m_vMembers[i].m_nReactions, b.m_vMembers[i].m_nReactions) << bridge;
        for (int r = 0; r < a.m_vMembers[i].m_nReactions; ++r)
            same(a.m_vMembers[i].GetReactionPair(r), b.m_vMembers[i].GetReactionPair(r),
                 bridge + " support " + std::to_string(r));
    }
}

TEST(ThreadedRuns, ReferenceCollectionAndRatiosAreTheOneThreadOnes)
{
    const std::vector<std::shared_ptr<CBridgeSet>> sets = {
        std::make_shared<CBridgeSet>(1, L"1", 4, BC_ONESPAN, 6.0, 30.0), ShorteningSet(3)};
    const auto calculate = [](int threads, Collection& c) {
        const AnalysisOptions options = qeltest::TestOptions(AnalysisPath::Fast, threads);
        ASSERT_TRUE(c.coll->Calculate(CAnalysisFeedback::None(), options));
        c.coll->SetProposedLoadModel(c.proposed);
        ASSERT_TRUE(c.coll->CompareProposed(CAnalysisFeedback::None(), 1.1, options));
    };
    Collection one = MakeCollection(sets);
    calculate(1, one);
    for (int threads : kThreads) {
        Collection many = MakeCollection(sets);
        ModelMap map;
        for (size_t e = 0; e < one.lmes.size(); ++e)
            for (size_t m = 0; m < one.lmes[e]->m_vLoadModel.size(); ++m)
                map.push_back({one.lmes[e]->m_vLoadModel[m].get(), many.lmes[e]->m_vLoadModel[m].get()});
        map.push_back({one.proposed.get(), many.proposed.get()});
        calculate(threads, many);
        const std::string what = std::to_string(threads) + " threads";
        EXPECT_TRUE(SameBits(one.coll->m_StepSize, many.coll->m_StepSize)) << what;
        EXPECT_EQ(one.coll->m_nStepPoints, many.coll->m_nStepPoints) << what;
        const auto ra = one.coll->GetRefSets();
        const auto rb = many.coll->GetRefSets();
        ASSERT_EQ(ra.size(), 4u);
        ASSERT_EQ(rb.size(), ra.size()) << what;
        for (size_t s = 0; s < ra.size(); ++s) {
            const std::string set = what + ", reference set " + std::to_string(s);
            ExpectIdentical(ra[s]->m_vLiveLoadCritEnv, rb[s]->m_vLiveLoadCritEnv, map, set + " live load");
            ExpectIdentical(ra[s]->m_vOverstressCritEnv, rb[s]->m_vOverstressCritEnv, map, set + " overstress");
            ExpectIdentical(ra[s]->m_vRefCritEnv, rb[s]->m_vRefCritEnv, map, set + " reference");
            ExpectIdentical(ra[s]->m_vPropCritEnv, rb[s]->m_vPropCritEnv, map, set + " proposed");
        }
        const auto ea = one.coll->GetCriticalRatioEnsembles();
        const auto eb = many.coll->GetCriticalRatioEnsembles();
        ASSERT_EQ(ea.size(), eb.size()) << what;
        for (size_t s = 0; s < ea.size(); ++s)
            ExpectSameRatios(*ea[s], *eb[s], what + ", ratios of set " + std::to_string(s));
        for (size_t e = 0; e < one.lmes.size(); ++e)
            ExpectSameModels(*one.lmes[e], *many.lmes[e], what + ", ensemble " + std::to_string(e));
    }
}

// Stopped anywhere, a reference set keeps what one thread keeps: the overstress runs only
// after a whole live-load run, and the reference envelopes of the bridges both have.
TEST(ThreadedRuns, StoppedReferenceSetIsAOneThreadState)
{
    auto set = ShorteningSet(6);
    auto lme = Ensemble();
    // stopAfter 0 never stops; returns the messages counted.
    const auto calculate = [&](CReferenceSet& rs, int stopAfter) {
        qeltest::RecordingFeedback feedback;
        if (stopAfter > 0)
            feedback.StopAfterEvents(stopAfter);
        rs.Calculate(Stepping{.bByStep = true, .step = 0.5, .nSteps = 0}, feedback,
                     qeltest::TestOptions(AnalysisPath::Fast, 8));
        return static_cast<int>(feedback.Events().size());
    };
    CReferenceSet whole(true, set, lme, 1.4);
    const int total = calculate(whole, 0);
    ASSERT_EQ(whole.m_vOverstressCritEnv.size(), 6u);
    std::random_device seed;
    const unsigned s = seed();
    std::mt19937 random(s);
    std::uniform_int_distribution<int> when(1, total);
    // Random moments, and each of the last messages: the overstress lines come last.
    std::vector<int> moments;
    for (int trial = 0; trial < 8; ++trial)
        moments.push_back(when(random));
    for (int k = 0; k <= 7; ++k)
        moments.push_back(total - k);
    for (const int stopAfter : moments) {
        const std::string what = "stop after " + std::to_string(stopAfter) + " of " + std::to_string(total) +
                                 " messages (seed " + std::to_string(s) + ")";
        CReferenceSet rs(true, set, lme, 1.4);
        calculate(rs, stopAfter);
        const size_t live = rs.m_vLiveLoadCritEnv.size();
        const size_t over = rs.m_vOverstressCritEnv.size();
        if (live < 6) {
            EXPECT_EQ(over, 0u) << what << ": overstress began before the live load ended";
        }
        ASSERT_EQ(rs.m_vRefCritEnv.size(), std::min(live, over)) << what;
        for (size_t i = 0; i < rs.m_vRefCritEnv.size(); ++i) {
            EXPECT_EQ(rs.m_vOverstressCritEnv[i]->m_pBridge, set->m_vBridges[i]) << what;
            const auto want =
                CEnvelopeResults::Combine(*rs.m_vOverstressCritEnv[i], 1.4 - 1.0, *rs.m_vLiveLoadCritEnv[i], 1.4);
            ExpectIdentical(*want, *rs.m_vRefCritEnv[i], {}, what + ", reference " + std::to_string(i));
        }
    }
}

TEST(ThreadedRuns, TasksRunOnceEachFromNestedAndSimultaneousRuns)
{
    // A task that runs tasks of its own, and two runs started at once from two threads:
    // the helpers serve one run at a time, the others make do without them.
    const auto sumOfRuns = [](int threads) {
        std::vector<std::atomic<int>> hits(40);
        RunTasks(8, threads, [&](size_t t) { RunTasks(5, threads, [&](size_t u) { hits[t * 5 + u].fetch_add(1); }); });
        return std::all_of(hits.begin(), hits.end(), [](const std::atomic<int>& h) { return h.load() == 1; });
    };
    bool a = false, b = false;
    {
        std::jthread first([&] { a = sumOfRuns(8); });
        std::jthread second([&] { b = sumOfRuns(3); });
    }
    EXPECT_TRUE(a);
    EXPECT_TRUE(b);
    // The lowest-numbered failure comes back, after every task has run.
    std::atomic<int> ran = 0;
    try {
        RunTasks(20, 8, [&](size_t t) {
            ++ran;
            if (t == 7 || t == 13)
                throw std::runtime_error("task " + std::to_string(t));
        });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "task 7");
    }
    EXPECT_EQ(ran, 20);
}

} // namespace
