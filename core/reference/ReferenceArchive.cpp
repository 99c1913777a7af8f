#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/archive/ArchiveImpl.h"
#include "core/bounds/ElementChecks.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

namespace {

// Where the reference results of a set come from in a file of the current layout.
enum RefFrom : std::int32_t {
    REF_STORED = 0,   // stored as they are
    REF_LIVE = 1,     // the live-load results themselves
    REF_COMBINED = 2, // CombineEnvelopes of the live-load and overstress results
};

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameEnvelope(const std::shared_ptr<CEnvelope>& a, const std::shared_ptr<CEnvelope>& b)
{
    if (!a || !b)
        return a == b;
    const auto sameSide = [](const std::vector<PointLoadEffect>& x, const std::vector<PointLoadEffect>& y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                          [](const PointLoadEffect& p, const PointLoadEffect& q) {
                              return SameBits(p.val, q.val) && SameBits(p.xBeam, q.xBeam) &&
                                     SameBits(p.xLoadModel, q.xLoadModel) && p.type == q.type && p.pLM == q.pLM;
                          });
    };
    return a->m_Type == b->m_Type && a->m_pBridge == b->m_pBridge && sameSide(a->m_vMax, b->m_vMax) &&
           sameSide(a->m_vMin, b->m_vMin);
}

// Everything a file holds of the results, and so everything a table shows, is the same.
bool SameResults(const CEnvelopeResults& a, const CEnvelopeResults& b)
{
    return a.m_pBridge == b.m_pBridge && a.m_nBeamResults == b.m_nBeamResults && a.m_nAugments == b.m_nAugments &&
           a.m_nAnalyses == b.m_nAnalyses && SameEnvelope(a.m_pEnvBMD, b.m_pEnvBMD) &&
           SameEnvelope(a.m_pEnvSFD, b.m_pEnvSFD) &&
           std::equal(a.m_vEnvReaction.begin(), a.m_vEnvReaction.end(), b.m_vEnvReaction.begin(),
                      b.m_vEnvReaction.end(), SameEnvelope);
}

// Whether the stored reference results of a set from a file of the earlier layout are
// what combining its live-load and overstress results gives, so that a later file need
// not hold them. One bridge at a time: no second copy of them all.
bool StoredRefIsCombined(const CReferenceSet& rs)
{
    const auto& live = rs.m_vLiveLoadCritEnv;
    const auto& over = rs.m_vOverstressCritEnv;
    const auto& ref = rs.m_vRefCritEnv;
    const size_t n = CReferenceSet::CommonBridges(live, over);
    if (ref.size() != n || !std::isfinite(rs.m_OverstressFactor))
        return false;
    try {
        for (size_t i = 0; i < n; ++i)
            if (!SameResults(*rs.CombineBridge(*live[i], *over[i]), *ref[i]))
                return false;
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}

template <class Archive>
void CReferenceSet::serialize(Archive& ar, const unsigned int fileVersion)
{
    using boost::serialization::make_nvp;
    constexpr bool bLoading = Archive::is_loading::value;
    const unsigned int version = WritesLegacyLayout(ar) ? kLegacyReferenceSetVersion : fileVersion;
    ar& make_nvp("m_pBridgeSet", m_pBridgeSet);
    if (Archive::is_loading::value && version == 0)
        ar& make_nvp("m_pLoadModelEnsemble", m_pRefLME);
    else
        ar& make_nvp("m_pRefLME", m_pRefLME);
    ArchiveFlag(ar, "m_bIsCalculated", m_bIsCalculated);
    ar& make_nvp("m_vOverstressCritEnv", m_vOverstressCritEnv);
    ar& make_nvp("m_vLiveLoadCritEnv", m_vLiveLoadCritEnv);
    std::int32_t refFrom = REF_STORED;
    if (version >= 2) {
        if (!bLoading)
            refFrom = m_bRefCombined ? REF_COMBINED : m_vRefCritEnv == m_vLiveLoadCritEnv ? REF_LIVE : REF_STORED;
        ar& make_nvp("m_RefFrom", refFrom);
        if (refFrom != REF_STORED && refFrom != REF_LIVE && refFrom != REF_COMBINED)
            ThrowArchiveError("inconsistent reference set");
    }
    if (refFrom == REF_STORED)
        ar& make_nvp("m_vRefCritEnv", m_vRefCritEnv);
    ar& make_nvp("m_vPropCritEnv", m_vPropCritEnv);
    ar& make_nvp("m_vRatios", m_vRatios);
    ArchiveFlag(ar, "m_bUseOverstress", m_bUseOverstress);
    ar& make_nvp("m_OverstressFactor", m_OverstressFactor);
    if (version >= 1) {
        ar& make_nvp("m_pPropLME", m_pPropLME);
        ArchiveFlag(ar, "m_bUseLM", m_bUseLM);
        ArchiveFlag(ar, "m_bIsRatioCalculated", m_bIsRatioCalculated);
    }
    if (bLoading) {
        // Entry i of each list is drawn as bridge i.
        if (AnyHole(m_vOverstressCritEnv, m_vLiveLoadCritEnv, m_vPropCritEnv))
            ThrowArchiveError("empty envelope results in reference set");
        m_bRefCombined = refFrom == REF_COMBINED;
        if (refFrom == REF_LIVE) {
            m_vRefCritEnv = m_vLiveLoadCritEnv;
        } else if (refFrom == REF_COMBINED) {
            // Made again as the calculation made it, the same numbers to the last bit.
            if (!std::isfinite(m_OverstressFactor))
                ThrowArchiveError("invalid number");
            try {
                m_vRefCritEnv = CombineEnvelopes(m_vLiveLoadCritEnv, m_vOverstressCritEnv);
            } catch (const std::exception&) {
                ThrowArchiveError("inconsistent envelope results");
            }
        }
        if (AnyHole(m_vRefCritEnv))
            ThrowArchiveError("empty envelope results in reference set");
        if (version < 2 && m_bUseOverstress && m_vRefCritEnv != m_vLiveLoadCritEnv)
            m_bRefCombined = StoredRefIsCombined(*this);
    }
    RebuildCritEnsembles();
}

template <class Archive>
void CReferenceCollection::serialize(Archive& ar, const unsigned int fileVersion)
{
    using boost::serialization::make_nvp;
    const unsigned int version = WritesLegacyLayout(ar) ? kLegacyReferenceCollectionVersion : fileVersion;
    if constexpr (!Archive::is_loading::value)
        ThrowIfRefused(*this, CheckRefCollectionValues(*this));
    ar& make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    ArchiveFlag(ar, "m_bByStep", m_bByStep);
    ar& make_nvp("m_StepSize", m_StepSize);
    ar& make_nvp("m_nStepPoints", m_nStepPoints);
    ArchiveFlag(ar, "m_bIsCalculated", m_bIsCalculated);
    ar& make_nvp("m_vLME", m_vLME);
    ar& make_nvp("m_vBS", m_vBS);
    ar& make_nvp("m_vRefSet", m_vRefSet);
    ArchiveFlag(ar, "m_bUseOverstress", m_bUseOverstress);
    ar& make_nvp("m_OverstressFactor", m_OverstressFactor);
    if (version >= 1)
        ArchiveFlag(ar, "m_bFromEarlierVersion", m_bFromEarlierVersion);
    else if (Archive::is_loading::value)
        m_bFromEarlierVersion = m_bIsCalculated;
    if (Archive::is_loading::value) {
        // The analyses use every member.
        if (AnyHole(m_vLME, m_vBS, m_vRefSet))
            ThrowArchiveError("empty member in reference collection");
        ThrowIfRefused(*this, CheckRefCollectionValues(*this));
    }
    m_nRefSet = static_cast<std::int32_t>(m_vRefSet.size());
}

QEL_INSTANTIATE_SERIALIZE(CReferenceSet);
QEL_INSTANTIATE_SERIALIZE(CReferenceCollection);

BOOST_CLASS_EXPORT_IMPLEMENT(CReferenceCollection)
