#include "core/beam/Load.h"

#include "core/beam/BeamFormulas.h"

CMbrResults CLoad::GetMemberResults(const std::vector<double>& x, double L)
{
    const size_t n = x.size();
    CMbrResults res(n);
    res.x = x;
    std::vector<double> x2(n);
    for (size_t k = 0; k < n; ++k)
        x2[k] = x[k] * x[k];
    const SpanStations s{x.data(), x2.data(), n, L};
    const SpanEffects e{res.M.data(), res.V.data(), res.R.data(), res.D.data()};
    AddMemberEffects(s, e);
    if (n > 0) {
        res.M.front() = res.V.front() = 0.0;
        res.M.back() = res.V.back() = 0.0;
    }
    return res;
}
