#pragma once
// The beam's formulas, once: the member stiffness, the elimination, the fixed-end actions
// and the simple-span effects of each load kind. The load classes, the literal solver and
// the fast solver all call these, so the two solvers agree to the last bit by
// construction.
//
// Units: lengths in m, forces in kN, moments in kNm; a downward load is positive; end
// moments anticlockwise positive, end shears upward (the member's v_a, theta_a, v_b,
// theta_b order).
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/beam/Load.h"

// Stations of one span: x from the span's start and their squares. The first and the last
// station repeat the span's ends; the inner ones (1 to n - 2) rise strictly.
struct SpanStations {
    const double* x = nullptr;
    const double* x2 = nullptr;
    size_t n = 0;
    double L = 0.0;
};

// Where a span's effects go; R and D are still multiplied by EI. R and D may be null when
// rotations and deflections are not wanted.
struct SpanEffects {
    double* M = nullptr;
    double* V = nullptr;
    double* R = nullptr;
    double* D = nullptr;
};

// Member stiffness of a span, row-major 4 x 4, in the order v_a, theta_a, v_b, theta_b.
void MemberStiffness(double EI, double L, double k[16]);

// n + 3 stations of a span of length L cut into n segments: 0, then 0, L/n, ..., L, then L.
void SpanStationsAlong(double L, unsigned nPoints, double* x);

// A continuous beam's stiffness couples each node's two degrees of freedom with the next
// node's only: no entry lies farther than this from the diagonal.
inline constexpr size_t kBeamBandwidth = 3;

// Gaussian elimination of the N x N row-major banded matrix in place, without pivoting (a
// mechanism gives non-finite values); the multipliers are kept in the lower triangle.
void EliminateInPlace(double* K, size_t N);
// Forward and back substitution with the eliminated matrix; D holds the right-hand side
// on entry and the solution on return.
void Substitute(const double* LU, double* D, size_t N);

// Fixed-end actions of a fully fixed span of length L; a load starting beyond the span
// gives none.
inline FixedEndActions UniformLoadFixedEnd(double w, double L);
inline FixedEndActions PointLoadFixedEnd(double P, double a, double L);
// A partial load is cut at the span's end; a negative cover loads backwards from a.
inline FixedEndActions PartialLoadFixedEnd(double w, double a, double c, double L);
inline FixedEndActions EndMomentFixedEnd(double Ma, double Mb, double L);

// Simple-span effects at the stations. The end moments write the effects first (bAdd
// adds them, for end moments given as a load of their own); every load then adds its own.
// Moment and shear are written only at the inner stations: FinishSpanEffects sets them to
// 0 at the first and the last.
inline void EndMomentEffects(double Ma, double Mb, const SpanStations& s, const SpanEffects& e, bool bAdd = false);
inline void AddUniformLoadEffects(double w, const SpanStations& s, const SpanEffects& e);
inline void AddPointLoadEffects(double P, double a, const SpanStations& s, const SpanEffects& e);
inline void AddPartialLoadEffects(double w, double a, double c, const SpanStations& s, const SpanEffects& e);

// Moment and shear 0 at the repeated span ends; rotation and deflection divided by EI and
// moved with the chord of the end translations d[0] and d[2] (when R and D are given).
inline void FinishSpanEffects(double EI, const double d[4], const SpanStations& s, const SpanEffects& e);

// Member end forces of span i: its fixed-end actions plus its stiffness times its end
// displacements.
inline void MemberEndForces(const double km[16], const double fea[4], const double d[4], double f[4]);

// Inline: the solvers call them for every load at every position.

namespace beam_formulas_detail {

// First inner station k (1 <= k <= n - 2) with x[k] - a >= 0, or n - 1 when there is
// none. The inner stations rise strictly, and so does x[k] - a.
inline size_t FirstAtOrAfter(const double* x, size_t n, double a)
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

template <bool kAdd>
inline void Put(double& to, double v)
{
    if constexpr (kAdd)
        to += v;
    else
        to = v;
}

template <bool kAdd>
inline void EndMomentEffectsT(double Ma, double Mb, const SpanStations& s, const SpanEffects& e)
{
    const double L = s.L;
    const double* x = s.x;
    const double* x2 = s.x2;
    const double A = (Ma + Mb) / L;
    for (size_t k = 1; k + 1 < s.n; ++k) {
        Put<kAdd>(e.V[k], A);
        Put<kAdd>(e.M[k], A * x[k] - Ma);
    }
    if (e.R && e.D) {
        const double C = Ma * L / 3.0 - Mb * L / 6.0;
        for (size_t k = 0; k < s.n; ++k) {
            Put<kAdd>(e.R[k], A * x2[k] / 2.0 - Ma * x[k] + C);
            Put<kAdd>(e.D[k], A * x2[k] * x[k] / 6.0 - Ma * x2[k] / 2.0 + C * x[k]);
        }
    }
}

} // namespace beam_formulas_detail

inline FixedEndActions UniformLoadFixedEnd(double w, double L)
{
    FixedEndActions f;
    f.Ma = w * L * L / 12.0;
    f.Mb = -f.Ma;
    f.Va = w * L / 2.0;
    f.Vb = f.Va;
    return f;
}

inline FixedEndActions PointLoadFixedEnd(double P, double a, double L)
{
    FixedEndActions f;
    if (a > L)
        return f;
    const double b = std::max(L - a, 0.0);
    const double L2 = L * L;
    const double L3 = L2 * L;
    f.Ma = P * a * b * b / L2;
    f.Mb = -P * a * a * b / L2;
    f.Va = P * (b * L2 - a * a * b + a * b * b) / L3;
    f.Vb = P * (a * L2 + a * a * b - a * b * b) / L3;
    return f;
}

inline FixedEndActions PartialLoadFixedEnd(double w, double a, double c, double L)
{
    FixedEndActions f;
    if (a > L)
        return f;
    c = std::min(c, L - a);
    const double W = w * c;
    const double a1 = a + c / 2.0;
    const double b1 = L - a1;
    const double c2 = c * c;
    const double L2 = L * L;
    f.Ma = (W / L2) * (a1 * b1 * b1 + (a1 - 2.0 * b1) * c2 / 12.0);
    f.Mb = -(W / L2) * (b1 * a1 * a1 + (b1 - 2.0 * a1) * c2 / 12.0);
    f.Va = (W / (L2 * L)) * ((2.0 * a1 + L) * b1 * b1 + (a1 - b1) * c2 / 4.0);
    f.Vb = W - f.Va;
    return f;
}

inline FixedEndActions EndMomentFixedEnd(double Ma, double Mb, double L)
{
    FixedEndActions f;
    f.Ma = Ma;
    f.Mb = Mb;
    f.Va = (Ma + Mb) / L;
    f.Vb = -f.Va;
    return f;
}

inline void EndMomentEffects(double Ma, double Mb, const SpanStations& s, const SpanEffects& e, bool bAdd)
{
    if (bAdd)
        beam_formulas_detail::EndMomentEffectsT<true>(Ma, Mb, s, e);
    else
        beam_formulas_detail::EndMomentEffectsT<false>(Ma, Mb, s, e);
}

inline void AddUniformLoadEffects(double w, const SpanStations& s, const SpanEffects& e)
{
    const double L = s.L;
    const double* x = s.x;
    const double* x2 = s.x2;
    const double A = w * L / 2.0;
    for (size_t k = 1; k + 1 < s.n; ++k) {
        e.V[k] += A - w * x[k];
        e.M[k] += A * x[k] - w * x2[k] / 2.0;
    }
    if (e.R && e.D) {
        const double C = -w * L * L * L / 24.0;
        for (size_t k = 0; k < s.n; ++k) {
            e.R[k] += A * x2[k] / 2.0 - w * x2[k] * x[k] / 6.0 + C;
            e.D[k] += A * x2[k] * x[k] / 6.0 - w * x2[k] * x2[k] / 24.0 + C * x[k];
        }
    }
}

inline void AddPointLoadEffects(double P, double a, const SpanStations& s, const SpanEffects& e)
{
    const double L = s.L;
    const double* x = s.x;
    const double* x2 = s.x2;
    const size_t n = s.n;
    const double b = std::max(L - a, 0.0);
    const double A = P * b / L;
    if (std::isfinite(a) && n >= 2) {
        // The stations left of the load and those at or right of it, without a test per
        // station.
        const size_t k0 = beam_formulas_detail::FirstAtOrAfter(x, n, a);
        for (size_t k = 1; k < k0; ++k) {
            e.V[k] += A;
            e.M[k] += A * x[k];
        }
        for (size_t k = k0; k + 1 < n; ++k) {
            e.V[k] += A - P;
            e.M[k] += A * x[k] - P * (x[k] - a);
        }
    } else {
        for (size_t k = 1; k + 1 < n; ++k) {
            const double pk = std::max(x[k] - a, 0.0);
            const double H = (x[k] - a >= 0.0) ? 1.0 : 0.0;
            e.V[k] += A - P * H;
            e.M[k] += A * x[k] - P * pk;
        }
    }
    if (e.R && e.D) {
        const double C = P * b * (b * b - L * L) / (6.0 * L);
        for (size_t k = 0; k < n; ++k) {
            const double pk = std::max(x[k] - a, 0.0);
            e.R[k] += A * x2[k] / 2.0 - P * pk * pk / 2.0 + C;
            e.D[k] += A * x2[k] * x[k] / 6.0 - P * pk * pk * pk / 6.0 + C * x[k];
        }
    }
}

inline void AddPartialLoadEffects(double w, double a, double c, const SpanStations& s, const SpanEffects& e)
{
    const double L = s.L;
    const double* x = s.x;
    const double* x2 = s.x2;
    const size_t n = s.n;
    // Cut at the span's end as the fixed-end actions are, so that a piece running past the
    // span cannot put load into the span that the solver never saw.
    c = a > L ? 0.0 : std::min(c, L - a);
    const double e_ = a + c;
    const double A = w * c * (L - e_ + c / 2.0) / L;
    if (std::isfinite(a) && std::isfinite(e_) && e_ >= a && n >= 2) {
        // Three stretches: before the load, under it, after it (e >= a, so in this order).
        const size_t ka = beam_formulas_detail::FirstAtOrAfter(x, n, a);
        const size_t ke = std::max(ka, beam_formulas_detail::FirstAtOrAfter(x, n, e_));
        for (size_t k = 1; k < ka; ++k) {
            e.V[k] += A;
            e.M[k] += A * x[k];
        }
        for (size_t k = ka; k < ke; ++k) {
            const double pa = x[k] - a;
            e.V[k] += A - w * pa;
            e.M[k] += A * x[k] - w * (pa * pa) / 2.0;
        }
        for (size_t k = ke; k + 1 < n; ++k) {
            const double pa = x[k] - a;
            const double pe = x[k] - e_;
            e.V[k] += A - w * pa + w * pe;
            e.M[k] += A * x[k] - w * (pa * pa) / 2.0 + w * (pe * pe) / 2.0;
        }
    } else {
        // A negative cover (the load runs backwards) or a position that is not a number.
        for (size_t k = 1; k + 1 < n; ++k) {
            const double pa = std::max(x[k] - a, 0.0);
            const double pe = std::max(x[k] - e_, 0.0);
            e.V[k] += A - w * pa + w * pe;
            e.M[k] += A * x[k] - w * (pa * pa) / 2.0 + w * (pe * pe) / 2.0;
        }
    }
    if (e.R && e.D) {
        const double La = std::max(L - a, 0.0);
        const double Le = std::max(L - e_, 0.0);
        const double C = -(A * L * L * L / 6.0 - w * La * La * La * La / 24.0 + w * Le * Le * Le * Le / 24.0) / L;
        for (size_t k = 0; k < n; ++k) {
            const double pa = std::max(x[k] - a, 0.0);
            const double pe = std::max(x[k] - e_, 0.0);
            const double pa2 = pa * pa;
            const double pe2 = pe * pe;
            e.R[k] += A * x2[k] / 2.0 - w * pa2 * pa / 6.0 + w * pe2 * pe / 6.0 + C;
            e.D[k] += A * x2[k] * x[k] / 6.0 - w * pa2 * pa2 / 24.0 + w * pe2 * pe2 / 24.0 + C * x[k];
        }
    }
}

inline void FinishSpanEffects(double EI, const double d[4], const SpanStations& s, const SpanEffects& e)
{
    const size_t n = s.n;
    if (n == 0)
        return;
    e.M[0] = e.V[0] = 0.0;
    e.M[n - 1] = e.V[n - 1] = 0.0;
    if (!(e.R && e.D))
        return;
    const double L = s.L;
    // The end moments already carry the bending that the end translations cause, so the
    // translations only move the span as a rigid chord.
    const double chord = (d[2] - d[0]) / L;
    for (size_t k = 0; k < n; ++k) {
        const double t = s.x[k] / L;
        e.R[k] = e.R[k] / EI + chord;
        e.D[k] = e.D[k] / EI + (1.0 - t) * d[0] + t * d[2];
    }
}

inline void MemberEndForces(const double km[16], const double fea[4], const double d[4], double f[4])
{
    for (int r = 0; r < 4; ++r) {
        f[r] = fea[r];
        for (int c = 0; c < 4; ++c)
            f[r] += km[4 * r + c] * d[c];
    }
}
