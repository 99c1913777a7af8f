#include "core/archive/ArchiveImpl.h"
#include "core/bounds/ElementChecks.h"
#include "core/loads/LoadModel.h"

using boost::serialization::make_nvp;

template <class Archive>
void Factor::serialize(Archive& ar, const unsigned int)
{
    ArchiveWString(ar, "desc", desc);
    ar& make_nvp("value", value);
    ar& make_nvp("type", type);
}

template <class Archive>
void CLoadModel::UniformLoad::serialize(Archive& ar, const unsigned int)
{
    ar& make_nvp("magnitude", magnitude);
    ar& make_nvp("gamma", gamma);
}

template <class Archive>
void CLoadModel::PointLoad::serialize(Archive& ar, const unsigned int)
{
    ar& make_nvp("magnitude", magnitude);
    ar& make_nvp("location", location);
    ar& make_nvp("gamma", gamma);
    ar& make_nvp("width", width);
}

template <class Archive>
void CLoadModel::PartialUDLoad::serialize(Archive& ar, const unsigned int)
{
    ar& make_nvp("magnitude", magnitude);
    ar& make_nvp("location", location);
    ar& make_nvp("cover", cover);
    ar& make_nvp("gamma", gamma);
}

namespace {

// Enumerations travel as 32-bit integers.
template <class Archive, class Enum>
void ArchiveEnum(Archive& ar, const char* name, Enum& e)
{
    std::int32_t v = static_cast<std::int32_t>(e);
    ar& make_nvp(name, v);
    if constexpr (Archive::is_loading::value)
        e = static_cast<Enum>(v);
}

}

template <class Archive>
void CLoadModel::serialize(Archive& ar, const unsigned int version)
{
    // What is written is what the reader takes back: both test the same ranges.
    if constexpr (!Archive::is_loading::value)
        ThrowIfRefused(*this, CheckLoadModelValues(*this));
    ar& make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    ar& make_nvp("m_Gamma", m_Gamma);
    ar& make_nvp("m_vUDL", m_vUDL);
    ar& make_nvp("m_vPL", m_vPL);
    ar& make_nvp("m_vPUDL", m_vPUDL);
    ar& make_nvp("m_gDLA", m_gDLA);
    ar& make_nvp("m_gLiveLoad", m_gLiveLoad);
    ar& make_nvp("m_gUnits", m_gUnits);
    ar& make_nvp("m_gArbitrary", m_gArbitrary);
    ar& make_nvp("m_WidthFactor", m_WidthFactor);
    ArchiveFlag(ar, "m_bAppliesBM", m_bAppliesBM);
    ArchiveFlag(ar, "m_bAppliesSF", m_bAppliesSF);
    ArchiveFlag(ar, "m_bUseMinL", m_bUseMinL);
    ArchiveFlag(ar, "m_bUseMaxL", m_bUseMaxL);
    ar& make_nvp("m_minL", m_minL);
    ar& make_nvp("m_maxL", m_maxL);
    ar& make_nvp("m_GammaPL", m_GammaPL);
    ar& make_nvp("m_GammaUDL", m_GammaUDL);
    ar& make_nvp("m_GammaPUDL", m_GammaPUDL);
    ArchiveFlag(ar, "m_bAdjustToBridge", m_bAdjustToBridge);
    ArchiveEnum(ar, "m_lmBridge", m_lmBridge);
    ArchiveFlag(ar, "m_bIsMoving", m_bIsMoving);
    ar& make_nvp("m_PointLoadStart", m_PointLoadStart);
    if (version >= 1) {
        ArchiveFlag(ar, "m_bAppliesR", m_bAppliesR);
        ArchiveEnum(ar, "m_Direction", m_Direction);
    } else if (Archive::is_loading::value) {
        m_bAppliesR = true;
        m_Direction = TD_FORWARD;
    }
    if constexpr (Archive::is_loading::value)
        ThrowIfRefused(*this, CheckLoadModelValues(*this));
    // Saving and loading alike leave the model in memory recomputed and updated.
    m_Gamma = m_gLiveLoad.value * m_gDLA.value * m_gUnits.value * m_gArbitrary.value;
    SyncCounts();
    Update();
}

QEL_INSTANTIATE_SERIALIZE(Factor);
QEL_INSTANTIATE_SERIALIZE(CLoadModel::UniformLoad);
QEL_INSTANTIATE_SERIALIZE(CLoadModel::PointLoad);
QEL_INSTANTIATE_SERIALIZE(CLoadModel::PartialUDLoad);
QEL_INSTANTIATE_SERIALIZE(CLoadModel);

BOOST_CLASS_EXPORT_IMPLEMENT(CLoadModel)
