#pragma once
// Loading a standard vector reads its element count from the archive and sizes the
// vector before a single element is read, so a damaged or crafted file could make the
// program allocate any amount of memory. This load refuses a count that the rest of the
// input cannot hold as an archive error and otherwise reads exactly what the library's
// own vector load reads. Saving is the library's.
//
// Found by argument-dependent lookup through the library's version argument, and more
// specialised than the library's own overload; every archive translation unit sees it
// through ArchiveImpl.h, right after the library's vector header. Only our checked
// input archives (CheckedIArchive.h) load.

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

#include <boost/serialization/array_wrapper.hpp>
#include <boost/serialization/collection_size_type.hpp>
#include <boost/serialization/collections_load_imp.hpp>
#include <boost/serialization/item_version_type.hpp>
#include <boost/serialization/library_version_type.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/vector.hpp>

#include "core/archive/ArchiveError.h"

// The library's own input archives (which the class export instantiates code for, though
// nothing reads with them) cannot tell what is left: a fixed bound far above any list.
template <class Archive>
void CheckArchivedListCount(Archive& ar, std::size_t count, std::size_t bytesPerEntry)
{
    if constexpr (requires { ar.CheckListCount(count, bytesPerEntry); })
        ar.CheckListCount(count, bytesPerEntry);
    else if (count > (std::size_t(256) << 20) / bytesPerEntry)
        ThrowArchiveError("list too long");
}

namespace boost::serialization {

template <class Archive, class U>
    requires(!std::is_same_v<U, bool>)
void load(Archive& ar, std::vector<U, std::allocator<U>>& t, const unsigned int /* file_version */)
{
    const library_version_type library_version(ar.get_library_version());
    collection_size_type count;
    ar >> BOOST_SERIALIZATION_NVP(count);
    using Optimized =
        typename use_array_optimization<Archive>::template apply<typename std::remove_const<U>::type>::type;
    if constexpr (Optimized::value) {
        // Stored as one block of count * sizeof(U) bytes.
        CheckArchivedListCount(ar, count, sizeof(U));
        t.resize(count);
        unsigned int item_version = 0;
        if (BOOST_SERIALIZATION_VECTOR_VERSIONED(library_version))
            ar >> BOOST_SERIALIZATION_NVP(item_version);
        if (!t.empty())
            ar >> make_array<U, collection_size_type>(static_cast<U*>(&t[0]), count);
    } else {
        item_version_type item_version(0);
        if (library_version_type(3) < library_version)
            ar >> BOOST_SERIALIZATION_NVP(item_version);
        CheckArchivedListCount(ar, count, 1);
        t.reserve(count);
        stl::collection_load_impl(ar, t, count, item_version);
    }
}

}
