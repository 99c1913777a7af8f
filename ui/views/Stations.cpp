#include "ui/views/Stations.h"

#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"

#include <algorithm>
#include <cmath>

namespace {

// The last inner station of a span is n steps of L / n: it may differ from L in the last bit.
bool SamePlace(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

} // namespace

std::vector<bool> ClosingStations(const std::vector<double>& x, std::size_t nSpans)
{
    std::vector<bool> closing(x.size(), false);
    if (nSpans == 0 || x.size() % nSpans != 0)
        return closing;
    const std::size_t per = x.size() / nSpans;
    if (per < 4)
        return closing;
    for (std::size_t first = 0; first < x.size(); first += per) {
        const std::size_t last = first + per - 1;
        if (!SamePlace(x[first], x[first + 1]) || !SamePlace(x[last], x[last - 1]))
            return std::vector<bool>(x.size(), false);
        closing[first] = closing[last] = true;
    }
    return closing;
}

std::vector<bool> ClosingStations(const CBeamResults& results)
{
    std::vector<double> x, y;
    results.GetResults(x, y, BRT_SHEAR);
    return ClosingStations(x, results.m_vMbrRes.size());
}

std::size_t SpanCount(const CEnvelopeResults& results)
{
    if (const auto pBeam = results.GetBeam())
        return pBeam->m_vL.size();
    const auto pBridge = results.GetBridge();
    return pBridge ? pBridge->m_vSpans.size() : 0;
}

std::vector<bool> InteriorClosingStations(const std::vector<double>& x, std::size_t nSpans)
{
    std::vector<bool> closing = ClosingStations(x, nSpans);
    if (!closing.empty()) {
        closing.front() = false;
        closing.back() = false;
    }
    return closing;
}
