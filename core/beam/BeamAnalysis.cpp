#include "core/beam/BeamAnalysis.h"

#include <cmath>
#include <stdexcept>

#include "core/beam/LoadMaMb.h"
#include "core/settings/Settings.h"

namespace {

int NPointsAlongBeam()
{
    return g_pSettings->GetAnalysisCopy().NPOINTS_ALONG_BEAM;
}

// Member stiffness of a span, rows and columns in the order v_a, theta_a, v_b, theta_b.
void MemberMatrix(double EI, double L, double k[4][4])
{
    const double a = 12.0 * EI / (L * L * L);
    const double b = 6.0 * EI / (L * L);
    const double c = 4.0 * EI / L;
    const double d = 2.0 * EI / L;
    const double m[4][4] = {{a, b, -a, b}, {b, c, -b, d}, {-a, -b, a, -b}, {b, d, -b, c}};
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 4; ++s)
            k[r][s] = m[r][s];
}

}

CBeamAnalysis::CBeamAnalysis(const CBeam& beam, std::vector<CLoad*> vLoads)
    : m_pBeam(&beam), m_vL(beam.m_vL), m_vEI(beam.m_vEI), m_vR(beam.m_vR), m_vLoads(std::move(vLoads))
{
    // A beam without spans, or with a span that is not a finite positive length, would
    // be "solved" into not-a-number results reported as success.
    if (m_vL.empty() || m_vEI.size() != m_vL.size())
        throw std::runtime_error("Incorrect span information");
    for (double L : m_vL)
        if (!std::isfinite(L) || !(L > 0.0))
            throw std::runtime_error("Incorrect span information");
    if (m_vR.size() != 2 * m_vL.size() + 2)
        throw std::runtime_error("Incorrect restraint information");
    // The settings keep it above 20; a bad value must still not size the stations.
    m_nPoints = NPointsAlongBeam();
    if (m_nPoints < 1)
        m_nPoints = 1;
    if (m_nPoints > CSettings::MaxPointsAlongBeam)
        m_nPoints = CSettings::MaxPointsAlongBeam;
    for (double& EI : m_vEI)
        EI /= 1e6;
}

CBeamResults CBeamAnalysis::Analyse() const
{
    const size_t nSpans = m_vL.size();
    const size_t N = 2 * nSpans + 2;

    // Fixed-end actions summed per span, in degree-of-freedom order (Va, Ma, Vb, Mb).
    std::vector<double> fea(4 * nSpans, 0.0);
    std::vector<double> F(N, 0.0);
    for (size_t i = 0; i < nSpans; ++i) {
        double* e = &fea[4 * i];
        for (CLoad* load : m_vLoads) {
            if (load->m_nSpan != static_cast<int>(i))
                continue;
            const FixedEndActions a = load->GetFixedEndActions(m_vL[i]);
            e[0] += a.Va;
            e[1] += a.Ma;
            e[2] += a.Vb;
            e[3] += a.Mb;
        }
        for (int r = 0; r < 4; ++r)
            F[2 * i + r] -= e[r];
    }
    std::vector<double> Fr = F;

    // Dense stiffness, row-major.
    std::vector<double> K(N * N, 0.0);
    std::vector<double> km(16 * nSpans);
    for (size_t i = 0; i < nSpans; ++i) {
        double k[4][4];
        MemberMatrix(m_vEI[i], m_vL[i], k);
        for (int r = 0; r < 4; ++r)
            for (int s = 0; s < 4; ++s) {
                K[(2 * i + r) * N + 2 * i + s] += k[r][s];
                km[16 * i + 4 * r + s] = k[r][s];
            }
    }

    std::vector<double> Kr = K;
    for (size_t j = 0; j < N; ++j) {
        if (m_vR[j] < 0.0) {
            for (size_t c = 0; c < N; ++c) {
                Kr[j * N + c] = 0.0;
                Kr[c * N + j] = 0.0;
            }
            Kr[j * N + j] = 1.0;
            Fr[j] = 0.0;
        }
        if (m_vR[j] > 0.0)
            Kr[j * N + j] += m_vR[j];
    }

    // Elimination in place without pivoting (a mechanism gives non-finite values),
    // multipliers kept in the lower triangle.
    for (size_t k = 0; k < N; ++k) {
        const double pivot = Kr[k * N + k];
        for (size_t i = k + 1; i < N; ++i) {
            const double m = Kr[i * N + k] / pivot;
            Kr[i * N + k] = m;
            for (size_t c = k + 1; c < N; ++c)
                Kr[i * N + c] -= m * Kr[k * N + c];
        }
    }
    std::vector<double>& D = Fr;
    for (size_t i = 1; i < N; ++i)
        for (size_t c = 0; c < i; ++c)
            D[i] -= Kr[i * N + c] * D[c];
    for (size_t i = N; i-- > 0;) {
        for (size_t c = i + 1; c < N; ++c)
            D[i] -= Kr[i * N + c] * D[c];
        D[i] /= Kr[i * N + i];
    }

    // Reactions r = K D - F at the reported restraints only.
    std::vector<double> vReactions;
    for (size_t j = 0; j < N; ++j) {
        if (m_vR[j] != -1.0)
            continue;
        double r = -F[j];
        for (size_t c = 0; c < N; ++c)
            r += K[j * N + c] * D[c];
        vReactions.push_back(r);
    }

    std::vector<CMbrResults> vMbrRes;
    vMbrRes.reserve(nSpans);
    double s = 0.0;
    for (size_t i = 0; i < nSpans; ++i) {
        const double* d = &D[2 * i];
        const double* k = &km[16 * i];
        double f[4];
        for (int r = 0; r < 4; ++r) {
            f[r] = fea[4 * i + r];
            for (int c = 0; c < 4; ++c)
                f[r] += k[4 * r + c] * d[c];
        }
        CMbrResults mr = SpanResults(i, f, d);
        for (double& x : mr.x)
            x += s;
        s += m_vL[i];
        vMbrRes.push_back(std::move(mr));
    }

    return CBeamResults(*m_pBeam, std::move(vMbrRes), std::move(vReactions));
}

CMbrResults CBeamAnalysis::SpanResults(size_t i, const double f[4], const double d[4]) const
{
    const double L = m_vL[i];
    const unsigned n = static_cast<unsigned>(m_nPoints);
    const double dx = L / n;
    std::vector<double> x(n + 3);
    x[0] = 0.0;
    for (unsigned k = 1; k <= n + 1; ++k)
        x[k] = (k - 1) * dx;
    x[n + 2] = L;

    CLoadMaMb ends(static_cast<int>(i), f[1], f[3]);
    CMbrResults res = ends.GetMemberResults(x, L);
    for (CLoad* load : m_vLoads)
        if (load->m_nSpan == static_cast<int>(i))
            res += load->GetMemberResults(x, L);

    const double EI = m_vEI[i];
    const double chord = (d[2] - d[0]) / L;
    for (size_t k = 0; k < x.size(); ++k) {
        // The end moments already carry the bending that the end translations cause,
        // so the translations only move the span as a rigid chord.
        const double t = x[k] / L;
        res.R[k] = res.R[k] / EI + chord;
        res.D[k] = res.D[k] / EI + (1.0 - t) * d[0] + t * d[2];
    }
    return res;
}
