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
    return MemberResults(x, [&](double xi, double& V, double& M, double& R, double& D) {
        const double x2 = xi * xi;
        const double p = std::max(xi - a, 0.0);
        const double H = (xi - a >= 0.0) ? 1.0 : 0.0;
        V = A - P * H;
        M = A * xi - P * p;
        R = A * x2 / 2.0 - P * p * p / 2.0 + C;
        D = A * x2 * xi / 6.0 - P * p * p * p / 6.0 + C * xi;
    });
}
