#include "core/critical/CriticalValueEnsemble.h"

#include "core/envelopes/EnvelopeResults.h"

CCriticalValueEnsemble::CCriticalValueEnsemble(std::vector<std::shared_ptr<CEnvelopeResults>> vResults,
                                               std::shared_ptr<CBridgeSet> pBridgeSet)
{
    MakeCriticalValueEnsemble(std::move(vResults), std::move(pBridgeSet));
}

void CCriticalValueEnsemble::MakeCriticalValueEnsemble(std::vector<std::shared_ptr<CEnvelopeResults>> vResults,
                                                       std::shared_ptr<CBridgeSet> pBridgeSet)
{
    m_vEnvResults = std::move(vResults);
    m_nMembers = 0;
    m_vMembers.clear();
    m_pBridgeSet = std::move(pBridgeSet);
    m_vMembers.reserve(m_vEnvResults.size());
    for (const auto& r : m_vEnvResults) {
        m_vMembers.emplace_back(r);
        ++m_nMembers;
    }
}

void CCriticalValueEnsemble::GetMomentValues(std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectMoments(vMax, vMin);
}

void CCriticalValueEnsemble::GetShearValues(std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectShears(vMax, vMin);
}

void CCriticalValueEnsemble::GetReactionValues(int i, std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectReactions(i, vMax, vMin);
}
