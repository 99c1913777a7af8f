#include "core/archive/ArchiveImpl.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

// Every view and table picks its texts by the type: a stored number of no type is damage.
void CheckLoadEffectType(std::int32_t t)
{
    if (t != LET_MOMENT && t != LET_SHEAR && t != LET_REACTION)
        ThrowArchiveError("unknown load-effect type");
}

}

template <class Archive>
void PointLoadEffect::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("val", val);
    ar & make_nvp("xBeam", xBeam);
    ar & make_nvp("xLoadModel", xLoadModel);
    std::int32_t t = type;
    ar & make_nvp("type", t);
    CheckLoadEffectType(t);
    type = static_cast<LoadEffectType>(t);
    ar & make_nvp("pLM", pLM);
}

template <class Archive>
void CEnvelope::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("m_pBridge", m_pBridge);
    std::int32_t t = m_Type;
    ar & make_nvp("m_Type", t);
    CheckLoadEffectType(t);
    m_Type = static_cast<LoadEffectType>(t);
    ar & make_nvp("m_vMax", m_vMax);
    ar & make_nvp("m_vMin", m_vMin);
}

template <class Archive>
void CEnvelopeResults::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("m_pBridge", m_pBridge);
    ar & make_nvp("m_pEnvBMD", m_pEnvBMD);
    ar & make_nvp("m_pEnvSFD", m_pEnvSFD);
    ar & make_nvp("m_vEnvReaction", m_vEnvReaction);
    ar & make_nvp("m_nBeamResults", m_nBeamResults);
    ar & make_nvp("m_nAugments", m_nAugments);
    ar & make_nvp("m_nAnalyses", m_nAnalyses);
    if (Archive::is_loading::value) {
        m_vBeamResults.clear();
        if (!LoadedEnvelopesConsistent())
            ThrowArchiveError("inconsistent envelope results");
    }
    AfterArchive();
}

QEL_INSTANTIATE_SERIALIZE(PointLoadEffect);
QEL_INSTANTIATE_SERIALIZE(CEnvelope);
QEL_INSTANTIATE_SERIALIZE(CEnvelopeResults);
BOOST_CLASS_EXPORT_IMPLEMENT(CEnvelope)
BOOST_CLASS_EXPORT_IMPLEMENT(CEnvelopeResults)
