#pragma once
// Included only by archive translation units: the four archive kinds (the library's
// output archives, our checked input archives), the standard containers, shared
// pointers and the wide-string form.

#include <boost/archive/xml_oarchive.hpp>
#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/shared_ptr.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/vector.hpp>
#include <boost/serialization/version.hpp>

#include "core/archive/ArchiveError.h"
#include "core/archive/ArchiveTraits.h"
#include "core/archive/CheckedIArchive.h"
#include "core/archive/BoundedVector.h"
#include "core/archive/CaseOArchive.h"
#include "core/archive/Finite.h"
#include "core/archive/Flag.h"
#include "core/archive/WideString.h"
#include "core/archive/XmlInput.h"

// Explicit instantiation of a class's serialize member for the four archive kinds. The
// class export also makes code for the library's XML archives (their header registers
// them), which only the settings file uses but which must link.
#define QEL_INSTANTIATE_SERIALIZE(Class)                                                                             \
    template void Class::serialize<CBinaryOArchive>(CBinaryOArchive&, const unsigned int);                           \
    template void Class::serialize<CXmlOArchive>(CXmlOArchive&, const unsigned int);                                 \
    template void Class::serialize<CBinaryIArchive>(CBinaryIArchive&, const unsigned int);                           \
    template void Class::serialize<boost::archive::xml_oarchive>(boost::archive::xml_oarchive&, const unsigned int); \
    template void Class::serialize<CXmlIArchive>(CXmlIArchive&, const unsigned int);                                 \
    template void Class::serialize<boost::archive::xml_iarchive>(boost::archive::xml_iarchive&, const unsigned int)
