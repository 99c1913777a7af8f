#include "core/beam/LoadUDL.h"

FixedEndActions CLoadUDL::GetFixedEndActions(double L)
{
    const double w = m_W * m_Factor;
    FixedEndActions fea;
    fea.Ma = w * L * L / 12.0;
    fea.Mb = -fea.Ma;
    fea.Va = w * L / 2.0;
    fea.Vb = fea.Va;
    return fea;
}

CMbrResults CLoadUDL::GetMemberResults(const std::vector<double>& x, double L)
{
    const double w = m_W * m_Factor;
    const double A = w * L / 2.0;
    const double C = -w * L * L * L / 24.0;
    const size_t n = x.size();
    CMbrResults res(n);
    res.x = x;
    for (size_t k = 0; k < n; ++k) {
        const double xi = x[k];
        const double x2 = xi * xi;
        res.V[k] = A - w * xi;
        res.M[k] = A * xi - w * x2 / 2.0;
        res.R[k] = A * x2 / 2.0 - w * x2 * xi / 6.0 + C;
        res.D[k] = A * x2 * xi / 6.0 - w * x2 * x2 / 24.0 + C * xi;
    }
    if (n > 0) {
        res.V.front() = res.M.front() = 0.0;
        res.V.back() = res.M.back() = 0.0;
    }
    return res;
}
