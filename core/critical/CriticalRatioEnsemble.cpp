#include "core/critical/CriticalRatioEnsemble.h"

#include "core/bridge/BridgeSet.h"

CCriticalRatioEnsemble::CCriticalRatioEnsemble(std::vector<CCriticalRatioResults> vResults,
                                               std::shared_ptr<CBridgeSet> pBridgeSet)
{
    m_vMembers = std::move(vResults);
    m_pBridgeSet = std::move(pBridgeSet);
    m_nMembers = 0;
}

void CCriticalRatioEnsemble::GetMomentValues(std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectMoments(vMax, vMin);
}

void CCriticalRatioEnsemble::GetShearValues(std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectShears(vMax, vMin);
}

void CCriticalRatioEnsemble::GetReactionValues(int i, std::vector<double>& vMax, std::vector<double>& vMin) const
{
    CollectReactions(i, vMax, vMin);
}

double CCriticalRatioEnsemble::GoverningRatio(const CriticalPair<RatioLoadEffect>& pair)
{
    return pair.max.ratio > pair.min.ratio ? pair.max.ratio : pair.min.ratio;
}

int CCriticalRatioEnsemble::Config() const
{
    return m_pBridgeSet ? static_cast<int>(m_pBridgeSet->m_Config) : 0;
}

std::vector<double> CCriticalRatioEnsemble::GetGoverningShearRatios() const
{
    std::vector<double> out;
    out.reserve(m_vMembers.size());
    for (const auto& m : m_vMembers)
        out.push_back(GoverningRatio(m.GetShearPair()));
    return out;
}

std::vector<double> CCriticalRatioEnsemble::GetGoverningEndReactionRatios() const
{
    const int c = Config();
    const int last = (c == 1 || c == 2 || c == 3) ? c : 0;
    std::vector<double> out;
    out.reserve(m_vMembers.size());
    for (const auto& m : m_vMembers) {
        const double first = GoverningRatio(m.GetReactionPair(0));
        const double end = GoverningRatio(m.GetReactionPair(last));
        out.push_back(end > first ? end : first);
    }
    return out;
}

std::vector<double> CCriticalRatioEnsemble::GetGoverningInteriorReactionRatios() const
{
    const int c = Config();
    std::vector<double> out;
    if (c != 2 && c != 3)
        return out;
    out.reserve(m_vMembers.size());
    for (const auto& m : m_vMembers) {
        double g = GoverningRatio(m.GetReactionPair(1));
        if (c == 3) {
            const double g2 = GoverningRatio(m.GetReactionPair(2));
            if (g2 > g)
                g = g2;
        }
        out.push_back(g);
    }
    return out;
}
