#include "core/envelopes/RatioLoadEffect.h"

#include <cmath>

RatioLoadEffect::RatioLoadEffect(const PointLoadEffect& ref, const PointLoadEffect& prop,
                                 std::shared_ptr<CBridge> bridge, double mult)
    : reference(ref), proposed(prop), pBridge(std::move(bridge)), type(ref.type), multiplier(mult)
{
    const double d = ref.val * mult;
    // A reference that is practically zero gives no meaningful ratio.
    ratio = std::fabs(d) < 1e-6 ? 0.0 : prop.val / d;
}
