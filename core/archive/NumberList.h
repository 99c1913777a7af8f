#pragma once
// A list of numbers as one item. A binary archive holds it as the library's vector (a
// count and one block of bytes); an XML archive as one text of the numbers separated by
// blanks, each written in the fewest digits that read back to the same number, where the
// library's own vector would wrap every number in a tag of its own. Loading refuses a
// number that is not finite or not a number at all.
//     ArchiveNumbers(ar, "val", values);

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/vector.hpp>

#include "core/archive/ArchiveError.h"
#include "core/archive/CaseOArchive.h"
#include "core/archive/CheckedIArchive.h"

template <class Archive, class T>
void ArchiveNumbers(Archive& ar, const char* name, std::vector<T>& values)
{
    static_assert(std::is_same_v<T, double> || std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint32_t>);
    constexpr bool bXml = kIsXmlOArchive<Archive> || std::is_same_v<Archive, CXmlIArchive> ||
                          std::is_same_v<Archive, boost::archive::xml_iarchive>;
    if constexpr (!bXml) {
        ar& boost::serialization::make_nvp(name, values);
    } else if constexpr (!Archive::is_loading::value) {
        std::string text;
        text.reserve(values.size() * (std::is_same_v<T, double> ? 12 : 3));
        char buf[32];
        for (const T& v : values) {
            if (!text.empty())
                text += ' ';
            const auto r = std::to_chars(buf, buf + sizeof buf, v);
            text.append(buf, r.ptr);
        }
        ar << boost::serialization::make_nvp(name, text);
    } else {
        std::string text;
        ar >> boost::serialization::make_nvp(name, text);
        values.clear();
        const char* p = text.data();
        const char* const end = p + text.size();
        const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
        for (;;) {
            while (p < end && isBlank(*p))
                ++p;
            if (p == end)
                break;
            T v{};
            const auto r = std::from_chars(p, end, v);
            if (r.ec != std::errc() || (r.ptr < end && !isBlank(*r.ptr)))
                ThrowArchiveError("invalid number");
            values.push_back(v);
            p = r.ptr;
        }
    }
    if constexpr (Archive::is_loading::value && std::is_same_v<T, double>) {
        for (double v : values)
            if (!std::isfinite(v))
                ThrowArchiveError("invalid number");
    }
}
