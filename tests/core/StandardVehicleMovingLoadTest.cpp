#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "AnalysisTestUtil.h"
#include "TestOptions.h"

namespace {

// Standard vehicles driven across a 20 m simple span at 0.1 m steps; stations every 0.2 m.
struct MovingCase {
    const char* what;
    std::shared_ptr<CLoadModel> (*model)(CLMEFactory&);
    double midspanMax; // largest moment at the 10.0 m station
    double globalMax;  // largest moment anywhere on the span
};

// LM1: two 300 kN axles 1.2 m apart and 27 kN/m, no factors.
//  Midspan: one axle on 10.0, the other 1.2 m away (ordinate 4.4): 300 (5 + 4.4) + 27 x 20^2/8 = 4170.
//  Anywhere: with an axle at x and the other at x - 1.2,
//  M(x) = 15 (20 - x)(2x - 1.2) + 13.5 x (20 - x), dM/dx = 888 - 87x = 0 at x = 10.207;
//  the nearest stations 9.8 and 10.2 give 15 x 9.8 x 19.2 + 13.5 x 10.2 x 9.8 = 4171.86.
// HL93: 35, 145, 145 kN 4.3 m apart, axles x 1.33, 9.3 kN/m.
//  Midspan: middle axle on 10.0, the others at 5.7 and 14.3 (ordinates 2.85):
//  (35 x 2.85 + 145 x 5 + 145 x 2.85) x 1.33 + 9.3 x 50 = 2111.54; the other order
//  (145 on 10.0, 145 at 14.3, 35 at 18.6) gives less: 1162.75 x 1.33 + 465.
//  Anywhere: the middle axle at x, the others at x + 4.3 (35 kN) and x - 4.3:
//  M = 1.33 [35 x (15.7 - x) + 145 x (20 - x) + 145 (x - 4.3)(20 - x)] / 20 + 4.65 x (20 - x)
//    = 1.33 (6973 x - 325 x^2 - 12470) / 20 + 4.65 x (20 - x),
//  dM/dx = 463.70 + 93 - 52.525 x = 0 at x = 10.599, a station:
//  1.33 (6973 x 10.6 - 325 x 10.6^2 - 12470) / 20 + 4.65 x 10.6 x 9.4 = 2120.96.
//  (The rear axle leading over the station gives at most 2046.)
std::vector<MovingCase> Cases()
{
    return {
        {"LM1", [](CLMEFactory& f) { return f.GetEurocode_LM1()->GetLoadModel(0); }, 4170.0, 4171.86},
        {"HL93", [](CLMEFactory& f) { return f.GetAASHTO_HL93()->GetLoadModel(0); },
         (35 * 2.85 + 145 * 5 + 145 * 2.85) * 1.33 + 9.3 * 50,
         1.33 * (6973 * 10.6 - 325 * 10.6 * 10.6 - 12470) / 20 + 4.65 * 10.6 * 9.4},
    };
}

TEST(StandardVehicleMovingLoad, MomentEnvelopeOnATwentyMetreSpanMatchesHandStatics)
{
    CLMEFactory f;
    auto bridge = CBridge::Create(0, L"20 m", BC_ONESPAN, 20.0);
    for (const MovingCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        auto lm = c.model(f);
        CMovingLoadAnalysis mla(bridge, lm, qeltest::TestOptions());
        int nSteps = 0;
        double step = 0.1;
        auto env = mla.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
        ASSERT_TRUE(env && env->HasEnvelopes());
        auto bmd = env->GetEnvBMD();
        const std::vector<double> x = bmd->GetStations(true);
        const std::vector<double> m = bmd->GetValues(true);
        double atMid = -1e300, anywhere = -1e300;
        for (size_t i = 0; i < x.size(); ++i) {
            if (std::fabs(x[i] - 10.0) < 1e-9)
                atMid = std::max(atMid, m[i]);
            anywhere = std::max(anywhere, m[i]);
        }
        EXPECT_NEAR(atMid, c.midspanMax, 1e-6 * c.midspanMax);
        EXPECT_NEAR(anywhere, c.globalMax, 1e-6 * c.globalMax);
        EXPECT_NEAR(bmd->GetMaxEffect().val, c.globalMax, 1e-6 * c.globalMax);
        EXPECT_EQ(bmd->GetMaxEffect().pLM, lm);
    }
}

// The whole NAASRA 1976 family as Insert adds it (10 spacings S of 3 m to 8 m) on a 20 m
// span. The largest shear is next to a support: the T44 truck with S = 3 m, axles of 48 kN
// and 4 x 96 kN at 0, 3.7, 4.9, 7.9 and 9.1 m behind the front, its rear axle entering first.
// With an axle within 1 mm of the support bearing on it, the shear just right of the left
// support is the left reaction, V = sum P (L - a) / L, a being each axle's distance from it;
// the truck counts for reactions too, so its allowance is 0.1.
//  At a step of 0.05 m the rear axle stops 0.05 m in, the others at 1.25, 4.25, 5.45, 9.15:
//  1.1 [96 (19.95 + 18.75 + 15.75 + 14.55) + 48 x 10.85] / 20 = 392.964 kN.
//  The default 20 steps move the truck by 1 m, shortened only where an axle reaches an event
//  point, 1 m inside a support: the rear axle stands 0.8 m in, then on the event point. At
//  0.8 m (the others at 2.0, 5.0, 6.2, 9.9): 1.1 [96 (19.2 + 18 + 15 + 13.8) + 48 x 10.1] / 20
//  = 375.144 kN. The lane load for shear, 12.5 kN/m and 154 kN with an allowance of 16 / 60,
//  reaches (125 + 154 x 19.95 / 20) x 1.2667 = 352.9 kN at most: the truck governs both.
// The left reaction is largest with the rear axle on the support, bearing on it whole:
//  1.1 [96 (20 + 18.8 + 15.8 + 14.6) + 48 x 10.9] / 20 = 394.152 kN, which the fine step
//  reaches; the 20 steps never put an axle there and give the 375.144 kN of the shear.
TEST(StandardVehicleMovingLoad, SupportShearNeedsAFineStepEventPointsLieOneMetreIn)
{
    CLMEFactory f;
    auto bridge = CBridge::Create(0, L"20 m", BC_ONESPAN, 20.0);
    auto lme = f.GetNAASRA1976(false, 10.0);
    struct Case {
        const char* what;
        bool bByStep;
        int nSteps;
        double step;
        double shear;
        double reaction;
    } cases[] = {
        {"20 steps", false, 20, 0.0, 1.1 * (96 * (19.2 + 18 + 15 + 13.8) + 48 * 10.1) / 20,
         1.1 * (96 * (19.2 + 18 + 15 + 13.8) + 48 * 10.1) / 20},
        {"0.05 m", true, 0, 0.05, 1.1 * (96 * (19.95 + 18.75 + 15.75 + 14.55) + 48 * 10.85) / 20,
         1.1 * (96 * (20 + 18.8 + 15.8 + 14.6) + 48 * 10.9) / 20},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
        auto env =
            runner.Run(Stepping{.bByStep = c.bByStep, .step = c.step, .nSteps = c.nSteps}, CAnalysisFeedback::None());
        ASSERT_TRUE(env && env->HasEnvelopes());
        const PointLoadEffect v = env->GetEnvSFD()->GetMaxEffect();
        EXPECT_NEAR(v.val, c.shear, 1e-6 * c.shear);
        EXPECT_NEAR(v.xBeam, 0.0, 1e-9);
        EXPECT_EQ(v.GetLoadModelName(), L"T44 truck: S = 3.000");
        const PointLoadEffect r = env->GetEnvReaction(0)->GetMaxEffect();
        EXPECT_NEAR(r.val, c.reaction, 1e-6 * c.reaction);
        EXPECT_EQ(r.GetLoadModelName(), L"T44 truck: S = 3.000");
    }
    EXPECT_NEAR(cases[0].shear, 375.144, 1e-9);
    EXPECT_NEAR(cases[1].shear, 392.964, 1e-9);

    // The same for one 100 kN axle on the span: V = P (L - a) / L, 95 kN with the axle on the
    // event point at a = 1 m whatever the step of 1 m, 99.75 kN at a = 0.05 m.
    auto axle = qeltest::PointLoad(100.0, L"100 kN axle");
    for (const auto& [step, shear] : {std::pair{1.0, 95.0}, std::pair{0.05, 99.75}}) {
        SCOPED_TRACE(step);
        CMovingLoadAnalysis mla(bridge, axle, qeltest::TestOptions());
        int nSteps = 0;
        double s = step;
        auto env = mla.Analyse(Stepping{.bByStep = true, .step = s, .nSteps = nSteps}, CAnalysisFeedback::None());
        ASSERT_TRUE(env && env->HasEnvelopes());
        EXPECT_NEAR(env->GetEnvSFD()->GetMaxEffect().val, shear, 1e-9);
    }
}

}
