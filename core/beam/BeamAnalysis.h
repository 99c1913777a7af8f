#pragma once
#include <algorithm>
#include <vector>

#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/beam/Load.h"
#include "core/bounds/Bounds.h"

// Solves one beam under one load arrangement by the direct stiffness method. The beam
// and the loads are borrowed and must outlive Analyse. nPoints segments per span (bounded
// by ClampPointsAlongBeam).
class CBeamAnalysis {
public:
    // Most segments per span the solver takes: every analysis allocates its stations per
    // span, so a larger count only exhausts memory.
    static constexpr int MaxPointsAlongBeam = static_cast<int>(Bounds::PointsPerSpan.hi);
    // The one bound of a points-per-span count that reaches a solver: 1 to the most.
    static constexpr int ClampPointsAlongBeam(int n) { return std::clamp(n, 1, MaxPointsAlongBeam); }

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
