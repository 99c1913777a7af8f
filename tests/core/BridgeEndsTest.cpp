// What happens where the loads come onto and leave the bridge: an axle standing on an end
// support, and a partial load that reaches ahead of (or, reversed, behind) the rest of its
// model. Expected values by the three-moment equation, worked next to each test; both
// calculation paths must give them bit for bit.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FastPathCases.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/beam/Beam.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "TestOptions.h"

using fastcases::SameBits;

namespace {

std::shared_ptr<CBridge> Custom(std::vector<double> spans, std::vector<double> eiRatios = {})
{
    auto bridge = std::make_shared<CBridge>(1, L"Custom", BC_CUSTOM, spans.front());
    bridge->m_vSpans = std::move(spans);
    bridge->SetupBeam();
    for (size_t i = 0; i < eiRatios.size(); ++i)
        bridge->GetBeam()->m_vEI[i] *= eiRatios[i];
    return bridge;
}

struct Run {
    std::shared_ptr<CLoadModel> lm;
    std::shared_ptr<CEnvelopeResults> res;
};

Run RunOn(AnalysisPath path, const std::shared_ptr<CBridge>& bridge, const CLoadModel& model, double step, int nPoints)
{
    Run r{std::make_shared<CLoadModel>(model), nullptr};
    AnalysisOptions options = qeltest::TestOptions(path);
    options.nPointsPerSpan = nPoints;
    CMovingLoadAnalysis a(bridge, r.lm, options);
    int n = 0;
    r.res = a.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
    return r;
}

// Both paths, which must agree entry for entry; the fast path's results are returned.
std::shared_ptr<CEnvelopeResults> RunBoth(const std::shared_ptr<CBridge>& bridge, const CLoadModel& model, double step,
                                          int nPoints, const std::string& what)
{
    const Run literal = RunOn(AnalysisPath::Literal, bridge, model, step, nPoints);
    const Run fast = RunOn(AnalysisPath::Fast, bridge, model, step, nPoints);
    fastcases::ExpectSameResults(*literal.res, *fast.res, {{literal.lm.get(), fast.lm.get()}}, what);
    return fast.res;
}

const PointLoadEffect& AtStation(const std::vector<PointLoadEffect>& side, double x)
{
    for (const PointLoadEffect& e : side)
        if (std::abs(e.xBeam - x) < 1e-9)
            return e;
    throw std::logic_error("no such station");
}

CLoadModel Tandem()
{
    CLoadModel lm(1, L"Tandem");
    lm.AddPointLoad(300.0, 0.0, 0.0);
    lm.AddPointLoad(300.0, -1.2, 0.0);
    return lm;
}

} // namespace

// A 2 x 300 kN tandem (axles 1.2 m apart) on spans 1.5 + 24 m, EI constant, rear axle on
// the left end support and front axle 1.2 m in (a = 1.2, b = 0.3 on span 1). Three moments
// at the middle support, ends pinned:
//   2 M1 (L1 + L2) = -P a b (L1 + a) / L1  ->  M1 = -300 x 1.2 x 0.3 x 2.7 / (1.5 x 51) = -3.8118 kNm
// and R0 = P (rear axle, on the support) + P b / L1 + M1 / L1 = 300 + 60 - 2.5412 = 357.459 kN.
TEST(BridgeEnds, TandemWithAnAxleOnTheEndSupportOfAShortSpan)
{
    const double P = 300.0, a = 1.2, L1 = 1.5, L2 = 24.0, b = L1 - a;
    const double M1 = -P * a * b * (L1 + a) / L1 / (2.0 * (L1 + L2));
    const double R0 = P + P * b / L1 + M1 / L1;
    EXPECT_NEAR(R0, 357.459, 1e-3);

    auto res = RunBoth(Custom({L1, L2}), Tandem(), 0.1, 20, "tandem forwards");
    EXPECT_NEAR(res->m_vCritReaction[0].max.val, R0, 0.01);
    EXPECT_NEAR(res->m_vCritReaction[0].max.xLoadModel, a, 1e-9); // the front axle 1.2 m in

    // Reversed the tandem is the same, and the right end of 24 + 1.5 m mirrors the left.
    CLoadModel reversed = Tandem();
    reversed.m_Direction = TD_REVERSE;
    auto mirrored = RunBoth(Custom({L2, L1}), reversed, 0.1, 20, "tandem reversed");
    EXPECT_NEAR(mirrored->m_vCritReaction[2].max.val, R0, 0.01);
}

// One axle P stepped over a single span: on each end support it bears on that support
// alone, so each end reaction reaches P exactly (P (L - a) / L at a = 0).
TEST(BridgeEnds, SingleAxleGivesEachEndReactionItsWholeLoad)
{
    CLoadModel axle(1, L"Axle");
    axle.AddPointLoad(100.0, 0.0, 0.0);
    for (double L : {1.0, 1.5, 20.0}) {
        auto res = RunBoth(Custom({L}), axle, 0.5, 20, "span " + std::to_string(L));
        EXPECT_TRUE(SameBits(res->m_vCritReaction[0].max.val, 100.0)) << L;
        EXPECT_TRUE(SameBits(res->m_vCritReaction[1].max.val, 100.0)) << L;
    }
}

// 20 kN/m over 6 m on 3 x 20 m, EI 1 : 10 : 1, covering [0, c = 4.8] of span 1. Simply
// supported span 1: RA = w c (L - c/2) / L = 84.48, RB = w c^2 / (2L) = 11.52, and
// I = integral of M0 x dx over the span = RA c^3/3 - w c^4/8 + RB (L^3/6 - L c^2/2 + c^3/3).
// Three moments with L/EI = 20, 2, 20 (span 2 and 3 unloaded, M0 = M3 = 0):
//   2 M1 (20 + 2) + 2 M2 = -6 I / 20,   2 M1 + 2 M2 (2 + 20) = 0
// and V(c) = RA + M1 / L - w c = -16.6161 kN.
TEST(BridgeEnds, PatchEnteringAndLeavingTheBridge)
{
    const double w = 20.0, c = 4.8, L = 20.0;
    const double RA = w * c * (L - c / 2) / L, RB = w * c * c / (2 * L);
    const double I = RA * c * c * c / 3 - w * c * c * c * c / 8 + RB * (L * L * L / 6 - L * c * c / 2 + c * c * c / 3);
    const double f1 = 20.0, f2 = 2.0, f3 = 20.0; // L / EI, span by span
    // M2 = -M1 f2 / (2 (f2 + f3)) from the second equation, into the first.
    const double M1 = (-6.0 * I / f1) / (2.0 * (f1 + f2) - f2 * f2 / (2.0 * (f2 + f3)));
    const double V = RA + M1 / L - w * c;
    EXPECT_NEAR(V, -16.6161, 1e-4);

    CLoadModel patch(1, L"Patch");
    patch.AddPartialUDL(w, 0.0, 6.0);
    auto bridge = Custom({L, L, L}, {1.0, 10.0, 1.0});
    // 100 points a span: a station every 0.2 m, 4.8 and 55.2 among them.
    auto fwd = RunBoth(bridge, patch, 0.1, 100, "patch forwards");
    EXPECT_NEAR(AtStation(fwd->GetEnvSFD()->m_vMin, c).val, V, 0.01);

    // Reversed, leaving over the right end: the mirror image, V(60 - c) = +16.6161 kN.
    patch.m_Direction = TD_REVERSE;
    auto rev = RunBoth(bridge, patch, 0.1, 100, "patch reversed");
    EXPECT_NEAR(AtStation(rev->GetEnvSFD()->m_vMax, 3 * L - c).val, -V, 0.01);
}

// A patch reaching 8 m ahead of the vehicle's front axle is part of the model's length, so
// that the run starts and ends with all of it off the bridge.
TEST(BridgeEnds, PatchAheadOfTheFrontAxleStartsAndEndsOffTheBridge)
{
    CLoadModel lm(1, L"Axle and patch");
    lm.AddPointLoad(100.0, 0.0, 0.0);
    lm.AddPartialUDL(10.0, -2.0, 10.0); // covers -2 to 8
    for (TravelDirection dir : {TD_FORWARD, TD_REVERSE}) {
        lm.m_Direction = dir;
        auto res = RunBoth(Custom({20.0}), lm, 0.5, 20, dir == TD_FORWARD ? "forwards" : "reversed");
        EXPECT_DOUBLE_EQ(res->GetEnvReaction(0)->GetLoadPositions().front(), -0.5);
        for (int k = 0; k < 2; ++k) {
            const std::vector<double> r = res->GetEnvReaction(k)->GetValues(true);
            EXPECT_EQ(r.front(), 0.0) << "first position, reaction " << k;
            EXPECT_EQ(r.back(), 0.0) << "last position, reaction " << k;
        }
        // 10 x 10 = 100 kN of patch and the 100 kN axle: the left reaction reaches
        // 100 (axle on the support) + 10 x 8 x 16/20 = 164 kN when the patch covers 0 to 8
        // forwards; reversed the patch trails and covers 0 to 2 behind the axle standing on the
        // support: 100 + 10 x 2 x 19/20 = 119 kN, or more as the patch (10 m) comes fully on.
        EXPECT_GE(res->m_vCritReaction[0].max.val, 119.0 - 1e-9);
    }
    lm.m_Direction = TD_FORWARD;
    lm.Update();
    EXPECT_DOUBLE_EQ(lm.m_Length, 10.0);
}

// The HA + HB vehicle loses its lane load from 25 m behind the last HB axle to 25 m ahead of
// the first; that zone is the whole model, so the model enters and leaves the bridge whole.
TEST(BridgeEnds, HBClearZoneSpansTheWholeModel)
{
    CLMEFactory f;
    auto lme = f.GetBS5400_HAHB(45);
    for (int i = 0; i < lme->m_nLoadModels; ++i) {
        CLoadModel& lm = *lme->GetLoadModel(i);
        lm.Update();
        ASSERT_EQ(lm.m_nPUDL, 1u);
        const double first = lm.m_vPL.front().location, last = lm.m_vPL.back().location;
        const double start = lm.m_vPUDL[0].location, end = start + lm.m_vPUDL[0].cover;
        EXPECT_NEAR(start, last - 25.0, 1e-9);
        EXPECT_NEAR(end, first + 25.0, 1e-9);
        EXPECT_NEAR(lm.m_Length, end - start, 1e-9);
        EXPECT_NEAR(end, 0.0, 1e-9); // the model's front
    }
}
