#include "core/envelopes/Envelope.h"

#include <stdexcept>

#include "core/bounds/Subscript.h"

namespace {

void RequireEntries(const std::vector<PointLoadEffect>& v)
{
    if (v.empty())
        throw std::runtime_error("Envelope has no load effects");
}

// Lengths are checked before the first change so a failure leaves the envelope whole.
// The other's values count times f (a product rounded on its own, as in a scaled copy).
void AddStationWise(std::vector<PointLoadEffect>& mx, std::vector<PointLoadEffect>& mn, const CEnvelope& other,
                    double f)
{
    if (other.m_vMax.size() < mx.size() || other.m_vMin.size() < mn.size())
        ThrowInvalidSubscript();
    for (size_t i = 0; i < mx.size(); ++i)
        mx[i].val += other.m_vMax[i].val * f;
    for (size_t i = 0; i < mn.size(); ++i)
        mn[i].val += other.m_vMin[i].val * f;
}

template <class Better>
std::vector<PointLoadEffect> StationPick(const std::vector<PointLoadEffect>& a, const std::vector<PointLoadEffect>& b,
                                         Better better)
{
    if (b.size() < a.size())
        ThrowInvalidSubscript();
    std::vector<PointLoadEffect> out;
    out.reserve(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        out.push_back(better(b[i].val, a[i].val) ? b[i] : a[i]);
    return out;
}

} // namespace

std::vector<double> ColumnOf(const std::vector<PointLoadEffect>& side, double PointLoadEffect::*field)
{
    std::vector<double> out;
    out.reserve(side.size());
    for (const auto& e : side)
        out.push_back(e.*field);
    return out;
}

std::vector<PointLoadEffect> StationMax(const std::vector<PointLoadEffect>& a, const std::vector<PointLoadEffect>& b)
{
    return StationPick(a, b, [](double x, double y) { return x > y; });
}

std::vector<PointLoadEffect> StationMin(const std::vector<PointLoadEffect>& a, const std::vector<PointLoadEffect>& b)
{
    return StationPick(a, b, [](double x, double y) { return x < y; });
}

CEnvelope::CEnvelope(std::shared_ptr<CBridge> bridge, LoadEffectType type) : m_pBridge(std::move(bridge)), m_Type(type)
{
}

CEnvelope& CEnvelope::operator+=(const CEnvelope& other)
{
    return AddScaled(other, 1.0);
}

CEnvelope& CEnvelope::AddScaled(const CEnvelope& other, double f)
{
    const size_t n = m_vMax.size();
    const size_t m = other.m_vMax.size();
    if (m_Type != LET_REACTION) {
        AddStationWise(m_vMax, m_vMin, other, f);
        return *this;
    }
    if (n == 1) {
        // A stationary result taking on a moving one: its value is added at every position.
        if (m == 0 || other.m_vMin.size() < m || m_vMin.empty())
            ThrowInvalidSubscript();
        // The stationary values as they are before the change: each position gets them once.
        const double a = m_vMax[0].val;
        const double b = m_vMin[0].val;
        m_vMax[0].val += other.m_vMax[0].val * f;
        m_vMin[0].val += other.m_vMin[0].val * f;
        m_vMax.reserve(m);
        m_vMin.reserve(m);
        for (size_t i = 1; i < m; ++i) {
            m_vMax.push_back(other.m_vMax[i]);
            m_vMax.back().val = other.m_vMax[i].val * f + a;
            m_vMin.push_back(other.m_vMin[i]);
            m_vMin.back().val = other.m_vMin[i].val * f + b;
        }
        return *this;
    }
    if (n == 0)
        return *this;
    if (m == 1) {
        if (other.m_vMin.empty())
            ThrowInvalidSubscript();
        const double a = other.m_vMax[0].val * f;
        const double b = other.m_vMin[0].val * f;
        for (auto& e : m_vMax)
            e.val += a;
        for (auto& e : m_vMin)
            e.val += b;
    } else if (m == n) {
        AddStationWise(m_vMax, m_vMin, other, f);
    }
    return *this;
}

std::vector<double> CEnvelope::GetStations(bool bMax) const
{
    return ColumnOf(bMax ? m_vMax : m_vMin, &PointLoadEffect::xBeam);
}

std::vector<double> CEnvelope::GetLoadPositions() const
{
    return ColumnOf(m_vMax, &PointLoadEffect::xLoadModel);
}

std::vector<double> CEnvelope::GetValues(bool bMax) const
{
    return ColumnOf(bMax ? m_vMax : m_vMin, &PointLoadEffect::val);
}

PointLoadEffect CEnvelope::GetMaxEffect() const
{
    RequireEntries(m_vMax);
    size_t k = 0;
    for (size_t i = 1; i < m_vMax.size(); ++i)
        if (m_vMax[i].val > m_vMax[k].val)
            k = i;
    return m_vMax[k];
}

PointLoadEffect CEnvelope::GetMinEffect() const
{
    RequireEntries(m_vMin);
    size_t k = 0;
    for (size_t i = 1; i < m_vMin.size(); ++i)
        if (m_vMin[i].val < m_vMin[k].val)
            k = i;
    return m_vMin[k];
}

CriticalPair<PointLoadEffect> CEnvelope::GetCriticalPair() const
{
    return {GetMaxEffect(), GetMinEffect()};
}

CriticalPair<RatioLoadEffect> CEnvelope::GetCriticalRatioPair(const std::shared_ptr<CEnvelope>& pRef,
                                                              double multiplier) const
{
    if (!pRef)
        throw std::runtime_error("Envelope has no load effects");
    const CriticalPair<PointLoadEffect> p = GetCriticalPair();
    const CriticalPair<PointLoadEffect> r = pRef->GetCriticalPair();
    return {RatioLoadEffect(r.max, p.max, m_pBridge, multiplier), RatioLoadEffect(r.min, p.min, m_pBridge, multiplier)};
}

CriticalPair<PointLoadEffect> CEnvelope::GetCriticalPairMatching(const CEnvelope& other) const
{
    const size_t n = m_vMax.size();
    const size_t m = other.m_vMax.size();
    if (n >= m)
        return GetCriticalPair();
    // The zero entries an extension appends: the first is where a scan of the extended
    // envelope would stop, and only when it beats every entry before it.
    const PointLoadEffect& o = other.m_vMax[n];
    const PointLoadEffect zero(0.0, o.xBeam, o.xLoadModel, m_Type, nullptr);
    const auto pick = [&](bool bMax) {
        const std::vector<PointLoadEffect>& side = bMax ? m_vMax : m_vMin;
        if (side.empty())
            return zero;
        PointLoadEffect e = bMax ? GetMaxEffect() : GetMinEffect();
        return (bMax ? 0.0 > e.val : 0.0 < e.val) ? zero : e;
    };
    return {pick(true), pick(false)};
}

void CEnvelope::ExtendToMatch(const std::shared_ptr<CEnvelope>& pOther)
{
    if (!pOther)
        return;
    const size_t n = m_vMax.size();
    const size_t m = pOther->m_vMax.size();
    if (n >= m)
        return;
    m_vMax.reserve(m);
    m_vMin.reserve(m_vMin.size() + (m - n));
    for (size_t i = n; i < m; ++i) {
        const PointLoadEffect& o = pOther->m_vMax[i];
        PointLoadEffect zero(0.0, o.xBeam, o.xLoadModel, m_Type, nullptr);
        m_vMax.push_back(zero);
        m_vMin.push_back(std::move(zero));
    }
}
