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

    std::atomic<bool> run{true};
    int nSteps = 0;
    double step = 1.0;
    const auto results = mba.Run(true, &nSteps, &step, &run);
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
    EXPECT_EQ(nSteps, 32);
    EXPECT_EQ(step, 1.0);
    EXPECT_EQ(rec.progress, 3); // one per load model per bridge
}

TEST(MultiBridge, CountSteppingReturnsTheLastBridgesStep)
{
    Recorder rec;
    auto lm = PointLoad(100.0);
    auto lme = Ensemble({lm});
    CMultiBridgeAnalysis mba(OneSpanSet(), lme, qeltest::TestOptions());
    EXPECT_EQ(mba.m_pLoadModel, nullptr);
    int nSteps = 20;
    double step = 0.0;
    EXPECT_EQ(mba.Run(false, &nSteps, &step, nullptr).size(), 3u);
    EXPECT_DOUBLE_EQ(step, 30.0 / 20);
    EXPECT_EQ(lme->m_nLoadModels, 1); // the caller's ensemble is used as it is
}

TEST(MultiBridge, StopBetweenLoadModelsKeepsTheBridgesAnalysed)
{
    // Two models per bridge; the stop comes after the first model of bridge 1.
    std::atomic<bool> run{true};
    Recorder rec(&run, 3);
    auto set = OneSpanSet();
    CMultiBridgeAnalysis mba(set, Ensemble({PointLoad(100.0), PointLoad(200.0)}), qeltest::TestOptions());
    int nSteps = 0;
    double step = 1.0;
    const auto results = mba.Run(true, &nSteps, &step, &run);
    EXPECT_EQ(rec.progress, 3);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_NEAR(MaxMoment(*results[0]), 500.0, 1e-6); // both models on 10 m
    EXPECT_NEAR(MaxMoment(*results[1]), 500.0, 1e-6); // only the 100 kN model on 20 m
    EXPECT_EQ(results[1]->GetBridge(), set->GetBridge(1));
}

// The lane load w on a simple span L: largest moment w L^2 / 8, reactions w L / 2 at one
// position only.
TEST(MultiBridge, EmptyEnsembleOrStoppedRunGivesNoEntries)
{
    Recorder rec;
    auto set = OneSpanSet();
    int nSteps = 0;
    double step = 1.0;
    std::atomic<bool> run{true};
    EXPECT_TRUE(
        CMultiBridgeAnalysis(set, Ensemble({}), qeltest::TestOptions()).Run(true, &nSteps, &step, &run).empty());
    run = false;
    EXPECT_TRUE(
        CMultiBridgeAnalysis(set, PointLoad(100.0), qeltest::TestOptions()).Run(true, &nSteps, &step, &run).empty());
    EXPECT_EQ(rec.progress, 0);
}
