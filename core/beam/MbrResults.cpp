#include "core/beam/MbrResults.h"

#include <algorithm>
#include <stdexcept>

void CMbrResults::Reset(size_t n)
{
    x.assign(n, 0.0);
    M.assign(n, 0.0);
    V.assign(n, 0.0);
    R.assign(n, 0.0);
    D.assign(n, 0.0);
}

CMbrResults& CMbrResults::operator+=(const CMbrResults& other)
{
    const size_t n = other.x.size();
    // The other side is checked too: a short vector there would be read past its end.
    if (x.size() != n || M.size() != n || V.size() != n || R.size() != n || D.size() != n || other.M.size() != n ||
        other.V.size() != n || other.R.size() != n || other.D.size() != n)
        throw std::runtime_error("Results vectors different size");
    for (size_t i = 0; i < n; ++i) {
        M[i] += other.M[i];
        V[i] += other.V[i];
        R[i] += other.R[i];
        D[i] += other.D[i];
    }
    return *this;
}

void CMbrResults::ZeroResults(int type)
{
    auto zero = [](std::vector<double>& v) { std::fill(v.begin(), v.end(), 0.0); };
    switch (type) {
    case 0: zero(M); break;
    case 1: zero(V); break;
    case 2: zero(R); break;
    case 3: zero(D); break;
    case 4: zero(R); break;
    default:
        zero(M);
        zero(V);
        zero(R);
        zero(D);
        break;
    }
}
