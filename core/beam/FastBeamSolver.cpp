#include "core/beam/FastBeamSolver.h"

#include <algorithm>
#include <cmath>

#include "core/beam/BeamAnalysis.h"

// Every expression below is written as its counterpart in CBeamAnalysis and the CLoad
// kinds are, term by term: rounding then comes out the same, and the envelopes built from
// either solver pick the same positions even where two positions tie.

namespace {

// First inner station k (1 <= k <= n - 2) with x[k] - a >= 0, or n - 1 when there is
// none. The inner stations rise strictly, and so does x[k] - a.
size_t FirstAtOrAfter(const double* x, size_t n, double a)
{
    size_t lo = 1, hi = n - 1;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (x[mid] - a >= 0.0)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

} // namespace

CFastBeamSolver::CFastBeamSolver(const CBeam& beam) : m_Beam(beam)
{
    {
        // Same checks, errors and points per span as the reference solver.
        const CBeamAnalysis probe(beam, {});
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
        const double EI = m_vEI[i];
        const double L = m_vL[i];
        const double a = 12.0 * EI / (L * L * L);
        const double b = 6.0 * EI / (L * L);
        const double c = 4.0 * EI / L;
        const double d = 2.0 * EI / L;
        const double k[4][4] = {{a, b, -a, b}, {b, c, -b, d}, {-a, -b, a, -b}, {b, d, -b, c}};
        for (int r = 0; r < 4; ++r)
            for (int s = 0; s < 4; ++s) {
                m_K[(2 * i + r) * N + 2 * i + s] += k[r][s];
                m_km[16 * i + 4 * r + s] = k[r][s];
            }
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
    for (size_t k = 0; k < N; ++k) {
        const double pivot = m_LU[k * N + k];
        for (size_t i = k + 1; i < N; ++i) {
            const double m = m_LU[i * N + k] / pivot;
            m_LU[i * N + k] = m;
            for (size_t c = k + 1; c < N; ++c)
                m_LU[i * N + c] -= m * m_LU[k * N + c];
        }
    }

    // The substitution terms that can change a value (see Solve); all of them when the
    // elimination itself met a zero or infinite pivot.
    m_bReduced = std::all_of(m_LU.begin(), m_LU.end(), [](double v) { return std::isfinite(v); });
    const auto kept = [&](size_t c) { return !(m_vR[c] < 0.0); };
    for (size_t i = 1; i < N; ++i)
        if (!(m_vR[i] < 0.0))
            for (size_t c = 0; c < i; ++c)
                if (kept(c))
                    m_vForward.push_back({static_cast<unsigned>(i), static_cast<unsigned>(c)});
    for (size_t i = N; i-- > 0;) {
        if (m_vR[i] < 0.0 && m_LU[i * N + i] == 1.0)
            continue;
        Row r{static_cast<unsigned>(i), static_cast<unsigned>(m_vBackCols.size()), 0};
        for (size_t c = i + 1; c < N; ++c)
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
        const double dx = L / m_nPoints;
        double* x = &m_vXLocal[i * m_nStations];
        x[0] = 0.0;
        for (unsigned k = 1; k <= m_nPoints + 1; ++k)
            x[k] = (k - 1) * dx;
        x[m_nPoints + 2] = L;
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
        double Ma = 0.0, Mb = 0.0, Va = 0.0, Vb = 0.0;
        switch (p.kind) {
        case kUDL: {
            const double w = p.v;
            Ma = w * L * L / 12.0;
            Mb = -Ma;
            Va = w * L / 2.0;
            Vb = Va;
            break;
        }
        case kPL: {
            if (p.a > L)
                break;
            const double P = p.v;
            const double a = p.a;
            const double b = std::max(L - p.a, 0.0);
            const double L2 = L * L;
            const double L3 = L2 * L;
            Ma = P * a * b * b / L2;
            Mb = -P * a * a * b / L2;
            Va = P * (b * L2 - a * a * b + a * b * b) / L3;
            Vb = P * (a * L2 + a * a * b - a * b * b) / L3;
            break;
        }
        default: {
            if (p.a > L)
                break;
            const double w = p.v;
            const double c = std::min(p.c, L - p.a);
            const double W = w * c;
            const double a1 = p.a + c / 2.0;
            const double b1 = L - a1;
            const double c2 = c * c;
            const double L2 = L * L;
            Ma = (W / L2) * (a1 * b1 * b1 + (a1 - 2.0 * b1) * c2 / 12.0);
            Mb = -(W / L2) * (b1 * a1 * a1 + (b1 - 2.0 * a1) * c2 / 12.0);
            Va = (W / (L2 * L)) * ((2.0 * a1 + L) * b1 * b1 + (a1 - b1) * c2 / 4.0);
            Vb = W - Va;
            break;
        }
        }
        double* e = &m_fea[4 * p.nSpan];
        e[0] += Va;
        e[1] += Ma;
        e[2] += Vb;
        e[3] += Mb;
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
        for (size_t i = 1; i < N; ++i)
            for (size_t c = 0; c < i; ++c)
                D[i] -= LU[i * N + c] * D[c];
        for (size_t i = N; i-- > 0;) {
            for (size_t c = i + 1; c < N; ++c)
                D[i] -= LU[i * N + c] * D[c];
            D[i] /= LU[i * N + i];
        }
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

    for (size_t i = 0; bMembers && i < m_nSpans; ++i) {
        const double* d = &D[2 * i];
        const double* k = &m_km[16 * i];
        double f[4];
        for (int r = 0; r < 4; ++r) {
            f[r] = m_fea[4 * i + r];
            for (int c = 0; c < 4; ++c)
                f[r] += k[4 * r + c] * d[c];
        }
        SpanResults(i, f, d, bRotationDeflection);
    }
}

// Built twice, for the baseline and for AVX2 (no fused multiply-add, so every operation
// rounds as in the baseline build); the loader picks what the processor has.
QEL_SIMD_CLONES
void CFastBeamSolver::SpanResults(size_t i, const double f[4], const double d[4], bool bRotationDeflection)
{
    const double L = m_vL[i];
    const size_t n = m_nStations;
    const size_t o = i * n;
    const double* x = &m_vXLocal[o];
    const double* x2 = &m_vX2[o];
    double* M = &m_vM[o];
    double* V = &m_vV[o];
    double* R = &m_vRot[o];
    double* Dd = &m_vDef[o];
    const int span = static_cast<int>(i);

    // Moment and shear at the inner stations; the first and the last repeat the span's
    // ends and carry 0.
    {
        const double Ma = f[1];
        const double Mb = f[3];
        const double A = (Ma + Mb) / L;
        for (size_t k = 1; k + 1 < n; ++k) {
            V[k] = A;
            M[k] = A * x[k] - Ma;
        }
        if (bRotationDeflection) {
            const double C = Ma * L / 3.0 - Mb * L / 6.0;
            for (size_t k = 0; k < n; ++k) {
                R[k] = A * x2[k] / 2.0 - Ma * x[k] + C;
                Dd[k] = A * x2[k] * x[k] / 6.0 - Ma * x2[k] / 2.0 + C * x[k];
            }
        }
    }

    for (size_t q = 0; q < m_nLoads; ++q) {
        const Piece& p = m_vLoads[q];
        if (p.nSpan != span)
            continue;
        switch (p.kind) {
        case kUDL: {
            const double w = p.v;
            const double A = w * L / 2.0;
            for (size_t k = 1; k + 1 < n; ++k) {
                V[k] += A - w * x[k];
                M[k] += A * x[k] - w * x2[k] / 2.0;
            }
            if (bRotationDeflection) {
                const double C = -w * L * L * L / 24.0;
                for (size_t k = 0; k < n; ++k) {
                    R[k] += A * x2[k] / 2.0 - w * x2[k] * x[k] / 6.0 + C;
                    Dd[k] += A * x2[k] * x[k] / 6.0 - w * x2[k] * x2[k] / 24.0 + C * x[k];
                }
            }
            break;
        }
        case kPL: {
            const double P = p.v;
            const double a = p.a;
            const double b = std::max(L - a, 0.0);
            const double A = P * b / L;
            if (std::isfinite(a)) {
                // Left of the load p(x - a) is 0.0 and H is 0, right of it x - a and 1: the
                // same values as the literal's max and step, without a branch per station.
                const size_t k0 = FirstAtOrAfter(x, n, a);
                const double z = P * 0.0;
                const double vLeft = A - P * 0.0;
                const double vRight = A - P * 1.0;
                for (size_t k = 1; k < k0; ++k) {
                    V[k] += vLeft;
                    M[k] += A * x[k] - z;
                }
                for (size_t k = k0; k + 1 < n; ++k) {
                    V[k] += vRight;
                    M[k] += A * x[k] - P * (x[k] - a);
                }
            } else {
                for (size_t k = 1; k + 1 < n; ++k) {
                    const double pk = std::max(x[k] - a, 0.0);
                    const double H = (x[k] - a >= 0.0) ? 1.0 : 0.0;
                    V[k] += A - P * H;
                    M[k] += A * x[k] - P * pk;
                }
            }
            if (bRotationDeflection) {
                const double C = P * b * (b * b - L * L) / (6.0 * L);
                for (size_t k = 0; k < n; ++k) {
                    const double pk = std::max(x[k] - a, 0.0);
                    R[k] += A * x2[k] / 2.0 - P * pk * pk / 2.0 + C;
                    Dd[k] += A * x2[k] * x[k] / 6.0 - P * pk * pk * pk / 6.0 + C * x[k];
                }
            }
            break;
        }
        default: {
            const double w = p.v;
            const double a = p.a;
            // As the literal load: cut at the span's end; a negative cover loads backwards.
            const double c = a > L ? 0.0 : std::min(p.c, L - a);
            const double e = a + c;
            const double A = w * c * (L - e + c / 2.0) / L;
            if (std::isfinite(a) && std::isfinite(e) && e >= a) {
                // Three stretches: before the load, under it, after it (e >= a, so they
                // come in this order); p() is 0.0 where the literal's max gives 0.0.
                const size_t ka = FirstAtOrAfter(x, n, a);
                const size_t ke = std::max(ka, FirstAtOrAfter(x, n, e));
                const double zw = w * 0.0;
                const double z = w * 0.0 / 2.0;
                const double vBefore = A - zw + zw;
                for (size_t k = 1; k < ka; ++k) {
                    V[k] += vBefore;
                    M[k] += A * x[k] - z + z;
                }
                for (size_t k = ka; k < ke; ++k) {
                    const double pa = x[k] - a;
                    V[k] += A - w * pa + zw;
                    M[k] += A * x[k] - w * (pa * pa) / 2.0 + z;
                }
                for (size_t k = ke; k + 1 < n; ++k) {
                    const double pa = x[k] - a;
                    const double pe = x[k] - e;
                    V[k] += A - w * pa + w * pe;
                    M[k] += A * x[k] - w * (pa * pa) / 2.0 + w * (pe * pe) / 2.0;
                }
            } else {
                for (size_t k = 1; k + 1 < n; ++k) {
                    const double pa = std::max(x[k] - a, 0.0);
                    const double pe = std::max(x[k] - e, 0.0);
                    const double pa2 = pa * pa;
                    const double pe2 = pe * pe;
                    V[k] += A - w * pa + w * pe;
                    M[k] += A * x[k] - w * pa2 / 2.0 + w * pe2 / 2.0;
                }
            }
            if (bRotationDeflection) {
                const double La = std::max(L - a, 0.0);
                const double Le = std::max(L - e, 0.0);
                const double C =
                    -(A * L * L * L / 6.0 - w * La * La * La * La / 24.0 + w * Le * Le * Le * Le / 24.0) / L;
                for (size_t k = 0; k < n; ++k) {
                    const double pa = std::max(x[k] - a, 0.0);
                    const double pe = std::max(x[k] - e, 0.0);
                    const double pa2 = pa * pa;
                    const double pe2 = pe * pe;
                    R[k] += A * x2[k] / 2.0 - w * pa2 * pa / 6.0 + w * pe2 * pe / 6.0 + C;
                    Dd[k] += A * x2[k] * x[k] / 6.0 - w * pa2 * pa2 / 24.0 + w * pe2 * pe2 / 24.0 + C * x[k];
                }
            }
            break;
        }
        }
    }

    M[0] = V[0] = 0.0;
    M[n - 1] = V[n - 1] = 0.0;

    if (bRotationDeflection) {
        const double EI = m_vEI[i];
        const double chord = (d[2] - d[0]) / L;
        for (size_t k = 0; k < n; ++k) {
            const double t = x[k] / L;
            R[k] = R[k] / EI + chord;
            Dd[k] = Dd[k] / EI + (1.0 - t) * d[0] + t * d[2];
        }
    }
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
