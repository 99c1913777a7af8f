#include "core/critical/CriticalValueResults.h"

#include "core/beam/Beam.h"
#include "core/envelopes/EnvelopeResults.h"

namespace {

CriticalPair<PointLoadEffect> PairOf(const std::shared_ptr<CEnvelope>& env)
{
    if (!env || env->m_vMax.empty() || env->m_vMin.empty())
        return {};
    return env->GetCriticalPair();
}

} // namespace

CCriticalValueResults::CCriticalValueResults(std::shared_ptr<CEnvelopeResults> pEnvResults)
    : m_pEnvResults(std::move(pEnvResults))
{
    if (!m_pEnvResults)
        return;
    const CEnvelopeResults& env = *m_pEnvResults;
    m_pBeam = env.GetBeam();
    if (!env.HasEnvelopes())
        return;
    m_BMPair = PairOf(env.GetEnvBMD());
    m_SFPair = PairOf(env.GetEnvSFD());
    const int n = m_pBeam ? m_pBeam->m_nRestraints : static_cast<int>(env.m_vEnvReaction.size());
    m_vReactionPairs.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        m_vReactionPairs.push_back(PairOf(env.GetEnvReaction(i)));
    m_nReactions = n;
}
