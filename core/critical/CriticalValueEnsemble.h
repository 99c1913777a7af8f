#pragma once
#include <memory>
#include <vector>

#include "core/critical/CriticalEnsemble.h"
#include "core/critical/CriticalValueResults.h"

class CEnvelopeResults;

// Critical values of every bridge of a set, with the envelope results they came from.
class CCriticalValueEnsemble : public CCriticalEnsemble<CCriticalValueResults> {
public:
    CCriticalValueEnsemble() = default;
    CCriticalValueEnsemble(std::vector<std::shared_ptr<CEnvelopeResults>> vResults,
                           std::shared_ptr<CBridgeSet> pBridgeSet);

    void MakeCriticalValueEnsemble(std::vector<std::shared_ptr<CEnvelopeResults>> vResults,
                                   std::shared_ptr<CBridgeSet> pBridgeSet);

    void GetMomentValues(std::vector<double>& vMax, std::vector<double>& vMin) const override;
    void GetShearValues(std::vector<double>& vMax, std::vector<double>& vMin) const override;
    void GetReactionValues(int i, std::vector<double>& vMax, std::vector<double>& vMin) const override;

    std::vector<std::shared_ptr<CEnvelopeResults>> GetEnvelopeResults() const { return m_vEnvResults; }

    std::vector<std::shared_ptr<CEnvelopeResults>> m_vEnvResults;
};
