#include "core/beam/FastBeamSolver.h"

#include <algorithm>
#include <cmath>

#include "core/beam/BeamAnalysis.h"
#include "core/beam/BeamFormulas.h"

CFastBeamSolver::CFastBeamSolver(const CBeam& beam, int nPoints) : m_Beam(beam)
{
    {
        // Same checks, errors and points per span as the reference solver.
        const CBeamAnalysis probe(beam, {}, nPoints);
        m_nPoints = static_cast<unsigned>(probe.m_nPoints);
        m_vL = probe.m_vL;
        m_vEI = probe.m_vEI;
        m_vR = probe.m_vR;
    }
    m_nSpans = m_vL.size();
    m_N = 2 * m_nSpans + 2;
    m_nStations = m_nPoints + 3;
    const size_t N = m_N;

    m_K.assign(N * N, 0.0);
    m_km.assign(16 * m_nSpans, 0.0);
    for (size_t i = 0; i < m_nSpans; ++i) {
        double* k = &m_km[16 * i];
        MemberStiffness(m_vEI[i], m_vL[i], k);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                m_K[(2 * i + r) * N + 2 * i + c] += k[4 * r + c];
    }

    m_LU = m_K;
    for (size_t j = 0; j < N; ++j) {
        if (m_vR[j] < 0.0) {
            for (size_t c = 0; c < N; ++c) {
                m_LU[j * N + c] = 0.0;
                m_LU[c * N + j] = 0.0;
            }
            m_LU[j * N + j] = 1.0;
        }
        if (m_vR[j] > 0.0)
            m_LU[j * N + j] += m_vR[j];
    }
    EliminateInPlace(m_LU.data(), N);

    // The substitution terms that can change a value (see Solve); all of them when the
    // elimination itself met a zero or infinite pivot.
    m_bReduced = std::all_of(m_LU.begin(), m_LU.end(), [](double v) { return std::isfinite(v); });
    const auto kept = [&](size_t c) { return !(m_vR[c] < 0.0); };
    // Only the band can hold a non-zero term (see EliminateInPlace).
    for (size_t i = 1; i < N; ++i)
        if (!(m_vR[i] < 0.0))
            for (size_t c = i > kBeamBandwidth ? i - kBeamBandwidth : 0; c < i; ++c)
                if (kept(c))
                    m_vForward.push_back({static_cast<unsigned>(i), static_cast<unsigned>(c)});
    for (size_t i = N; i-- > 0;) {
        if (m_vR[i] < 0.0 && m_LU[i * N + i] == 1.0)
            continue;
        Row r{static_cast<unsigned>(i), static_cast<unsigned>(m_vBackCols.size()), 0};
        for (size_t c = i + 1; c < std::min(N, i + kBeamBandwidth + 1); ++c)
            if (kept(c))
                m_vBackCols.push_back(static_cast<unsigned>(c));
        r.last = static_cast<unsigned>(m_vBackCols.size());
        m_vBackward.push_back(r);
    }

    m_vXLocal.resize(m_nSpans * m_nStations);
    m_vX2.resize(m_nSpans * m_nStations);
    m_vX.resize(m_nSpans * m_nStations);
    double s = 0.0;
    for (size_t i = 0; i < m_nSpans; ++i) {
        const double L = m_vL[i];
        double* x = &m_vXLocal[i * m_nStations];
        SpanStationsAlong(L, m_nPoints, x);
        for (size_t k = 0; k < m_nStations; ++k) {
            m_vX2[i * m_nStations + k] = x[k] * x[k];
            m_vX[i * m_nStations + k] = x[k] + s;
        }
        s += L;
    }

    m_vLoads.resize(16);
    m_fea.assign(4 * m_nSpans, 0.0);
    m_F.assign(N, 0.0);
    m_D.assign(N, 0.0);
    m_vReactions.reserve(N);
    m_vM.assign(m_vX.size(), 0.0);
    m_vV.assign(m_vX.size(), 0.0);
    m_vRot.assign(m_vX.size(), 0.0);
    m_vDef.assign(m_vX.size(), 0.0);
}

void CFastBeamSolver::Solve(bool bRotationDeflection, bool bMembers)
{
    const size_t N = m_N;
    std::fill(m_fea.begin(), m_fea.end(), 0.0);
    for (size_t n = 0; n < m_nLoads; ++n) {
        const Piece& p = m_vLoads[n];
        const double L = m_vL[p.nSpan];
        FixedEndActions a;
        switch (p.kind) {
        case kUDL: a = UniformLoadFixedEnd(p.v, L); break;
        case kPL: a = PointLoadFixedEnd(p.v, p.a, L); break;
        default: a = PartialLoadFixedEnd(p.v, p.a, p.c, L); break;
        }
        double* e = &m_fea[4 * p.nSpan];
        e[0] += a.Va;
        e[1] += a.Ma;
        e[2] += a.Vb;
        e[3] += a.Mb;
    }

    std::fill(m_F.begin(), m_F.end(), 0.0);
    for (size_t i = 0; i < m_nSpans; ++i)
        for (int r = 0; r < 4; ++r)
            m_F[2 * i + r] -= m_fea[4 * i + r];

    double* D = m_D.data();
    const double* LU = m_LU.data();
    for (size_t j = 0; j < N; ++j)
        D[j] = m_vR[j] < 0.0 ? 0.0 : m_F[j];
    // A fixed degree of freedom solves to +0 and a term with it subtracts a zero from a
    // value that is never -0, so those terms are left out, as long as everything stays
    // finite; a mechanism takes the full substitution, with its not-a-numbers.
    bool finite = m_bReduced;
    for (const Term& t : m_vForward)
        D[t.row] -= LU[t.row * N + t.col] * D[t.col];
    for (const Row& r : m_vBackward) {
        if (!finite)
            break;
        for (unsigned q = r.first; q < r.last; ++q)
            D[r.row] -= LU[r.row * N + m_vBackCols[q]] * D[m_vBackCols[q]];
        D[r.row] /= LU[r.row * N + r.row];
        finite = finite && std::isfinite(D[r.row]);
    }
    if (!finite) {
        for (size_t j = 0; j < N; ++j)
            D[j] = m_vR[j] < 0.0 ? 0.0 : m_F[j];
        Substitute(LU, D, N);
    }

    m_vReactions.clear();
    for (size_t j = 0; j < N; ++j) {
        if (m_vR[j] != -1.0)
            continue;
        double r = -m_F[j];
        for (size_t c = 0; c < N; ++c)
            r += m_K[j * N + c] * D[c];
        m_vReactions.push_back(r);
    }
    m_EndLoads.AddTo(m_vReactions);

    for (size_t i = 0; bMembers && i < m_nSpans; ++i) {
        const double* d = &D[2 * i];
        double f[4];
        MemberEndForces(&m_km[16 * i], &m_fea[4 * i], d, f);
        SpanResults(i, f, d, bRotationDeflection);
    }
}

// Built for AVX-512, AVX2 and the baseline (no fused multiply-add anywhere, so every clone
// rounds as the baseline does); the loader picks what the processor has. Not under the
// thread sanitizer, whose runtime is not up yet when the loader asks.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void CFastBeamSolver::SpanResults(size_t i, const double f[4], const double d[4], bool bRotationDeflection)
{
    const size_t o = i * m_nStations;
    const SpanStations s{&m_vXLocal[o], &m_vX2[o], m_nStations, m_vL[i]};
    const SpanEffects e{&m_vM[o], &m_vV[o], bRotationDeflection ? &m_vRot[o] : nullptr,
                        bRotationDeflection ? &m_vDef[o] : nullptr};
    EndMomentEffects(f[1], f[3], s, e);
    const int span = static_cast<int>(i);
    for (size_t q = 0; q < m_nLoads; ++q) {
        const Piece& p = m_vLoads[q];
        if (p.nSpan != span)
            continue;
        switch (p.kind) {
        case kUDL: AddUniformLoadEffects(p.v, s, e); break;
        case kPL: AddPointLoadEffects(p.v, p.a, s, e); break;
        default: AddPartialLoadEffects(p.v, p.a, p.c, s, e); break;
        }
    }
    FinishSpanEffects(m_vEI[i], d, s, e);
}

void CFastBeamSolver::ZeroResults(int type)
{
    auto zero = [](std::vector<double>& v) { std::fill(v.begin(), v.end(), 0.0); };
    switch (type) {
    case 0: zero(m_vM); break;
    case 1: zero(m_vV); break;
    case 2: zero(m_vRot); break;
    case 3: zero(m_vDef); break;
    case 4: zero(m_vRot); break;
    default:
        zero(m_vM);
        zero(m_vV);
        zero(m_vRot);
        zero(m_vDef);
        break;
    }
    if (type == 4 || type == 5)
        zero(m_vReactions);
}

CBeamResults CFastBeamSolver::MakeBeamResults() const
{
    std::vector<CMbrResults> vMbr(m_nSpans);
    for (size_t i = 0; i < m_nSpans; ++i) {
        const auto from = static_cast<std::ptrdiff_t>(i * m_nStations);
        const auto to = from + static_cast<std::ptrdiff_t>(m_nStations);
        CMbrResults& mr = vMbr[i];
        mr.x.assign(m_vX.begin() + from, m_vX.begin() + to);
        mr.M.assign(m_vM.begin() + from, m_vM.begin() + to);
        mr.V.assign(m_vV.begin() + from, m_vV.begin() + to);
        mr.R.assign(m_vRot.begin() + from, m_vRot.begin() + to);
        mr.D.assign(m_vDef.begin() + from, m_vDef.begin() + to);
    }
    return CBeamResults(m_Beam, std::move(vMbr), m_vReactions);
}
