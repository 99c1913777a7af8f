#pragma once
#include <memory>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/envelopes/CriticalPair.h"
#include "core/envelopes/PointLoadEffect.h"
#include "core/envelopes/RatioLoadEffect.h"

class CBridge;

// Largest and smallest effects of one kind for one bridge: per beam station for
// bending moment and shear, per load position for a support reaction.
class CEnvelope {
public:
    CEnvelope(std::shared_ptr<CBridge> bridge, LoadEffectType type);
    CEnvelope(const CEnvelope&) = default;
    CEnvelope& operator=(const CEnvelope&) = default;
    virtual ~CEnvelope() = default;

    std::shared_ptr<CBridge> GetBridge() const { return m_pBridge; }

    // Superposition: adds the other's values; positions and load models stay this envelope's.
    CEnvelope& operator+=(const CEnvelope& other);
    // The same with the other's values times factor, as adding a scaled copy would give.
    CEnvelope& AddScaled(const CEnvelope& other, double factor);

    std::vector<double> GetStations(bool bMax) const;
    std::vector<double> GetLoadPositions() const; // always the maximum side
    std::vector<double> GetValues(bool bMax) const;

    PointLoadEffect GetMaxEffect() const;
    PointLoadEffect GetMinEffect() const;
    CriticalPair<PointLoadEffect> GetCriticalPair() const;
    CriticalPair<RatioLoadEffect> GetCriticalRatioPair(const std::shared_ptr<CEnvelope>& pRef, double multiplier) const;
    // The critical pair this envelope would have if it were extended to the other's length
    // (ExtendToMatch), without extending it.
    CriticalPair<PointLoadEffect> GetCriticalPairMatching(const CEnvelope& other) const;

    void ExtendToMatch(const std::shared_ptr<CEnvelope>& pOther);

    std::shared_ptr<CBridge> m_pBridge;
    LoadEffectType m_Type = LET_MOMENT;
    std::vector<PointLoadEffect> m_vMax;
    std::vector<PointLoadEffect> m_vMin;

private:
    friend class boost::serialization::access;
    CEnvelope() = default; // for loading only
    QEL_DECLARE_SERIALIZE;
};

// Entry i is b[i] when strictly larger (smaller) than a[i], else a[i]; b needs at least as many entries as a.
std::vector<PointLoadEffect> StationMax(const std::vector<PointLoadEffect>& a, const std::vector<PointLoadEffect>& b);
std::vector<PointLoadEffect> StationMin(const std::vector<PointLoadEffect>& a, const std::vector<PointLoadEffect>& b);

// One field of every entry of a side, in station order.
std::vector<double> ColumnOf(const std::vector<PointLoadEffect>& side, double PointLoadEffect::*field);
