#pragma once
// Bridges, load models and the comparison of envelope results shared by the tests that
// hold the fast analysis path against the literal one.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RecordingFeedback.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace fastcases {

struct BridgeCase {
    std::string name;
    BridgeConfig config;
    double S;
};

// One, two and three spans, short and long.
inline std::vector<BridgeCase> Bridges()
{
    return {{"1 x 8", BC_ONESPAN, 8.0},   {"1 x 45", BC_ONESPAN, 45.0},   {"2 x 8", BC_TWOSPAN, 8.0},
            {"2 x 40", BC_TWOSPAN, 40.0}, {"3 x 10", BC_THREESPAN, 10.0}, {"3 x 40", BC_THREESPAN, 40.0}};
}

struct ModelCase {
    std::string name;
    std::function<CLoadModel()> make;
};

inline CLoadModel FiveAxles()
{
    CLoadModel lm(1, L"Semi-trailer");
    lm.AddPointLoad(60.0, 0.0, 2.0);
    lm.AddPointLoad(120.0, -3.7, 2.0);
    lm.AddPointLoad(120.0, -4.9, 2.0);
    lm.AddPointLoad(120.0, -11.0, 2.0);
    lm.AddPointLoad(120.0, -12.2, 2.0);
    lm.Update();
    return lm;
}

// A lane load taken away under a 10 m vehicle, re-shaped for each bridge by its rule.
inline CLoadModel LaneAndVehicle(BridgeRule rule)
{
    CLoadModel lm(2, L"Lane");
    lm.AddUDL(1.0);
    lm.AddPointLoad(100.0, 0.0, 2.0);
    lm.AddPointLoad(100.0, -6.0, 2.0);
    lm.AddPartialUDL(-1.0, -10.0, 10.0);
    lm.m_bAdjustToBridge = true;
    lm.m_lmBridge = rule;
    lm.m_bAppliesR = false;
    lm.Update();
    return lm;
}

inline std::vector<ModelCase> Models()
{
    return {
        {"five axles", FiveAxles},
        {"five axles reversed",
         [] {
             CLoadModel lm = FiveAxles();
             lm.m_Direction = TD_REVERSE;
             return lm;
         }},
        {"width factor",
         [] {
             CLoadModel lm = FiveAxles();
             lm.m_WidthFactor = 1;
             return lm;
         }},
        {"partial loads",
         [] {
             CLoadModel lm(3, L"Partial");
             lm.AddPartialUDL(8.0, -6.0, 6.0);
             lm.AddPartialUDL(3.0, -20.0, 3.0);
             lm.AddPointLoad(50.0, -8.0, 0.0);
             lm.Update();
             return lm;
         }},
        {"partial loads reversed",
         [] {
             CLoadModel lm(3, L"Partial");
             lm.AddPartialUDL(8.0, -6.0, 6.0);
             lm.AddPartialUDL(3.0, -20.0, 3.0);
             lm.m_Direction = TD_REVERSE;
             lm.Update();
             return lm;
         }},
        {"lane rule", [] { return LaneAndVehicle(BR_A36_UDL_DLA); }},
        {"extra axle rule", [] { return LaneAndVehicle(BR_NAASRA_PL_ABDC_DLA); }},
        {"uniform load only",
         [] {
             CLoadModel lm(4, L"Lane only");
             lm.AddUDL(9.0);
             lm.Update();
             return lm;
         }},
        {"moment only, factored",
         [] {
             CLoadModel lm = FiveAxles();
             lm.m_bAppliesSF = false;
             lm.m_bAppliesR = false;
             lm.m_gDLA.value = 1.3;
             lm.m_gArbitrary.value = 0.9;
             return lm;
         }},
        {"short bridges only",
         [] {
             CLoadModel lm = FiveAxles();
             lm.m_bUseMaxL = true;
             lm.m_maxL = 20.0;
             return lm;
         }},
    };
}

// The same double to the last bit: what a run on more threads must give.
inline bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline bool SameValue(double a, double b)
{
    if (a == b || (std::isnan(a) && std::isnan(b)))
        return true;
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

// Which load models stand for each other in the two runs (each path runs its own copy,
// since bridge rules change the model). nullptr pairs with nullptr.
using ModelMap = std::vector<std::pair<const CLoadModel*, const CLoadModel*>>;

// A copy of every model for the other run (runs under bridge rules change their models),
// listed as in the original, a model listed twice copied once; map, empty before, tells
// which stands for which.
inline std::shared_ptr<CLoadModelEnsemble> CopyOf(const CLoadModelEnsemble& lme, ModelMap& map)
{
    auto copy = std::make_shared<CLoadModelEnsemble>(lme.m_ID, lme.m_Description);
    for (const auto& lm : lme.m_vLoadModel) {
        auto known = std::find_if(map.begin(), map.end(), [&](const auto& p) { return p.first == lm.get(); });
        if (known != map.end()) {
            for (const auto& c : copy->m_vLoadModel)
                if (c.get() == known->second)
                    copy->AddLoadModel(c);
            continue;
        }
        copy->AddLoadModel(std::make_shared<CLoadModel>(*lm));
        map.push_back({lm.get(), copy->m_vLoadModel.back().get()});
    }
    return copy;
}

inline bool SameModel(const std::shared_ptr<CLoadModel>& a, const std::shared_ptr<CLoadModel>& b, const ModelMap& map)
{
    if (!a || !b)
        return !a && !b;
    for (const auto& [x, y] : map)
        if (a.get() == x)
            return b.get() == y;
    for (const auto& [x, y] : map)
        if (b.get() == y)
            return false;
    // A model that each run makes for itself (the overstress lane load).
    return a->m_ID == b->m_ID && a->m_Description == b->m_Description;
}

inline void ExpectSameEffect(const PointLoadEffect& a, const PointLoadEffect& b, const ModelMap& map,
                             const std::string& what)
{
    EXPECT_TRUE(SameValue(a.val, b.val)) << what << ": " << a.val << " vs " << b.val;
    EXPECT_EQ(a.xBeam, b.xBeam) << what;
    EXPECT_TRUE(a.xLoadModel == b.xLoadModel || (std::isnan(a.xLoadModel) && std::isnan(b.xLoadModel)))
        << what << ": load position " << a.xLoadModel << " vs " << b.xLoadModel;
    EXPECT_EQ(a.type, b.type) << what;
    EXPECT_TRUE(SameModel(a.pLM, b.pLM, map)) << what << ": caused by another model";
}

inline void ExpectSameEnvelope(const std::shared_ptr<CEnvelope>& a, const std::shared_ptr<CEnvelope>& b,
                               const ModelMap& map, const std::string& what)
{
    ASSERT_EQ(!a, !b) << what;
    if (!a)
        return;
    EXPECT_EQ(a->m_Type, b->m_Type) << what;
    EXPECT_EQ(a->m_pBridge, b->m_pBridge) << what;
    ASSERT_EQ(a->m_vMax.size(), b->m_vMax.size()) << what;
    ASSERT_EQ(a->m_vMin.size(), b->m_vMin.size()) << what;
    // The first differing entry tells the story; the rest would only repeat it.
    const bool hadFailed = ::testing::Test::HasFailure();
    for (size_t i = 0; i < a->m_vMax.size(); ++i) {
        ExpectSameEffect(a->m_vMax[i], b->m_vMax[i], map, what + " max " + std::to_string(i));
        ExpectSameEffect(a->m_vMin[i], b->m_vMin[i], map, what + " min " + std::to_string(i));
        if (!hadFailed && ::testing::Test::HasFailure())
            break;
    }
}

inline void ExpectSamePair(const CriticalPair<PointLoadEffect>& a, const CriticalPair<PointLoadEffect>& b,
                           const ModelMap& map, const std::string& what)
{
    ExpectSameEffect(a.max, b.max, map, what + " critical max");
    ExpectSameEffect(a.min, b.min, map, what + " critical min");
}

// Everything the literal run left in its results, the fast run must have left too.
inline void ExpectSameResults(const CEnvelopeResults& a, const CEnvelopeResults& b, const ModelMap& map,
                              const std::string& what)
{
    EXPECT_EQ(a.m_pBridge, b.m_pBridge) << what;
    EXPECT_EQ(a.m_pBeam, b.m_pBeam) << what;
    EXPECT_EQ(a.m_nReactions, b.m_nReactions) << what;
    EXPECT_EQ(a.m_nAugments, b.m_nAugments) << what;
    EXPECT_EQ(a.m_nBeamResults, b.m_nBeamResults) << what;
    EXPECT_EQ(a.m_nAnalyses, b.m_nAnalyses) << what;
    EXPECT_EQ(a.m_vBeamResults.size(), b.m_vBeamResults.size()) << what;
    ExpectSameEnvelope(a.m_pEnvBMD, b.m_pEnvBMD, map, what + " moment");
    ExpectSameEnvelope(a.m_pEnvSFD, b.m_pEnvSFD, map, what + " shear");
    ASSERT_EQ(a.m_vEnvReaction.size(), b.m_vEnvReaction.size()) << what;
    for (size_t i = 0; i < a.m_vEnvReaction.size(); ++i)
        ExpectSameEnvelope(a.m_vEnvReaction[i], b.m_vEnvReaction[i], map, what + " reaction " + std::to_string(i));
    if (!a.HasEnvelopes())
        return;
    ExpectSamePair(a.m_critBMD, b.m_critBMD, map, what + " moment");
    ExpectSamePair(a.m_critSFD, b.m_critSFD, map, what + " shear");
    ASSERT_EQ(a.m_vCritReaction.size(), b.m_vCritReaction.size()) << what;
    for (size_t i = 0; i < a.m_vCritReaction.size(); ++i)
        ExpectSamePair(a.m_vCritReaction[i], b.m_vCritReaction[i], map, what + " reaction " + std::to_string(i));
}

} // namespace fastcases
