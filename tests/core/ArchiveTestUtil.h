#pragma once
// Round trips through the two archive kinds of the case file.

#include <sstream>
#include <string>

#include "core/archive/ArchiveImpl.h"

namespace qeltest {

enum class Kind { Binary, Xml };

inline const char* KindName(Kind k)
{
    return k == Kind::Binary ? "binary" : "xml";
}

template <class T>
std::string SaveTo(Kind kind, const char* name, const T& obj, CaseLayout layout = CaseLayout::Current)
{
    std::ostringstream os;
    {
        if (kind == Kind::Binary) {
            CBinaryOArchive ar(os, layout);
            ar << boost::serialization::make_nvp(name, obj);
        } else {
            CXmlOArchive ar(os, layout);
            ar << boost::serialization::make_nvp(name, obj);
        }
    }
    return os.str();
}

template <class T>
void LoadFrom(Kind kind, const std::string& data, const char* name, T& obj)
{
    std::istringstream is(data);
    if (kind == Kind::Binary) {
        CBinaryIArchive ar(is);
        ar >> boost::serialization::make_nvp(name, obj);
    } else {
        ReadXmlArchive(is, [&](CXmlIArchive& ar) { ar >> boost::serialization::make_nvp(name, obj); });
    }
}

template <class T>
T RoundTrip(Kind kind, const T& obj, const char* name = "item")
{
    T out{};
    LoadFrom(kind, SaveTo(kind, name, obj), name, out);
    return out;
}

}
