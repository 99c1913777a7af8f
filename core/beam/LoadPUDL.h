#pragma once
#include "core/beam/Load.h"

// Uniform load m_W from m_A over the length m_C.
class CLoadPUDL : public CLoad {
public:
    CLoadPUDL() : CLoad(0, LT_PUDL) {}
    CLoadPUDL(int nSpan, double W, double A, double C) : CLoad(nSpan, LT_PUDL), m_W(W), m_A(A), m_C(C) {}

    FixedEndActions GetFixedEndActions(double L) override;
    void AddMemberEffects(const SpanStations& s, const SpanEffects& e) override;

    double m_W = 0.0;
    double m_A = 0.0;
    double m_C = 0.0;
};
