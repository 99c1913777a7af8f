#include "core/beam/LoadMaMb.h"

#include "core/beam/BeamFormulas.h"

FixedEndActions CLoadMaMb::GetFixedEndActions(double L)
{
    return EndMomentFixedEnd(m_Ma, m_Mb, L);
}

void CLoadMaMb::AddMemberEffects(const SpanStations& s, const SpanEffects& e)
{
    EndMomentEffects(m_Ma, m_Mb, s, e, true);
}
