#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/FastBeamSolver.h"
#include "core/beam/LoadPL.h"
#include "core/beam/LoadPUDL.h"
#include "core/beam/LoadUDL.h"
#include "core/settings/Settings.h"
#include "TestOptions.h"

namespace {

CBeam MakeBeam(const std::vector<double>& spans, std::vector<double> R = {})
{
    CBeam b;
    b.SetSpanLengths(spans);
    b.m_vEI.assign(spans.size(), 1e11);
    if (R.empty())
        for (size_t i = 0; i <= spans.size(); ++i) {
            R.push_back(-1.0);
            R.push_back(0.0);
        }
    b.m_vR = R;
    b.m_nRestraints = 0;
    for (double r : R)
        b.m_nRestraints += r == -1.0;
    return b;
}

// One load piece as the single-position analysis would build it.
struct Piece {
    int type; // 0 uniform, 1 point, 2 partial
    int span;
    double v, a, c;
};

struct Arrangement {
    std::string name;
    std::vector<Piece> pieces;
};

// The reference answer through the literal solver and its load objects.
CBeamResults Literal(const CBeam& beam, const std::vector<Piece>& pieces)
{
    std::vector<std::unique_ptr<CLoad>> owned;
    std::vector<CLoad*> loads;
    for (const Piece& p : pieces) {
        if (p.type == 0)
            owned.push_back(std::make_unique<CLoadUDL>(p.span, p.v));
        else if (p.type == 1)
            owned.push_back(std::make_unique<CLoadPL>(p.span, p.v, p.a));
        else
            owned.push_back(std::make_unique<CLoadPUDL>(p.span, p.v, p.a, p.c));
        loads.push_back(owned.back().get());
    }
    return CBeamAnalysis(beam, loads, qeltest::TestPoints()).Analyse();
}

void Load(CFastBeamSolver& s, const std::vector<Piece>& pieces)
{
    s.ClearLoads();
    for (const Piece& p : pieces) {
        if (p.type == 0)
            s.AddUDL(p.span, p.v);
        else if (p.type == 1)
            s.AddPointLoad(p.span, p.v, p.a);
        else
            s.AddPartialUDL(p.span, p.v, p.a, p.c);
    }
}

// The kernel repeats the literal arithmetic term by term, so the numbers must agree to
// the last bit; the envelopes rely on that when two positions tie.
// Equal values, the sign of a zero included; not-a-number where the other has one.
bool Same(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(std::isnan(a[i]) && std::isnan(b[i])) && !(a[i] == b[i] && std::signbit(a[i]) == std::signbit(b[i])))
            return false;
    return true;
}

void ExpectSame(const CBeamResults& ref, const CFastBeamSolver& s, bool bRotDefl, const std::string& what)
{
    ASSERT_TRUE(Same(ref.m_vReactions, s.GetReactions())) << what;
    std::vector<double> x, y;
    ref.GetResults(x, y, BRT_MOMENT);
    ASSERT_EQ(x, s.GetX()) << what;
    EXPECT_TRUE(Same(y, s.GetM())) << what << " moment";
    ref.GetResults(x, y, BRT_SHEAR);
    EXPECT_TRUE(Same(y, s.GetV())) << what << " shear";
    if (!bRotDefl)
        return;
    ref.GetResults(x, y, BRT_ROTATION);
    EXPECT_TRUE(Same(y, s.GetR())) << what << " rotation";
    ref.GetResults(x, y, BRT_DEFLECTION);
    EXPECT_TRUE(Same(y, s.GetD())) << what << " deflection";
}

std::vector<Arrangement> Arrangements(const std::vector<double>& L)
{
    const int n = static_cast<int>(L.size());
    const int last = n - 1;
    std::vector<Arrangement> v;
    v.push_back({"no load", {}});
    {
        Arrangement a{"uniform on every span", {}};
        for (int i = 0; i < n; ++i)
            a.pieces.push_back({0, i, 9.0, 0, 0});
        v.push_back(a);
    }
    v.push_back({"point at midspan", {{1, 0, 100.0, L[0] / 2, 0}}});
    // On an interior support a load lands at the end of the span on its left.
    v.push_back({"point on the last support of span 0", {{1, 0, 150.0, L[0], 0}}});
    v.push_back({"points near the ends", {{1, 0, 60.0, 0.0011, 0}, {1, last, 80.0, L[last] - 0.0011, 0}}});
    v.push_back({"point past the span end", {{1, 0, 50.0, L[0] + 0.5, 0}}});
    v.push_back({"five axles",
                 {{1, last, 60.0, 0.3 * L[last], 0},
                  {1, 0, 120.0, 0.9 * L[0], 0},
                  {1, 0, 120.0, 0.7 * L[0], 0},
                  {1, 0, 120.0, 0.2 * L[0], 0},
                  {1, 0, 120.0, 0.1 * L[0], 0}}});
    v.push_back({"partial inside a span", {{2, 0, 12.0, 0.25 * L[0], 0.5 * L[0]}}});
    v.push_back({"partial over a whole span", {{2, last, 12.0, 0.0, L[last]}}});
    v.push_back({"partial running past its span", {{2, 0, 7.0, 0.6 * L[0], L[0]}}});
    v.push_back({"partial of length 0 at the span end", {{2, 0, 7.0, L[0], 0.0}}});
    v.push_back({"partial starting past the span", {{2, 0, 7.0, L[0] + 1.0, 2.0}}});
    v.push_back({"partial with a negative cover", {{2, 0, 10.0, 0.5 * L[0], -0.3 * L[0]}}});
    {
        // Lane load with vehicle: uniform loads first, then axles, then partials.
        Arrangement a{"mixed", {}};
        for (int i = 0; i < n; ++i)
            a.pieces.push_back({0, i, 6.0, 0, 0});
        a.pieces.push_back({1, last, 200.0, 0.45 * L[last], 0});
        a.pieces.push_back({1, 0, 90.0, 0.05 * L[0], 0});
        a.pieces.push_back({2, 0, 4.0, 0.5 * L[0], 0.5 * L[0]});
        if (n > 1)
            a.pieces.push_back({2, 1, 4.0, 0.0, 0.3 * L[1]});
        v.push_back(a);
    }
    return v;
}

struct BeamCase {
    std::string name;
    CBeam beam;
};

std::vector<BeamCase> Beams()
{
    return {
        {"1 x 6", MakeBeam({6.0})},
        {"1 x 50", MakeBeam({50.0})},
        {"2 x 8", MakeBeam({8.0, 8.0})},
        {"2 x 40", MakeBeam({40.0, 40.0})},
        {"3 x 7.5/10/7.5", MakeBeam({7.5, 10.0, 7.5})},
        {"3 x 37.5/50/37.5", MakeBeam({37.5, 50.0, 37.5})},
        // Fixed ends with unreported rotations, and a spring under the middle node.
        {"propped and fixed", MakeBeam({12.0, 9.0}, {-1.0, -2.0, -1.0, 0.0, -1.0, -2.0})},
        {"spring support", MakeBeam({10.0, 10.0}, {-1.0, 0.0, 5e4, 0.0, -1.0, 0.0})},
        // A mechanism: nothing holds it, and the solution is not finite.
        {"mechanism", MakeBeam({10.0, 10.0}, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0})},
        {"hinged cantilever", MakeBeam({6.0, 6.0}, {-1.0, -1.0, 0.0, 0.0, 0.0, 0.0})},
    };
}

TEST(FastBeamSolver, AgreesWithTheLiteralSolverOnEveryBeamAndArrangement)
{
    for (const BeamCase& bc : Beams()) {
        // One solver per beam serves every arrangement, in turn, as a moving load uses it.
        CFastBeamSolver s(bc.beam, qeltest::TestPoints());
        for (const Arrangement& a : Arrangements(bc.beam.m_vL)) {
            const CBeamResults ref = Literal(bc.beam, a.pieces);
            Load(s, a.pieces);
            s.Solve(false);
            ExpectSame(ref, s, false, bc.name + ", " + a.name + " (moment and shear only)");
            s.Solve(true);
            ExpectSame(ref, s, true, bc.name + ", " + a.name);
        }
    }
}

TEST(FastBeamSolver, MatchesTheLiteralSolverAsAResultObject)
{
    // Two equal spans of 10 m, 10 kN/m on both: support moment -wL^2/8 = -125 and
    // reactions 3wL/8, 10wL/8, 3wL/8 = 37.5, 125, 37.5.
    const CBeam beam = MakeBeam({10.0, 10.0});
    CFastBeamSolver s(beam, qeltest::TestPoints());
    s.AddUDL(0, 10.0);
    s.AddUDL(1, 10.0);
    s.Solve();
    const CBeamResults r = s.MakeBeamResults();
    ASSERT_EQ(r.m_vReactions.size(), 3u);
    EXPECT_NEAR(r.m_vReactions[0], 37.5, 1e-9);
    EXPECT_NEAR(r.m_vReactions[1], 125.0, 1e-9);
    EXPECT_NEAR(r.m_vReactions[2], 37.5, 1e-9);
    ASSERT_EQ(r.m_vMbrRes.size(), 2u);
    const CMbrResults& m0 = r.m_vMbrRes[0];
    EXPECT_NEAR(m0.M[m0.M.size() - 2], -125.0, 1e-9);
    EXPECT_EQ(m0.M.back(), 0.0);
    EXPECT_EQ(r.m_pBeam->m_vL, beam.m_vL);
}

TEST(FastBeamSolver, FollowsThePointsPerSpanSetting)
{
    const int before = g_pSettings->GetAnalysisCopy().NPOINTS_ALONG_BEAM;
    g_pSettings->Edit([](CSettings& st) { st.Analysis.NPOINTS_ALONG_BEAM = 37; });
    const CBeam beam = MakeBeam({15.0, 20.0, 15.0});
    CFastBeamSolver s(beam, qeltest::TestPoints());
    g_pSettings->Edit([before](CSettings& st) { st.Analysis.NPOINTS_ALONG_BEAM = before; });
    EXPECT_EQ(s.GetStationsPerSpan(), 40u);
    s.AddPointLoad(1, 100.0, 7.0);
    s.Solve();
    g_pSettings->Edit([](CSettings& st) { st.Analysis.NPOINTS_ALONG_BEAM = 37; });
    const CBeamResults ref = Literal(beam, {{1, 1, 100.0, 7.0, 0}});
    g_pSettings->Edit([before](CSettings& st) { st.Analysis.NPOINTS_ALONG_BEAM = before; });
    ExpectSame(ref, s, true, "37 points");
}

TEST(FastBeamSolver, RefusesWhatTheLiteralSolverRefuses)
{
    CBeam noEI = MakeBeam({10.0, 10.0});
    noEI.m_vEI.pop_back();
    CBeam shortR = MakeBeam({10.0});
    shortR.m_vR.pop_back();
    for (const CBeam* b : {&noEI, &shortR}) {
        std::string literal, fast;
        try {
            CBeamAnalysis(*b, {}, qeltest::TestPoints());
        } catch (const std::runtime_error& e) {
            literal = e.what();
        }
        try {
            CFastBeamSolver s(*b, qeltest::TestPoints());
        } catch (const std::runtime_error& e) {
            fast = e.what();
        }
        EXPECT_FALSE(literal.empty());
        EXPECT_EQ(fast, literal);
    }
}

TEST(FastBeamSolver, SolvesWithoutAllocating)
{
    const CBeam beam = MakeBeam({15.0, 20.0, 15.0});
    CFastBeamSolver s(beam, qeltest::TestPoints());
    const auto arrangements = Arrangements(beam.m_vL);
    Load(s, arrangements.back().pieces); // the largest list sizes the load buffer
    s.Solve();
    {
        // The counter must see allocations, or a zero below would prove nothing.
        qeltest::AllocationScope probe;
        auto p = std::make_unique<std::vector<double>>(8);
        EXPECT_GE(probe.Count(), 2u);
    }
    qeltest::AllocationScope scope;
    for (int pass = 0; pass < 3; ++pass)
        for (const Arrangement& a : arrangements) {
            Load(s, a.pieces);
            s.Solve(pass == 0);
        }
    EXPECT_EQ(scope.Count(), 0u);
}

} // namespace
