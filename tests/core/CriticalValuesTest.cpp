#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/beam/Beam.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

std::shared_ptr<CLoadModel> Model(const wchar_t* name)
{
    return std::make_shared<CLoadModel>(1, name);
}

std::shared_ptr<CEnvelope> Env(const std::shared_ptr<CBridge>& b, LoadEffectType t, std::vector<double> maxima,
                               std::vector<double> minima, const std::shared_ptr<CLoadModel>& lm)
{
    auto e = std::make_shared<CEnvelope>(b, t);
    for (size_t i = 0; i < maxima.size(); ++i) {
        e->m_vMax.emplace_back(maxima[i], double(i), 0.0, t, lm);
        e->m_vMin.emplace_back(minima[i], double(i), 0.0, t, lm);
    }
    return e;
}

// Envelope results of a bridge with hand-made values: the largest moment is `m`, the
// smallest `-m / 2`; shear +-s; reaction i peaks at r[i].
std::shared_ptr<CEnvelopeResults> Results(const std::shared_ptr<CBridge>& b, double m, double s,
                                          const std::vector<double>& r, const std::shared_ptr<CLoadModel>& lm)
{
    auto res = std::make_shared<CEnvelopeResults>(b);
    res->m_pEnvBMD = Env(b, LET_MOMENT, {0.0, m, 0.5 * m}, {0.0, -0.5 * m, -0.25 * m}, lm);
    res->m_pEnvSFD = Env(b, LET_SHEAR, {s, 0.0}, {0.0, -s}, lm);
    for (double ri : r)
        res->m_vEnvReaction.push_back(Env(b, LET_REACTION, {0.5 * ri, ri}, {0.0, -0.1 * ri}, lm));
    res->m_nReactions = static_cast<int>(r.size());
    res->UpdateCritical();
    return res;
}

} // namespace

TEST(CriticalValues, EnsembleGivesOneValuePerBridgeInOrder)
{
    auto set = std::make_shared<CBridgeSet>(1, L"Set", BC_ONESPAN, 10.0, 30.0, 10.0);
    auto lm = Model(L"Truck");
    std::vector<std::shared_ptr<CEnvelopeResults>> results;
    for (int i = 0; i < 3; ++i)
        results.push_back(Results(set->GetBridge(i), 100.0 * (i + 1), 10.0 * (i + 1), {5.0 * (i + 1), 7.0}, lm));

    CCriticalValueEnsemble ens(results, set);
    EXPECT_EQ(ens.m_nMembers, 3);
    EXPECT_EQ(ens.GetBridgeSet(), set);
    EXPECT_EQ(ens.GetEnvelopeResults(), results);

    std::vector<double> mx{99.0}, mn;
    ens.GetMomentValues(mx, mn);
    EXPECT_EQ(mx, (std::vector<double>{100.0, 200.0, 300.0}));
    EXPECT_EQ(mn, (std::vector<double>{-50.0, -100.0, -150.0}));
    ens.GetShearValues(mx, mn);
    EXPECT_EQ(mx, (std::vector<double>{10.0, 20.0, 30.0}));
    EXPECT_EQ(mn, (std::vector<double>{-10.0, -20.0, -30.0}));
    ens.GetReactionValues(0, mx, mn);
    EXPECT_EQ(mx, (std::vector<double>{5.0, 10.0, 15.0}));
    ens.GetReactionValues(1, mx, mn);
    EXPECT_EQ(mx, (std::vector<double>{7.0, 7.0, 7.0}));

    const CCriticalValueResults m1 = ens.GetMember(1);
    EXPECT_EQ(m1.m_pBeam, set->GetBridge(1)->GetBeam());
    EXPECT_EQ(m1.GetMomentPair().max.xBeam, 1.0);
    EXPECT_EQ(GetLoadModelName(m1.GetMomentPair().max), L"Truck");
    EXPECT_EQ(m1.GetEnvelopeResults(), results[1]);
    EXPECT_EQ(m1.GetReactionPairs().size(), 2u);

    try {
        ens.GetReactionValues(2, mx, mn);
        FAIL() << "support 2 of a one-span bridge";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_THROW(ens.GetMember(3), std::out_of_range);

    // A second make replaces everything.
    ens.MakeCriticalValueEnsemble({results[2]}, set);
    EXPECT_EQ(ens.m_nMembers, 1);
    ens.GetMomentValues(mx, mn);
    EXPECT_EQ(mx, (std::vector<double>{300.0}));
    EXPECT_EQ(ens.GetEnvelopeResults().size(), 1u);

    CCriticalValueEnsemble empty;
    empty.GetShearValues(mx, mn);
    EXPECT_TRUE(mx.empty() && mn.empty());
}

TEST(CriticalValues, UnfilledResultsGiveZeroPairsWithoutFailing)
{
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    // A run stopped before its first position, and one never run at all.
    for (auto res : {std::make_shared<CEnvelopeResults>(bridge), std::make_shared<CEnvelopeResults>()}) {
        CCriticalValueResults crit(res);
        EXPECT_EQ(crit.m_nReactions, 0);
        EXPECT_EQ(crit.GetMomentPair().max.val, 0.0);
        EXPECT_EQ(GetLoadModelName(crit.GetMomentPair().max), L"Zero LM");
        EXPECT_EQ(crit.GetShearPair().min.pLM, nullptr);
        EXPECT_THROW(crit.GetReactionPair(0), std::out_of_range);
    }
    EXPECT_EQ(PointLoadEffect().GetLoadModelName(), L"Zero LM");
}

TEST(CriticalRatios, GoverningRatioTakesTheLargerSignedValue)
{
    struct Case {
        double max, min, governing;
    };
    for (const Case c : {Case{1.2, 1.5, 1.5}, Case{0.8, -0.3, 0.8}, Case{-0.5, -0.2, -0.2}, Case{1.0, 1.0, 1.0}}) {
        CriticalPair<RatioLoadEffect> p;
        p.max.ratio = c.max;
        p.min.ratio = c.min;
        EXPECT_EQ(CCriticalRatioEnsemble::GoverningRatio(p), c.governing) << c.max << " / " << c.min;
    }
}

namespace {

CriticalPair<RatioLoadEffect> RatioPair(double max, double min)
{
    CriticalPair<RatioLoadEffect> p;
    p.max.ratio = max;
    p.min.ratio = min;
    return p;
}

// A member whose support i governs with reactions[i]; moment 1.1, shear max/min given.
CCriticalRatioResults RatioMember(std::vector<double> reactions, double shearMax, double shearMin)
{
    std::vector<CriticalPair<RatioLoadEffect>> r;
    for (double v : reactions)
        r.push_back(RatioPair(v, 0.0));
    return CCriticalRatioResults(r, RatioPair(1.1, 0.9), RatioPair(shearMax, shearMin));
}

} // namespace

TEST(CriticalRatios, GoverningReactionsFollowTheArrangement)
{
    struct Case {
        BridgeConfig config;
        std::vector<double> supports; // governing ratio of each support
        double end;
        std::vector<double> interior;
    };
    const Case cases[] = {
        {BC_ONESPAN, {0.7, 0.9}, 0.9, {}},
        {BC_TWOSPAN, {0.7, 1.3, 0.6}, 0.7, {1.3}},
        {BC_THREESPAN, {0.5, 1.1, 1.4, 0.8}, 0.8, {1.4}},
        {BC_CUSTOM, {0.5, 1.1, 1.4, 0.8}, 0.5, {}}, // only the first support counts as an end
    };
    for (const Case& c : cases) {
        auto set = std::make_shared<CBridgeSet>(1, L"Set", BC_ONESPAN, 10.0, 20.0, 10.0);
        set->m_Config = c.config;
        CCriticalRatioEnsemble ens({RatioMember(c.supports, 1.2, 1.5), RatioMember(c.supports, 0.8, -0.3)}, set);
        EXPECT_EQ(ens.m_nMembers, 0);
        EXPECT_EQ(ens.GetGoverningEndReactionRatios(), (std::vector<double>{c.end, c.end})) << c.config;
        const std::vector<double> interior =
            c.interior.empty() ? std::vector<double>{} : std::vector<double>{c.interior[0], c.interior[0]};
        EXPECT_EQ(ens.GetGoverningInteriorReactionRatios(), interior) << c.config;
        EXPECT_EQ(ens.GetGoverningValuesAll(), interior);
        EXPECT_EQ(ens.GetGoverningShearRatios(), (std::vector<double>{1.5, 0.8}));
        EXPECT_EQ(ens.GetGoverningValues(), ens.GetGoverningShearRatios());
        EXPECT_EQ(ens.GetGoverningValuesByType(), ens.GetGoverningEndReactionRatios());

        // The vectors report every member although the count field stays 0.
        std::vector<double> mx, mn;
        ens.GetMomentValues(mx, mn);
        EXPECT_EQ(mx, (std::vector<double>{1.1, 1.1}));
        EXPECT_EQ(mn, (std::vector<double>{0.9, 0.9}));
    }
}
