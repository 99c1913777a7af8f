#include "core/archive/ArchiveImpl.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"

template <class Archive>
void CBridge::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    int config = static_cast<int>(m_Config);
    ar & make_nvp("m_Config", config);
    m_Config = static_cast<BridgeConfig>(config);
    ar & make_nvp("m_SpanLength", m_SpanLength);
    ar & make_nvp("m_vSpans", m_vSpans);
    SetupBeam();
}

template <class Archive>
void CBridgeSet::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar & make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    ar & make_nvp("m_StartL", m_StartL);
    ar & make_nvp("m_EndL", m_EndL);
    ar & make_nvp("m_nBridge", m_nBridge);
    int config = static_cast<int>(m_Config);
    ar & make_nvp("m_Config", config);
    m_Config = static_cast<BridgeConfig>(config);
    if (Archive::is_loading::value) {
        if (m_nBridge < 1 || m_nBridge > MaxBridges)
            ThrowArchiveError("bridge count out of range");
        m_bByStep = false;
    }
    GenerateBridges();
}

QEL_INSTANTIATE_SERIALIZE(CBridge);
QEL_INSTANTIATE_SERIALIZE(CBridgeSet);

BOOST_CLASS_EXPORT_IMPLEMENT(CBridge)
BOOST_CLASS_EXPORT_IMPLEMENT(CBridgeSet)
