#pragma once
// Light header for classes that can be archived: declares the serialize member only.
// Its definition lives in an archive translation unit (see ArchiveImpl.h), so the
// Boost.Serialization headers compile in few places.

namespace boost::serialization {
class access;
}

#define QEL_DECLARE_SERIALIZE                  \
    friend class boost::serialization::access; \
    template <class Archive>                   \
    void serialize(Archive& ar, const unsigned int version)
