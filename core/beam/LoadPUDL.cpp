#include "core/beam/LoadPUDL.h"

#include <algorithm>

FixedEndActions CLoadPUDL::GetFixedEndActions(double L)
{
    if (m_A > L)
        return m_DefaultFEA;
    const double w = m_W * m_Factor;
    const double c = std::min(m_C, L - m_A);
    const double W = w * c;
    const double a1 = m_A + c / 2.0;
    const double b1 = L - a1;
    const double c2 = c * c;
    const double L2 = L * L;
    FixedEndActions fea;
    fea.Ma = (W / L2) * (a1 * b1 * b1 + (a1 - 2.0 * b1) * c2 / 12.0);
    fea.Mb = -(W / L2) * (b1 * a1 * a1 + (b1 - 2.0 * a1) * c2 / 12.0);
    fea.Va = (W / (L2 * L)) * ((2.0 * a1 + L) * b1 * b1 + (a1 - b1) * c2 / 4.0);
    fea.Vb = W - fea.Va;
    return fea;
}

CMbrResults CLoadPUDL::GetMemberResults(const std::vector<double>& x, double L)
{
    const double w = m_W * m_Factor;
    const double a = m_A;
    // Cut at the span's end as the fixed-end actions are, so that a piece running past
    // the span cannot put load into the span that the solver never saw. A negative
    // cover loads backwards from a, in the fixed-end actions as here.
    const double c = a > L ? 0.0 : std::min(m_C, L - a);
    const double e = a + c;
    const double A = w * c * (L - e + c / 2.0) / L;
    const double La = std::max(L - a, 0.0);
    const double Le = std::max(L - e, 0.0);
    const double C = -(A * L * L * L / 6.0 - w * La * La * La * La / 24.0 + w * Le * Le * Le * Le / 24.0) / L;
    return MemberResults(x, [&](double xi, double& V, double& M, double& R, double& D) {
        const double x2 = xi * xi;
        const double pa = std::max(xi - a, 0.0);
        const double pe = std::max(xi - e, 0.0);
        const double pa2 = pa * pa;
        const double pe2 = pe * pe;
        V = A - w * pa + w * pe;
        M = A * xi - w * pa2 / 2.0 + w * pe2 / 2.0;
        R = A * x2 / 2.0 - w * pa2 * pa / 6.0 + w * pe2 * pe / 6.0 + C;
        D = A * x2 * xi / 6.0 - w * pa2 * pa2 / 24.0 + w * pe2 * pe2 / 24.0 + C * xi;
    });
}
