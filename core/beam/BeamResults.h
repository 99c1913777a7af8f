#pragma once
#include <memory>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/beam/Beam.h"
#include "core/beam/MbrResults.h"

enum BeamResultsType : int {
    BRT_MOMENT = 0,
    BRT_SHEAR = 1,
    BRT_ROTATION = 2,
    BRT_DEFLECTION = 3,
};

// The solution of one beam under one load arrangement. It owns a copy of the beam, so
// it stays valid when the bridge rebuilds its own.
class CBeamResults {
public:
    CBeamResults() = default;
    CBeamResults(const CBeam& beam, std::vector<CMbrResults> vMbrRes, std::vector<double> vReactions);
    virtual ~CBeamResults() = default;
    CBeamResults(const CBeamResults&) = default;
    CBeamResults& operator=(const CBeamResults&) = default;

    // One effect over the whole beam, span after span; the stations repeated at the
    // supports are kept.
    void GetResults(std::vector<double>& x, std::vector<double>& y, BeamResultsType type) const;

    // 0 moments, 1 shears, 2 rotations, 3 deflections, 4 rotations and reactions,
    // 5 every effect and reaction; the stations stay.
    void ZeroResults(int type);

    std::vector<double> GetReactions() const { return m_vReactions; }
    std::shared_ptr<CBeam> GetBeam() const { return m_pBeam; }

    std::shared_ptr<CBeam> m_pBeam;
    std::vector<CMbrResults> m_vMbrRes;
    std::vector<double> m_vReactions;

private:
    QEL_DECLARE_SERIALIZE;
};
