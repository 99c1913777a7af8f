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
    return MemberResults(x, [&](double xi, double& V, double& M, double& R, double& D) {
        const double x2 = xi * xi;
        V = A;
        M = A * xi - m_Ma;
        R = A * x2 / 2.0 - m_Ma * xi + C;
        D = A * x2 * xi / 6.0 - m_Ma * x2 / 2.0 + C * xi;
    });
}
