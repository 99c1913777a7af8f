#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ArchiveTestUtil.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/LoadPL.h"
#include "core/beam/LoadPUDL.h"
#include "core/beam/LoadUDL.h"
#include "core/bridge/Bridge.h"
#include "core/settings/Settings.h"
#include "TestOptions.h"

namespace {

// Stations per span with the default of 100 segments: 0, 0, L/100, ..., L, L.
constexpr size_t kN = 100;
constexpr size_t kFirst = 1;     // the span's left end with its real values
constexpr size_t kLast = kN + 1; // the span's right end with its real values
constexpr double kTol = 1e-6;

// A beam as bridges build it: EI 1e11, every translation fixed and reported.
CBeam BridgeBeam(const std::vector<double>& spans)
{
    CBridge bridge;
    bridge.m_vSpans = spans;
    bridge.MakeBeam();
    return *bridge.GetBeam();
}

CBeamResults Solve(const CBeam& beam, std::vector<CLoad*> loads)
{
    return CBeamAnalysis(beam, std::move(loads), qeltest::TestPoints()).Analyse();
}

// Station of a span at position x from its start (x a multiple of L/100).
size_t At(double x, double L)
{
    return kFirst + static_cast<size_t>(std::lround(x / L * kN));
}

void ExpectReactions(const CBeamResults& r, const std::vector<double>& expected)
{
    ASSERT_EQ(r.m_vReactions.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(r.m_vReactions[i], expected[i], kTol) << "reaction " << i;
}

TEST(BeamAnalysis, SimpleSpanUnderUniformLoad)
{
    // w = 10 kN/m, L = 10 m: R = wL/2 = 50, M(L/2) = wL^2/8 = 125,
    // EI' = 1e11 / 1e6: end rotation -wL^3/(24 EI'), midspan deflection -5wL^4/(384 EI').
    CBeam beam = BridgeBeam({10.0});
    CLoadUDL udl(0, 10.0);
    CBeamResults r = Solve(beam, {&udl});
    ExpectReactions(r, {50.0, 50.0});
    const CMbrResults& m = r.m_vMbrRes.at(0);
    ASSERT_EQ(m.x.size(), kN + 3);
    EXPECT_EQ(m.x[0], 0.0);
    EXPECT_EQ(m.x[kFirst], 0.0);
    EXPECT_NEAR(m.x[kLast], 10.0, 1e-12);
    EXPECT_EQ(m.x[kN + 2], 10.0);
    EXPECT_NEAR(m.M[At(5, 10)], 125.0, kTol);
    EXPECT_NEAR(m.V[kFirst], 50.0, kTol);
    EXPECT_NEAR(m.V[kLast], -50.0, kTol);
    for (size_t k : {size_t(0), kN + 2}) {
        EXPECT_EQ(m.M[k], 0.0);
        EXPECT_EQ(m.V[k], 0.0);
    }
    EXPECT_NEAR(m.M[kFirst], 0.0, kTol);
    EXPECT_NEAR(m.M[kLast], 0.0, kTol);
    const double EI = 1e5;
    EXPECT_NEAR(m.R[kFirst], -10.0 * 1000.0 / (24 * EI), 1e-9);
    EXPECT_NEAR(m.R[kLast], 10.0 * 1000.0 / (24 * EI), 1e-9);
    EXPECT_NEAR(m.D[At(5, 10)], -5.0 * 10.0 * 1e4 / (384 * EI), 1e-9);
    EXPECT_NEAR(m.D[kFirst], 0.0, 1e-12);
    EXPECT_NEAR(m.D[kLast], 0.0, 1e-12);
}

TEST(BeamAnalysis, TwoEqualSpansUnderUniformLoad)
{
    // w = 10, L = 10: end reactions 3wL/8 = 37.5, middle 10wL/8 = 125,
    // support moment -wL^2/8 = -125; M(4) = 37.5*4 - 10*4^2/2 = 70.
    CBeam beam = BridgeBeam({10.0, 10.0});
    CLoadUDL u0(0, 10.0), u1(1, 10.0);
    CBeamResults r = Solve(beam, {&u0, &u1});
    ExpectReactions(r, {37.5, 125.0, 37.5});
    const CMbrResults& left = r.m_vMbrRes.at(0);
    const CMbrResults& right = r.m_vMbrRes.at(1);
    EXPECT_NEAR(left.M[kLast], -125.0, kTol);
    EXPECT_NEAR(right.M[kFirst], -125.0, kTol);
    EXPECT_NEAR(left.M[At(4, 10)], 70.0, kTol);
    EXPECT_NEAR(right.M[At(6, 10)], 70.0, kTol);
    EXPECT_NEAR(left.V[kLast], -62.5, kTol);
    EXPECT_NEAR(right.V[kFirst], 62.5, kTol);
    // Stations run along the whole beam; the support rotation is continuous and zero
    // by symmetry.
    EXPECT_NEAR(right.x[kFirst], 10.0, 1e-12);
    EXPECT_NEAR(right.x[kLast], 20.0, 1e-12);
    EXPECT_NEAR(left.R[kLast], 0.0, 1e-12);
    EXPECT_NEAR(right.R[kFirst], 0.0, 1e-12);
}

TEST(BeamAnalysis, ThreeSpansUnderUniformLoadByThreeMoments)
{
    // Spans 15, 20, 15, w = 10. Three-moment equation at support 1 with M1 = M2 = M:
    // 2M(15 + 20) + 20M = -w 15^3/4 - w 20^3/4 = -28437.5, so M = -315.97222.
    // Outer reactions wL/2 + M/L = 75 - 21.06481; inner 75 + 21.06481 + 100.
    const double M = -28437.5 / 90.0;
    CBeam beam = BridgeBeam({15.0, 20.0, 15.0});
    CLoadUDL u0(0, 10.0), u1(1, 10.0), u2(2, 10.0);
    CBeamResults r = Solve(beam, {&u0, &u1, &u2});
    const double outer = 75.0 + M / 15.0;
    const double inner = 75.0 - M / 15.0 + 100.0;
    ExpectReactions(r, {outer, inner, inner, outer});
    EXPECT_NEAR(r.m_vMbrRes[0].M[kLast], M, kTol);
    EXPECT_NEAR(r.m_vMbrRes[2].M[kFirst], M, kTol);
    // Centre span: M(10) = wL^2/8 + M = 500 + M.
    EXPECT_NEAR(r.m_vMbrRes[1].M[At(10, 20)], 500.0 + M, kTol);
    EXPECT_NEAR(r.m_vMbrRes[2].x[kLast], 50.0, 1e-12);
}

TEST(BeamAnalysis, PointLoadOnTwoSpansByThreeMoments)
{
    // P = 100 at 5 m in the first of two 10 m spans. Three moments:
    // 2 M1 (10 + 10) = -P a (L^2 - a^2)/L = -3750, M1 = -93.75.
    // R0 = Pb/L + M1/L = 40.625, R1 = 59.375 + 9.375 = 68.75, R2 = -9.375 (holds down).
    CBeam beam = BridgeBeam({10.0, 10.0});
    CLoadPL p(0, 100.0, 5.0);
    CBeamResults r = Solve(beam, {&p});
    ExpectReactions(r, {40.625, 68.75, -9.375});
    EXPECT_NEAR(r.m_vMbrRes[0].M[At(5, 10)], 203.125, kTol);
    EXPECT_NEAR(r.m_vMbrRes[0].M[kLast], -93.75, kTol);
    EXPECT_NEAR(r.m_vMbrRes[1].M[At(5, 10)], -46.875, kTol);
    EXPECT_NEAR(r.m_vMbrRes[1].V[At(5, 10)], 9.375, kTol);
    EXPECT_DOUBLE_EQ(p.m_B, 5.0);
    // Support rotation from the unloaded span, a simple span under the end moment
    // 93.75 (hogging): theta = M L / (3 EI') = 93.75 * 10 / 3e5, anticlockwise. Both
    // spans must agree on it.
    EXPECT_NEAR(r.m_vMbrRes[1].R[kFirst], 93.75 * 10.0 / 3e5, 1e-12);
    EXPECT_NEAR(r.m_vMbrRes[0].R[kLast], 93.75 * 10.0 / 3e5, 1e-12);
}

TEST(BeamAnalysis, PointLoadOnInteriorSupportGoesStraightIntoItsReaction)
{
    CBeam beam = BridgeBeam({10.0, 10.0});
    double x = 10.0;
    const int span = beam.GetSpanIndex(x);
    ASSERT_EQ(span, 0);
    EXPECT_EQ(x, 10.0);
    CLoadPL p(span, 100.0, x);
    CBeamResults r = Solve(beam, {&p});
    ExpectReactions(r, {0.0, 100.0, 0.0});
    for (const CMbrResults& m : r.m_vMbrRes)
        for (double v : m.M)
            EXPECT_NEAR(v, 0.0, kTol);
}

TEST(BeamAnalysis, FixedEndActionsOfEachKindAreTheReactionsOfAFixedFixedSpan)
{
    // Both ends clamped and reported: the reactions are the fixed-end actions
    // (Va, Ma, Vb, Mb), worked out by integrating the influence of each load element.
    struct Case {
        const char* name;
        std::shared_ptr<CLoad> load;
        std::vector<double> reactions;
        double midMoment;
    };
    const std::vector<Case> cases = {
        // wL/2, wL^2/12; midspan wL^2/24.
        {"udl", std::make_shared<CLoadUDL>(0, 10.0), {50.0, 250.0 / 3, 50.0, -250.0 / 3}, 125.0 / 3},
        // P = 100, a = 3, b = 7: Pab^2/L^2 = 147, Pa^2b/L^2 = 63, Pb^2(3a+b)/L^3 = 78.4;
        // M(5) = 78.4*5 - 147 - 100*2 = 45.
        {"point", std::make_shared<CLoadPL>(0, 100.0, 3.0), {78.4, 147.0, 21.6, -63.0}, 45.0},
        // w = 10 from 2 to 6: Ma = (w/L^2) int x (L-x)^2 = 53.333, Mb = -37.333,
        // Va = (w/L^3) int (L-x)^2 (2x + L) = 25.6; M(5) = 25.6*5 - 53.333 - 10*3^2/2.
        {"partial",
         std::make_shared<CLoadPUDL>(0, 10.0, 2.0, 4.0),
         {25.6, 160.0 / 3, 14.4, -112.0 / 3},
         128.0 - 160.0 / 3 - 45.0},
    };
    for (const Case& c : cases) {
        CBeam beam;
        beam.SetSpanLengths({10.0});
        beam.m_vEI = {1e11};
        beam.m_vR = {-1.0, -1.0, -1.0, -1.0};
        beam.m_nRestraints = 4;
        CBeamResults r = Solve(beam, {c.load.get()});
        SCOPED_TRACE(c.name);
        ExpectReactions(r, c.reactions);
        EXPECT_NEAR(r.m_vMbrRes[0].M[At(5, 10)], c.midMoment, kTol);
        EXPECT_NEAR(r.m_vMbrRes[0].M[kFirst], -c.reactions[1], kTol);
        EXPECT_NEAR(r.m_vMbrRes[0].M[kLast], c.reactions[3], kTol);
    }
}

TEST(BeamAnalysis, FactorScalesTheLoadAndAStartBeyondTheSpanLoadsNothing)
{
    CBeam beam = BridgeBeam({10.0});
    CLoadPL p(0, 50.0, 4.0);
    p.m_Factor = 2.0;
    ExpectReactions(Solve(beam, {&p}), {60.0, 40.0});
    CLoadPL beyond(0, 100.0, 11.0);
    CLoadPUDL partBeyond(0, 10.0, 12.0, 2.0);
    CBeamResults r = Solve(beam, {&beyond, &partBeyond});
    ExpectReactions(r, {0.0, 0.0});
    EXPECT_NEAR(r.m_vMbrRes[0].M[At(5, 10)], 0.0, kTol);
}

TEST(BeamAnalysis, PartialLoadOverTheWholeSpanEqualsAUniformLoad)
{
    CBeam beam = BridgeBeam({8.0, 12.0});
    CLoadUDL u0(0, 7.0), u1(1, 7.0);
    CLoadPUDL p0(0, 7.0, 0.0, 8.0), p1(1, 7.0, 0.0, 12.0);
    CBeamResults a = Solve(beam, {&u0, &u1});
    CBeamResults b = Solve(beam, {&p0, &p1});
    for (size_t i = 0; i < 2; ++i)
        for (size_t k = 0; k < kN + 3; ++k) {
            EXPECT_NEAR(a.m_vMbrRes[i].M[k], b.m_vMbrRes[i].M[k], kTol);
            EXPECT_NEAR(a.m_vMbrRes[i].V[k], b.m_vMbrRes[i].V[k], kTol);
            EXPECT_NEAR(a.m_vMbrRes[i].R[k], b.m_vMbrRes[i].R[k], 1e-12);
            EXPECT_NEAR(a.m_vMbrRes[i].D[k], b.m_vMbrRes[i].D[k], 1e-12);
        }
    ExpectReactions(b, a.m_vReactions);
}

TEST(BeamAnalysis, PartialLoadOnASimpleSpan)
{
    // w = 10 from 2 m over 4 m on 10 m: W = 40 centred at 4 m, R0 = 24, R1 = 16,
    // M(5) = 24*5 - 10*3^2/2 = 75.
    CBeam beam = BridgeBeam({10.0});
    CLoadPUDL p(0, 10.0, 2.0, 4.0);
    CBeamResults r = Solve(beam, {&p});
    ExpectReactions(r, {24.0, 16.0});
    EXPECT_NEAR(r.m_vMbrRes[0].M[At(5, 10)], 75.0, kTol);
    EXPECT_NEAR(r.m_vMbrRes[0].V[At(7, 10)], -16.0, kTol);
}

TEST(BeamAnalysis, PartialLoadWithANegativeCoverLoadsBackwardsFromItsStart)
{
    // w = 10 from 5 over -3 is the load of -10 over 2 to 5: W = -30 at 3.5 m,
    // R0 = -30 * 6.5/10 = -19.5, R1 = -10.5, M(5) = -19.5*5 + 30*(5 - 3.5) = -52.5.
    // Fixed-end actions and member results must describe the same load.
    CBeam beam = BridgeBeam({10.0});
    CLoadPUDL back(0, 10.0, 5.0, -3.0);
    CBeamResults r = Solve(beam, {&back});
    ExpectReactions(r, {-19.5, -10.5});
    EXPECT_NEAR(r.m_vMbrRes[0].M[At(5, 10)], -52.5, kTol);
    EXPECT_NEAR(r.m_vMbrRes[0].V[At(1, 10)], -19.5, kTol);
    EXPECT_NEAR(r.m_vMbrRes[0].V[At(7, 10)], 10.5, kTol);
}

TEST(BeamAnalysis, SpringSupportMovesTheSpanAsARigidChord)
{
    // Left end pinned, right end on a translational spring k = 100 (not reported).
    // Statically determinate: spring force wL/2 = 50, so the end sinks 50/k = 0.5.
    // Deflection = simple-span deflection + the chord, rotation = its slope + chord slope.
    CBeam beam;
    beam.SetSpanLengths({10.0});
    beam.m_vEI = {1e11};
    beam.m_vR = {-1.0, 0.0, 100.0, 0.0};
    beam.m_nRestraints = 1;
    CLoadUDL udl(0, 10.0);
    CBeamResults r = Solve(beam, {&udl});
    ExpectReactions(r, {50.0});
    const CMbrResults& m = r.m_vMbrRes[0];
    const double EI = 1e5;
    EXPECT_NEAR(m.M[At(5, 10)], 125.0, kTol);
    EXPECT_NEAR(m.D[kFirst], 0.0, 1e-9);
    EXPECT_NEAR(m.D[kLast], -0.5, 1e-9);
    EXPECT_NEAR(m.D[kN + 2], -0.5, 1e-9);
    EXPECT_NEAR(m.D[At(5, 10)], -0.25 - 5.0 * 10.0 * 1e4 / (384 * EI), 1e-9);
    EXPECT_NEAR(m.R[kFirst], -10.0 * 1000.0 / (24 * EI) - 0.05, 1e-9);
}

TEST(BeamAnalysis, OnlyRestraintsOfExactlyMinusOneAreReported)
{
    // Propped cantilever (clamp not reported, -2.0) under w = 10, L = 10:
    // prop reaction 3wL/8 = 37.5, clamp moment -wL^2/8.
    CBeam beam;
    beam.SetSpanLengths({10.0});
    beam.m_vEI = {1e11};
    beam.m_vR = {-2.0, -2.0, -1.0, 0.0};
    beam.m_nRestraints = 1;
    CLoadUDL udl(0, 10.0);
    CBeamResults r = Solve(beam, {&udl});
    ExpectReactions(r, {37.5});
    EXPECT_NEAR(r.m_vMbrRes[0].M[kFirst], -125.0, kTol);
}

TEST(BeamAnalysis, MechanismGivesNonFiniteValuesNotAnError)
{
    CBeam beam;
    beam.SetSpanLengths({10.0});
    beam.m_vEI = {1e11};
    beam.m_vR = {0.0, 0.0, 0.0, 0.0};
    CLoadUDL udl(0, 10.0);
    CBeamResults r = Solve(beam, {&udl});
    bool nonFinite = false;
    for (double d : r.m_vMbrRes[0].D)
        nonFinite = nonFinite || !std::isfinite(d);
    EXPECT_TRUE(nonFinite);
}

TEST(BeamAnalysis, BeamsThatDoNotFitAreRefused)
{
    struct Case {
        const char* name;
        std::vector<double> L, EI, R;
        const char* message;
    };
    const double nan = std::nan("");
    const double inf = INFINITY;
    const std::vector<Case> cases = {
        {"no spans", {}, {}, {-1, 0}, "Incorrect span information"},
        {"EI count", {10, 10}, {1e11}, {-1, 0, -1, 0, -1, 0}, "Incorrect span information"},
        {"zero span", {10, 0}, {1e11, 1e11}, {-1, 0, -1, 0, -1, 0}, "Incorrect span information"},
        {"negative span", {-10}, {1e11}, {-1, 0, -1, 0}, "Incorrect span information"},
        {"NaN span", {nan}, {1e11}, {-1, 0, -1, 0}, "Incorrect span information"},
        {"infinite span", {inf}, {1e11}, {-1, 0, -1, 0}, "Incorrect span information"},
        {"2n+1 restraints", {10, 10}, {1e11, 1e11}, {-1, 0, -1, 0, -1}, "Incorrect restraint information"},
        {"2n+3 restraints", {10}, {1e11}, {-1, 0, -1, 0, 0}, "Incorrect restraint information"},
    };
    for (const Case& c : cases) {
        CBeam beam;
        beam.SetSpanLengths(c.L);
        beam.m_vEI = c.EI;
        beam.m_vR = c.R;
        try {
            CBeamAnalysis a(beam, {}, qeltest::TestPoints());
            ADD_FAILURE() << c.name << ": no error";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
}

TEST(BeamAnalysis, PointsPerSpanAreReadOnceWhenTheAnalysisIsBuilt)
{
    auto setPoints = [](int n) { g_pSettings->Edit([n](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = n; }); };
    CBeam beam = BridgeBeam({10.0});
    CLoadUDL udl(0, 10.0);
    setPoints(40);
    CBeamAnalysis a(beam, {&udl}, qeltest::TestPoints());
    setPoints(100);
    CBeamResults r = a.Analyse();
    ASSERT_EQ(r.m_vMbrRes[0].x.size(), 43u);
    EXPECT_NEAR(r.m_vMbrRes[0].M[1 + 20], 125.0, kTol);
    // A value below one would size nothing sensible; one segment is the least.
    setPoints(0);
    CBeamAnalysis b(beam, {&udl}, qeltest::TestPoints());
    setPoints(100);
    EXPECT_EQ(b.Analyse().m_vMbrRes[0].x, (std::vector<double>{0.0, 0.0, 10.0, 10.0}));
    // Nor may a huge value size them: five vectors of 2^31 doubles per span.
    setPoints(2147483647);
    CBeamAnalysis c(beam, {&udl}, qeltest::TestPoints());
    setPoints(100);
    EXPECT_EQ(c.Analyse().m_vMbrRes[0].x.size(), static_cast<size_t>(CBeamAnalysis::MaxPointsAlongBeam) + 3);
}

TEST(BeamAnalysis, ResultsKeepTheirOwnCopyOfTheBeam)
{
    CBeam beam = BridgeBeam({10.0});
    CBeamResults r = Solve(beam, {});
    beam.SetSpanLengths({30.0});
    ASSERT_TRUE(r.GetBeam());
    EXPECT_EQ(r.GetBeam()->m_Length, 10.0);
    EXPECT_EQ(r.GetReactions(), (std::vector<double>{0.0, 0.0}));
}

TEST(Beam, SpanIndexAndLocalPosition)
{
    CBeam beam = BridgeBeam({10.0, 20.0});
    EXPECT_EQ(beam.m_nSpans, 2);
    EXPECT_EQ(beam.m_Length, 30.0);
    struct Case {
        double x;
        int span;
        double local;
    };
    for (const Case& c :
         {Case{0.0005, -1, 0.0005}, Case{29.9995, -1, 29.9995}, Case{-3.0, -1, -3.0}, Case{31.0, -1, 31.0},
          Case{0.001, 0, 0.001}, Case{5.0, 0, 5.0}, Case{10.0, 0, 10.0}, Case{10.5, 1, 0.5}, Case{29.999, 1, 19.999}}) {
        double x = c.x;
        EXPECT_EQ(beam.GetSpanIndex(x), c.span) << c.x;
        EXPECT_NEAR(x, c.local, 1e-12) << c.x;
    }
    double x = 1.0;
    EXPECT_EQ(CBeam().GetSpanIndex(x), -1);
    // A position that is not a number lies on no span.
    x = std::nan("");
    EXPECT_EQ(beam.GetSpanIndex(x), -1);
}

TEST(Beam, ReactionPositionsAndNearSupportPoints)
{
    CBeam beam = BridgeBeam({15.0, 20.0, 15.0});
    const double expected[] = {0.0, 15.0, 35.0, 50.0};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(beam.GetReactionPosition(k), expected[k]) << k;
    EXPECT_THROW(beam.GetReactionPosition(4), std::out_of_range);
    EXPECT_EQ(CBeam().GetReactionPosition(0), 0.0);
    // Only entries of exactly -1.0 count: the clamp of node 0 is skipped.
    CBeam propped = BridgeBeam({10.0, 20.0});
    propped.m_vR[0] = -2.0;
    EXPECT_EQ(propped.GetReactionPosition(0), 10.0);
    EXPECT_EQ(propped.GetReactionPosition(1), 30.0);
    EXPECT_EQ(beam.GetNearSupportPoints(), (std::vector<double>{1.0, 14.0, 16.0, 34.0, 36.0, 49.0}));
}

CMbrResults Filled(size_t n)
{
    CMbrResults m(n);
    for (size_t i = 0; i < n; ++i) {
        m.x[i] = double(i);
        m.M[i] = 1.0 + i;
        m.V[i] = 2.0 + i;
        m.R[i] = 3.0 + i;
        m.D[i] = 4.0 + i;
    }
    return m;
}

TEST(MbrResults, AddKeepsStationsAndRefusesDifferentSizes)
{
    CMbrResults a = Filled(3);
    a += Filled(3);
    EXPECT_EQ(a.x, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(a.M, (std::vector<double>{2, 4, 6}));
    EXPECT_EQ(a.D, (std::vector<double>{8, 10, 12}));
    try {
        a += Filled(4);
        ADD_FAILURE();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Results vectors different size");
    }
    CMbrResults shortOther = Filled(3);
    shortOther.D.pop_back();
    EXPECT_THROW(a += shortOther, std::runtime_error);
    CMbrResults r(2);
    r.Reset(5);
    EXPECT_EQ(r.V, std::vector<double>(5, 0.0));
}

TEST(MbrResults, ZeroResultsByType)
{
    // Which of M, V, R, D survive each type.
    struct Case {
        int type;
        bool M, V, R, D;
    };
    for (const Case& c :
         {Case{0, false, true, true, true}, Case{1, true, false, true, true}, Case{2, true, true, false, true},
          Case{3, true, true, true, false}, Case{4, true, true, false, true}, Case{5, false, false, false, false},
          Case{-1, false, false, false, false}}) {
        CMbrResults m = Filled(2);
        m.ZeroResults(c.type);
        EXPECT_EQ(m.x, (std::vector<double>{0, 1})) << c.type;
        EXPECT_EQ(m.M[1] != 0.0, c.M) << c.type;
        EXPECT_EQ(m.V[1] != 0.0, c.V) << c.type;
        EXPECT_EQ(m.R[1] != 0.0, c.R) << c.type;
        EXPECT_EQ(m.D[1] != 0.0, c.D) << c.type;
    }
}

TEST(BeamResults, GetResultsRunsOverTheWholeBeam)
{
    CBeam beam = BridgeBeam({10.0, 10.0});
    CLoadUDL u0(0, 10.0), u1(1, 10.0);
    CBeamResults r = Solve(beam, {&u0, &u1});
    std::vector<double> x{99.0}, y{99.0};
    r.GetResults(x, y, BRT_MOMENT);
    ASSERT_EQ(x.size(), 2 * (kN + 3));
    ASSERT_EQ(y.size(), x.size());
    EXPECT_EQ(x[0], 0.0);
    EXPECT_NEAR(x[kN + 2], 10.0, 1e-12);
    EXPECT_NEAR(x[kN + 3], 10.0, 1e-12);
    EXPECT_NEAR(x.back(), 20.0, 1e-12);
    EXPECT_NEAR(y[kLast], -125.0, kTol);
    r.GetResults(x, y, BRT_SHEAR);
    EXPECT_NEAR(y[kFirst], 37.5, kTol);
    r.GetResults(x, y, BRT_ROTATION);
    EXPECT_EQ(y, [&] {
        std::vector<double> v = r.m_vMbrRes[0].R;
        v.insert(v.end(), r.m_vMbrRes[1].R.begin(), r.m_vMbrRes[1].R.end());
        return v;
    }());
    r.GetResults(x, y, BRT_DEFLECTION);
    EXPECT_EQ(y[5], r.m_vMbrRes[0].D[5]);
    for (int bad : {4, -1}) {
        try {
            r.GetResults(x, y, static_cast<BeamResultsType>(bad));
            ADD_FAILURE() << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Error in choice of BeamResultsType");
        }
        EXPECT_TRUE(x.empty());
    }
}

TEST(BeamResults, ZeroResultsDropsEffectsAndReactions)
{
    CBeam beam = BridgeBeam({10.0});
    CLoadUDL udl(0, 10.0);
    CBeamResults base = Solve(beam, {&udl});
    const CMbrResults& m0 = base.m_vMbrRes[0];
    const size_t mid = At(5, 10);

    CBeamResults r4 = base;
    r4.ZeroResults(4);
    EXPECT_EQ(r4.m_vMbrRes[0].M, m0.M);
    EXPECT_EQ(r4.m_vMbrRes[0].V, m0.V);
    EXPECT_EQ(r4.m_vMbrRes[0].D, m0.D);
    EXPECT_EQ(r4.m_vMbrRes[0].R[kFirst], 0.0);
    EXPECT_EQ(r4.m_vReactions, (std::vector<double>{0.0, 0.0}));

    CBeamResults r5 = base;
    r5.ZeroResults(5);
    EXPECT_EQ(r5.m_vMbrRes[0].x, m0.x);
    EXPECT_EQ(r5.m_vMbrRes[0].M[mid], 0.0);
    EXPECT_EQ(r5.m_vMbrRes[0].D[mid], 0.0);
    EXPECT_EQ(r5.m_vReactions, (std::vector<double>{0.0, 0.0}));

    CBeamResults r0 = base;
    r0.ZeroResults(0);
    EXPECT_EQ(r0.m_vMbrRes[0].M[mid], 0.0);
    EXPECT_EQ(r0.m_vMbrRes[0].V, m0.V);
    EXPECT_EQ(r0.m_vReactions, base.m_vReactions);
}

class BeamArchive : public ::testing::TestWithParam<qeltest::Kind> {};

TEST_P(BeamArchive, ResultsRoundTripWithTheirBeam)
{
    CBeam beam = BridgeBeam({10.0, 12.0});
    CLoadPL p(1, 30.0, 4.0);
    CBeamResults r = Solve(beam, {&p});
    CBeamResults back = qeltest::RoundTrip(GetParam(), r);
    ASSERT_TRUE(back.m_pBeam);
    EXPECT_EQ(back.m_pBeam->m_nSpans, 2);
    EXPECT_EQ(back.m_pBeam->m_nRestraints, 3);
    EXPECT_EQ(back.m_pBeam->m_Length, 22.0);
    EXPECT_EQ(back.m_pBeam->m_vL, beam.m_vL);
    EXPECT_EQ(back.m_pBeam->m_vEI, beam.m_vEI);
    EXPECT_EQ(back.m_pBeam->m_vR, beam.m_vR);
    ASSERT_EQ(back.m_vMbrRes.size(), 2u);
    EXPECT_EQ(back.m_vMbrRes[1].x, r.m_vMbrRes[1].x);
    EXPECT_EQ(back.m_vMbrRes[1].M, r.m_vMbrRes[1].M);
    EXPECT_EQ(back.m_vMbrRes[1].D, r.m_vMbrRes[1].D);
    EXPECT_EQ(back.m_vReactions, r.m_vReactions);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BeamArchive, ::testing::Values(qeltest::Kind::Binary, qeltest::Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

TEST(BeamArchiveXml, ItemNamesInOrder)
{
    CBeam beam = BridgeBeam({10.0});
    std::string xml = qeltest::SaveTo(qeltest::Kind::Xml, "item", CBeamResults(beam, {CMbrResults(1)}, {1.0}));
    size_t pos = 0;
    for (const char* item : {"<m_pBeam", "<m_nSpans>", "<m_nRestraints>", "<m_Length>", "<m_vL", "<m_vEI", "<m_vR",
                             "<m_vMbrRes", "<x", "<M", "<V", "<R", "<D", "<m_vReactions"}) {
        const size_t at = xml.find(item, pos);
        ASSERT_NE(at, std::string::npos) << item << "\n" << xml;
        pos = at;
    }
}

}
