#include "core/beam/BeamFormulas.h"

#include <algorithm>

void MemberStiffness(double EI, double L, double k[16])
{
    const double a = 12.0 * EI / (L * L * L);
    const double b = 6.0 * EI / (L * L);
    const double c = 4.0 * EI / L;
    const double d = 2.0 * EI / L;
    const double m[16] = {a, b, -a, b, b, c, -b, d, -a, -b, a, -b, b, d, -b, c};
    std::copy(m, m + 16, k);
}

void SpanStationsAlong(double L, unsigned nPoints, double* x)
{
    const double dx = L / nPoints;
    x[0] = 0.0;
    for (unsigned k = 1; k <= nPoints + 1; ++k)
        x[k] = (k - 1) * dx;
    x[nPoints + 2] = L;
}

void EliminateInPlace(double* K, size_t N)
{
    // Every entry farther than kBeamBandwidth from the diagonal is zero and stays zero
    // (no pivoting, so no fill-in outside the band): leaving those terms out changes no
    // bit of a finite result and makes a long beam linear in its spans, not cubic.
    for (size_t k = 0; k < N; ++k) {
        const double pivot = K[k * N + k];
        const size_t last = std::min(N, k + kBeamBandwidth + 1);
        for (size_t i = k + 1; i < last; ++i) {
            const double m = K[i * N + k] / pivot;
            K[i * N + k] = m;
            for (size_t c = k + 1; c < last; ++c)
                K[i * N + c] -= m * K[k * N + c];
        }
    }
}

void Substitute(const double* LU, double* D, size_t N)
{
    for (size_t i = 1; i < N; ++i)
        for (size_t c = i > kBeamBandwidth ? i - kBeamBandwidth : 0; c < i; ++c)
            D[i] -= LU[i * N + c] * D[c];
    for (size_t i = N; i-- > 0;) {
        const size_t last = std::min(N, i + kBeamBandwidth + 1);
        for (size_t c = i + 1; c < last; ++c)
            D[i] -= LU[i * N + c] * D[c];
        D[i] /= LU[i * N + i];
    }
}
