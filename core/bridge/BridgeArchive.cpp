#include "core/archive/ArchiveImpl.h"
#include "core/bounds/ElementChecks.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"

template <class Archive>
void CBridge::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    // The writer refuses what the reader would.
    if constexpr (!Archive::is_loading::value)
        ThrowIfRefused(*this, CheckBridgeValues(*this));
    ar& make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    int config = static_cast<int>(m_Config);
    ar& make_nvp("m_Config", config);
    m_Config = static_cast<BridgeConfig>(config);
    ar& make_nvp("m_SpanLength", m_SpanLength);
    ar& make_nvp("m_vSpans", m_vSpans);
    if constexpr (Archive::is_loading::value)
        ThrowIfRefused(*this, CheckBridgeValues(*this));
    SetupBeam();
}

template <class Archive>
void CBridgeSet::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    if constexpr (!Archive::is_loading::value)
        ThrowIfRefused(*this, CheckBridgeSetValues(*this));
    ar& make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    ar& make_nvp("m_StartL", m_StartL);
    ar& make_nvp("m_EndL", m_EndL);
    ar& make_nvp("m_nBridge", m_nBridge);
    int config = static_cast<int>(m_Config);
    ar& make_nvp("m_Config", config);
    m_Config = static_cast<BridgeConfig>(config);
    if constexpr (Archive::is_loading::value) {
        ThrowIfRefused(*this, CheckBridgeSetValues(*this));
        m_bByStep = false;
    }
    GenerateBridges();
}

QEL_INSTANTIATE_SERIALIZE(CBridge);
QEL_INSTANTIATE_SERIALIZE(CBridgeSet);

BOOST_CLASS_EXPORT_IMPLEMENT(CBridge)
BOOST_CLASS_EXPORT_IMPLEMENT(CBridgeSet)
