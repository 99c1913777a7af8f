#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TestOptions.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

// Whatever the beam and wherever the loads stand, the support reactions carry every load
// on the beam: their sum is the total load and their moment about the left end is the
// loads' moment. Held for loads standing on supports exactly, one rounding step either
// side of them, and anywhere, on both analysis paths.

namespace {

constexpr double kOnEnd = 0.001; // m: a load this close to an end support bears on it alone

std::shared_ptr<CBridge> BeamOf(const std::vector<double>& spans, const std::vector<double>& EI)
{
    auto bridge = std::make_shared<CBridge>(1, L"B", BC_CUSTOM, 1.0);
    bridge->SetSpans(spans, 1.0);
    bridge->GetBeam()->m_vEI = EI;
    return bridge;
}

// Support coordinates as every user and every solver forms them: running sums of the spans.
std::vector<double> Supports(const std::vector<double>& spans)
{
    std::vector<double> x{0.0};
    for (double L : spans)
        x.push_back(x.back() + L);
    return x;
}

// The loads of a model standing at position p, as beam coordinates; only what lies on the
// beam (or within 1 mm of an end) counts.
struct Totals {
    double force = 0.0;   // kN, downwards positive
    double moment = 0.0;  // kNm about the left end
    double scale = 0.0;   // kN: the sum of the loads' sizes, for the tolerance
    double endSnap = 0.0; // kNm: the moment lost by loads moved onto an end support (< 1 mm)
};

Totals LoadsOnBeam(const CLoadModel& lm, double p, double length)
{
    Totals t;
    auto add = [&](double P, double x) {
        t.force += P;
        t.moment += P * x;
        t.scale += std::abs(P);
    };
    for (const auto& pl : lm.m_vPL) {
        double x = pl.location;
        if (lm.m_Direction == TD_REVERSE)
            x = -lm.m_Length - x;
        x += p;
        if (x <= -kOnEnd || x >= length + kOnEnd)
            continue;
        if (x < kOnEnd || x > length - kOnEnd)
            t.endSnap += std::abs(pl.magnitude) * kOnEnd;
        add(pl.magnitude, x);
    }
    for (const auto& u : lm.m_vUDL)
        add(u.magnitude * length, length / 2.0);
    for (const auto& pu : lm.m_vPUDL) {
        double s = pu.location, c = pu.cover;
        if (lm.m_Direction == TD_REVERSE)
            s = -lm.m_Length - s - c;
        s += p;
        const double a = std::max(s, 0.0), b = std::min(s + c, length);
        if (b > a)
            add(pu.magnitude * (b - a), (a + b) / 2.0);
    }
    return t;
}

void ExpectBalanced(const std::vector<double>& reactions, const std::vector<double>& supports, const Totals& loads,
                    const std::string& what)
{
    ASSERT_EQ(reactions.size(), supports.size()) << what;
    double force = 0.0, moment = 0.0;
    for (size_t k = 0; k < reactions.size(); ++k) {
        force += reactions[k];
        moment += reactions[k] * supports[k];
    }
    const double tol = 1e-9 * std::max(loads.scale, 1.0);
    EXPECT_NEAR(force, loads.force, tol) << what << ": vertical equilibrium";
    EXPECT_NEAR(moment, loads.moment, tol * supports.back() + loads.endSnap) << what << ": moments about the left end";
}

std::vector<double> LiteralReactions(const std::shared_ptr<CBridge>& bridge, const CLoadModel& model, double p)
{
    CSinglePosAnalysis a(bridge, std::make_shared<CLoadModel>(model), qeltest::TestOptions(AnalysisPath::Literal));
    return a.Analyse(p, CAnalysisFeedback::None())->m_vReactions;
}

// One reaction per support from a reaction envelope's entries at position i (the other
// side holds 0).
std::vector<double> EnvelopeReactions(const CEnvelopeResults& r, size_t i)
{
    std::vector<double> out;
    for (int k = 0; k < static_cast<int>(r.GetEnvReactions().size()); ++k) {
        const auto env = r.GetEnvReaction(k);
        out.push_back(env->m_vMax.at(i).val + env->m_vMin.at(i).val);
    }
    return out;
}

std::vector<double> FastReactions(const std::shared_ptr<CBridge>& bridge, const CLoadModel& model, double p)
{
    CFastEnvelopeBuilder b(bridge, std::make_shared<CLoadModel>(model), qeltest::TestPoints());
    b.AnalyseAt(p, CAnalysisFeedback::None());
    return EnvelopeReactions(*b.TakeResults(), 0);
}

TEST(Equilibrium, AnAxleOnAnInteriorSupportBearsOnIt)
{
    // 10 + 10.6 + 10 m: the second interior support stands at 10 + 10.6, which is 20.6 in
    // doubles, while 20.6 - 10 is 10.600000000000001, one step past the middle span. A load
    // standing on a support bends nothing and goes straight into that support.
    const std::vector<double> spans{10.0, 10.6, 10.0};
    auto bridge = BeamOf(spans, {1e6, 1e6, 1e6});
    const std::vector<double> x = Supports(spans);
    CLoadModel axle(1, L"Axle");
    axle.AddPointLoad(100.0, 0.0, 0.0);
    axle.Update();
    for (size_t k = 0; k < x.size(); ++k) {
        for (double at : {std::nextafter(x[k], -1e9), x[k], std::nextafter(x[k], 1e9)}) {
            for (AnalysisPath path : {AnalysisPath::Literal, AnalysisPath::Fast}) {
                const std::vector<double> r = path == AnalysisPath::Literal ? LiteralReactions(bridge, axle, at)
                                                                            : FastReactions(bridge, axle, at);
                const std::string what = "support " + std::to_string(k) + " at x = " + std::to_string(at) +
                                         (path == AnalysisPath::Literal ? ", literal" : ", fast");
                ASSERT_EQ(r.size(), 4u) << what;
                for (size_t j = 0; j < r.size(); ++j)
                    EXPECT_NEAR(r[j], j == k ? 100.0 : 0.0, 1e-9) << what << ", reaction " << j;
            }
        }
    }
}

struct RandomCase {
    std::vector<double> spans;
    std::vector<double> EI;
    CLoadModel model{1, L"Random"};
};

// 1 to 6 spans of 2 to 60 m with one decimal (support coordinates are sums that round),
// EI up to 1:20 between spans; 1 to 8 axles (some lifting), now and then a lane load and a
// partial load; either direction.
RandomCase MakeCase(std::mt19937_64& rng)
{
    RandomCase c;
    std::uniform_int_distribution<int> nSpans(1, 6), tenths(20, 600), nAxles(1, 8), coin(0, 3);
    std::uniform_real_distribution<double> ei(1.0, 20.0), load(-50.0, 250.0), gap(0.5, 6.0);
    for (int i = nSpans(rng); i > 0; --i) {
        c.spans.push_back(tenths(rng) / 10.0);
        c.EI.push_back(1e5 * ei(rng));
    }
    double at = 0.0;
    for (int i = nAxles(rng); i > 0; --i) {
        c.model.AddPointLoad(load(rng), at, 0.0);
        at -= std::round(gap(rng) * 10.0) / 10.0; // axle spacings to 0.1 m, as typed
    }
    if (coin(rng) == 0)
        c.model.AddUDL(std::uniform_real_distribution<double>(-5.0, 20.0)(rng));
    if (coin(rng) == 0)
        c.model.AddPartialUDL(std::uniform_real_distribution<double>(1.0, 30.0)(rng), at / 2.0, -at / 3.0 + 1.0);
    if (coin(rng) == 0)
        c.model.m_Direction = TD_REVERSE;
    c.model.Update();
    return c;
}

TEST(Equilibrium, ReactionsBalanceLoadsOnSupportsAndAnywhere)
{
    std::mt19937_64 rng(20261211);
    for (int n = 0; n < 300; ++n) {
        const RandomCase c = MakeCase(rng);
        auto bridge = BeamOf(c.spans, c.EI);
        const std::vector<double> x = Supports(c.spans);
        const double length = bridge->GetBeam()->m_Length;
        // Positions that put an axle on each support, one step either side, and anywhere.
        std::vector<double> positions;
        std::uniform_int_distribution<size_t> axle(0, c.model.m_vPL.size() - 1);
        for (double support : x) {
            double loc = c.model.m_vPL[axle(rng)].location;
            if (c.model.m_Direction == TD_REVERSE)
                loc = -c.model.m_Length - loc;
            const double p = support - loc;
            positions.insert(positions.end(), {std::nextafter(p, -1e9), p, std::nextafter(p, 1e9)});
        }
        for (int i = 0; i < 3; ++i)
            positions.push_back(std::uniform_real_distribution<double>(-5.0, length + 20.0)(rng));
        for (double p : positions) {
            const Totals loads = LoadsOnBeam(c.model, p, length);
            const std::string what = "case " + std::to_string(n) + " at p = " + std::to_string(p);
            ExpectBalanced(LiteralReactions(bridge, c.model, p), x, loads, what + ", literal");
            ExpectBalanced(FastReactions(bridge, c.model, p), x, loads, what + ", fast");
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(Equilibrium, EveryPositionOfAMovingRunBalances)
{
    // Steps of 0.1 m on spans with one decimal bring axles onto supports within rounding.
    std::mt19937_64 rng(31);
    for (int n = 0; n < 24; ++n) {
        const RandomCase c = MakeCase(rng);
        auto bridge = BeamOf(c.spans, c.EI);
        const std::vector<double> x = Supports(c.spans);
        const double length = bridge->GetBeam()->m_Length;
        const double step = (n % 2 == 0) ? 0.1 : 0.3;
        for (AnalysisPath path : {AnalysisPath::Literal, AnalysisPath::Fast}) {
            int nSteps = 0;
            double s = step;
            CMovingLoadAnalysis a(bridge, std::make_shared<CLoadModel>(c.model), qeltest::TestOptions(path));
            const auto r = a.Analyse(Stepping{.bByStep = true, .step = s, .nSteps = nSteps}, CAnalysisFeedback::None());
            const auto env = r->GetEnvReaction(0);
            ASSERT_GT(env->m_vMax.size(), 1u);
            for (size_t i = 0; i < env->m_vMax.size(); ++i) {
                const double p = env->m_vMax[i].xLoadModel;
                ExpectBalanced(EnvelopeReactions(*r, i), x, LoadsOnBeam(c.model, p, length),
                               "case " + std::to_string(n) + ", position " + std::to_string(p) +
                                   (path == AnalysisPath::Literal ? ", literal" : ", fast"));
                if (::testing::Test::HasFailure())
                    return;
            }
        }
    }
}

} // namespace
