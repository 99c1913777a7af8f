#include "core/beam/LoadPL.h"

#include <algorithm>

FixedEndActions CLoadPL::GetFixedEndActions(double L)
{
    m_B = std::max(L - m_A, 0.0);
    if (m_A > L)
        return m_DefaultFEA;
    const double P = m_P * m_Factor;
    const double a = m_A;
    const double b = m_B;
    const double L2 = L * L;
    const double L3 = L2 * L;
    FixedEndActions fea;
    fea.Ma = P * a * b * b / L2;
    fea.Mb = -P * a * a * b / L2;
    fea.Va = P * (b * L2 - a * a * b + a * b * b) / L3;
    fea.Vb = P * (a * L2 + a * a * b - a * b * b) / L3;
    return fea;
}

CMbrResults CLoadPL::GetMemberResults(const std::vector<double>& x, double L)
{
    m_B = std::max(L - m_A, 0.0);
    const double P = m_P * m_Factor;
    const double a = m_A;
    const double b = m_B;
    const double A = P * b / L;
    const double C = P * b * (b * b - L * L) / (6.0 * L);
    const size_t n = x.size();
    CMbrResults res(n);
    res.x = x;
    for (size_t k = 0; k < n; ++k) {
        const double xi = x[k];
        const double x2 = xi * xi;
        const double p = std::max(xi - a, 0.0);
        const double H = (xi - a >= 0.0) ? 1.0 : 0.0;
        res.V[k] = A - P * H;
        res.M[k] = A * xi - P * p;
        res.R[k] = A * x2 / 2.0 - P * p * p / 2.0 + C;
        res.D[k] = A * x2 * xi / 6.0 - P * p * p * p / 6.0 + C * xi;
    }
    if (n > 0) {
        res.V.front() = res.M.front() = 0.0;
        res.V.back() = res.M.back() = 0.0;
    }
    return res;
}
