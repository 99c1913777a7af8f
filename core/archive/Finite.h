#pragma once
// A number of an archived load or factor. A damaged or crafted file may hold NaN or an
// infinity, which would run through every analysis into the results: refused on loading.
//     ArchiveFinite(ar, "magnitude", magnitude);

#include <cmath>

#include <boost/serialization/nvp.hpp>

#include "core/archive/ArchiveError.h"

template <class Archive>
void ArchiveFinite(Archive& ar, const char* name, double& value)
{
    ar& boost::serialization::make_nvp(name, value);
    if (Archive::is_loading::value && !std::isfinite(value))
        ThrowArchiveError("invalid number");
}
