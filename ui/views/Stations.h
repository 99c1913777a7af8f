#pragma once
// The beam solver gives every span two extra stations, one at each end, that carry no
// effect: a diagram drawn through all stations then returns to the axis at every support.
// They are not results. Tables leave them out; a moment diagram keeps only the two at the
// ends of the beam (over an interior support the moment is not zero), a shear diagram keeps
// them all (there the shear does jump through the support).
#include <cstddef>
#include <vector>

class CBeamResults;
class CEnvelopeResults;

// Which entries of stations x (every span's stations, span after span, nSpans spans) are
// the closing stations. Nothing is marked when the stations do not have that layout.
std::vector<bool> ClosingStations(const std::vector<double>& x, std::size_t nSpans);
std::vector<bool> ClosingStations(const CBeamResults& results);

// The spans an envelope's stations run over: its beam's, else its bridge's; 0 without either.
std::size_t SpanCount(const CEnvelopeResults& results);

// Only the closing stations at an interior support, for a moment diagram.
std::vector<bool> InteriorClosingStations(const std::vector<double>& x, std::size_t nSpans);

// v without the entries marked in drop (entries past drop's end are kept).
template <class T>
std::vector<T> Without(const std::vector<T>& v, const std::vector<bool>& drop)
{
    std::vector<T> out;
    out.reserve(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        if (i >= drop.size() || !drop[i])
            out.push_back(v[i]);
    return out;
}
