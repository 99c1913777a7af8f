#include "core/beam/LoadPL.h"

#include <algorithm>

#include "core/beam/BeamFormulas.h"

FixedEndActions CLoadPL::GetFixedEndActions(double L)
{
    m_B = std::max(L - m_A, 0.0);
    if (m_A > L)
        return m_DefaultFEA;
    return PointLoadFixedEnd(m_P * m_Factor, m_A, L);
}

void CLoadPL::AddMemberEffects(const SpanStations& s, const SpanEffects& e)
{
    m_B = std::max(s.L - m_A, 0.0);
    AddPointLoadEffects(m_P * m_Factor, m_A, s, e);
}
