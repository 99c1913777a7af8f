#include "core/archive/ArchiveImpl.h"
#include "core/elements/Element.h"

template <class Archive>
void CElement::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    int type = static_cast<int>(m_ElementType);
    ar& make_nvp("m_ElementType", type);
    // A crafted file must not make one kind of element pass for another.
    if (Archive::is_loading::value && type != static_cast<int>(m_ElementType))
        ThrowArchiveError("element type mismatch");
    ArchiveWString(ar, "m_Description", m_Description);
    ar& make_nvp("m_ID", m_ID);
    ArchiveFlag(ar, "m_bIsEditable", m_bIsEditable);
}

QEL_INSTANTIATE_SERIALIZE(CElement);
