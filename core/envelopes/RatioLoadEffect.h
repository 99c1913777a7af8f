#pragma once
#include <memory>

#include "core/envelopes/PointLoadEffect.h"

class CBridge;

// A proposed effect divided by the factored reference effect.
struct RatioLoadEffect {
    RatioLoadEffect() = default;
    RatioLoadEffect(const PointLoadEffect& ref, const PointLoadEffect& prop, std::shared_ptr<CBridge> bridge,
                    double mult);

    double ratio = 0.0;
    PointLoadEffect reference;
    PointLoadEffect proposed;
    std::shared_ptr<CBridge> pBridge;
    LoadEffectType type = LET_MOMENT;
    double multiplier = 0.0;
};
