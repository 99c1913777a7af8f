#pragma once
#include <memory>
#include <vector>

#include "core/bounds/Subscript.h"
#include "core/envelopes/PointLoadEffect.h"
#include "core/envelopes/RatioLoadEffect.h"

class CBridgeSet;

// Per-bridge critical results across a bridge set, member k belonging to bridge k.
template <class T>
class CCriticalEnsemble {
public:
    CCriticalEnsemble() = default;
    virtual ~CCriticalEnsemble() = default;
    CCriticalEnsemble(const CCriticalEnsemble&) = default;
    CCriticalEnsemble& operator=(const CCriticalEnsemble&) = default;

    // One maximum and one minimum per member, in bridge order.
    virtual void GetMomentValues(std::vector<double>& vMax, std::vector<double>& vMin) const = 0;
    virtual void GetShearValues(std::vector<double>& vMax, std::vector<double>& vMin) const = 0;
    virtual void GetReactionValues(int i, std::vector<double>& vMax, std::vector<double>& vMin) const = 0;

    T GetMember(int i) const
    {
        if (i < 0 || static_cast<size_t>(i) >= m_vMembers.size())
            ThrowInvalidSubscript();
        return m_vMembers[static_cast<size_t>(i)];
    }
    std::vector<T> GetMembers() const { return m_vMembers; }
    std::shared_ptr<CBridgeSet> GetBridgeSet() const { return m_pBridgeSet; }

    int m_nMembers = 0; // the ratio ensemble leaves it 0: read the member vector's size
    std::shared_ptr<CBridgeSet> m_pBridgeSet;
    std::vector<T> m_vMembers;

protected:
    static double ValueOf(const PointLoadEffect& e) { return e.val; }
    static double ValueOf(const RatioLoadEffect& e) { return e.ratio; }

    template <class GetPair>
    void CollectValues(GetPair getPair, std::vector<double>& vMax, std::vector<double>& vMin) const
    {
        vMax.clear();
        vMin.clear();
        vMax.reserve(m_vMembers.size());
        vMin.reserve(m_vMembers.size());
        for (const T& m : m_vMembers) {
            const auto pair = getPair(m);
            vMax.push_back(ValueOf(pair.max));
            vMin.push_back(ValueOf(pair.min));
        }
    }
    void CollectMoments(std::vector<double>& vMax, std::vector<double>& vMin) const
    {
        CollectValues([](const T& m) { return m.GetMomentPair(); }, vMax, vMin);
    }
    void CollectShears(std::vector<double>& vMax, std::vector<double>& vMin) const
    {
        CollectValues([](const T& m) { return m.GetShearPair(); }, vMax, vMin);
    }
    void CollectReactions(int i, std::vector<double>& vMax, std::vector<double>& vMin) const
    {
        CollectValues([i](const T& m) { return m.GetReactionPair(i); }, vMax, vMin);
    }
};
