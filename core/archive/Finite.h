#pragma once
// A number of an archived load or factor. A damaged or crafted file may hold NaN or an
// infinity, which would run through every analysis into the results: refused on loading.
//     ArchiveFinite(ar, "magnitude", magnitude);

#include <cmath>

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/nvp.hpp>

template <class Archive>
void ArchiveFinite(Archive& ar, const char* name, double& value)
{
    ar & boost::serialization::make_nvp(name, value);
    if (Archive::is_loading::value && !std::isfinite(value))
        throw boost::archive::archive_exception(boost::archive::archive_exception::other_exception,
                                                "invalid number");
}
