#pragma once
#include "core/beam/Load.h"

// Moments applied at the span's ends (anticlockwise positive); the solver uses it to
// turn the member end moments into span results.
class CLoadMaMb : public CLoad {
public:
    CLoadMaMb() : CLoad(0, LT_MAMB) {}
    CLoadMaMb(int nSpan, double Ma, double Mb) : CLoad(nSpan, LT_MAMB), m_Ma(Ma), m_Mb(Mb) {}

    FixedEndActions GetFixedEndActions(double L) override;
    void AddMemberEffects(const SpanStations& s, const SpanEffects& e) override;

    double m_Ma = 0.0;
    double m_Mb = 0.0;
};
