#include "core/archive/ArchiveImpl.h"
#include "core/bounds/ElementChecks.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

template <class Archive>
void CReferenceSet::serialize(Archive& ar, const unsigned int version)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("m_pBridgeSet", m_pBridgeSet);
    if (Archive::is_loading::value && version == 0)
        ar & make_nvp("m_pLoadModelEnsemble", m_pRefLME);
    else
        ar & make_nvp("m_pRefLME", m_pRefLME);
    ArchiveFlag(ar, "m_bIsCalculated", m_bIsCalculated);
    ar & make_nvp("m_vOverstressCritEnv", m_vOverstressCritEnv);
    ar & make_nvp("m_vLiveLoadCritEnv", m_vLiveLoadCritEnv);
    ar & make_nvp("m_vRefCritEnv", m_vRefCritEnv);
    ar & make_nvp("m_vPropCritEnv", m_vPropCritEnv);
    ar & make_nvp("m_vRatios", m_vRatios);
    ArchiveFlag(ar, "m_bUseOverstress", m_bUseOverstress);
    ar & make_nvp("m_OverstressFactor", m_OverstressFactor);
    if (version >= 1) {
        ar & make_nvp("m_pPropLME", m_pPropLME);
        ArchiveFlag(ar, "m_bUseLM", m_bUseLM);
        ArchiveFlag(ar, "m_bIsRatioCalculated", m_bIsRatioCalculated);
    }
    if (Archive::is_loading::value) {
        // Entry i of each list is drawn as bridge i.
        if (AnyHole(m_vOverstressCritEnv, m_vLiveLoadCritEnv, m_vRefCritEnv, m_vPropCritEnv))
            ThrowArchiveError("empty envelope results in reference set");
    }
    RebuildCritEnsembles();
}

template <class Archive>
void CReferenceCollection::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    if constexpr (!Archive::is_loading::value)
        ThrowIfRefused(*this, CheckRefCollectionValues(*this));
    ar & make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    ArchiveFlag(ar, "m_bByStep", m_bByStep);
    ar & make_nvp("m_StepSize", m_StepSize);
    ar & make_nvp("m_nStepPoints", m_nStepPoints);
    ArchiveFlag(ar, "m_bIsCalculated", m_bIsCalculated);
    ar & make_nvp("m_vLME", m_vLME);
    ar & make_nvp("m_vBS", m_vBS);
    ar & make_nvp("m_vRefSet", m_vRefSet);
    ArchiveFlag(ar, "m_bUseOverstress", m_bUseOverstress);
    ar & make_nvp("m_OverstressFactor", m_OverstressFactor);
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
