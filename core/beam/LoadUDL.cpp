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
    return MemberResults(x, [&](double xi, double& V, double& M, double& R, double& D) {
        const double x2 = xi * xi;
        V = A - w * xi;
        M = A * xi - w * x2 / 2.0;
        R = A * x2 / 2.0 - w * x2 * xi / 6.0 + C;
        D = A * x2 * xi / 6.0 - w * x2 * x2 / 24.0 + C * xi;
    });
}
