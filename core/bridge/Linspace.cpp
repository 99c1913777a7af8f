#include "core/bridge/Linspace.h"

#include <climits>
#include <cmath>
#include <stdexcept>

std::vector<double> Linspace(int n, double a, double b)
{
    std::vector<double> v;
    if (n < 2)
        return v;
    v.resize(static_cast<size_t>(n));
    const double d = (b - a) / (n - 1);
    for (int k = 0; k < n; ++k) {
        // A tiny or negative spacing loses less by dividing first.
        const double t = (d < 1e-6) ? (static_cast<double>(k) / (n - 1)) * (b - a) : k * d;
        v[static_cast<size_t>(k)] = a + t;
    }
    v.back() = b;
    return v;
}

std::vector<double> LinspaceStep(double a, double b, double step)
{
    // No whole step fits when the step is not a finite positive length.
    if (!std::isfinite(step) || !(step > 0.0))
        return {b};
    const double steps = std::floor((b - a) / step);
    if (!(steps < INT_MAX - 1))
        throw std::length_error("Too many steps");
    const int m = steps < 0.0 ? -1 : static_cast<int>(steps);
    std::vector<double> v = Linspace(m + 1, a, a + m * step);
    v.push_back(b);
    return v;
}
