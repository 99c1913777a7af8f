#pragma once
#include <memory>

#include "core/envelopes/PointLoadEffect.h"

class CBridge;

// A proposed effect divided by the factored reference effect.
struct RatioLoadEffect {
    RatioLoadEffect() = default;
    RatioLoadEffect(const PointLoadEffect& ref, const PointLoadEffect& prop, std::shared_ptr<CBridge> bridge,
                    double mult);

    // False when the factored reference is practically zero: the ratio is then undefined
    // (it holds 0 only so that sums and comparisons stay finite).
    bool IsDefined() const;
    static constexpr double kZeroReference = 1e-6;

    double ratio = 0.0;
    PointLoadEffect reference;
    PointLoadEffect proposed;
    std::shared_ptr<CBridge> pBridge;
    LoadEffectType type = LET_MOMENT;
    double multiplier = 0.0;
};
