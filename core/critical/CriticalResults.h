#pragma once
#include <memory>
#include <vector>

#include "core/bounds/Subscript.h"
#include "core/envelopes/CriticalPair.h"

class CBeam;

// The extremes of one bridge: bending, shear and one pair per support.
template <class Pair>
class CCriticalResults {
public:
    CCriticalResults() = default;
    virtual ~CCriticalResults() = default;
    CCriticalResults(const CCriticalResults&) = default;
    CCriticalResults& operator=(const CCriticalResults&) = default;

    Pair GetMomentPair() const { return m_BMPair; }
    Pair GetShearPair() const { return m_SFPair; }
    Pair GetReactionPair(int i) const
    {
        if (i < 0 || static_cast<size_t>(i) >= m_vReactionPairs.size())
            ThrowInvalidSubscript();
        return m_vReactionPairs[static_cast<size_t>(i)];
    }
    std::vector<Pair> GetReactionPairs() const { return m_vReactionPairs; }

    std::shared_ptr<CBeam> m_pBeam; // empty for ratios
    int m_nReactions = 0;
    Pair m_BMPair;
    Pair m_SFPair;
    std::vector<Pair> m_vReactionPairs;
};
