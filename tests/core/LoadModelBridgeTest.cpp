#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FastPathCases.h"
#include "RecordingFeedback.h"
#include "TestOptions.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

using StatusLines = qeltest::RecordingFeedback;

std::shared_ptr<CBridge> Bridge(double S, BridgeConfig config = BC_ONESPAN)
{
    return CBridge::Create(0, L"B", config, S);
}

// A lane load with the lane taken away under a 10 m vehicle of one axle.
CLoadModel LaneModel(BridgeRule rule)
{
    CLoadModel lm(1, L"LM");
    lm.AddUDL(1.0);
    lm.AddPointLoad(100, 0, 2);
    lm.AddPartialUDL(-1.0, -10, 10);
    lm.m_bAdjustToBridge = true;
    lm.m_lmBridge = rule;
    lm.m_bAppliesR = false;
    lm.Update();
    return lm;
}

TEST(BridgeRules, A36LaneLoadFallsWithSpanDownToItsFloor)
{
    StatusLines status;
    struct Case {
        double L, w;
        const wchar_t* line;
    };
    // w = 1.49 up to 30.48 m, then 1.49 - (L - 30.48)/102.28, not below 1.043;
    // the line shows w * 9.81 * gamma(UDL) = w * 19.62.
    const Case cases[] = {
        {20.0, 1.49, L"LM: A36 UDL: 29.234"},
        {30.48, 1.49, L"LM: A36 UDL: 29.234"},
        {40.0, 1.49 - 9.52 / 102.28, L"LM: A36 UDL: 27.408"}, // 1.39692
        {100.0, 1.043, L"LM: A36 UDL: 20.464"},               // 0.8103 -> 1.043
    };
    for (const auto& c : cases) {
        CLoadModel lm = LaneModel(BR_A36_UDL);
        lm.SetGammaUDL(2.0);
        lm.AdjustToBridge(Bridge(c.L), status);
        EXPECT_NEAR(lm.m_vUDL[0].magnitude, c.w, 1e-12) << c.L;
        EXPECT_NEAR(lm.m_vPUDL[0].magnitude, -c.w, 1e-12) << c.L;
        EXPECT_EQ(lm.m_vUDL[0].gamma, 2.0); // only the magnitude changes
        EXPECT_EQ(lm.m_gDLA.value, 1.0);
        EXPECT_EQ(status.TakeStatusLines(), std::vector<std::wstring>{c.line}) << c.L;
    }
}

TEST(BridgeRules, LaneRulesNeedTheLoadsTheyChange)
{
    StatusLines status;
    CLoadModel noPartial(1, L"LM");
    noPartial.AddUDL(5.0);
    noPartial.m_lmBridge = BR_A36_UDL;
    EXPECT_THROW(noPartial.AdjustToBridge(Bridge(40), status), std::out_of_range);
    EXPECT_NEAR(noPartial.m_vUDL[0].magnitude, 1.39692, 1e-5); // set before the failing step

    CLoadModel noUDL(1, L"LM");
    noUDL.AddPointLoad(10, 0, 2);
    for (BridgeRule r : {BR_A36_UDL, BR_BS5400_UDL}) {
        noUDL.m_lmBridge = r;
        try {
            noUDL.AdjustToBridge(Bridge(40), status);
            ADD_FAILURE() << r;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
    }
    CLoadModel noAxle(1, L"LM");
    noAxle.AddUDL(5.0);
    noAxle.m_lmBridge = BR_NAASRA_PL;
    noAxle.m_bAppliesR = false;
    EXPECT_THROW(noAxle.AdjustToBridge(Bridge(20, BC_TWOSPAN), status), std::out_of_range);
    EXPECT_TRUE(status.TakeStatusLines().empty());
}

TEST(BridgeRules, BS5400LaneLoad)
{
    StatusLines status;
    struct Case {
        double L, w;
        const wchar_t* line;
    };
    // w = 30 up to 30 m, then 151 (1/L)^0.475, not below 9.
    const Case cases[] = {
        {30.0, 30.0, L"LM: BS5400 UDL: 30.000"},
        {50.0, 23.55, L"LM: BS5400 UDL: 23.549"}, // 151 * 50^-0.475 = 151 * 0.155951
        {1000.0, 9.0, L"LM: BS5400 UDL: 9.000"},  // 151 * 0.0376 = 5.67 -> 9
    };
    for (const auto& c : cases) {
        CLoadModel lm = LaneModel(BR_BS5400_UDL);
        lm.AdjustToBridge(Bridge(c.L), status);
        EXPECT_NEAR(lm.m_vUDL[0].magnitude, c.w, 5e-3) << c.L;
        EXPECT_NEAR(lm.m_vPUDL[0].magnitude, -c.w, 5e-3) << c.L; // the lane removal follows the lane load
        EXPECT_EQ(status.TakeStatusLines(), std::vector<std::wstring>{c.line}) << c.L;
    }
}

TEST(BridgeRules, A36DynamicAllowance)
{
    StatusLines status;
    struct Case {
        double L;
        bool appliesR;
        double D;
    };
    // 16/(L + 40) clamped to [0.1, 0.3]; 0.1 whenever the model counts for reactions.
    const Case cases[] = {
        {10, false, 1.3},  // 0.32 -> 0.3
        {60, false, 1.16}, // 0.16
        {20, false, 1.0 + 16.0 / 60.0},
        {200, false, 1.1}, // 0.0667 -> 0.1
        {10, true, 1.1},
        {60, true, 1.1},
    };
    for (const auto& c : cases) {
        CLoadModel lm = LaneModel(BR_A36_DLA);
        lm.m_bAppliesR = c.appliesR;
        lm.AdjustToBridge(Bridge(c.L), status);
        EXPECT_NEAR(lm.m_gDLA.value, c.D, 1e-12) << c.L;
        EXPECT_EQ(lm.m_vUDL[0].magnitude, 1.0);
        EXPECT_NEAR(lm.GetA36DLA(Bridge(c.L)), c.D, 1e-12);
    }
    auto lines = status.TakeStatusLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], L"LM: A36/NAASRA DLA: 0.300");
    EXPECT_EQ(lines[1], L"LM: A36/NAASRA DLA: 0.160");
    EXPECT_EQ(lines[2], L"LM: A36/NAASRA DLA: 0.267");

    // Counts for neither moment nor shear: the flat 1.1.
    CLoadModel r = LaneModel(BR_A36_DLA);
    r.m_bAppliesBM = r.m_bAppliesSF = false;
    EXPECT_NEAR(r.GetA36DLA(Bridge(60)), 1.1, 1e-12);
}

TEST(BridgeRules, ABDCDynamicAllowance)
{
    StatusLines status;
    // f = 100/L: a = 0.2 (f <= 1), rising to 0.4 at f = 2.5, 0.4 to f = 4.5, falling by
    // 0.1 per unit of f to 0.25 at f = 6, then 0.25.
    const std::pair<double, double> cases[] = {
        {100, 1.2}, {200, 1.2}, {50, 1.0 + 0.2 + 1.0 * 0.2 / 1.5},          {40, 1.4},
        {25, 1.4},  {20, 1.35}, {18, 1.0 + 0.4 - (100.0 / 18 - 4.5) * 0.1}, {16, 1.25},
        {10, 1.25},
    };
    for (auto [L, D] : cases) {
        CLoadModel lm = LaneModel(BR_ABDC_DLA);
        lm.AdjustToBridge(Bridge(L), status);
        EXPECT_NEAR(lm.m_gDLA.value, D, 1e-12) << L;
        EXPECT_NEAR(lm.GetABDCDLA(Bridge(L)), D, 1e-12) << L;
    }
    auto lines = status.TakeStatusLines();
    ASSERT_EQ(lines.size(), std::size(cases));
    EXPECT_EQ(lines[2], L"LM: ABDC DLA: 0.333");
    EXPECT_EQ(lines[5], L"LM: ABDC DLA: 0.350");
}

std::vector<double> Locations(const CLoadModel& lm)
{
    std::vector<double> v;
    for (const auto& p : lm.m_vPL)
        v.push_back(p.location);
    return v;
}

TEST(BridgeRules, NAASRAExtraAxleFollowsTheSpanArrangement)
{
    StatusLines status;
    CLoadModel lm(1, L"LM");
    lm.AddPointLoad(150, 0, 2);
    lm.m_lmBridge = BR_NAASRA_PL;
    lm.m_bAppliesR = false;
    lm.Update();

    lm.AdjustToBridge(Bridge(20, BC_TWOSPAN), status); // extra axle a span behind: +20, then shifted
    EXPECT_EQ(Locations(lm), (std::vector<double>{-20, 0}));
    EXPECT_EQ(lm.m_nPL, 2u);
    EXPECT_EQ(lm.m_nLoads, 2u);
    EXPECT_DOUBLE_EQ(lm.m_Length, 20);
    EXPECT_EQ(lm.m_vPL[1].magnitude, 150);

    lm.AdjustToBridge(Bridge(25, BC_TWOSPAN), status); // the earlier extra axle is cut away first
    EXPECT_EQ(Locations(lm), (std::vector<double>{-25, 0}));

    lm.AdjustToBridge(Bridge(40, BC_THREESPAN), status); // 0.875 * 40 = 35
    EXPECT_EQ(Locations(lm), (std::vector<double>{-35, 0}));

    // One span: nothing appended. The kept axle already stands behind 0, so the update
    // leaves it where it is.
    lm.AdjustToBridge(Bridge(40), status);
    EXPECT_EQ(Locations(lm), (std::vector<double>{-35}));
    EXPECT_EQ(lm.m_nPL, 1u);
    EXPECT_EQ(status.TakeStatusLines(), std::vector<std::wstring>(4, L"LM: NAASRA additional point load added"));

    // A model not yet updated is not shifted.
    CLoadModel raw(2, L"Raw");
    raw.AddPointLoad(150, 0, 2);
    raw.m_lmBridge = BR_NAASRA_PL;
    raw.m_bAppliesR = false;
    raw.AdjustToBridge(Bridge(20, BC_TWOSPAN), status);
    EXPECT_EQ(Locations(raw), (std::vector<double>{0, 20}));
    status.TakeStatusLines();

    // For reactions: only the first axle is kept, nothing added, nothing posted.
    CLoadModel r(3, L"R");
    r.AddPointLoad(150, 0, 2);
    r.AddPointLoad(150, -5, 2);
    r.m_lmBridge = BR_NAASRA_PL;
    r.Update();
    r.AdjustToBridge(Bridge(20, BC_TWOSPAN), status);
    EXPECT_EQ(Locations(r), (std::vector<double>{0}));
    EXPECT_EQ(r.m_nPL, 1u);
    EXPECT_EQ(r.m_nLoads, 1u);
    EXPECT_TRUE(status.TakeStatusLines().empty());
}

TEST(BridgeRules, CombinedRulesRunBothPartsInOrder)
{
    StatusLines status;
    CLoadModel a = LaneModel(BR_A36_UDL_DLA);
    a.AdjustToBridge(Bridge(60), status);
    EXPECT_NEAR(a.m_vUDL[0].magnitude, 1.49 - 29.52 / 102.28, 1e-12);
    EXPECT_NEAR(a.m_gDLA.value, 1.16, 1e-12);
    EXPECT_EQ(a.m_Gamma, 1.0); // recomputed by the analysis, not here
    auto lines = status.TakeStatusLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(L"LM: A36 UDL: ", 0), 0u);
    EXPECT_EQ(lines[1], L"LM: A36/NAASRA DLA: 0.160");

    for (BridgeRule rule : {BR_NAASRA_PL_A36_DLA, BR_NAASRA_PL_ABDC_DLA}) {
        CLoadModel p = LaneModel(rule);
        p.AdjustToBridge(Bridge(20, BC_TWOSPAN), status);
        EXPECT_EQ(p.m_nPL, 2u);
        const double D = rule == BR_NAASRA_PL_A36_DLA ? 1.0 + 16.0 / 60.0 : 1.35;
        EXPECT_NEAR(p.m_gDLA.value, D, 1e-12);
        lines = status.TakeStatusLines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], L"LM: NAASRA additional point load added");
    }

    for (int none : {8, 9, -1}) {
        CLoadModel n = LaneModel(static_cast<BridgeRule>(none));
        n.AdjustToBridge(Bridge(60), status);
        EXPECT_EQ(n.m_vUDL[0].magnitude, 1.0);
        EXPECT_EQ(n.m_gDLA.value, 1.0);
        EXPECT_EQ(n.m_nPL, 1u);
    }
    EXPECT_TRUE(status.TakeStatusLines().empty());
}

TEST(BridgeRules, DynamicAllowancesOverABridgeSet)
{
    CBridgeSet set(0, L"Set", 3, BC_ONESPAN, 10, 60); // spans 10, 35, 60
    auto set_ptr = std::make_shared<CBridgeSet>(set);
    CLoadModel lm = LaneModel(BR_A36_DLA);
    std::vector<double> d = lm.GetDLAs(set_ptr);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[0], 1.3, 1e-12);
    EXPECT_NEAR(d[1], 1.0 + 16.0 / 75.0, 1e-12);
    EXPECT_NEAR(d[2], 1.16, 1e-12);

    lm.m_lmBridge = BR_NAASRA_PL_ABDC_DLA;
    d = lm.GetDLAs(set_ptr);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[0], 1.25, 1e-12);
    EXPECT_NEAR(d[1], 1.4, 1e-12);                                // f = 2.857
    EXPECT_NEAR(d[2], 1.2 + (100.0 / 60 - 1) * 0.2 / 1.5, 1e-12); // f = 1.667

    for (BridgeRule r : {BR_NAASRA_PL, BR_A36_UDL, BR_BS5400_UDL, BR_NONE}) {
        lm.m_lmBridge = r;
        lm.m_gDLA.value = 1.4;
        EXPECT_EQ(lm.GetDLAs(set_ptr), std::vector<double>(3, 1.4));
    }
}

// A field the replay of a bridge range did not compare would let a bridge start from a
// model that one thread never gives it. Each row changes what a rule or the update writes,
// by as little as a rounding where it is a number.
TEST(LoadModelRunState, EveryFieldARuleWritesCountsInTheCompare)
{
    using State = LoadModelRunState;
    struct Row {
        const char* name;
        void (*change)(State&);
    };
    const Row rows[] = {
        {"product of the factors", [](State& s) { s.m_Gamma = std::nextafter(s.m_Gamma, 2.0); }},
        {"dynamic load allowance", [](State& s) { s.m_gDLA.value = std::nextafter(s.m_gDLA.value, 2.0); }},
        {"lane load", [](State& s) { s.m_vUDL[0].magnitude = std::nextafter(s.m_vUDL[0].magnitude, 2.0); }},
        {"lane load factor", [](State& s) { s.m_vUDL[0].gamma = 2.0; }},
        {"lane taken away", [](State& s) { s.m_vPUDL[0].magnitude = -1.39692; }},
        {"start of the gap", [](State& s) { s.m_vPUDL[0].location -= 8.0; }},
        {"length of the gap", [](State& s) { s.m_vPUDL[0].cover = 12.0; }},
        {"gap factor", [](State& s) { s.m_vPUDL[0].gamma = 2.0; }},
        {"added axle", [](State& s) { s.m_vPL.push_back(s.m_vPL[0]); }},
        {"axle location", [](State& s) { s.m_vPL[0].location = std::nextafter(s.m_vPL[0].location, -1.0); }},
        {"axle load", [](State& s) { s.m_vPL[0].magnitude = 150.0; }},
        {"axle factor", [](State& s) { s.m_vPL[0].gamma = 2.0; }},
        {"axle width", [](State& s) { s.m_vPL[0].width = 2.5; }},
        {"axle count", [](State& s) { ++s.m_nPL; }},
        {"load count", [](State& s) { ++s.m_nLoads; }},
        {"length", [](State& s) { s.m_Length = 18.0; }},
        {"front", [](State& s) { s.m_MaxLocation = 8.0; }},
        {"rear", [](State& s) { s.m_MinLocation = -18.0; }},
        {"updated", [](State& s) { s.m_bIsUpdated = !s.m_bIsUpdated; }},
        {"moving", [](State& s) { s.m_bIsMoving = !s.m_bIsMoving; }},
    };
    CLoadModel lm = LaneModel(BR_NAASRA_PL);
    const State base = lm.RunState();
    for (const Row& row : rows) {
        State changed = base;
        row.change(changed);
        EXPECT_FALSE(changed == base) << row.name;
        lm.RestoreRunState(changed);
        EXPECT_TRUE(lm.RunState() == changed) << row.name;
        lm.RestoreRunState(base);
        EXPECT_TRUE(lm.RunState() == base) << row.name;
    }
    EXPECT_EQ(lm.m_ID, 1);
    EXPECT_EQ(lm.m_Description, L"LM"); // not part of a run
}

// The NAASRA rule leaves a model shaped by the last bridge it ran on, and the next bridge
// starts from that shape; a state taken before the run puts the model back as it was.
TEST(LoadModelRunState, ARestoredModelRunsAsBeforeItsRuleChangedIt)
{
    auto run = [](const std::shared_ptr<CBridge>& bridge, const std::shared_ptr<CLoadModel>& lm) {
        return CMovingLoadAnalysis(bridge, lm, qeltest::TestOptions())
            .Analyse(Stepping{.bByStep = true, .step = 0.5, .nSteps = 0}, CAnalysisFeedback::None());
    };
    const auto longBridge = Bridge(30, BC_TWOSPAN);
    const auto shortBridge = Bridge(8, BC_TWOSPAN);
    auto lm = std::make_shared<CLoadModel>(LaneModel(BR_NAASRA_PL));
    auto fresh = std::make_shared<CLoadModel>(*lm);
    const LoadModelRunState before = lm->RunState();

    // On 2 x 30 m the copy of the axle goes 30 m ahead and becomes the front: axle at -30,
    // copy at 0, gap -40..-30.
    run(longBridge, lm);
    EXPECT_EQ(Locations(*lm), (std::vector<double>{-30, 0}));
    EXPECT_EQ(lm->m_Length, 40.0);

    // Carried on to 2 x 8 m the copy stands at -22, behind the front at 0: still 40 m long,
    // where the fresh model is 8 m of axles and the 10 m gap behind them, 18 m.
    auto carried = std::make_shared<CLoadModel>(*lm);
    const auto fromCarried = run(shortBridge, carried);
    const auto expected = run(shortBridge, fresh);
    EXPECT_EQ(Locations(*carried), (std::vector<double>{-30, -22}));
    EXPECT_EQ(carried->m_Length, 40.0);
    EXPECT_EQ(fresh->m_Length, 18.0);
    EXPECT_GT(fromCarried->m_nAnalyses, expected->m_nAnalyses); // 22 m more to drive over

    lm->RestoreRunState(before);
    const auto restored = run(shortBridge, lm);
    fastcases::ExpectSameResults(*restored, *expected, {{lm.get(), fresh.get()}}, "restored");
    EXPECT_TRUE(lm->RunState() == fresh->RunState());
}

}
