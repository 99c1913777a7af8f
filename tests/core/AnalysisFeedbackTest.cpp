#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AnalysisTestUtil.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/OverstressAnalysis.h"
#include "platform/base/Messages.h"
#include "RecordingFeedback.h"
#include "TestOptions.h"

using namespace qeltest;

namespace {

// Counts whatever reaches the main window while it lives: the core must post nothing of
// its own, whatever feedback its run was given.
class AnyPost {
public:
    AnyPost()
    {
        SetMainWindowMessageSink([this](CPostedMessage&&) {
            std::lock_guard lock(m_mutex);
            ++m_count;
        });
    }
    ~AnyPost() { SetMainWindowMessageSink(nullptr); }
    AnyPost(const AnyPost&) = delete;
    AnyPost& operator=(const AnyPost&) = delete;
    int Count()
    {
        std::lock_guard lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    int m_count = 0;
};

// An axle whose A36/NAASRA rule sets its dynamic load allowance a = 16 / (L + 40), held
// to [0.1, 0.3], for a model counted for moment but not for reactions.
std::shared_ptr<CLoadModel> RuledAxle()
{
    auto lm = PointLoad(100.0, L"Axle");
    lm->m_bAppliesR = false;
    lm->m_bAdjustToBridge = true;
    lm->m_lmBridge = BR_A36_DLA;
    return lm;
}

} // namespace

// On 20 m at a step of 1 m the axle stands at -1, 0, ..., 20: ceil(20 / 1 + 0.5) + 1 = 22
// positions (the event points 1 and 19 fall on whole metres). The rule reports once when
// the run applies it up front, then once per position: 23 lines of a = 16 / 60 = 0.267.
TEST(AnalysisFeedback, BridgeRuleLinesReachTheFeedbackOfTheRun)
{
    AnyPost window;
    for (AnalysisPath path : {AnalysisPath::Literal, AnalysisPath::Fast}) {
        RecordingFeedback feedback;
        CMovingLoadAnalysis ml(CBridge::Create(1, L"B", BC_ONESPAN, 20.0), RuledAxle(), TestOptions(path));
        ml.Analyse(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, feedback);
        EXPECT_EQ(ml.m_nSteps, 22u);
        EXPECT_EQ(feedback.StatusLines(), std::vector<std::wstring>(23, L"Axle: A36/NAASRA DLA: 0.267"));
        EXPECT_EQ(feedback.ProgressCount(), 0); // one model's run is one step of its caller
    }
    EXPECT_EQ(window.Count(), 0);
}

// The same rule over spans of 10, 20 and 30 m on four threads, where each bridge's model
// is first brought to its state by replaying the rule: the replay reports nothing, so the
// lines are those of one thread, (L + 2) positions + 1 per bridge = 13 + 23 + 33, with
// a = 0.32 held to 0.300, 16 / 60 = 0.267 and 16 / 70 = 0.229; one progress step a bridge.
TEST(AnalysisFeedback, BridgeRangeOnThreadsReportsEachRulesLinesOnce)
{
    AnyPost window;
    std::vector<std::wstring> expected;
    for (auto [n, a] : {std::pair{33, L"0.229"}, std::pair{23, L"0.267"}, std::pair{13, L"0.300"}})
        expected.insert(expected.end(), n, std::wstring(L"Axle: A36/NAASRA DLA: ") + a); // in sorted order
    for (int threads : {1, 4}) {
        RecordingFeedback feedback;
        CMultiBridgeAnalysis mba(OneSpanSet(), RuledAxle(), TestOptions(AnalysisPath::Fast, threads));
        EXPECT_EQ(mba.Run(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, feedback).size(), 3u);
        std::vector<std::wstring> lines = feedback.StatusLines();
        std::sort(lines.begin(), lines.end()); // the threads report in any order
        EXPECT_EQ(lines, expected) << threads << " threads";
        EXPECT_EQ(feedback.ProgressCount(), 3) << threads << " threads";
        EXPECT_EQ(mba.GetUsedStepping(), (Stepping{.bByStep = true, .step = 1.0, .nSteps = 32})); // ceil(30.5) + 1
    }
    EXPECT_EQ(window.Count(), 0);
}

// With the null feedback every run goes to its end and nothing is reported anywhere: two
// axles on 20 m give P L / 4 = 50 x 20 / 4 = 250 kNm merged with 500 kNm, 22 positions
// each; the overstress lane loads 16, 17.667 and 19 kN/m give w L^2 / 8 on 10, 20, 30 m.
TEST(AnalysisFeedback, NullFeedbackRunsToTheEndAndReportsNothing)
{
    AnyPost window;
    auto lme = Ensemble({PointLoad(50.0), RuledAxle()});
    lme->GetLoadModel(1)->m_bAdjustToBridge = false;
    CEnvelopeRunner runner(CBridge::Create(1, L"B", BC_ONESPAN, 20.0), lme, TestOptions());
    const auto merged = runner.Run(Stepping{.bByStep = true, .step = 1.0, .nSteps = 0}, CAnalysisFeedback::None());
    EXPECT_EQ(runner.GetNoAnalyses(), 2 * 22);
    EXPECT_NEAR(MaxMoment(*merged), 500.0, 1e-6);

    COverstressAnalysis os(OneSpanSet(), 1.4, TestOptions());
    const auto lanes = os.Run(CAnalysisFeedback::None());
    ASSERT_EQ(lanes.size(), 3u);
    const double w[] = {16.0, 17.0 + 2.0 / 3, 19.0};
    for (int i = 0; i < 3; ++i) {
        const double L = 10.0 * (i + 1);
        EXPECT_NEAR(MaxMoment(*lanes[i]), w[i] * L * L / 8.0, 1e-6) << L;
    }
    EXPECT_EQ(window.Count(), 0);
}
