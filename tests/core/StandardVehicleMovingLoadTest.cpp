#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
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
        auto env = mla.Analyse(true, nSteps, step, nullptr);
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

}
