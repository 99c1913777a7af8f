#pragma once
#include "core/beam/Load.h"

// Uniform load of intensity m_W over the whole span.
class CLoadUDL : public CLoad {
public:
    CLoadUDL() : CLoad(0, LT_UDL) {}
    CLoadUDL(int nSpan, double W) : CLoad(nSpan, LT_UDL), m_W(W) {}

    FixedEndActions GetFixedEndActions(double L) override;
    void AddMemberEffects(const SpanStations& s, const SpanEffects& e) override;

    double m_W = 0.0;
};
