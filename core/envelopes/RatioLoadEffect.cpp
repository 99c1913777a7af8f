#include "core/envelopes/RatioLoadEffect.h"

#include <cmath>

RatioLoadEffect::RatioLoadEffect(const PointLoadEffect& ref, const PointLoadEffect& prop,
                                 std::shared_ptr<CBridge> bridge, double mult)
    : reference(ref), proposed(prop), pBridge(std::move(bridge)), type(ref.type), multiplier(mult)
{
    ratio = IsDefined() ? prop.val / (ref.val * mult) : 0.0;
}

bool RatioLoadEffect::IsDefined() const
{
    return !(std::fabs(reference.val * multiplier) < kZeroReference);
}
