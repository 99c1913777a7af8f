#include "core/envelopes/EnvelopeResults.h"

#include <algorithm>
#include <stdexcept>

#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/bounds/Subscript.h"
#include "core/bridge/Bridge.h"
#include "core/critical/CriticalRatioResults.h"

namespace {

std::shared_ptr<CEnvelope> CopyOf(const std::shared_ptr<CEnvelope>& p)
{
    return p ? std::make_shared<CEnvelope>(*p) : nullptr;
}

// Folds one position's effect at station i into the envelope: the maximum never drops
// below 0 nor the minimum rises above it, a zero entry carries no load model, and only a
// strictly larger (smaller) value replaces a stored entry.
inline void FoldStation(CEnvelope& env, size_t i, double val, double xBeam, double x, LoadEffectType type,
                        const std::shared_ptr<CLoadModel>& pLM)
{
    PointLoadEffect& mx = env.m_vMax[i];
    const double up = val >= 0.0 ? val : 0.0;
    if (up > mx.val) {
        mx.val = up;
        mx.xBeam = xBeam;
        mx.xLoadModel = x;
        mx.type = type;
        mx.pLM = val >= 0.0 ? pLM : nullptr;
    }
    PointLoadEffect& mn = env.m_vMin[i];
    const double down = val <= 0.0 ? val : 0.0;
    if (down < mn.val) {
        mn.val = down;
        mn.xBeam = xBeam;
        mn.xLoadModel = x;
        mn.type = type;
        mn.pLM = val <= 0.0 ? pLM : nullptr;
    }
}

template <class Member>
void FoldBeamOutput(CEnvelope& env, const CBeamResults& res, Member values, double x, LoadEffectType type,
                    const std::shared_ptr<CLoadModel>& pLM)
{
    // Stations past the envelope's own are not folded: the envelope keeps its length.
    const size_t n = std::min(env.m_vMax.size(), env.m_vMin.size());
    size_t i = 0;
    for (const CMbrResults& mr : res.m_vMbrRes) {
        const std::vector<double>& v = mr.*values;
        if (v.size() < mr.x.size())
            ThrowInvalidSubscript();
        for (size_t k = 0; k < mr.x.size(); ++k, ++i) {
            if (i >= n)
                return;
            FoldStation(env, i, v[k], mr.x[k], x, type, pLM);
        }
    }
}

size_t StationCount(const CBeamResults& res)
{
    size_t n = 0;
    for (const CMbrResults& mr : res.m_vMbrRes)
        n += mr.x.size();
    return n;
}

// The envelope's first content: this position's effects as they are.
template <class Member>
void FillBeamOutput(CEnvelope& env, const CBeamResults& res, Member values, double x, LoadEffectType type,
                    const std::shared_ptr<CLoadModel>& pLM)
{
    env.m_vMax.clear();
    env.m_vMax.reserve(StationCount(res));
    for (const CMbrResults& mr : res.m_vMbrRes) {
        const std::vector<double>& v = mr.*values;
        if (v.size() < mr.x.size())
            ThrowInvalidSubscript();
        for (size_t k = 0; k < mr.x.size(); ++k)
            env.m_vMax.emplace_back(v[k], mr.x[k], x, type, pLM);
    }
    env.m_vMin = env.m_vMax;
}

} // namespace

CEnvelopeResults::CEnvelopeResults(std::shared_ptr<CBridge> bridge)
    : m_pBridge(std::move(bridge)),
      m_pBeam(m_pBridge ? m_pBridge->GetBeam() : nullptr),
      m_nReactions(m_pBeam ? m_pBeam->m_nRestraints : 0)
{
}

CEnvelopeResults::CEnvelopeResults(const CEnvelopeResults& o)
    : m_pBridge(o.m_pBridge),
      m_pBeam(o.m_pBeam),
      m_nReactions(o.m_nReactions),
      m_nAugments(o.m_nAugments),
      m_nBeamResults(o.m_nBeamResults),
      m_nAnalyses(o.m_nAnalyses),
      m_vBeamResults(o.m_vBeamResults),
      m_pEnvBMD(CopyOf(o.m_pEnvBMD)),
      m_pEnvSFD(CopyOf(o.m_pEnvSFD)),
      m_critBMD(o.m_critBMD),
      m_critSFD(o.m_critSFD),
      m_vCritReaction(o.m_vCritReaction),
      m_bKeepBeamResults(o.m_bKeepBeamResults)
{
    m_vEnvReaction.reserve(o.m_vEnvReaction.size());
    for (const auto& e : o.m_vEnvReaction)
        m_vEnvReaction.push_back(CopyOf(e));
}

std::shared_ptr<CEnvelope> CEnvelopeResults::GetEnvReaction(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_vEnvReaction.size())
        return nullptr;
    return m_vEnvReaction[static_cast<size_t>(i)];
}

void CEnvelopeResults::RequireEnvelopes() const
{
    if (!HasEnvelopes())
        throw std::runtime_error("Envelope results hold no envelopes");
}

void CEnvelopeResults::SetUp(const std::shared_ptr<CBridge>& bridge, const std::shared_ptr<CBeam>& beam)
{
    m_pBridge = bridge;
    m_pBeam = beam;
    m_nReactions = m_pBeam ? m_pBeam->m_nRestraints : 0;
    m_pEnvBMD = std::make_shared<CEnvelope>(m_pBridge, LET_MOMENT);
    m_pEnvSFD = std::make_shared<CEnvelope>(m_pBridge, LET_SHEAR);
    m_vEnvReaction.clear();
    for (int i = 0; i < m_nReactions; ++i)
        m_vEnvReaction.push_back(std::make_shared<CEnvelope>(m_pBridge, LET_REACTION));
}

void CEnvelopeResults::AddResults(const std::shared_ptr<CBeamResults>& pResults, const std::shared_ptr<CLoadModel>& pLM,
                                  double x)
{
    if (!pResults)
        throw std::invalid_argument("No beam results to add");
    const CBeamResults& res = *pResults;
    const bool first = m_nBeamResults == 0 || !HasEnvelopes();
    if (first && !(m_pBridge && m_pBridge->GetBeam()))
        throw std::runtime_error("Envelope results have no bridge to set up from");
    if (!first && StationCount(res) < m_pEnvBMD->m_vMax.size())
        ThrowInvalidSubscript();

    if (first) {
        SetUp(m_pBridge, m_pBridge->GetBeam());
        FillBeamOutput(*m_pEnvBMD, res, &CMbrResults::M, x, LET_MOMENT, pLM);
        FillBeamOutput(*m_pEnvSFD, res, &CMbrResults::V, x, LET_SHEAR, pLM);
    }
    if (res.m_vReactions.size() < static_cast<size_t>(m_nReactions))
        ThrowInvalidSubscript();

    ++m_nAnalyses;
    ++m_nBeamResults;
    if (m_bKeepBeamResults)
        m_vBeamResults.push_back(pResults);

    FoldBeamOutput(*m_pEnvBMD, res, &CMbrResults::M, x, LET_MOMENT, pLM);
    FoldBeamOutput(*m_pEnvSFD, res, &CMbrResults::V, x, LET_SHEAR, pLM);

    for (int i = 0; i < m_nReactions; ++i) {
        const double r = res.m_vReactions[static_cast<size_t>(i)];
        const double xb = m_pBeam->GetReactionPosition(i);
        CEnvelope& env = *m_vEnvReaction[static_cast<size_t>(i)];
        // Reaction zero entries keep the load model.
        env.m_vMax.emplace_back(r > 0.0 ? r : 0.0, xb, x, LET_REACTION, pLM);
        env.m_vMin.emplace_back(r < 0.0 ? r : 0.0, xb, x, LET_REACTION, pLM);
    }

    UpdateCritical();
}

void CEnvelopeResults::Augment(const CEnvelopeResults& other)
{
    ++m_nAugments;
    m_nAnalyses += other.m_nAnalyses;
    if (!other.HasEnvelopes())
        return; // a run stopped before its first position adds nothing

    if (!HasEnvelopes()) {
        SetUp(other.m_pBridge, other.m_pBridge ? other.m_pBridge->GetBeam() : other.m_pBeam);
        m_pEnvBMD->m_vMax = other.m_pEnvBMD->m_vMax;
        m_pEnvBMD->m_vMin = other.m_pEnvBMD->m_vMin;
        m_pEnvSFD->m_vMax = other.m_pEnvSFD->m_vMax;
        m_pEnvSFD->m_vMin = other.m_pEnvSFD->m_vMin;
        m_nReactions = static_cast<int>(other.m_vEnvReaction.size());
        m_vEnvReaction.clear();
        for (const auto& e : other.m_vEnvReaction)
            m_vEnvReaction.push_back(CopyOf(e));
        UpdateCritical();
        return;
    }

    if (other.m_vEnvReaction.size() < static_cast<size_t>(m_nReactions))
        ThrowInvalidSubscript();
    auto bmMax = StationMax(m_pEnvBMD->m_vMax, other.m_pEnvBMD->m_vMax);
    auto bmMin = StationMin(m_pEnvBMD->m_vMin, other.m_pEnvBMD->m_vMin);
    auto sfMax = StationMax(m_pEnvSFD->m_vMax, other.m_pEnvSFD->m_vMax);
    auto sfMin = StationMin(m_pEnvSFD->m_vMin, other.m_pEnvSFD->m_vMin);
    m_pEnvBMD->m_vMax = std::move(bmMax);
    m_pEnvBMD->m_vMin = std::move(bmMin);
    m_pEnvSFD->m_vMax = std::move(sfMax);
    m_pEnvSFD->m_vMin = std::move(sfMin);

    for (int i = 0; i < m_nReactions; ++i) {
        // Reaction entries pair by index: the i-th position of one load model with the i-th of the other.
        const std::shared_ptr<CEnvelope>& mine = m_vEnvReaction[static_cast<size_t>(i)];
        const std::shared_ptr<CEnvelope>& theirs = other.m_vEnvReaction[static_cast<size_t>(i)];
        if (!mine || !theirs)
            throw std::runtime_error("Envelope results hold no envelopes");
        auto c = std::make_shared<CEnvelope>(*theirs);
        if (mine->m_vMax.size() != c->m_vMax.size()) {
            mine->ExtendToMatch(c);
            c->ExtendToMatch(mine);
        }
        mine->m_vMax = StationMax(mine->m_vMax, c->m_vMax);
        mine->m_vMin = StationMin(mine->m_vMin, c->m_vMin);
    }
    UpdateCritical();
}

CEnvelopeResults& CEnvelopeResults::operator+=(const CEnvelopeResults& other)
{
    return AddScaled(other, 1.0);
}

CEnvelopeResults& CEnvelopeResults::AddScaled(const CEnvelopeResults& other, double factor)
{
    RequireEnvelopes();
    other.RequireEnvelopes();
    // Every length is checked first, so a failure leaves this object unchanged.
    if (other.m_pEnvBMD->m_vMax.size() < m_pEnvBMD->m_vMax.size() ||
        other.m_pEnvBMD->m_vMin.size() < m_pEnvBMD->m_vMin.size() ||
        other.m_pEnvSFD->m_vMax.size() < m_pEnvSFD->m_vMax.size() ||
        other.m_pEnvSFD->m_vMin.size() < m_pEnvSFD->m_vMin.size() ||
        other.m_vEnvReaction.size() < m_vEnvReaction.size())
        ThrowInvalidSubscript();
    for (size_t i = 0; i < m_vEnvReaction.size(); ++i) {
        if (!m_vEnvReaction[i] || !other.m_vEnvReaction[i])
            throw std::runtime_error("Envelope results hold no envelopes");
        if (m_vEnvReaction[i]->m_vMax.size() == 1 && other.m_vEnvReaction[i]->m_vMax.empty())
            ThrowInvalidSubscript();
    }

    m_nAnalyses += other.m_nAnalyses;
    m_pEnvBMD->AddScaled(*other.m_pEnvBMD, factor);
    m_pEnvSFD->AddScaled(*other.m_pEnvSFD, factor);
    for (size_t i = 0; i < m_vEnvReaction.size(); ++i)
        m_vEnvReaction[i]->AddScaled(*other.m_vEnvReaction[i], factor);
    UpdateCritical();
    return *this;
}

CEnvelopeResults CEnvelopeResults::operator+(const CEnvelopeResults& other) const
{
    CEnvelopeResults sum(*this);
    sum += other;
    return sum;
}

void CEnvelopeResults::ScaleValues(double factor)
{
    auto scale = [factor](const std::shared_ptr<CEnvelope>& env) {
        if (!env)
            return;
        for (auto& e : env->m_vMax)
            e.val *= factor;
        for (auto& e : env->m_vMin)
            e.val *= factor;
    };
    scale(m_pEnvBMD);
    scale(m_pEnvSFD);
    for (const auto& env : m_vEnvReaction)
        scale(env);
}

CEnvelopeResults CEnvelopeResults::operator*(double factor) const
{
    RequireEnvelopes();
    CEnvelopeResults out(*this);
    out.ScaleValues(factor);
    // The critical pairs are not left stale: the scaled copy is compared straight away.
    out.UpdateCritical();
    return out;
}

std::shared_ptr<CEnvelopeResults> CEnvelopeResults::Combine(const CEnvelopeResults& a, double fa,
                                                            const CEnvelopeResults& b, double fb)
{
    // The checks of the two scaled copies, b's first, as its copy is made first where
    // this replaces the expression.
    b.RequireEnvelopes();
    b.RequireCriticalPairs();
    a.RequireEnvelopes();
    a.RequireCriticalPairs();
    auto sum = std::make_shared<CEnvelopeResults>(a);
    sum->ScaleValues(fa);
    sum->AddScaled(b, fb);
    return sum;
}

void CEnvelopeResults::RequireCriticalPairs() const
{
    const auto require = [](const std::shared_ptr<CEnvelope>& env) {
        if (!env)
            throw std::runtime_error("Envelope results hold no envelopes");
        if (env->m_vMax.empty() || env->m_vMin.empty())
            throw std::runtime_error("Envelope has no load effects");
    };
    require(m_pEnvBMD);
    require(m_pEnvSFD);
    for (const auto& env : m_vEnvReaction)
        require(env);
}

void CEnvelopeResults::UpdateCritical()
{
    if (!HasEnvelopes()) {
        m_critBMD = {};
        m_critSFD = {};
        m_vCritReaction.clear();
        return;
    }
    m_critBMD = m_pEnvBMD->GetCriticalPair();
    m_critSFD = m_pEnvSFD->GetCriticalPair();
    m_vCritReaction.clear();
    m_vCritReaction.reserve(m_vEnvReaction.size());
    for (const auto& env : m_vEnvReaction) {
        if (!env)
            throw std::runtime_error("Envelope results hold no envelopes");
        m_vCritReaction.push_back(env->GetCriticalPair());
    }
}

CCriticalRatioResults CEnvelopeResults::GetCriticalRatios(const std::shared_ptr<CEnvelopeResults>& pRef,
                                                          double multiplier) const
{
    RequireEnvelopes();
    if (!pRef)
        throw std::runtime_error("Envelope results hold no envelopes");
    pRef->RequireEnvelopes();
    if (pRef->m_vEnvReaction.size() < static_cast<size_t>(m_nReactions) ||
        m_vEnvReaction.size() < static_cast<size_t>(m_nReactions))
        ThrowInvalidSubscript();

    const CriticalPair<RatioLoadEffect> bm = m_pEnvBMD->GetCriticalRatioPair(pRef->m_pEnvBMD, multiplier);
    const CriticalPair<RatioLoadEffect> sf = m_pEnvSFD->GetCriticalRatioPair(pRef->m_pEnvSFD, multiplier);
    std::vector<CriticalPair<RatioLoadEffect>> reactions;
    reactions.reserve(static_cast<size_t>(m_nReactions));
    for (int i = 0; i < m_nReactions; ++i) {
        const auto& refEnv = pRef->m_vEnvReaction[static_cast<size_t>(i)];
        const auto& p = m_vEnvReaction[static_cast<size_t>(i)];
        if (!refEnv || !p)
            throw std::runtime_error("Envelope results hold no envelopes");
        // Paired by load position index: the shorter history counts zero entries at the
        // other's further positions (the proposed one first, then the reference against it).
        const CriticalPair<PointLoadEffect> prop = p->GetCriticalPairMatching(*refEnv);
        const CriticalPair<PointLoadEffect> ref = refEnv->GetCriticalPairMatching(*p);
        reactions.push_back({RatioLoadEffect(ref.max, prop.max, p->m_pBridge, multiplier),
                             RatioLoadEffect(ref.min, prop.min, p->m_pBridge, multiplier)});
    }
    return CCriticalRatioResults(std::move(reactions), bm, sf);
}

// What a file may hold: no envelopes at all (a run stopped before its first position),
// or bending, shear and every reaction envelope, each with both sides filled and of one
// length, as the views and the comparisons index them.
bool CEnvelopeResults::LoadedEnvelopesConsistent() const
{
    if (!m_pEnvBMD && !m_pEnvSFD)
        return m_vEnvReaction.empty();
    const auto whole = [](const std::shared_ptr<CEnvelope>& env) {
        return env && !env->m_vMax.empty() && env->m_vMax.size() == env->m_vMin.size();
    };
    return whole(m_pEnvBMD) && whole(m_pEnvSFD) && std::all_of(m_vEnvReaction.begin(), m_vEnvReaction.end(), whole);
}

void CEnvelopeResults::AfterArchive()
{
    m_pBeam = m_pBridge ? m_pBridge->GetBeam() : nullptr;
    m_nReactions = static_cast<int>(m_vEnvReaction.size());
    UpdateCritical();
}
