#include "core/beam/LoadUDL.h"

#include "core/beam/BeamFormulas.h"

FixedEndActions CLoadUDL::GetFixedEndActions(double L)
{
    return UniformLoadFixedEnd(m_W * m_Factor, L);
}

void CLoadUDL::AddMemberEffects(const SpanStations& s, const SpanEffects& e)
{
    AddUniformLoadEffects(m_W * m_Factor, s, e);
}
