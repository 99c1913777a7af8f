#pragma once
#include <vector>

#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/beam/Load.h"

// Solves one beam under one load arrangement by the direct stiffness method. The beam
// and the loads are borrowed and must outlive Analyse. nPoints segments per span (bounded
// by CSettings::ClampPointsAlongBeam).
class CBeamAnalysis {
public:
    CBeamAnalysis(const CBeam& beam, std::vector<CLoad*> vLoads, int nPoints);
    virtual ~CBeamAnalysis() = default;

    CBeamResults Analyse() const;

    int m_nPoints = 0;
    const CBeam* m_pBeam = nullptr;
    std::vector<double> m_vL;
    std::vector<double> m_vEI;
    std::vector<double> m_vR;
    std::vector<CLoad*> m_vLoads;

private:
    CMbrResults SpanResults(size_t i, const double f[4], const double d[4]) const;
};
