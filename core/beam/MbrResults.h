#pragma once
#include <cstddef>
#include <vector>

#include "core/archive/ArchiveFwd.h"

// Effects along one span at its stations: moment, shear, rotation, deflection.
class CMbrResults {
public:
    CMbrResults() = default;
    explicit CMbrResults(size_t n) { Reset(n); }

    void Reset(size_t n);

    // Adds M, V, R and D station by station; x stays.
    CMbrResults& operator+=(const CMbrResults& other);

    // 0 moment, 1 shear, 2 and 4 rotation, 3 deflection, anything else all four.
    void ZeroResults(int type);

    std::vector<double> x;
    std::vector<double> M;
    std::vector<double> V;
    std::vector<double> R;
    std::vector<double> D;

private:
    QEL_DECLARE_SERIALIZE;
};
