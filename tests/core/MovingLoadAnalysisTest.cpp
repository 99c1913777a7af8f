#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "platform/base/Messages.h"
#include "RecordingFeedback.h"
#include "TestOptions.h"

namespace {

std::shared_ptr<CLoadModel> PointLoads(std::vector<double> locations, double P = 100.0)
{
    auto lm = std::make_shared<CLoadModel>(1, L"Axles");
    for (double x : locations)
        lm->AddPointLoad(P, x, 0.0);
    return lm;
}

std::shared_ptr<CBridge> Bridge(BridgeConfig config, double span)
{
    return CBridge::Create(1, L"B", config, span);
}

bool Contains(const std::vector<double>& v, double x)
{
    return std::any_of(v.begin(), v.end(), [x](double y) { return std::fabs(y - x) < 1e-9; });
}

// Entry of an envelope side at beam station x (the first, where a support repeats it).
const PointLoadEffect& AtStation(const std::vector<PointLoadEffect>& side, double x)
{
    auto it = std::find_if(side.begin(), side.end(), [x](const auto& e) { return std::fabs(e.xBeam - x) < 1e-9; });
    if (it == side.end())
        throw std::logic_error("no such station");
    return *it;
}

TEST(MovingLoadAnalysis, PointLoadOnSimpleSpanByDistance)
{
    auto lm = PointLoads({0.0});
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
    std::atomic<bool> run = true;
    int n = 0;
    double step = 1.0;
    auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CStopFlagFeedback(run));

    // ceil(20 / 1 + 0.5) + 1 = 22 positions: -1, 0, 1 (event), 2, ..., 19 (event), 20.
    EXPECT_EQ(ml.GetUsedStepping()->nSteps, 22);
    EXPECT_EQ(ml.m_nSteps, 22u);
    EXPECT_EQ(res->m_nAnalyses, 22);
    std::vector<double> expected;
    for (int p = -1; p <= 20; ++p)
        expected.push_back(p);
    EXPECT_EQ(res->GetEnvReaction(0)->GetLoadPositions(), expected);

    // Load at midspan: M = P L / 4 = 100 x 20 / 4 = 500 kNm.
    EXPECT_NEAR(AtStation(res->GetEnvBMD()->m_vMax, 10.0).val, 500.0, 1e-6);
    EXPECT_NEAR(AtStation(res->GetEnvBMD()->m_vMax, 10.0).xLoadModel, 10.0, 1e-9);
    EXPECT_NEAR(res->m_critBMD.max.val, 500.0, 1e-6);
    EXPECT_EQ(res->m_critBMD.max.pLM, lm);
    // End reaction R = P (L - a) / L; at a = 0 and a = 20 the load stands on the support
    // and bears on it alone: R = P = 100 kN.
    EXPECT_NEAR(res->m_vCritReaction[0].max.val, 100.0, 1e-12);
    EXPECT_NEAR(res->m_vCritReaction[0].max.xLoadModel, 0.0, 1e-12);
    EXPECT_NEAR(res->m_vCritReaction[1].max.val, 100.0, 1e-12);
    EXPECT_NEAR(res->m_vCritReaction[1].max.xLoadModel, 20.0, 1e-12);
    auto r0 = res->GetEnvReaction(0)->GetValues(true);
    EXPECT_EQ(r0[0], 0.0);   // position -1: off the beam
    EXPECT_EQ(r0[1], 100.0); // position 0: on the left support
    EXPECT_EQ(r0[21], 0.0);  // position 20: on the right support, none of it on the left
    EXPECT_TRUE(res->GetSingleResults().empty());
}

TEST(MovingLoadAnalysis, TwoEqualSpansSupportMomentAndReaction)
{
    // Three-moment equation for two spans L = 10 with P at a in span 1:
    //   4 L M_B = -P a (L^2 - a^2) / L  =>  M_B = -P a (L^2 - a^2) / (4 L^2).
    // Over a in 0..10 the extreme is at a = L / sqrt(3) = 5.77 (-96.2); the positions are
    // whole metres, where a = 6 gives -100 x 6 x 64 / 400 = -96.0 (a = 5 gives -93.75).
    // A load right on the middle support goes straight into it: R_B = 100 kN.
    CMovingLoadAnalysis ml(Bridge(BC_TWOSPAN, 10.0), PointLoads({0.0}), qeltest::TestOptions());
    int n = 0;
    double step = 1.0;
    auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
    EXPECT_EQ(ml.GetUsedStepping()->nSteps, 22);
    EXPECT_NEAR(AtStation(res->GetEnvBMD()->m_vMin, 10.0).val, -96.0, 1e-6);
    EXPECT_NEAR(res->m_critBMD.min.val, -96.0, 1e-6);
    EXPECT_NEAR(res->m_critBMD.min.xBeam, 10.0, 1e-9);
    const double at = res->m_critBMD.min.xLoadModel;
    EXPECT_TRUE(std::fabs(at - 6.0) < 1e-9 || std::fabs(at - 14.0) < 1e-9) << at;
    ASSERT_EQ(res->m_vCritReaction.size(), 3u);
    EXPECT_NEAR(res->m_vCritReaction[1].max.val, 100.0, 1e-6);
    EXPECT_NEAR(res->m_vCritReaction[1].max.xLoadModel, 10.0, 1e-12);
    EXPECT_NEAR(res->m_vCritReaction[1].max.xBeam, 10.0, 1e-12);
}

TEST(MovingLoadAnalysis, StepsShortenOntoEventPoints)
{
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
    int n = 0;
    double step = 0.7;
    auto pos = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None())
                   ->GetEnvReaction(0)
                   ->GetLoadPositions();
    ASSERT_GE(pos.size(), 6u);
    EXPECT_NEAR(pos[0], -0.7, 1e-12);
    EXPECT_NEAR(pos[1], 0.0, 1e-12);
    EXPECT_NEAR(pos[2], 0.7, 1e-12);
    EXPECT_NEAR(pos[3], 1.0, 1e-12);
    EXPECT_NEAR(pos[4], 1.7, 1e-12);
    EXPECT_TRUE(Contains(pos, 19.0));
    EXPECT_GE(pos.back(), 20.0);
    for (size_t i = 1; i < pos.size(); ++i)
        EXPECT_LE(pos[i] - pos[i - 1], 0.7 + 1e-12);
}

TEST(MovingLoadAnalysis, EveryAxleStopsOnEveryEventPoint)
{
    // Two axles 2.2 m apart on 20 + 20 m at step 0.5: events 1, 19, 21, 39.
    CMovingLoadAnalysis ml(Bridge(BC_TWOSPAN, 20.0), PointLoads({0.0, -2.2}), qeltest::TestOptions());
    int n = 0;
    double step = 0.5;
    auto pos = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None())
                   ->GetEnvReaction(0)
                   ->GetLoadPositions();
    for (double e : {1.0, 19.0, 21.0, 39.0}) {
        EXPECT_TRUE(Contains(pos, e)) << "front axle on " << e;
        EXPECT_TRUE(Contains(pos, e + 2.2)) << "rear axle on " << e;
    }
}

TEST(MovingLoadAnalysis, PartialLoadStartAndEndBothStop)
{
    auto lm = std::make_shared<CLoadModel>(1, L"Patch");
    lm->AddPartialUDL(10.0, 0.0, 0.5); // its end is the model's front: loaded from p - 0.5 to p
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
    int n = 0;
    double step = 0.7;
    auto pos = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None())
                   ->GetEnvReaction(0)
                   ->GetLoadPositions();
    // Events 1 and 19: the end on them at p = 1 and 19, the start at p = 1.5 and 19.5.
    for (double p : {1.0, 1.5, 19.0, 19.5})
        EXPECT_TRUE(Contains(pos, p)) << p;
}

TEST(MovingLoadAnalysis, CountDividesTheBeamLength)
{
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
    int n = 20;
    double step = 123.0;
    auto res = ml.Analyse(Stepping{.bByStep = false, .step = step, .nSteps = n}, CAnalysisFeedback::None());
    EXPECT_EQ(ml.GetUsedStepping()->step, 1.0);
    EXPECT_EQ(ml.GetUsedStepping()->nSteps, 20);
    EXPECT_EQ(ml.m_nSteps, 22u);
    EXPECT_EQ(res->GetEnvReaction(0)->m_vMax.size(), 22u);
}

TEST(MovingLoadAnalysis, LaneLoadRunsOnce)
{
    for (bool byStep : {true, false}) {
        auto lm = std::make_shared<CLoadModel>(1, L"Lane");
        lm->AddUDL(10.0);
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
        int n = 20;
        double step = 0.5;
        auto res = ml.Analyse(Stepping{.bByStep = byStep, .step = step, .nSteps = n}, CAnalysisFeedback::None());
        EXPECT_FALSE(lm->m_bIsMoving);
        EXPECT_EQ(ml.m_nSteps, 1u);
        EXPECT_EQ(res->m_nAnalyses, 1);
        ASSERT_EQ(res->GetEnvReaction(1)->m_vMax.size(), 1u);
        EXPECT_EQ(res->GetEnvReaction(1)->m_vMax[0].xLoadModel, 0.0);
        // w L^2 / 8 = 10 x 400 / 8 = 500 kNm; w L / 2 = 100 kN.
        EXPECT_NEAR(res->m_critBMD.max.val, 500.0, 1e-6);
        EXPECT_NEAR(res->m_vCritReaction[1].max.val, 100.0, 1e-6);
    }
}

TEST(MovingLoadAnalysis, ClearFlagGivesEmptyResults)
{
    std::atomic<bool> run = false;
    for (bool lane : {false, true}) {
        auto lm = lane ? std::make_shared<CLoadModel>(1, L"Lane") : PointLoads({0.0});
        if (lane)
            lm->AddUDL(10.0);
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
        int n = 0;
        double step = 1.0;
        auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CStopFlagFeedback(run));
        ASSERT_TRUE(res);
        EXPECT_EQ(ml.m_nSteps, 0u);
        EXPECT_FALSE(res->HasEnvelopes());
        EXPECT_EQ(res->m_nAnalyses, 0);
    }
}

TEST(MovingLoadAnalysis, FlagClearedAfterFivePositionsKeepsTheirEnvelopes)
{
    // A model with a bridge rule reports one status line when the run applies the rule up
    // front, then one at the start of every position; the feedback asks for a stop during
    // the fifth position, so the run stops before the sixth.
    qeltest::RecordingFeedback feedback;
    feedback.StopAfterEvents(6);
    auto lm = PointLoads({0.0});
    lm->m_bAdjustToBridge = true;
    lm->m_lmBridge = BR_A36_DLA;
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
    int n = 0;
    double step = 1.0;
    auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, feedback);
    EXPECT_EQ(ml.m_nSteps, 5u);
    EXPECT_EQ(res->m_nAnalyses, 5);
    EXPECT_EQ(res->GetEnvReaction(0)->GetLoadPositions(), (std::vector<double>{-1, 0, 1, 2, 3}));
    EXPECT_GT(res->m_critBMD.max.val, 0.0);
}

TEST(MovingLoadAnalysis, BadSteppingIsRefused)
{
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        int n = 0;
        double step = bad;
        EXPECT_THROW(ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None()),
                     std::invalid_argument)
            << bad;
    }
    for (int bad : {0, -3}) {
        int n = bad;
        double step = 1.0;
        EXPECT_THROW(ml.Analyse(Stepping{.bByStep = false, .step = step, .nSteps = n}, CAnalysisFeedback::None()),
                     std::invalid_argument)
            << bad;
    }
}

// A model 1e20 m long (a damaged file) or a step far too fine would step for ever.
TEST(MovingLoadAnalysis, ARunOfUnboundedLengthIsRefusedBeforeItStarts)
{
    {
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0, -1e20}), qeltest::TestOptions());
        int n = 0;
        double step = 0.5;
        EXPECT_THROW(ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None()),
                     std::invalid_argument);
        EXPECT_EQ(ml.m_nSteps, 0u);
    }
    {
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
        int n = 0;
        double step = 1e-9;
        EXPECT_THROW(ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None()),
                     std::invalid_argument);
    }
    {
        // 40 m of run at 0.001 m: 40,000 positions are an ordinary run.
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0, -20.0}), qeltest::TestOptions());
        int n = 0;
        double step = 0.001;
        EXPECT_NO_THROW(ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None()));
    }
}

TEST(MovingLoadAnalysis, EventPointsAscendAndALoadOnOneLooksToTheNext)
{
    auto bridge = std::make_shared<CBridge>();
    bridge->m_Config = BC_CUSTOM;
    bridge->m_vSpans = {1.5, 10.0};
    bridge->SetupBeam();
    CMovingLoadAnalysis shortSpan(bridge, PointLoads({0.0}), qeltest::TestOptions());
    EXPECT_EQ(shortSpan.m_vEventPoints, (std::vector<double>{0.5, 1.0, 2.5, 10.5}));

    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
    EXPECT_NEAR(ml.NextEventDistance(0.3), 0.7, 1e-12);
    EXPECT_NEAR(ml.NextEventDistance(1.0), 18.0, 1e-12);
    // No event ahead: the step is never shortened (and never lengthened either).
    EXPECT_EQ(ml.NextEventDistance(19.5), std::numeric_limits<double>::infinity());
    CMovingLoadAnalysis empty(Bridge(BC_ONESPAN, 20.0), std::make_shared<CLoadModel>(1, L"None"),
                              qeltest::TestOptions());
    EXPECT_EQ(empty.NextEventDistance(3.0), 0.0);
}

TEST(MovingLoadAnalysis, ReversedModelStopsWithItsMirroredAxles)
{
    // Axles at 0, -1 and -4 (length 4) act at p, p - 1, p - 4 forwards and at p - 4, p - 3,
    // p reversed; the axle at p - 3 reaches the event point 1.0 at p = 4.0 only reversed.
    auto positions = [](TravelDirection dir) {
        auto lm = PointLoads({0.0, -1.0, -4.0});
        lm->m_Direction = dir;
        CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), lm, qeltest::TestOptions());
        int n = 0;
        double step = 0.7;
        return ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None())
            ->GetEnvReaction(0)
            ->GetLoadPositions();
    };
    auto fwd = positions(TD_FORWARD);
    auto rev = positions(TD_REVERSE);
    EXPECT_TRUE(Contains(fwd, 2.0));
    EXPECT_FALSE(Contains(fwd, 4.0));
    for (double p : {1.0, 4.0, 5.0, 19.0, 22.0, 23.0})
        EXPECT_TRUE(Contains(rev, p)) << p;
    EXPECT_FALSE(Contains(rev, 2.0));
}

TEST(MovingLoadAnalysis, BeamResultsOfEachPositionOnRequest)
{
    CMovingLoadAnalysis ml(Bridge(BC_ONESPAN, 20.0), PointLoads({0.0}), qeltest::TestOptions());
    ml.KeepBeamResults(true);
    int n = 0;
    double step = 1.0;
    auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
    EXPECT_EQ(res->GetSingleResults().size(), 22u);
}

} // namespace

// Whatever the step, span and model, the loop visits no more positions than counted before
// it starts, and a count beyond the limit is refused with the cause before any position.
TEST(MovingLoadAnalysis, EveryRunStopsAtItsCountOrIsRefusedFirst)
{
    auto longSpan = std::make_shared<CBridge>(1, L"Huge", BC_CUSTOM, 1e300);
    longSpan->m_vSpans = {1e300};
    longSpan->SetupBeam();
    struct Case {
        const char* what;
        std::shared_ptr<CBridge> bridge;
        std::vector<double> axles;
        double step;
        const char* refusal; // empty: runs to its end
    };
    const Case cases[] = {
        // (0 + 20 + 2e300) / 1e300 rounds up to 3 full steps.
        {"step 1e300", Bridge(BC_ONESPAN, 20.0), {0.0}, 1e300, ""},
        {"span 1e300", longSpan, {0.0}, 1.0, "load positions on bridge \"Huge\"; the largest is 10,000,000"},
        // Stiffness terms of 1e-900 underflow: refused after its few positions, not shown.
        {"span and step 1e300", longSpan, {0.0}, 1e300, "are not finite numbers"},
        // (1e6 + 20) / 0.1 = 1.00002e7 positions.
        {"axle 1e6 m behind, step 0.1", Bridge(BC_ONESPAN, 20.0), {0.0, -1e6}, 0.1, "The step gives 10,000,"},
        {"axle 1e6 m behind, step 100", Bridge(BC_ONESPAN, 20.0), {0.0, -1e6}, 100.0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMovingLoadAnalysis ml(c.bridge, PointLoads(c.axles), qeltest::TestOptions());
        int n = 0;
        double step = c.step;
        if (*c.refusal) {
            try {
                ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
                ADD_FAILURE() << "not refused";
            } catch (const std::exception& e) {
                EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
            }
            EXPECT_LE(double(ml.m_nSteps), 10.0); // refused before the run, or after its few positions
            continue;
        }
        auto res = ml.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
        // Full steps from -step to past the end, plus one stop per axle per event point.
        const double counted = std::ceil((ml.m_LMLength + ml.m_BeamLength + 2 * c.step) / c.step) + 1 +
                               double(c.axles.size()) * double(ml.m_vEventPoints.size());
        EXPECT_LE(double(ml.m_nSteps), counted);
        const std::vector<double> pos = res->GetEnvReaction(0)->GetLoadPositions();
        EXPECT_TRUE(std::is_sorted(pos.begin(), pos.end()) && std::adjacent_find(pos.begin(), pos.end()) == pos.end());
    }
}
