#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AnalysisTestUtil.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/OverstressAnalysis.h"
#include "TestOptions.h"

using namespace qeltest;

TEST(EnvelopeRunner, MergesEveryLoadModelStationWise)
{
    Recorder rec;
    auto bridge = CBridge::Create(1, L"Ten", BC_ONESPAN, 10.0);
    auto lme = Ensemble({PointLoad(100.0, L"A"), PointLoad(200.0, L"B"), PointLoad(50.0, L"C")});
    CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
    const Stepping byStep{.bByStep = true, .step = 1.0, .nSteps = 0};
    auto merged = runner.Run(byStep, rec);
    EXPECT_EQ(rec.ProgressCount(), 3);
    ASSERT_EQ(runner.GetResults().size(), 3u);
    // The merge keeps the largest, never the sum: 200 x 10 / 4.
    EXPECT_NEAR(MaxMoment(*merged), 500.0, 1e-6);
    EXPECT_EQ(merged->GetEnvBMD()->GetMaxEffect().GetLoadModelName(), L"B");
    EXPECT_NEAR(MaxMoment(*runner.GetResults()[2]), 125.0, 1e-6);
    // Positions -1, 0, 1, ..., 10 for each of the three models.
    EXPECT_EQ(runner.GetNoAnalyses(), 3 * 12);
    EXPECT_EQ(merged->m_nAnalyses, 3 * 12);

    // A second run starts afresh.
    runner.Run(byStep, rec);
    EXPECT_EQ(runner.GetResults().size(), 3u);
    EXPECT_EQ(runner.GetNoAnalyses(), 3 * 12);
}

TEST(EnvelopeRunner, EmptyEnsembleOrStoppedRunLeavesNothingUnfilled)
{
    auto set = OneSpanSet();
    const Stepping byStep{.bByStep = true, .step = 1.0, .nSteps = 0};
    std::atomic<bool> run{true};
    Recorder rec(&run);

    CEnvelopeRunner empty(set->GetBridge(0), Ensemble({}), qeltest::TestOptions());
    EXPECT_FALSE(empty.Run(byStep, rec)->HasEnvelopes());
    EXPECT_TRUE(empty.GetResults().empty());
    EXPECT_EQ(rec.ProgressCount(), 0);

    run = false;
    CEnvelopeRunner stopped(set->GetBridge(0), Ensemble({PointLoad(100.0)}), qeltest::TestOptions());
    EXPECT_FALSE(stopped.Run(byStep, rec)->HasEnvelopes());
    EXPECT_TRUE(stopped.GetResults().empty());
    EXPECT_EQ(rec.ProgressCount(), 0);
}

TEST(EnvelopeRunner, WorksOnTheEnsembleAsItWasWhenStarted)
{
    auto bridge = CBridge::Create(1, L"Ten", BC_ONESPAN, 10.0);
    auto lme = Ensemble({PointLoad(100.0), PointLoad(200.0)});
    CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
    // The ensemble is edited (on another thread, in the program) once the run is going.
    struct ClearOnProgress : CAnalysisFeedback {
        std::shared_ptr<CLoadModelEnsemble> lme;
        void Progress(int) const override { lme->Clear(); }
    } clear;
    clear.lme = lme;
    auto merged = runner.Run(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, clear);
    EXPECT_EQ(runner.GetResults().size(), 2u);
    EXPECT_NEAR(MaxMoment(*merged), 500.0, 1e-6);
}

TEST(Overstress, LaneLoadFollowsTheSpanLength)
{
    struct Case {
        double L, w;
    };
    for (const Case c :
         {Case{5, 16}, Case{12, 16}, Case{13.5, 16.5}, Case{15, 17}, Case{18, 17}, Case{20, 17 + 2.0 / 3}, Case{21, 18},
          Case{27, 18}, Case{30, 19}, Case{35, 20}, Case{40, 21}, Case{45, 22.5}, Case{50, 24}, Case{80, 24}})
        EXPECT_NEAR(COverstressAnalysis::GetOverstressUDL(c.L), c.w, 1e-12) << c.L;
    EXPECT_EQ(COverstressAnalysis::GetOverstressUDL(std::nan("")), 24.0);
    auto lm = COverstressAnalysis::MakeOverstressLoadModel(7);
    EXPECT_EQ(lm->m_ID, 7);
    EXPECT_EQ(lm->GetDescription(), L"Internal for O/S");
}

TEST(Overstress, EveryBridgeGetsItsLaneLoadAndAStatusLine)
{
    Recorder rec;
    std::atomic<bool> run{true};
    COverstressAnalysis os(OneSpanSet(), 1.4, qeltest::TestOptions());
    const auto results = os.Run(rec);
    EXPECT_EQ(rec.StatusLines(),
              (std::vector<std::wstring>{L"Overstress: L = 10.000, w = 16.000", L"Overstress: L = 20.000, w = 17.667",
                                         L"Overstress: L = 30.000, w = 19.000"}));
    ASSERT_EQ(results.size(), 3u);
    const double L[] = {10.0, 20.0, 30.0};
    const double w[] = {16.0, 17.0 + 2.0 / 3, 19.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(MaxMoment(*results[i]), w[i] * L[i] * L[i] / 8.0, 1e-6);
        EXPECT_EQ(results[i]->GetEnvReaction(1)->m_vMax.size(), 1u);
        EXPECT_NEAR(results[i]->GetEnvReaction(1)->GetMaxEffect().val, w[i] * L[i] / 2.0, 1e-6);
    }

    Recorder quiet(&run);
    run = false;
    EXPECT_TRUE(os.Run(quiet).empty());
    EXPECT_TRUE(quiet.StatusLines().empty());
}

TEST(Overstress, StatusLineOfA35mSpan)
{
    Recorder rec;
    COverstressAnalysis os(std::make_shared<CBridgeSet>(1, L"35", BC_ONESPAN, 35.0, 35.0, 1.0), 1.4,
                           qeltest::TestOptions());
    os.Run(rec);
    EXPECT_EQ(rec.StatusLines(), (std::vector<std::wstring>{L"Overstress: L = 35.000, w = 20.000"}));
}
