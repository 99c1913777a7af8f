#include "core/archive/ArchiveImpl.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

template <class Archive>
void CLoadModelEnsemble::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    ar& make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    // Object tracking stores a model shared with other holders once and shares it again
    // on loading.
    ar& make_nvp("m_vLoadModel", m_vLoadModel);
    // The analyses fetch every member and use it.
    if (Archive::is_loading::value && AnyHole(m_vLoadModel))
        ThrowArchiveError("empty load model in ensemble");
    m_nLoadModels = static_cast<std::int32_t>(m_vLoadModel.size());
}

QEL_INSTANTIATE_SERIALIZE(CLoadModelEnsemble);

BOOST_CLASS_EXPORT_IMPLEMENT(CLoadModelEnsemble)
