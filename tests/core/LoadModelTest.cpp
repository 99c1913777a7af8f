#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ArchiveTestUtil.h"
#include "RecordingFeedback.h"
#include "core/loads/LoadModel.h"
#include "platform/base/Messages.h"

namespace {

using qeltest::Kind;

std::vector<double> PointLocations(const CLoadModel& lm)
{
    std::vector<double> v;
    for (const auto& p : lm.m_vPL)
        v.push_back(p.location);
    return v;
}

void ExpectCountsInStep(const CLoadModel& lm)
{
    EXPECT_EQ(lm.m_nUDL, lm.m_vUDL.size());
    EXPECT_EQ(lm.m_nPL, lm.m_vPL.size());
    EXPECT_EQ(lm.m_nPUDL, lm.m_vPUDL.size());
    EXPECT_EQ(lm.m_nLoads, lm.m_nUDL + lm.m_nPL + lm.m_nPUDL);
}

TEST(LoadModel, NewModelHasItsDefaultsAndFactors)
{
    CLoadModel lm;
    EXPECT_EQ(lm.m_ID, 0);
    EXPECT_EQ(lm.GetDescription(), L"Loadmodel");
    EXPECT_EQ(lm.m_ElementType, ET_LOADMODEL);
    EXPECT_TRUE(lm.m_bIsEditable);
    EXPECT_EQ(lm.m_lmBridge, BR_NONE);
    EXPECT_EQ(lm.m_maxL, 10000.0);
    EXPECT_TRUE(lm.m_bIsMoving && lm.m_bAppliesBM && lm.m_bAppliesSF && lm.m_bAppliesR);
    const wchar_t* descs[] = {L"Dynamic Load Allowance", L"Live load factor", L"Unit conversion", L"Arbitrary"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lm.GetFactor(i).desc, descs[i]);
        EXPECT_EQ(lm.GetFactor(i).type, i);
        EXPECT_EQ(lm.GetFactor(i).value, 1.0);
    }
    EXPECT_EQ(lm.GetFactor(-1).desc, L"Arbitrary");
    EXPECT_EQ(lm.GetFactor(17).desc, L"Arbitrary");

    CLoadModel named(5, L"T44");
    EXPECT_EQ(named.m_ID, 5);
    EXPECT_EQ(named.GetDescription(), L"T44");
}

TEST(LoadModel, CopiesShareNothingAndAssignmentTakesTheElementPart)
{
    CLoadModel a(3, L"A");
    a.AddPointLoad(100, 0, 2);
    a.m_gDLA.value = 1.3;
    CLoadModel b(a);
    b.SetPointLoad(0, 1, 50, -1, 2);
    b.m_gDLA.value = 1.1;
    EXPECT_EQ(a.m_vPL[0].magnitude, 100);
    EXPECT_EQ(a.m_gDLA.value, 1.3);

    CLoadModel c(9, L"C");
    c.m_bIsEditable = false;
    c = a;
    EXPECT_EQ(c.m_ID, 3);
    EXPECT_EQ(c.GetDescription(), L"A");
    EXPECT_TRUE(c.m_bIsEditable);
    EXPECT_EQ(c.m_nPL, 1u);
}

TEST(LoadModel, RemovingZeroLoadsAsksForAFreshUpdate)
{
    // A 100 kN axle at 0 and a zero one 5 m behind: length 5. Without the zero axle the
    // model is 0 long; a stale length 5 would stand a reversed model's axle at p - 5
    // (x -> -length - x) instead of at p in the next single-position analysis.
    CLoadModel lm;
    lm.AddPointLoad(100, 0.0, 2);
    lm.AddPointLoad(0.0, -5.0, 2);
    lm.Update();
    EXPECT_EQ(lm.m_Length, 5.0);
    lm.RemoveZeroLoads();
    EXPECT_FALSE(lm.m_bIsUpdated);
    lm.Update();
    EXPECT_EQ(PointLocations(lm), (std::vector<double>{0}));
    EXPECT_EQ(lm.m_Length, 0.0);

    CLoadModel lane;
    lane.AddUDL(0.0);
    lane.AddUDL(5.0);
    lane.Update();
    lane.RemoveZeroUDLs();
    EXPECT_FALSE(lane.m_bIsUpdated);
}

TEST(LoadModel, AddSetRemoveKeepCountsInStep)
{
    CLoadModel lm;
    lm.SetGammaUDL(1.5);
    lm.SetGammaPUDL(0.8);
    lm.Update();
    lm.AddUDL(9.0);
    EXPECT_FALSE(lm.m_bIsUpdated);
    lm.AddPointLoad(60, 0, 2);
    lm.AddPointLoad(0.0000005, -1, 2); // counts as zero
    lm.AddPointLoad(80, -3, 2);
    lm.AddPartialUDL(-9.0, -3, 3);
    lm.AddPartialUDL(0.0, -1, 1);
    ExpectCountsInStep(lm);
    EXPECT_EQ(lm.m_nLoads, 6u);
    // Added loads carry gamma 1, whatever the model's stamped factors are.
    EXPECT_EQ(lm.m_vUDL[0].gamma, 1.0);
    EXPECT_EQ(lm.m_vPUDL[0].gamma, 1.0);
    lm.SetGammaUDL(1.5);
    lm.SetGammaPUDL(0.8);
    EXPECT_EQ(lm.m_vUDL[0].gamma, 1.5);
    EXPECT_EQ(lm.m_vPUDL[1].gamma, 0.8);
    EXPECT_EQ(lm.m_vPL[0].gamma, 1.0);

    lm.RemoveZeroLoads();
    EXPECT_EQ(PointLocations(lm), (std::vector<double>{0, -3}));
    EXPECT_EQ(lm.m_nPUDL, 1u);
    EXPECT_EQ(lm.m_nUDL, 1u);
    lm.AddUDL(1e-7);
    lm.RemoveZeroUDLs();
    EXPECT_EQ(lm.m_nUDL, 1u);
    EXPECT_EQ(lm.m_vUDL[0].magnitude, 9.0);
    ExpectCountsInStep(lm);

    lm.Update();
    lm.SetPointLoad(1, 1.2, 70, -4, 2.5);
    EXPECT_TRUE(lm.m_bIsUpdated); // a Set leaves the flag alone
    EXPECT_EQ(lm.m_vPL[1].location, -4);
    lm.SetUDL(0, 7.0);
    EXPECT_EQ(lm.m_vUDL[0].gamma, 1.0);

    EXPECT_FALSE(lm.RemovePointLoad(2));
    EXPECT_FALSE(lm.RemoveUDL(1));
    EXPECT_FALSE(lm.RemovePartialUDL(1));
    EXPECT_EQ(lm.m_nLoads, 4u);
    EXPECT_TRUE(lm.RemovePointLoad(0));
    EXPECT_EQ(PointLocations(lm), (std::vector<double>{-4}));
    // The front-most load went, so the model must be updated again before it is used.
    EXPECT_FALSE(lm.m_bIsUpdated);
    EXPECT_TRUE(lm.RemoveUDL(0));
    EXPECT_TRUE(lm.RemovePartialUDL(0));
    ExpectCountsInStep(lm);
    EXPECT_EQ(lm.m_nLoads, 1u);
}

TEST(LoadModel, BadIndicesThrowTheSubscriptErrorAndChangeNothing)
{
    CLoadModel lm;
    lm.AddUDL(1);
    lm.AddPointLoad(1, 0, 0);
    lm.AddPartialUDL(1, 0, 1);
    double g, m, l, c;
    auto expectSubscript = [](auto&& f) {
        try {
            f();
            ADD_FAILURE() << "no throw";
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
    };
    expectSubscript([&] { lm.SetUDL(1, 2); });
    expectSubscript([&] { lm.SetPointLoad(1, 1, 2, 0, 0); });
    expectSubscript([&] { lm.SetPartialUDL(1, 1, 2, 0, 1); });
    expectSubscript([&] { lm.GetPartialUDL(1, g, m, l, c); });
    EXPECT_EQ(lm.m_vUDL[0].magnitude, 1);
    EXPECT_EQ(lm.m_nLoads, 3u);
}

struct UpdateCase {
    std::vector<double> points;
    std::vector<double> after;
    double length, maxLoc, minLoc;
};

TEST(LoadModelUpdate, FrontMostLoadIsShiftedToZero)
{
    const UpdateCase cases[] = {
        {{0, -3.2, -8.4}, {0, -3.2, -8.4}, 8.4, 0, -8.4}, // nothing ahead of 0: no shift
        {{2.0, -1.0}, {0, -3.0}, 3.0, 2.0, -1.0},
        {{1, 4}, {-3, 0}, 4, 4, 0},     // all ahead of 0: rear stays 0
        {{-2, -5}, {-2, -5}, 5, 0, -5}, // all behind 0: front stays 0
    };
    for (const auto& c : cases) {
        CLoadModel lm;
        for (double x : c.points)
            lm.AddPointLoad(100, x, 2);
        lm.Update();
        EXPECT_TRUE(lm.m_bIsUpdated);
        EXPECT_EQ(PointLocations(lm), c.after);
        EXPECT_DOUBLE_EQ(lm.m_Length, c.length);
        EXPECT_DOUBLE_EQ(lm.m_MaxLocation, c.maxLoc);
        EXPECT_DOUBLE_EQ(lm.m_MinLocation, c.minLoc);
        lm.Update(); // a second update shifts by 0
        EXPECT_EQ(PointLocations(lm), c.after);
    }
}

TEST(LoadModelUpdate, PartialLoadsCountFromTheirStartToTheirEnd)
{
    CLoadModel lm;
    lm.AddPointLoad(100, 1, 2);
    lm.AddPartialUDL(-5, -6, 10); // covers -6 to 4
    lm.AddPartialUDL(-5, 3, 2);   // covers 3 to 5, ahead of the axle: the model's front
    lm.Update();
    EXPECT_DOUBLE_EQ(lm.m_MaxLocation, 5);
    EXPECT_DOUBLE_EQ(lm.m_MinLocation, -6);
    EXPECT_DOUBLE_EQ(lm.m_Length, 11);
    // Shifted by -5, so that nothing of the model lies ahead of 0.
    EXPECT_EQ(lm.m_vPL[0].location, -4);
    EXPECT_EQ(lm.m_vPUDL[0].location, -11);
    EXPECT_EQ(lm.m_vPUDL[1].location, -2);
}

TEST(LoadModelUpdate, PureLaneLoadStopsMovingForGood)
{
    CLoadModel lm;
    lm.AddUDL(9);
    lm.Update();
    EXPECT_FALSE(lm.m_bIsMoving);
    EXPECT_TRUE(lm.m_bIsUpdated);
    lm.AddPointLoad(100, 3, 2);
    lm.Update();
    EXPECT_FALSE(lm.m_bIsMoving);
    EXPECT_EQ(lm.m_vPL[0].location, 3); // a model at one position is not shifted
    EXPECT_EQ(lm.m_Length, 0);
}

TEST(LoadModel, ReversedPartialLoadCoversTheMirrorImage)
{
    CLoadModel lm;
    lm.AddPointLoad(100, 0, 2);
    lm.AddPointLoad(100, -10, 2);
    lm.AddPartialUDL(-9, -8, 3); // covers [-8, -5]
    lm.Update();
    double g, m, loc, cover;
    lm.GetPartialUDL(0, g, m, loc, cover);
    EXPECT_EQ(loc, -8);
    EXPECT_EQ(cover, 3);
    EXPECT_EQ(m, -9);
    lm.m_Direction = TD_REVERSE;
    // x -> -10 - x maps [-8, -5] onto [-5, -2].
    lm.GetPartialUDL(0, g, m, loc, cover);
    EXPECT_DOUBLE_EQ(loc, -5);
    EXPECT_EQ(cover, 3);
    EXPECT_EQ(lm.m_vPUDL[0].location, -8); // the model itself is not changed
}

TEST(LoadModel, WidthFactor)
{
    struct Case {
        int mode;
        double width, expected;
    };
    const Case cases[] = {
        {0, 2.0, 1.0},
        {0, 3.0, 1.0},
        {1, 0.0, 1.0},
        {1, 5e-7, 1.0},
        {1, 9.0, 1.0},
        {1, 2.0, 1.224},
        {2, -1.0, 1.224},
        {1, 2.4, 2.6382 * std::pow(2.4, -1.108)}, // about 1.0001
        {1, 2.2, 2.6382 * std::pow(2.2, -1.108)},
        {1, 3.0, 2.1618 * std::pow(3.0, -0.868)}, // about 0.833
        {2, 3.0, 2.3627 * std::pow(3.0, -0.992)}, // about 0.795
        {2, 8.0, 2.3627 * std::pow(8.0, -0.992)},
    };
    for (const auto& c : cases) {
        CLoadModel lm;
        lm.m_WidthFactor = c.mode;
        EXPECT_NEAR(lm.GetWidthFactor(1.0, c.width), c.expected, 1e-12) << c.mode << " " << c.width;
        EXPECT_NEAR(lm.GetWidthFactor(250.0, c.width), 250.0 * c.expected, 1e-9);
    }
    CLoadModel lm;
    lm.m_WidthFactor = 1;
    EXPECT_NEAR(lm.GetWidthFactor(1.0, 2.4), 1.0001, 1e-4);
    EXPECT_NEAR(lm.GetWidthFactor(1.0, 3.0), 0.833, 1e-3);
    lm.m_WidthFactor = 2;
    EXPECT_NEAR(lm.GetWidthFactor(1.0, 3.0), 0.795, 1e-3);
}

using StatusRecorder = qeltest::RecordingFeedback;

TEST(LoadModelStatus, WorkerPostsReachTheMainWindowInOrderOnce)
{
    StatusRecorder rec;
    CLoadModel lm(1, L"T44");
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i)
            lm.PostStatus(rec, L"step " + std::to_wstring(i));
    });
    worker.join();
    auto lines = rec.StatusLines();
    ASSERT_EQ(lines.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(lines[i], L"T44: step " + std::to_wstring(i));
    EXPECT_EQ(rec.ProgressCount(), 0);
}

TEST(LoadModelStatus, WithoutAMainWindowAPostIsDropped)
{
    CLoadModel lm;
    lm.PostStatus(CAnalysisFeedback::None(), L"nobody listens"); // the sanitizer build checks that the text is freed
    StatusRecorder rec;
    lm.PostStatus(rec, L"now");
    EXPECT_EQ(rec.StatusLines(), std::vector<std::wstring>{L"Loadmodel: now"});
}

}
