#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AnalysisTestUtil.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "TestOptions.h"

using namespace qeltest;

// A point load P on a simple span L: largest moment PL/4 at midspan; the step of 1 m puts
// the load on each end support, where it bears on that support alone: largest reaction P.
TEST(MultiBridge, PointLoadOverOneSpanSetMatchesStatics)
{
    Recorder rec;
    auto set = OneSpanSet();
    auto lm = PointLoad(100.0);
    CMultiBridgeAnalysis mba(set, lm, qeltest::TestOptions());
    EXPECT_EQ(mba.m_pLME->GetDescription(), L"LoadModelEnsemble");
    EXPECT_EQ(mba.m_pLME->m_nLoadModels, 1);
    EXPECT_EQ(mba.m_nBridges, 3u);

    const auto results = mba.Run(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, rec);
    ASSERT_EQ(results.size(), 3u);
    const double L[] = {10.0, 20.0, 30.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(results[i]->GetBridge(), set->GetBridge(i));
        EXPECT_NEAR(MaxMoment(*results[i]), 100.0 * L[i] / 4.0, 1e-6);
        EXPECT_NEAR(results[i]->GetEnvReaction(0)->GetMaxEffect().val, 100.0, 1e-6);
    }
    EXPECT_NEAR(MaxMoment(*results[0]), 250.0, 1e-6);
    EXPECT_NEAR(MaxMoment(*results[1]), 500.0, 1e-6);
    EXPECT_NEAR(MaxMoment(*results[2]), 750.0, 1e-6);
    // By step the count of the last bridge comes back: ceil(30 / 1 + 0.5) + 1.
    EXPECT_EQ(mba.GetUsedStepping().nSteps, 32);
    EXPECT_EQ(mba.GetUsedStepping().step, 1.0);
    EXPECT_EQ(rec.ProgressCount(), 3); // one per load model per bridge
}

TEST(MultiBridge, CountSteppingReturnsTheLastBridgesStep)
{
    Recorder rec;
    auto lm = PointLoad(100.0);
    auto lme = Ensemble({lm});
    CMultiBridgeAnalysis mba(OneSpanSet(), lme, qeltest::TestOptions());
    EXPECT_EQ(mba.m_pLoadModel, nullptr);
    EXPECT_EQ(mba.Run(Stepping{.bByStep = false, .step = 0.0, .nSteps = 20}, rec).size(), 3u);
    EXPECT_DOUBLE_EQ(mba.GetUsedStepping().step, 30.0 / 20);
    EXPECT_EQ(lme->m_nLoadModels, 1); // the caller's ensemble is used as it is
}

TEST(MultiBridge, StopBetweenLoadModelsKeepsTheBridgesAnalysed)
{
    // Two models per bridge; the stop comes after the first model of bridge 1.
    std::atomic<bool> run{true};
    Recorder rec(&run, 3);
    auto set = OneSpanSet();
    CMultiBridgeAnalysis mba(set, Ensemble({PointLoad(100.0), PointLoad(200.0)}), qeltest::TestOptions());
    const auto results = mba.Run(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, rec);
    EXPECT_EQ(rec.ProgressCount(), 3);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_NEAR(MaxMoment(*results[0]), 500.0, 1e-6); // both models on 10 m
    EXPECT_NEAR(MaxMoment(*results[1]), 500.0, 1e-6); // only the 100 kN model on 20 m
    EXPECT_EQ(results[1]->GetBridge(), set->GetBridge(1));
}

// The lane load w on a simple span L: largest moment w L^2 / 8, reactions w L / 2 at one
// position only.
TEST(MultiBridge, EmptyEnsembleOrStoppedRunGivesNoEntries)
{
    auto set = OneSpanSet();
    const Stepping byStep{.bByStep = true, .step = 1.0, .nSteps = 0};
    std::atomic<bool> run{true};
    Recorder rec(&run);
    EXPECT_TRUE(CMultiBridgeAnalysis(set, Ensemble({}), qeltest::TestOptions()).Run(byStep, rec).empty());
    run = false;
    EXPECT_TRUE(CMultiBridgeAnalysis(set, PointLoad(100.0), qeltest::TestOptions()).Run(byStep, rec).empty());
    EXPECT_EQ(rec.ProgressCount(), 0);
}
