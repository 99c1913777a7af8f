#include "core/beam/LoadPUDL.h"

#include "core/beam/BeamFormulas.h"

FixedEndActions CLoadPUDL::GetFixedEndActions(double L)
{
    if (m_A > L)
        return m_DefaultFEA;
    return PartialLoadFixedEnd(m_W * m_Factor, m_A, m_C, L);
}

void CLoadPUDL::AddMemberEffects(const SpanStations& s, const SpanEffects& e)
{
    AddPartialLoadEffects(m_W * m_Factor, m_A, m_C, s, e);
}
