#pragma once
// A flag of an archived class. A binary archive holds it as one byte, which the library
// reads straight into the bool: any byte but 0 and 1 (a damaged or crafted file) would
// then be a bool of no valid value. Read here as a byte and refused as an archive error.
//     ArchiveFlag(ar, "m_bIsEditable", m_bIsEditable);

#include <type_traits>

#include <boost/serialization/nvp.hpp>

#include "core/archive/ArchiveError.h"

class CBinaryIArchive;

template <class Archive>
void ArchiveFlag(Archive& ar, const char* name, bool& flag)
{
    if constexpr (std::is_same_v<Archive, CBinaryIArchive>) {
        static_assert(sizeof(bool) == 1, "a flag is one byte in a binary archive");
        unsigned char byte = 0;
        ar.load_binary(&byte, 1);
        if (byte > 1)
            ThrowArchiveError("invalid flag");
        flag = byte != 0;
    } else {
        ar& boost::serialization::make_nvp(name, flag);
    }
}
