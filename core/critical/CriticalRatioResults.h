#pragma once
#include <vector>

#include "core/critical/CriticalResults.h"
#include "core/envelopes/RatioLoadEffect.h"

// A proposed vehicle's critical effects of one bridge as ratios to the reference ones.
class CCriticalRatioResults : public CCriticalResults<CriticalPair<RatioLoadEffect>> {
public:
    CCriticalRatioResults() = default;
    CCriticalRatioResults(std::vector<CriticalPair<RatioLoadEffect>> reactionPairs,
                          const CriticalPair<RatioLoadEffect>& bmPair, const CriticalPair<RatioLoadEffect>& sfPair)
    {
        m_nReactions = static_cast<int>(reactionPairs.size());
        m_vReactionPairs = std::move(reactionPairs);
        m_BMPair = bmPair;
        m_SFPair = sfPair;
    }
};
