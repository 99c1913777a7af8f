#include "core/archive/CaseOArchive.h"

#include <exception>

#include <boost/archive/detail/archive_serializer_map.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_binary_oarchive.ipp>
#include <boost/archive/impl/basic_binary_oprimitive.ipp>
#include <boost/archive/impl/basic_xml_oarchive.ipp>
#include <boost/archive/impl/xml_oarchive_impl.ipp>
#include <boost/serialization/singleton.hpp>
#include <boost/serialization/type_info_implementation.hpp>

#include "core/archive/ArchiveTraits.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

namespace boost::archive {
template class detail::archive_serializer_map<CBinaryOArchive>;
template class basic_binary_oprimitive<CBinaryOArchive, std::ostream::char_type, std::ostream::traits_type>;
template class basic_binary_oarchive<CBinaryOArchive>;
template class binary_oarchive_impl<CBinaryOArchive, std::ostream::char_type, std::ostream::traits_type>;
template class detail::archive_serializer_map<CXmlOArchive>;
template class basic_xml_oarchive<CXmlOArchive>;
template class xml_oarchive_impl<CXmlOArchive>;
}

namespace {

template <class T>
const boost::serialization::extended_type_info& TypeInfoOf()
{
    return boost::serialization::singleton<
        typename boost::serialization::type_info_implementation<T>::type>::get_const_instance();
}

}

unsigned int LegacyClassVersion(const boost::serialization::extended_type_info& eti, unsigned int version)
{
    if (eti == TypeInfoOf<CEnvelopeResults>())
        return kLegacyEnvelopeResultsVersion;
    if (eti == TypeInfoOf<CReferenceSet>())
        return kLegacyReferenceSetVersion;
    if (eti == TypeInfoOf<CReferenceCollection>())
        return kLegacyReferenceCollectionVersion;
    return version;
}

CBinaryOArchive::CBinaryOArchive(std::ostream& os, CaseLayout layout) : CCaseOArchive(layout, os, 0)
{
    init(0);
}

CXmlOArchive::CXmlOArchive(std::ostream& os, CaseLayout layout) : CCaseOArchive(layout, os, boost::archive::no_header)
{
    init();
}

CXmlOArchive::~CXmlOArchive()
{
    // As the library: not while an exception leaves the archive.
    if (std::uncaught_exceptions() == 0)
        windup();
}
