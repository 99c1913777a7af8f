#include "core/beam/BeamResults.h"

#include <algorithm>
#include <stdexcept>

CBeamResults::CBeamResults(const CBeam& beam, std::vector<CMbrResults> vMbrRes, std::vector<double> vReactions)
    : m_pBeam(std::make_shared<CBeam>(beam)), m_vMbrRes(std::move(vMbrRes)), m_vReactions(std::move(vReactions))
{
}

void CBeamResults::GetResults(std::vector<double>& x, std::vector<double>& y, BeamResultsType type) const
{
    x.clear();
    y.clear();
    if (type < BRT_MOMENT || type > BRT_DEFLECTION)
        throw std::runtime_error("Error in choice of BeamResultsType");
    for (const CMbrResults& mr : m_vMbrRes) {
        const std::vector<double>* v = nullptr;
        switch (type) {
        case BRT_MOMENT: v = &mr.M; break;
        case BRT_SHEAR: v = &mr.V; break;
        case BRT_ROTATION: v = &mr.R; break;
        case BRT_DEFLECTION: v = &mr.D; break;
        }
        x.insert(x.end(), mr.x.begin(), mr.x.end());
        y.insert(y.end(), v->begin(), v->end());
    }
}

void CBeamResults::ZeroResults(int type)
{
    for (CMbrResults& mr : m_vMbrRes)
        mr.ZeroResults(type);
    if (type == 4 || type == 5)
        std::fill(m_vReactions.begin(), m_vReactions.end(), 0.0);
}
