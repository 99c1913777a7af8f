#pragma once
#include "core/beam/Load.h"

// Point load m_P at m_A from the span's left end; m_B is its distance to the right
// end, max(L - a, 0), refreshed by every call.
class CLoadPL : public CLoad {
public:
    CLoadPL() : CLoad(0, LT_PL) {}
    CLoadPL(int nSpan, double P, double A) : CLoad(nSpan, LT_PL), m_P(P), m_A(A) {}

    FixedEndActions GetFixedEndActions(double L) override;
    void AddMemberEffects(const SpanStations& s, const SpanEffects& e) override;

    double m_P = 0.0;
    double m_A = 0.0;
    double m_B = 0.0;
};
