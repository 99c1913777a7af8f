#include "core/beam/BeamAnalysis.h"

#include <cmath>
#include <stdexcept>

#include "core/beam/BeamFormulas.h"

CBeamAnalysis::CBeamAnalysis(const CBeam& beam, std::vector<CLoad*> vLoads, int nPoints)
    : m_nPoints(ClampPointsAlongBeam(nPoints)),
      m_pBeam(&beam),
      m_vL(beam.m_vL),
      m_vEI(beam.m_vEI),
      m_vR(beam.m_vR),
      m_vLoads(std::move(vLoads))
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
        double* k = &km[16 * i];
        MemberStiffness(m_vEI[i], m_vL[i], k);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                K[(2 * i + r) * N + 2 * i + c] += k[4 * r + c];
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

    EliminateInPlace(Kr.data(), N);
    std::vector<double>& D = Fr;
    Substitute(Kr.data(), D.data(), N);

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
        double f[4];
        MemberEndForces(&km[16 * i], &fea[4 * i], d, f);
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
    CMbrResults res(n + 3);
    SpanStationsAlong(L, n, res.x.data());
    std::vector<double> x2(res.x.size());
    for (size_t k = 0; k < x2.size(); ++k)
        x2[k] = res.x[k] * res.x[k];
    const SpanStations s{res.x.data(), x2.data(), res.x.size(), L};
    const SpanEffects e{res.M.data(), res.V.data(), res.R.data(), res.D.data()};
    EndMomentEffects(f[1], f[3], s, e);
    for (CLoad* load : m_vLoads)
        if (load->m_nSpan == static_cast<int>(i))
            load->AddMemberEffects(s, e);
    FinishSpanEffects(m_vEI[i], d, s, e);
    return res;
}
