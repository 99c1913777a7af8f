#include <gtest/gtest.h>

#include <stdexcept>

#include "core/envelopes/Envelope.h"

namespace {

PointLoadEffect E(double val, double xBeam, double xLM, LoadEffectType t = LET_MOMENT)
{
    return PointLoadEffect(val, xBeam, xLM, t, nullptr);
}

// An envelope whose sides hold the given values at stations 0, 1, 2, ... and load position xLM.
std::shared_ptr<CEnvelope> Env(LoadEffectType t, std::vector<double> maxv, std::vector<double> minv, double xLM = 0.0)
{
    auto env = std::make_shared<CEnvelope>(nullptr, t);
    for (size_t i = 0; i < maxv.size(); ++i)
        env->m_vMax.push_back(E(maxv[i], double(i), xLM + double(i), t));
    for (size_t i = 0; i < minv.size(); ++i)
        env->m_vMin.push_back(E(minv[i], double(i), xLM + double(i), t));
    return env;
}

TEST(RatioLoadEffect, DenominatorBelowOneMillionthGivesZeroRatio)
{
    struct Case {
        double ref, mult, prop, ratio;
    } cases[] = {
        {0.5e-6, 1.0, 10.0, 0.0},                             // |d| < 1e-6
        {1e-6, 1.0, 2e-6, 2.0},                               // exactly 1e-6 is divided by
        {-1e-6, 1.0, 3e-6, -3.0}, {-200.0, 1.0, -100.0, 0.5}, // negative over negative is positive
        {100.0, 1.5, 300.0, 2.0},                             // multiplier factors the reference
        {100.0, 0.0, 300.0, 0.0},
    };
    for (const Case& c : cases) {
        RatioLoadEffect r(E(c.ref, 1, 2, LET_SHEAR), E(c.prop, 3, 4, LET_MOMENT), nullptr, c.mult);
        EXPECT_DOUBLE_EQ(r.ratio, c.ratio) << c.ref << " " << c.mult << " " << c.prop;
        EXPECT_EQ(r.type, LET_SHEAR); // from the reference
        EXPECT_EQ(r.reference.xBeam, 1);
        EXPECT_EQ(r.proposed.xBeam, 3);
        EXPECT_EQ(r.multiplier, c.mult);
    }
    RatioLoadEffect d;
    EXPECT_EQ(d.reference.val, 0.0);
    EXPECT_FALSE(d.proposed.pLM);
    EXPECT_FALSE(d.pBridge);
}

TEST(Envelope, ExtremesKeepTheFirstOfEqualValues)
{
    auto env = Env(LET_MOMENT, {1, 5, 5, 2}, {-1, -7, 0, -7});
    PointLoadEffect mx = env->GetMaxEffect();
    PointLoadEffect mn = env->GetMinEffect();
    EXPECT_EQ(mx.val, 5);
    EXPECT_EQ(mx.xBeam, 1);
    EXPECT_EQ(mn.val, -7);
    EXPECT_EQ(mn.xBeam, 1);
    CriticalPair<PointLoadEffect> p = env->GetCriticalPair();
    EXPECT_EQ(p.max.xBeam, 1);
    EXPECT_EQ(p.min.val, -7);
}

TEST(Envelope, ExtremesOfAnEmptyEnvelopeAreAnError)
{
    CEnvelope env(nullptr, LET_SHEAR);
    EXPECT_THROW(env.GetMaxEffect(), std::runtime_error);
    EXPECT_THROW(env.GetMinEffect(), std::runtime_error);
    EXPECT_THROW(env.GetCriticalPair(), std::runtime_error);
}

TEST(Envelope, StationMaxAndMinTakeWholeEntriesAndKeepTheFirstOnTies)
{
    std::vector<PointLoadEffect> a = {E(1, 0, 10), E(3, 1, 10), E(-2, 2, 10)};
    std::vector<PointLoadEffect> b = {E(2, 0, 20), E(3, 1, 20), E(-5, 2, 20), E(99, 3, 20)};
    auto mx = StationMax(a, b);
    ASSERT_EQ(mx.size(), 3u); // as many as the first argument
    EXPECT_EQ(mx[0].xLoadModel, 20);
    EXPECT_EQ(mx[1].xLoadModel, 10); // tie keeps a
    EXPECT_EQ(mx[2].xLoadModel, 10);
    auto mn = StationMin(a, b);
    EXPECT_EQ(mn[0].xLoadModel, 10);
    EXPECT_EQ(mn[1].xLoadModel, 10);
    EXPECT_EQ(mn[2].val, -5);
    EXPECT_EQ(mn[2].xLoadModel, 20);
    EXPECT_THROW(StationMax(b, a), std::out_of_range);
    EXPECT_THROW(StationMin(b, a), std::out_of_range);
}

TEST(Envelope, VectorsForTheViews)
{
    auto env = Env(LET_REACTION, {1, 2}, {-1, -2}, 5.0);
    env->m_vMin[1].xLoadModel = 77; // another model won the minimum here
    env->m_vMin[1].xBeam = 88;
    EXPECT_EQ(env->GetLoadPositions(), (std::vector<double>{5, 6})); // maximum side only
    EXPECT_EQ(env->GetStations(true), (std::vector<double>{0, 1}));
    EXPECT_EQ(env->GetStations(false), (std::vector<double>{0, 88}));
    EXPECT_EQ(env->GetValues(true), (std::vector<double>{1, 2}));
    EXPECT_EQ(env->GetValues(false), (std::vector<double>{-1, -2}));
}

TEST(Envelope, SuperposingMomentsAddsValuesOnly)
{
    auto a = Env(LET_MOMENT, {1, 2, 3}, {-1, -2, -3}, 0.0);
    auto b = Env(LET_MOMENT, {10, 20, 30}, {-10, -20, -30}, 50.0);
    *a += *b;
    EXPECT_EQ(a->GetValues(true), (std::vector<double>{11, 22, 33}));
    EXPECT_EQ(a->GetValues(false), (std::vector<double>{-11, -22, -33}));
    EXPECT_EQ(a->GetLoadPositions(), (std::vector<double>{0, 1, 2})); // positions stay this envelope's

    auto shortOne = Env(LET_MOMENT, {1, 1}, {1, 1});
    EXPECT_THROW(*a += *shortOne, std::out_of_range);
    EXPECT_EQ(a->GetValues(true), (std::vector<double>{11, 22, 33})); // untouched by the failure
}

TEST(Envelope, SuperposingAOnePointReactionBroadcastsIt)
{
    std::vector<double> up(40), down(40);
    for (int i = 0; i < 40; ++i) {
        up[i] = i;
        down[i] = -i;
    }
    // One-point onto a 40-entry envelope: its value reaches all 40 entries.
    auto moving = Env(LET_REACTION, up, down, 100.0);
    auto still = Env(LET_REACTION, {5}, {-3}, 0.0);
    *moving += *still;
    ASSERT_EQ(moving->m_vMax.size(), 40u);
    EXPECT_EQ(moving->m_vMax[0].val, 5);
    EXPECT_EQ(moving->m_vMax[39].val, 44);
    EXPECT_EQ(moving->m_vMin[39].val, -42);

    // A 40-entry envelope onto a one-point one: 40 entries, the first keeps this envelope's position.
    auto still2 = Env(LET_REACTION, {5}, {-3}, 0.0);
    *still2 += *Env(LET_REACTION, up, down, 100.0);
    ASSERT_EQ(still2->m_vMax.size(), 40u);
    ASSERT_EQ(still2->m_vMin.size(), 40u);
    EXPECT_EQ(still2->m_vMax[0].xLoadModel, 0.0);
    EXPECT_EQ(still2->m_vMax[0].val, 5);
    EXPECT_EQ(still2->m_vMax[1].xLoadModel, 101.0);
    EXPECT_EQ(still2->m_vMax[39].val, 39 + 5);
    EXPECT_EQ(still2->m_vMin[39].val, -39 - 3);

    auto empty = std::make_shared<CEnvelope>(nullptr, LET_REACTION);
    auto still3 = Env(LET_REACTION, {5}, {-3});
    EXPECT_THROW(*still3 += *empty, std::out_of_range);
}

// A stationary reaction of 10 (min -2) taking on a moving run whose first position already
// loads the support (a model with a lane load: 3, 5, 7; min -1, -4, -6): superposition adds
// the stationary value once at every position, 10 + 3, 10 + 5, 10 + 7.
TEST(Envelope, SuperposingOntoAOnePointReactionAddsItsValueOnce)
{
    auto still = Env(LET_REACTION, {10}, {-2}, 0.0);
    *still += *Env(LET_REACTION, {3, 5, 7}, {-1, -4, -6}, 100.0);
    EXPECT_EQ(still->GetValues(true), (std::vector<double>{13, 15, 17}));
    EXPECT_EQ(still->GetValues(false), (std::vector<double>{-3, -6, -8}));
}

TEST(Envelope, ReactionsOfUnequalLengthsAreLeftUnchanged)
{
    auto a = Env(LET_REACTION, {1, 2, 3}, {0, 0, 0});
    *a += *Env(LET_REACTION, {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0});
    EXPECT_EQ(a->GetValues(true), (std::vector<double>{1, 2, 3}));
    *a += *Env(LET_REACTION, {1, 1, 1}, {-1, -1, -1});
    EXPECT_EQ(a->GetValues(true), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(a->GetValues(false), (std::vector<double>{-1, -1, -1}));
}

TEST(Envelope, ExtendToMatchAppendsZeroEntriesAtTheOthersPositions)
{
    auto a = Env(LET_REACTION, {4, 4}, {-4, -4}, 0.0);
    a->ExtendToMatch(Env(LET_REACTION, {1}, {1}));
    EXPECT_EQ(a->m_vMax.size(), 2u);
    a->ExtendToMatch(Env(LET_REACTION, {9, 9, 9, 9}, {-9, -9, -9, -9}, 30.0));
    ASSERT_EQ(a->m_vMax.size(), 4u);
    ASSERT_EQ(a->m_vMin.size(), 4u);
    EXPECT_EQ(a->m_vMax[1].val, 4);
    for (int i = 2; i < 4; ++i) {
        for (const auto* e : {&a->m_vMax[i], &a->m_vMin[i]}) {
            EXPECT_EQ(e->val, 0.0);
            EXPECT_EQ(e->xLoadModel, 30.0 + i);
            EXPECT_EQ(e->xBeam, double(i));
            EXPECT_EQ(e->type, LET_REACTION);
            EXPECT_FALSE(e->pLM);
        }
    }
}

TEST(Envelope, CriticalRatioPairComparesExtremesNotStations)
{
    auto prop = Env(LET_MOMENT, {100, 300, 50}, {-10, -5, -40});
    auto ref = Env(LET_MOMENT, {200, 100, 150}, {-20, -80, -1});
    auto pair = prop->GetCriticalRatioPair(ref, 2.0);
    EXPECT_DOUBLE_EQ(pair.max.ratio, 300.0 / (200.0 * 2.0));
    EXPECT_DOUBLE_EQ(pair.min.ratio, -40.0 / (-80.0 * 2.0));
    EXPECT_EQ(pair.max.proposed.xBeam, 1);
    EXPECT_EQ(pair.max.reference.xBeam, 0);
}

TEST(Envelope, CopySharesTheBridgeButNotTheEntries)
{
    auto a = Env(LET_SHEAR, {1}, {-1});
    CEnvelope b(*a);
    b.m_vMax[0].val = 9;
    EXPECT_EQ(a->m_vMax[0].val, 1);
    EXPECT_EQ(b.m_Type, LET_SHEAR);
}

} // namespace
