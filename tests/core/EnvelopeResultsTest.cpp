#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "ArchiveTestUtil.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/critical/CriticalRatioResults.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

// Results of one position on a one-span 10 m bridge, given at three stations 0, 5, 10
// (two reactions, at 0 and 10): enough to see what the envelopes keep.
class EnvelopeResultsTest : public ::testing::Test {
protected:
    std::shared_ptr<CBridge> bridge = CBridge::Create(1, L"B", BC_ONESPAN, 10.0);
    std::shared_ptr<CLoadModel> lmA = std::make_shared<CLoadModel>(1, L"A");
    std::shared_ptr<CLoadModel> lmB = std::make_shared<CLoadModel>(2, L"B");

    std::shared_ptr<CBeamResults> Res(std::vector<double> M, std::vector<double> V, std::vector<double> R) const
    {
        CMbrResults m(3);
        m.x = {0, 5, 10};
        m.M = std::move(M);
        m.V = std::move(V);
        return std::make_shared<CBeamResults>(*bridge->GetBeam(), std::vector<CMbrResults>{m}, std::move(R));
    }

    // A run of positions 0, 1, 2, ... whose reactions are r0[i] and -r0[i].
    std::shared_ptr<CEnvelopeResults> Run(const std::shared_ptr<CLoadModel>& lm, std::vector<double> r0,
                                          double scale = 1.0) const
    {
        auto er = std::make_shared<CEnvelopeResults>(bridge);
        for (size_t i = 0; i < r0.size(); ++i)
            er->AddResults(Res({0, scale * r0[i], 0}, {scale, 0, -scale}, {r0[i], -r0[i]}), lm, double(i));
        return er;
    }
};

TEST_F(EnvelopeResultsTest, FirstPositionSetsUpEnvelopesWithZeroFloorAndCeiling)
{
    CEnvelopeResults er(bridge);
    EXPECT_FALSE(er.HasEnvelopes());
    EXPECT_EQ(er.m_nReactions, 2);
    er.AddResults(Res({-1, -4, -2}, {3, 0, -3}, {0, 7}), lmA, 2.5);

    auto bm = er.GetEnvBMD();
    ASSERT_TRUE(bm);
    ASSERT_EQ(bm->m_vMax.size(), 3u);
    for (const auto& e : bm->m_vMax) { // negative everywhere: the maximum is zero without load model
        EXPECT_EQ(e.val, 0.0);
        EXPECT_FALSE(e.pLM);
        EXPECT_EQ(e.xLoadModel, 2.5);
        EXPECT_EQ(e.type, LET_MOMENT);
    }
    EXPECT_EQ(bm->GetStations(true), (std::vector<double>{0, 5, 10}));
    EXPECT_EQ(bm->GetValues(false), (std::vector<double>{-1, -4, -2}));
    EXPECT_EQ(bm->m_vMin[1].pLM, lmA);

    auto sf = er.GetEnvSFD();
    EXPECT_EQ(sf->GetValues(true), (std::vector<double>{3, 0, 0}));
    EXPECT_EQ(sf->GetValues(false), (std::vector<double>{0, 0, -3}));
    EXPECT_EQ(sf->m_vMax[1].pLM, lmA); // an exact zero is this position's own entry
    EXPECT_EQ(sf->m_vMin[0].pLM, nullptr);

    // Reaction 0 is exactly zero: zero entries on both sides, keeping the load model.
    auto r0 = er.GetEnvReaction(0);
    ASSERT_EQ(r0->m_vMax.size(), 1u);
    EXPECT_EQ(r0->m_vMax[0].val, 0.0);
    EXPECT_EQ(r0->m_vMin[0].val, 0.0);
    EXPECT_EQ(r0->m_vMax[0].pLM, lmA);
    EXPECT_EQ(r0->m_vMin[0].pLM, lmA);
    auto r1 = er.GetEnvReaction(1);
    EXPECT_EQ(r1->m_vMax[0].val, 7.0);
    EXPECT_EQ(r1->m_vMax[0].xBeam, 10.0);
    EXPECT_EQ(r1->m_vMin[0].val, 0.0);
    EXPECT_FALSE(er.GetEnvReaction(2));
    EXPECT_FALSE(er.GetEnvReaction(-1));

    EXPECT_EQ(er.m_critBMD.min.val, -4.0);
    EXPECT_EQ(er.m_vCritReaction.size(), 2u);
    EXPECT_EQ(er.m_vCritReaction[1].max.val, 7.0);
    EXPECT_EQ(er.m_nAnalyses, 1);
    EXPECT_EQ(er.m_nBeamResults, 1);
    EXPECT_TRUE(er.GetSingleResults().empty()); // kept only on request
}

TEST_F(EnvelopeResultsTest, LaterPositionsReplaceOnlyOnStrictlyLargerValues)
{
    CEnvelopeResults er(bridge);
    er.KeepBeamResults(true);
    er.AddResults(Res({0, 5, 0}, {1, 0, -1}, {1, 1}), lmA, 0.0);
    er.AddResults(Res({0, 5, 0}, {2, 0, -1}, {2, 0}), lmB, 1.0); // tie at midspan
    er.AddResults(Res({0, 6, -3}, {0, 0, -2}, {0, 3}), lmB, 2.0);
    auto bm = er.GetEnvBMD();
    EXPECT_EQ(bm->m_vMax[1].val, 6.0);
    EXPECT_EQ(bm->m_vMax[1].xLoadModel, 2.0);
    EXPECT_EQ(bm->m_vMin[2].val, -3.0);
    auto sf = er.GetEnvSFD();
    EXPECT_EQ(sf->m_vMax[0].xLoadModel, 1.0);
    EXPECT_EQ(sf->m_vMin[2].xLoadModel, 2.0);
    EXPECT_EQ(sf->m_vMin[2].pLM, lmB);

    // Reactions: one entry per position, in order.
    EXPECT_EQ(er.GetEnvReaction(0)->GetValues(true), (std::vector<double>{1, 2, 0}));
    EXPECT_EQ(er.GetEnvReaction(0)->GetLoadPositions(), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(er.m_vCritReaction[1].max.xLoadModel, 2.0);
    EXPECT_EQ(er.m_nAnalyses, 3);
    EXPECT_EQ(er.GetSingleResults().size(), 3u);

    EXPECT_THROW(CEnvelopeResults().AddResults(Res({0, 0, 0}, {0, 0, 0}, {0, 0}), lmA, 0), std::runtime_error);
}

// A result with more stations than the envelopes folds only the stations the envelopes
// have, as the station-wise maximum of the two lists keeps the first list's length.
TEST_F(EnvelopeResultsTest, ExtraStationsOfALaterPositionAreIgnored)
{
    CEnvelopeResults er(bridge);
    er.AddResults(Res({0, 5, 0}, {1, 0, -1}, {1, 1}), lmA, 0.0);
    CMbrResults m(4);
    m.x = {0, 5, 10, 12};
    m.M = {0, 8, -2, 99};
    m.V = {2, 0, -4, 99};
    er.AddResults(
        std::make_shared<CBeamResults>(*bridge->GetBeam(), std::vector<CMbrResults>{m}, std::vector<double>{3, 3}), lmB,
        1.0);
    auto bm = er.GetEnvBMD();
    ASSERT_EQ(bm->m_vMax.size(), 3u);
    ASSERT_EQ(bm->m_vMin.size(), 3u);
    EXPECT_EQ(bm->GetValues(true), (std::vector<double>{0, 8, 0}));
    EXPECT_EQ(bm->GetValues(false), (std::vector<double>{0, 0, -2}));
    EXPECT_EQ(er.GetEnvSFD()->GetValues(true), (std::vector<double>{2, 0, 0}));
    EXPECT_EQ(er.m_critBMD.max.val, 8.0);
}

TEST_F(EnvelopeResultsTest, AugmentMergesStationWiseAndPairsReactionsByIndex)
{
    std::vector<double> thirty(30, 5.0), thirtyFour(34, 1.0);
    thirtyFour[0] = 9.0;
    auto a = Run(lmA, thirty);
    auto b = Run(lmB, thirtyFour, 2.0);

    CEnvelopeResults merged;
    merged.Augment(CEnvelopeResults()); // a run stopped before its first position
    EXPECT_FALSE(merged.HasEnvelopes());
    merged.Augment(*a);
    ASSERT_TRUE(merged.HasEnvelopes());
    EXPECT_EQ(merged.GetBridge(), bridge);
    EXPECT_EQ(merged.GetBeam(), bridge->GetBeam());
    a->GetEnvBMD()->m_vMax[1].val = 1000; // the first merge copied, it does not share
    EXPECT_EQ(merged.GetEnvBMD()->m_vMax[1].val, 5.0);

    merged.Augment(*b);
    auto r0 = merged.GetEnvReaction(0);
    ASSERT_EQ(r0->m_vMax.size(), 34u);
    ASSERT_EQ(r0->m_vMin.size(), 34u);
    EXPECT_EQ(r0->m_vMax[0].val, 9.0);
    EXPECT_EQ(r0->m_vMax[0].pLM, lmB);
    EXPECT_EQ(r0->m_vMax[29].val, 5.0);
    EXPECT_EQ(r0->m_vMax[29].pLM, lmA);
    EXPECT_EQ(r0->m_vMax[33].val, 1.0); // beyond the shorter run, compared with zero
    EXPECT_EQ(r0->m_vMax[33].pLM, lmB);
    EXPECT_EQ(merged.GetEnvReaction(1)->m_vMin[33].val, -1.0);
    EXPECT_EQ(merged.GetEnvBMD()->m_vMax[1].val, 18.0); // 2 x 9 at b's first position
    EXPECT_EQ(merged.m_nAugments, 3);
    EXPECT_EQ(merged.m_nAnalyses, 64);
    EXPECT_EQ(merged.m_nBeamResults, 0);
    EXPECT_EQ(merged.m_vCritReaction[0].max.val, 9.0);
}

TEST_F(EnvelopeResultsTest, SuperpositionAndScaling)
{
    auto a = Run(lmA, {1, 2, 3});
    auto still = Run(lmB, {10});
    CEnvelopeResults sum = *a + *still;
    EXPECT_EQ(sum.GetEnvReaction(0)->GetValues(true), (std::vector<double>{11, 12, 13}));
    EXPECT_EQ(sum.GetEnvReaction(1)->GetValues(false), (std::vector<double>{-11, -12, -13}));
    EXPECT_EQ(a->GetEnvReaction(0)->GetValues(true), (std::vector<double>{1, 2, 3})); // + left a alone
    EXPECT_EQ(sum.m_nAnalyses, 4);
    EXPECT_EQ(sum.m_vCritReaction[0].max.val, 13.0);

    CEnvelopeResults neg = *a * -1.0;
    EXPECT_EQ(neg.GetEnvReaction(0)->GetValues(true), (std::vector<double>{-1, -2, -3})); // sides not swapped
    EXPECT_EQ(neg.GetEnvBMD()->m_vMax[1].val, -3.0);
    EXPECT_EQ(neg.m_vCritReaction[0].max.val, -1.0); // critical pairs recomputed
    EXPECT_EQ(neg.m_critBMD.max.val, 0.0);

    // Too few reaction envelopes in the other: out of range, nothing changed.
    CEnvelopeResults fewer(*a);
    fewer.m_vEnvReaction.pop_back();
    CEnvelopeResults target(*a);
    EXPECT_THROW(target += fewer, std::out_of_range);
    EXPECT_EQ(target.GetEnvReaction(0)->GetValues(true), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(target.m_nAnalyses, 3);

    CEnvelopeResults empty;
    EXPECT_THROW(target += empty, std::runtime_error);
    EXPECT_THROW(empty * 2.0, std::runtime_error);
    EXPECT_NO_THROW(empty.UpdateCritical());
    EXPECT_TRUE(empty.m_vCritReaction.empty());
}

TEST_F(EnvelopeResultsTest, CopyIsDeepAssignmentShares)
{
    auto a = Run(lmA, {1, 2});
    CEnvelopeResults copy(*a);
    EXPECT_NE(copy.GetEnvBMD(), a->GetEnvBMD());
    EXPECT_NE(copy.GetEnvReaction(1), a->GetEnvReaction(1));
    EXPECT_EQ(copy.GetBridge(), a->GetBridge());
    EXPECT_EQ(copy.m_vCritReaction.size(), 2u);
    CEnvelopeResults assigned;
    assigned = *a;
    EXPECT_EQ(assigned.GetEnvBMD(), a->GetEnvBMD());
    EXPECT_EQ(assigned.GetEnvReaction(1), a->GetEnvReaction(1));
}

TEST_F(EnvelopeResultsTest, CriticalRatiosPairShorterReactionHistoriesWithZeroEntries)
{
    auto prop = Run(lmA, {3, 6});
    auto ref = Run(lmB, {2, 2, 8}, 2.0);
    CCriticalRatioResults r = prop->GetCriticalRatios(ref, 0.5);
    EXPECT_DOUBLE_EQ(r.GetMomentPair().max.ratio, 6.0 / (16.0 * 0.5));
    EXPECT_EQ(r.m_nReactions, 2);
    EXPECT_DOUBLE_EQ(r.GetReactionPair(0).max.ratio, 6.0 / 4.0);
    EXPECT_DOUBLE_EQ(r.GetReactionPair(1).min.ratio, -6.0 / -4.0);
    EXPECT_THROW(r.GetReactionPair(2), std::out_of_range);
    // Neither side changes: a proposed result is shared by the comparisons with several references.
    EXPECT_EQ(prop->GetEnvReaction(0)->m_vMax.size(), 2u);
    EXPECT_EQ(ref->GetEnvReaction(0)->m_vMax.size(), 3u);
}

TEST_F(EnvelopeResultsTest, CriticalRatiosAreThoseOfHistoriesExtendedToOneLength)
{
    // The oracle extends copies of both reaction envelopes (each to the other's length)
    // and compares them. The negated runs have maxima below zero (minima above), where
    // an appended zero entry becomes the critical one.
    const auto negated = [](const std::shared_ptr<CEnvelopeResults>& r) {
        return std::make_shared<CEnvelopeResults>(*r * -1.0);
    };
    struct Case {
        const char* name;
        std::shared_ptr<CEnvelopeResults> prop, ref;
    };
    const Case cases[] = {
        {"proposed shorter", Run(lmA, {3, 6}), Run(lmB, {2, 2, 8})},
        {"reference shorter", Run(lmA, {3, 6, 1, 1}), Run(lmB, {2, 9})},
        {"same length", Run(lmA, {3, 6}), Run(lmB, {5, 1})},
        {"negated proposed shorter", negated(Run(lmA, {3, 6})), Run(lmB, {2, 2, 8})},
        {"negated reference shorter", Run(lmA, {3, 6, 1}), negated(Run(lmB, {2, 9}))},
    };
    for (const Case& c : cases) {
        const CCriticalRatioResults got = c.prop->GetCriticalRatios(c.ref, 0.5);
        ASSERT_EQ(got.m_nReactions, 2) << c.name;
        for (int i = 0; i < 2; ++i) {
            auto p = std::make_shared<CEnvelope>(*c.prop->GetEnvReaction(i));
            auto q = std::make_shared<CEnvelope>(*c.ref->GetEnvReaction(i));
            p->ExtendToMatch(q);
            q->ExtendToMatch(p);
            const CriticalPair<RatioLoadEffect> want = p->GetCriticalRatioPair(q, 0.5);
            const CriticalPair<RatioLoadEffect> pair = got.GetReactionPair(i);
            for (bool bMax : {true, false}) {
                const RatioLoadEffect& a = bMax ? pair.max : pair.min;
                const RatioLoadEffect& b = bMax ? want.max : want.min;
                const std::string what =
                    std::string(c.name) + ", support " + std::to_string(i) + (bMax ? " max" : " min");
                EXPECT_EQ(a.ratio, b.ratio) << what;
                EXPECT_EQ(a.proposed.val, b.proposed.val) << what;
                EXPECT_EQ(a.proposed.xLoadModel, b.proposed.xLoadModel) << what;
                EXPECT_EQ(a.proposed.pLM, b.proposed.pLM) << what;
                EXPECT_EQ(a.reference.val, b.reference.val) << what;
                EXPECT_EQ(a.reference.xLoadModel, b.reference.xLoadModel) << what;
                EXPECT_EQ(a.reference.pLM, b.reference.pLM) << what;
            }
        }
    }
    // By hand, negated proposed {-3, -6} against {2, 2, 8}: the maximum side is -3, -6 and
    // the zero entry at the reference's third position (x = 2) beats them; 0 / (8 x 0.5).
    const CCriticalRatioResults r = cases[3].prop->GetCriticalRatios(cases[3].ref, 0.5);
    EXPECT_EQ(r.GetReactionPair(0).max.ratio, 0.0);
    EXPECT_EQ(r.GetReactionPair(0).max.proposed.xLoadModel, 2.0);
    EXPECT_FALSE(r.GetReactionPair(0).max.proposed.pLM);
}

TEST_F(EnvelopeResultsTest, CombineIsTheSumOfScaledCopies)
{
    // A stationary result (one reaction entry) with a moving one, as the reference sets
    // combine overstress and live load, and two moving ones of one length.
    auto stationary = Run(lmA, {4});
    auto moving = Run(lmB, {2, 5, 1}, 3.0);
    auto other = Run(lmA, {1, 7, 3});
    for (const auto& [a, b] : {std::pair{stationary, moving}, std::pair{other, moving}}) {
        const CEnvelopeResults want = (*a * 0.4) + (*b * 1.4);
        const auto got = CEnvelopeResults::Combine(*a, 0.4, *b, 1.4);
        EXPECT_EQ(got->m_nAnalyses, want.m_nAnalyses);
        EXPECT_EQ(got->GetEnvBMD()->GetValues(true), want.GetEnvBMD()->GetValues(true));
        EXPECT_EQ(got->GetEnvSFD()->GetValues(false), want.GetEnvSFD()->GetValues(false));
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(got->GetEnvReaction(i)->GetValues(true), want.GetEnvReaction(i)->GetValues(true)) << i;
            EXPECT_EQ(got->GetEnvReaction(i)->GetValues(false), want.GetEnvReaction(i)->GetValues(false)) << i;
            EXPECT_EQ(got->GetEnvReaction(i)->GetLoadPositions(), want.GetEnvReaction(i)->GetLoadPositions()) << i;
        }
        EXPECT_EQ(got->m_critBMD.max.val, want.m_critBMD.max.val);
        EXPECT_EQ(got->m_vCritReaction.size(), want.m_vCritReaction.size());
    }
    // By hand: the stationary reaction 4 x 0.4 = 1.6 is added at each moving position,
    // whose reactions 2, 5 and 1 count 1.4 times.
    const auto sum = CEnvelopeResults::Combine(*stationary, 0.4, *moving, 1.4);
    const std::vector<double> r0 = sum->GetEnvReaction(0)->GetValues(true);
    ASSERT_EQ(r0.size(), 3u);
    EXPECT_DOUBLE_EQ(r0[0], 1.6 + 2.8);
    EXPECT_DOUBLE_EQ(r0[1], 1.6 + 7.0);
    EXPECT_DOUBLE_EQ(r0[2], 1.6 + 1.4);
    CEnvelopeResults empty;
    EXPECT_THROW(CEnvelopeResults::Combine(empty, 0.4, *moving, 1.4), std::runtime_error);
}

using qeltest::Kind;
class EnvelopeResultsArchive : public EnvelopeResultsTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(EnvelopeResultsArchive, RoundTripRebuildsCriticalPairsAndSharesLoadModels)
{
    auto a = Run(lmA, {1, 4, 2});
    a->Augment(*Run(lmB, {5}, 3.0)); // entries from two load models
    auto er = std::make_shared<CEnvelopeResults>();
    er->Augment(*a);
    er->KeepBeamResults(true);

    auto back = qeltest::RoundTrip(GetParam(), er);
    ASSERT_TRUE(back && back->HasEnvelopes());
    EXPECT_EQ(back->m_nAugments, 1);
    EXPECT_EQ(back->m_nAnalyses, er->m_nAnalyses);
    EXPECT_EQ(back->m_nBeamResults, 0);
    EXPECT_EQ(back->m_nReactions, 2);
    EXPECT_TRUE(back->GetSingleResults().empty());
    ASSERT_TRUE(back->GetBridge());
    EXPECT_EQ(back->GetBeam(), back->GetBridge()->GetBeam());
    EXPECT_EQ(back->GetBridge()->m_SpanLength, 10.0);
    for (bool side : {true, false}) {
        EXPECT_EQ(back->GetEnvBMD()->GetValues(side), er->GetEnvBMD()->GetValues(side));
        EXPECT_EQ(back->GetEnvSFD()->GetStations(side), er->GetEnvSFD()->GetStations(side));
        EXPECT_EQ(back->GetEnvReaction(1)->GetValues(side), er->GetEnvReaction(1)->GetValues(side));
    }
    EXPECT_EQ(back->GetEnvReaction(0)->GetLoadPositions(), er->GetEnvReaction(0)->GetLoadPositions());
    EXPECT_EQ(back->GetEnvReaction(0)->m_Type, LET_REACTION);
    EXPECT_EQ(back->GetEnvSFD()->m_Type, LET_SHEAR);
    // Critical pairs are rebuilt, with their load models.
    EXPECT_EQ(back->m_critBMD.max.val, er->m_critBMD.max.val);
    ASSERT_EQ(back->m_vCritReaction.size(), 2u);
    EXPECT_EQ(back->m_vCritReaction[0].max.val, 5.0);
    EXPECT_EQ(back->m_critBMD.max.val, 15.0);
    ASSERT_TRUE(back->m_vCritReaction[0].max.pLM);
    EXPECT_EQ(back->m_vCritReaction[0].max.pLM->GetDescription(), L"B");
    // One load model object behind every effect it caused, and one bridge behind every envelope.
    EXPECT_EQ(back->GetEnvReaction(0)->m_vMax[0].pLM, back->GetEnvBMD()->m_vMax[1].pLM);
    EXPECT_EQ(back->GetEnvReaction(1)->GetBridge(), back->GetBridge());
    EXPECT_FALSE(back->GetEnvSFD()->m_vMin[0].pLM); // zero entries stay without load model
}

TEST_P(EnvelopeResultsArchive, EnvelopeRoundTripRestoresEveryField)
{
    auto env = std::make_shared<CEnvelope>(bridge, LET_REACTION);
    env->m_vMax = {PointLoadEffect(7.5, 10.0, -1.25, LET_REACTION, lmA),
                   PointLoadEffect(0, 10.0, 0.5, LET_REACTION, nullptr)};
    env->m_vMin = {PointLoadEffect(-2.0, 10.0, 3.0, LET_REACTION, lmA)};
    auto back = qeltest::RoundTrip(GetParam(), env);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->m_Type, LET_REACTION);
    ASSERT_TRUE(back->GetBridge());
    EXPECT_EQ(back->GetBridge()->m_Config, BC_ONESPAN);
    ASSERT_EQ(back->m_vMax.size(), 2u);
    ASSERT_EQ(back->m_vMin.size(), 1u);
    EXPECT_EQ(back->m_vMax[0].val, 7.5);
    EXPECT_EQ(back->m_vMax[0].xBeam, 10.0);
    EXPECT_EQ(back->m_vMax[0].xLoadModel, -1.25);
    EXPECT_EQ(back->m_vMax[0].type, LET_REACTION);
    ASSERT_TRUE(back->m_vMax[0].pLM);
    EXPECT_EQ(back->m_vMax[0].pLM->GetDescription(), L"A");
    EXPECT_EQ(back->m_vMax[0].pLM, back->m_vMin[0].pLM); // stored once
    EXPECT_FALSE(back->m_vMax[1].pLM);
    EXPECT_EQ(back->m_vMin[0].val, -2.0);
}

// A long vehicle whose axles stay off the span for most positions leaves reaction
// histories of noughts at the shared load positions: a few bytes stand for thousands of
// entries, and they must read back.
TEST_P(EnvelopeResultsArchive, LongHistoriesOfNoughtsRoundTrip)
{
    std::vector<double> r0(5000, 0.0);
    r0[2500] = 1.0;
    auto er = Run(lmA, r0);
    auto back = qeltest::RoundTrip(GetParam(), er);
    ASSERT_TRUE(back && back->HasEnvelopes());
    for (int j : {0, 1})
        for (bool side : {true, false})
            EXPECT_EQ(back->GetEnvReaction(j)->GetValues(side), er->GetEnvReaction(j)->GetValues(side));
    EXPECT_EQ(back->GetEnvReaction(1)->GetLoadPositions(), er->GetEnvReaction(1)->GetLoadPositions());
}

TEST_P(EnvelopeResultsArchive, EmptyResultsRoundTrip)
{
    auto back = qeltest::RoundTrip(GetParam(), std::make_shared<CEnvelopeResults>());
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->HasEnvelopes());
    EXPECT_TRUE(back->m_vCritReaction.empty());
}

// A crafted or damaged file must not load envelopes that break what the views and the
// comparisons index by: both sides of every envelope of one length, bending and shear
// together, a reaction envelope for every entry.
TEST_P(EnvelopeResultsArchive, LoadRejectsInconsistentEnvelopes)
{
    const std::function<void(CEnvelopeResults&)> damage[] = {
        [](CEnvelopeResults& r) { r.m_pEnvBMD->m_vMin.pop_back(); },
        [](CEnvelopeResults& r) { r.m_pEnvSFD->m_vMax.push_back(r.m_pEnvSFD->m_vMax.back()); },
        [](CEnvelopeResults& r) { r.GetEnvReaction(1)->m_vMin.pop_back(); },
        [](CEnvelopeResults& r) { r.m_pEnvSFD.reset(); },
        [](CEnvelopeResults& r) {
            r.m_pEnvBMD.reset();
            r.m_pEnvSFD.reset();
        },
    };
    for (size_t i = 0; i < std::size(damage); ++i) {
        auto er = Run(lmA, {1, 4, 2});
        damage[i](*er);
        // Files of the earlier layout hold such envelopes as they are.
        const std::string data = qeltest::SaveTo(GetParam(), "item", er, CaseLayout::Legacy);
        std::shared_ptr<CEnvelopeResults> back;
        EXPECT_THROW(qeltest::LoadFrom(GetParam(), data, "item", back), boost::archive::archive_exception)
            << "damage " << i;
        // The current layout cannot hold every one of them: what it writes is refused.
        EXPECT_THROW(qeltest::LoadFrom(GetParam(), qeltest::SaveTo(GetParam(), "item", er), "item", back),
                     boost::archive::archive_exception)
            << "damage " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EnvelopeResultsArchive, ::testing::Values(Kind::Binary, Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

} // namespace
