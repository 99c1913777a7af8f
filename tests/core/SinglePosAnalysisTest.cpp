#include <gtest/gtest.h>

#include <ctime>

#include <cmath>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/beam/LoadPL.h"
#include "core/beam/LoadPUDL.h"
#include "core/beam/LoadUDL.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "TestOptions.h"

namespace {

constexpr double kTol = 1e-6;

double Sum(const std::vector<double>& v)
{
    return std::accumulate(v.begin(), v.end(), 0.0);
}

std::vector<double> Moments(const CBeamResults& r)
{
    std::vector<double> x, m;
    r.GetResults(x, m, BRT_MOMENT);
    return m;
}

void ExpectNear(const std::vector<double>& a, const std::vector<double>& b, double tol = kTol)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], tol) << i;
}

// The same beam solved directly under the loads we expect the analysis to build.
CBeamResults Direct(const std::shared_ptr<CBridge>& bridge, std::vector<CLoad*> loads)
{
    return CBeamAnalysis(*bridge->GetBeam(), std::move(loads), qeltest::TestPoints()).Analyse();
}

std::shared_ptr<CLoadModel> PartialModel(double location, double cover, double w = 10.0)
{
    // A partial load alone; after Update its end is the reference point.
    auto lm = std::make_shared<CLoadModel>(1, L"P");
    lm->AddPartialUDL(w, location, cover);
    return lm;
}

TEST(SinglePosAnalysis, PartialLoadIsSplitSpanBySpan)
{
    auto bridge = CBridge::Create(0, L"2x20", BC_TWOSPAN, 20);
    // Partial load ending at location 0 after Update; standing at position p it covers [p - c, p].
    {
        // 5 to 25: (span 0, from 5, length 15) and (span 1, from 0, length 5).
        auto lm = PartialModel(0, 20);
        auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(25.0, CAnalysisFeedback::None());
        CLoadPUDL a(0, 10, 5, 15), b(1, 10, 0, 5);
        CBeamResults d = Direct(bridge, {&a, &b});
        ExpectNear(r->m_vReactions, d.m_vReactions);
        ExpectNear(Moments(*r), Moments(d));
        EXPECT_NEAR(Sum(r->m_vReactions), 10 * 20, kTol); // the whole load reaches the supports
    }
    {
        // -5 to 45 covers both spans: a uniform load on each; by symmetry 3wL/8, 10wL/8, 3wL/8.
        auto lm = PartialModel(0, 50);
        auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(45.0, CAnalysisFeedback::None());
        ExpectNear(r->m_vReactions, {75.0, 250.0, 75.0});
    }
    {
        // -5 to 3: only 0 to 3 on span 0.
        auto lm = PartialModel(0, 8);
        auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(3.0, CAnalysisFeedback::None());
        CLoadPUDL a(0, 10, 0, 3);
        ExpectNear(r->m_vReactions, Direct(bridge, {&a}).m_vReactions);
        EXPECT_NEAR(Sum(r->m_vReactions), 30, kTol);
    }
    {
        // Starting exactly on the middle support, 20 to 30: all of it on span 1.
        auto lm = PartialModel(0, 10);
        auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(30.0, CAnalysisFeedback::None());
        CLoadPUDL a(1, 10, 0, 10);
        ExpectNear(r->m_vReactions, Direct(bridge, {&a}).m_vReactions);
    }
    {
        // Wholly off the beam, ahead or behind: nothing.
        for (double p : {-22.0, 48.5}) {
            auto r = CSinglePosAnalysis(bridge, PartialModel(0, 8), qeltest::TestOptions())
                         .Analyse(p, CAnalysisFeedback::None());
            ExpectNear(r->m_vReactions, {0, 0, 0});
        }
    }
}

TEST(SinglePosAnalysis, ThreeSpanPartialLoadOverAWholeMiddleSpan)
{
    // Spans 15, 20, 15: a partial load from 10 to 40 covers 10-15, all of span 1, 35-40.
    auto bridge = CBridge::Create(0, L"3", BC_THREESPAN, 20);
    auto r = CSinglePosAnalysis(bridge, PartialModel(0, 30, 4.0), qeltest::TestOptions())
                 .Analyse(40.0, CAnalysisFeedback::None());
    CLoadPUDL a(0, 4, 10, 5), c(2, 4, 0, 5);
    CLoadUDL b(1, 4);
    ExpectNear(r->m_vReactions, Direct(bridge, {&a, &b, &c}).m_vReactions);
    EXPECT_NEAR(Sum(r->m_vReactions), 120, kTol);
}

TEST(SinglePosAnalysis, PointLoadsOnASimpleSpanByStatics)
{
    auto bridge = CBridge::Create(0, L"20", BC_ONESPAN, 20);
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    lm->AddPointLoad(100, 0, 2);
    lm->AddPointLoad(50, -10, 2);
    CSinglePosAnalysis spa(bridge, lm, qeltest::TestOptions());

    // Forward at 15: 100 at 15, 50 at 5. R0 = 100*5/20 + 50*15/20 = 62.5, R1 = 87.5.
    auto r = spa.Analyse(15.0, CAnalysisFeedback::None());
    EXPECT_TRUE(lm->m_bIsUpdated);
    ExpectNear(r->m_vReactions, {62.5, 87.5});

    // Reversed (length 10): the load at 0 acts at 15 - 10 = 5, the one at -10 at 15.
    lm->m_Direction = TD_REVERSE;
    r = spa.Analyse(15.0, CAnalysisFeedback::None());
    ExpectNear(r->m_vReactions, {87.5, 62.5});
    EXPECT_TRUE(spa.m_vLoads.empty());
}

TEST(SinglePosAnalysis, ReversedPartialLoadCoversItsMirrorImage)
{
    // Axles (of no weight) at 0 and -10 give the length 10; the partial load covers -8 to
    // -5 forwards and -5 to -2 reversed (x -> -10 - x). At position 15 on a 20 m span:
    // forwards 7 to 10, reversed 10 to 13; 30 kN at 8.5 or 11.5.
    auto bridge = CBridge::Create(0, L"20", BC_ONESPAN, 20);
    auto lm = std::make_shared<CLoadModel>(1, L"V");
    lm->AddPointLoad(0, 0, 2);
    lm->AddPointLoad(0, -10, 2);
    lm->AddPartialUDL(10, -8, 3);
    CSinglePosAnalysis spa(bridge, lm, qeltest::TestOptions());
    ExpectNear(spa.Analyse(15, CAnalysisFeedback::None())->m_vReactions, {30 * 11.5 / 20, 30 * 8.5 / 20});
    lm->m_Direction = TD_REVERSE;
    ExpectNear(spa.Analyse(15, CAnalysisFeedback::None())->m_vReactions, {30 * 8.5 / 20, 30 * 11.5 / 20});
}

TEST(SinglePosAnalysis, PointLoadWithinAMillimetreOfAnEndBearsOnThatSupportAlone)
{
    auto bridge = CBridge::Create(0, L"20", BC_ONESPAN, 20);
    auto lm = std::make_shared<CLoadModel>(1, L"Axle");
    lm->AddPointLoad(100, 0, 2);
    CSinglePosAnalysis spa(bridge, lm, qeltest::TestOptions());
    const std::vector<double> zeros(Moments(*spa.Analyse(10.0, CAnalysisFeedback::None())).size(), 0.0);
    struct Case {
        double p;
        std::vector<double> reactions;
    };
    // The whole axle on the support it stands on; the spans feel nothing of it.
    for (const Case& c : std::vector<Case>{{0.0, {100, 0}},
                                           {0.0005, {100, 0}},
                                           {0.0009, {100, 0}},
                                           {-0.0009, {100, 0}},
                                           {19.9991, {0, 100}},
                                           {19.9995, {0, 100}},
                                           {20.0, {0, 100}},
                                           {20.0009, {0, 100}},
                                           {-0.001, {0, 0}},
                                           {20.001, {0, 0}},
                                           {-3.0, {0, 0}},
                                           {25.0, {0, 0}}}) {
        SCOPED_TRACE(c.p);
        auto r = spa.Analyse(c.p, CAnalysisFeedback::None());
        ExpectNear(r->m_vReactions, c.reactions);
        ExpectNear(Moments(*r), zeros);
        std::vector<double> x, v;
        r->GetResults(x, v, BRT_SHEAR);
        ExpectNear(v, zeros);
    }
    // 2 mm in: almost all of it on the near support (100 * 19.998/20).
    ExpectNear(spa.Analyse(0.002, CAnalysisFeedback::None())->m_vReactions, {99.99, 0.01});
    // A position that is not a number puts no load on the beam, as one off the beam.
    const double nan = std::nan("");
    ExpectNear(spa.Analyse(nan, CAnalysisFeedback::None())->m_vReactions, {0, 0});
    ExpectNear(CSinglePosAnalysis(bridge, PartialModel(0, 8), qeltest::TestOptions())
                   .Analyse(nan, CAnalysisFeedback::None())
                   ->m_vReactions,
               {0, 0});
}

TEST(SinglePosAnalysis, BridgeWithoutABeamOrMissingInputIsRefused)
{
    // A bridge made by the default constructor has no beam yet: nothing to solve.
    auto lm = std::make_shared<CLoadModel>(1, L"Axle");
    lm->AddPointLoad(100, 0, 2);
    EXPECT_THROW(CSinglePosAnalysis(std::make_shared<CBridge>(), lm, qeltest::TestOptions()), std::invalid_argument);
    EXPECT_THROW(CSinglePosAnalysis(nullptr, lm, qeltest::TestOptions()), std::invalid_argument);
    EXPECT_THROW(CSinglePosAnalysis(CBridge::Create(0, L"20", BC_ONESPAN, 20), nullptr, qeltest::TestOptions()),
                 std::invalid_argument);
}

TEST(SinglePosAnalysis, FactorsScaleEveryLoadAndTheWidthFactorOnlyAxles)
{
    auto bridge = CBridge::Create(0, L"20", BC_ONESPAN, 20);
    auto lm = std::make_shared<CLoadModel>(1, L"M");
    lm->AddUDL(2.0);               // 40 over the span
    lm->AddPointLoad(100, 0, 2.0); // width 2: x 1.224
    lm->AddPartialUDL(3.0, -4, 4); // 12
    lm->m_WidthFactor = 1;
    lm->SetGammaUDL(1.5);                  // 60
    lm->SetPointLoad(0, 2.0, 100, 0, 2.0); // 244.8
    lm->m_gDLA.value = 1.3;
    lm->m_gUnits.value = 2.0;
    const double F = 2.6;
    auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(10.0, CAnalysisFeedback::None());
    EXPECT_DOUBLE_EQ(lm->m_Gamma, F);
    EXPECT_NEAR(Sum(r->m_vReactions), F * (60 + 244.8 + 12), 1e-6);
    // Moment at midspan: UDL wL^2/8 = 3*400/8 = 150; axle P L/4 = 244.8*5 = 1224;
    // partial 3 over 6-10: R1 = 12*8/20 = 4.8, M(10) = 4.8*10 = 48.
    std::vector<double> x, m;
    r->GetResults(x, m, BRT_MOMENT);
    bool found = false;
    for (size_t i = 0; i < x.size(); ++i)
        if (std::abs(x[i] - 10.0) < 1e-9) {
            EXPECT_NEAR(std::abs(m[i]), F * (150 + 1224 + 48), 1e-6);
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST(SinglePosAnalysis, EffectsTheModelDoesNotCountForAreZero)
{
    auto bridge = CBridge::Create(0, L"2x20", BC_TWOSPAN, 20);
    auto make = [] {
        auto lm = std::make_shared<CLoadModel>(1, L"M");
        lm->AddPointLoad(100, 0, 2);
        lm->AddPointLoad(100, -4, 2);
        return lm;
    };
    auto full = CSinglePosAnalysis(bridge, make(), qeltest::TestOptions()).Analyse(14.0, CAnalysisFeedback::None());
    std::vector<double> x, V, Vfull;
    full->GetResults(x, Vfull, BRT_SHEAR);

    auto noR = make();
    noR->m_bAppliesR = false;
    auto r = CSinglePosAnalysis(bridge, noR, qeltest::TestOptions()).Analyse(14.0, CAnalysisFeedback::None());
    ExpectNear(r->m_vReactions, {0, 0, 0});
    ExpectNear(Moments(*r), Moments(*full));
    r->GetResults(x, V, BRT_SHEAR);
    ExpectNear(V, Vfull);

    auto noBM = make();
    noBM->m_bAppliesBM = false;
    r = CSinglePosAnalysis(bridge, noBM, qeltest::TestOptions()).Analyse(14.0, CAnalysisFeedback::None());
    ExpectNear(Moments(*r), std::vector<double>(Moments(*full).size(), 0.0));
    ExpectNear(r->m_vReactions, full->m_vReactions);

    auto noSF = make();
    noSF->m_bAppliesSF = false;
    r = CSinglePosAnalysis(bridge, noSF, qeltest::TestOptions()).Analyse(14.0, CAnalysisFeedback::None());
    r->GetResults(x, V, BRT_SHEAR);
    ExpectNear(V, std::vector<double>(Vfull.size(), 0.0));
    ExpectNear(Moments(*r), Moments(*full));
}

TEST(SinglePosAnalysis, BeamLengthLimitsAreInclusive)
{
    auto lm = std::make_shared<CLoadModel>(1, L"M");
    lm->AddPointLoad(100, 0, 2);
    lm->m_bUseMaxL = true;
    lm->m_maxL = 30;
    auto at30 = CSinglePosAnalysis(CBridge::Create(0, L"", BC_ONESPAN, 30), lm, qeltest::TestOptions())
                    .Analyse(15, CAnalysisFeedback::None());
    ExpectNear(at30->m_vReactions, {50, 50});
    auto over = CSinglePosAnalysis(CBridge::Create(0, L"", BC_ONESPAN, 30.5), lm, qeltest::TestOptions())
                    .Analyse(15, CAnalysisFeedback::None());
    ExpectNear(over->m_vReactions, {0, 0});
    for (double m : Moments(*over))
        EXPECT_EQ(m, 0.0);

    lm->m_bUseMaxL = false;
    lm->m_bUseMinL = true;
    lm->m_minL = 30;
    ExpectNear(CSinglePosAnalysis(CBridge::Create(0, L"", BC_ONESPAN, 30), lm, qeltest::TestOptions())
                   .Analyse(15, CAnalysisFeedback::None())
                   ->m_vReactions,
               {50, 50});
    ExpectNear(CSinglePosAnalysis(CBridge::Create(0, L"", BC_ONESPAN, 29.5), lm, qeltest::TestOptions())
                   .Analyse(15, CAnalysisFeedback::None())
                   ->m_vReactions,
               {0, 0});
}

TEST(SinglePosAnalysis, BridgeRuleAndUpdateRunBeforeTheLoadsAreBuilt)
{
    auto bridge = CBridge::Create(0, L"10", BC_ONESPAN, 10);
    auto lm = std::make_shared<CLoadModel>(1, L"M");
    lm->AddPointLoad(100, 3, 2); // ahead of 0: Update moves it to 0
    lm->m_bAdjustToBridge = true;
    lm->m_lmBridge = BR_A36_DLA;
    lm->m_bAppliesR = false;
    lm->m_bAppliesBM = true;
    auto r = CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(5.0, CAnalysisFeedback::None());
    EXPECT_EQ(lm->m_vPL[0].location, 0);
    EXPECT_DOUBLE_EQ(lm->m_gDLA.value, 1.3); // 16/50 = 0.32 -> 0.3
    EXPECT_DOUBLE_EQ(lm->m_Gamma, 1.3);
    std::vector<double> x, m;
    r->GetResults(x, m, BRT_MOMENT);
    double mmax = 0;
    for (double v : m)
        mmax = std::max(mmax, std::abs(v));
    EXPECT_NEAR(mmax, 1.3 * 100 * 10 / 4, 1e-6); // PL/4 at midspan

    auto bad = std::make_shared<CLoadModel>(2, L"Bad");
    bad->AddPointLoad(100, 0, 2);
    bad->m_bAdjustToBridge = true;
    bad->m_lmBridge = BR_BS5400_UDL; // no uniform load to change
    CSinglePosAnalysis spa(bridge, bad, qeltest::TestOptions());
    EXPECT_THROW(spa.Analyse(5.0, CAnalysisFeedback::None()), std::out_of_range);
    EXPECT_TRUE(spa.m_vLoads.empty());
}

TEST(SinglePosAnalysis, EmptyModelGivesAnUnloadedBeam)
{
    auto bridge = CBridge::Create(0, L"2x20", BC_TWOSPAN, 20);
    auto r = CSinglePosAnalysis(bridge, std::make_shared<CLoadModel>(), qeltest::TestOptions())
                 .Analyse(10, CAnalysisFeedback::None());
    ExpectNear(r->m_vReactions, {0, 0, 0});
}

}

// The largest bridge allowed, 999 equal spans with P at the middle of the middle span: by
// symmetry the two supports of that span carry equal reactions, and all of them carry P.
// The stiffness is banded, so the solve is linear in the spans: well under a second of
// CPU even in a sanitizer build (the dense elimination took about 18 s in release).
TEST(SinglePosAnalysis, ALongBridgeSolvesInAMomentAndSymmetrically)
{
    auto bridge = std::make_shared<CBridge>(1, L"Long", BC_CUSTOM, 20.0);
    bridge->m_vSpans.assign(999, 20.0);
    bridge->SetupBeam();
    auto lm = std::make_shared<CLoadModel>(1, L"Axle");
    lm->AddPointLoad(100, 0, 2);
    const std::clock_t start = std::clock();
    auto r =
        CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(499 * 20.0 + 10.0, CAnalysisFeedback::None());
    const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_EQ(r->m_vReactions.size(), 1000u);
    EXPECT_NEAR(Sum(r->m_vReactions), 100.0, 1e-9);
    EXPECT_NEAR(r->m_vReactions[499], r->m_vReactions[500], 1e-9);
    EXPECT_NEAR(r->m_vReactions[498], r->m_vReactions[501], 1e-9);
    EXPECT_LT(cpu, 5.0);
}

// Spans whose stiffness terms overflow or underflow give no numbers to show: the position
// is refused with the names of the model and the bridge, never shown as "nan".
TEST(SinglePosAnalysis, ResultsThatAreNotFiniteAreRefusedByName)
{
    auto lm = std::make_shared<CLoadModel>(1, L"Axle");
    lm->AddPointLoad(100, 0, 2);
    for (std::vector<double> spans : {std::vector<double>{1e300}, std::vector<double>{20.0, 1e-300, 20.0}}) {
        auto bridge = std::make_shared<CBridge>(1, L"Odd", BC_CUSTOM, spans[0]);
        bridge->m_vSpans = spans;
        bridge->SetupBeam();
        try {
            CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(10.0, CAnalysisFeedback::None());
            ADD_FAILURE() << "shown: " << spans.size() << " spans";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "The results of load model \"Axle\" on bridge \"Odd\" are not finite numbers: "
                                   "check the bridge's spans and stiffness and the model's loads");
        }
    }
}
