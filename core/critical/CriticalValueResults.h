#pragma once
#include <memory>

#include "core/critical/CriticalResults.h"
#include "core/envelopes/PointLoadEffect.h"

class CEnvelopeResults;

// The extremes of one bridge's envelopes, each with where it occurred and which load
// model caused it.
class CCriticalValueResults : public CCriticalResults<CriticalPair<PointLoadEffect>> {
public:
    CCriticalValueResults() = default;
    // An unfilled result (a run stopped before its first position) gives default pairs
    // and no reactions instead of failing, so that views and reloaded cases can show it.
    explicit CCriticalValueResults(std::shared_ptr<CEnvelopeResults> pEnvResults);

    std::shared_ptr<CEnvelopeResults> GetEnvelopeResults() const { return m_pEnvResults; }

    std::shared_ptr<CEnvelopeResults> m_pEnvResults;
};
