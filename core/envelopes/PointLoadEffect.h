#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/archive/ArchiveFwd.h"

class CLoadModel;

// Kind of a load effect and of an envelope. 2 and 3 are the beam's rotation and
// deflection and never occur in an envelope.
enum LoadEffectType : std::int32_t {
    LET_MOMENT = 0,
    LET_SHEAR = 1,
    LET_REACTION = 4,
};

// One value of an effect, where it acts, where the load model stood and which model caused it.
struct PointLoadEffect {
    PointLoadEffect() = default;
    PointLoadEffect(double v, double xb, double xlm, LoadEffectType t, std::shared_ptr<CLoadModel> lm)
        : val(v), xBeam(xb), xLoadModel(xlm), type(t), pLM(std::move(lm))
    {
    }

    double val = 0.0;
    double xBeam = 0.0;
    double xLoadModel = 0.0;
    LoadEffectType type = LET_MOMENT;
    std::shared_ptr<CLoadModel> pLM; // empty for a zero entry that no load model caused

    // The load model's description, or "Zero LM" when no load model caused the effect.
    std::wstring GetLoadModelName() const;

    QEL_DECLARE_SERIALIZE;
};

inline std::wstring GetLoadModelName(const PointLoadEffect& effect)
{
    return effect.GetLoadModelName();
}
