#include "core/beam/LoadMaMb.h"

FixedEndActions CLoadMaMb::GetFixedEndActions(double L)
{
    FixedEndActions fea;
    fea.Ma = m_Ma;
    fea.Mb = m_Mb;
    fea.Va = (m_Ma + m_Mb) / L;
    fea.Vb = -fea.Va;
    return fea;
}

CMbrResults CLoadMaMb::GetMemberResults(const std::vector<double>& x, double L)
{
    const double A = (m_Ma + m_Mb) / L;
    const double C = m_Ma * L / 3.0 - m_Mb * L / 6.0;
    const size_t n = x.size();
    CMbrResults res(n);
    res.x = x;
    for (size_t k = 0; k < n; ++k) {
        const double xi = x[k];
        const double x2 = xi * xi;
        res.V[k] = A;
        res.M[k] = A * xi - m_Ma;
        res.R[k] = A * x2 / 2.0 - m_Ma * xi + C;
        res.D[k] = A * x2 * xi / 6.0 - m_Ma * x2 / 2.0 + C * xi;
    }
    if (n > 0) {
        res.V.front() = res.M.front() = 0.0;
        res.V.back() = res.M.back() = 0.0;
    }
    return res;
}
