#pragma once
// Every wide string is archived as a class of its own holding one item "value".
// XML archives get the text as UTF-8 converted here, not through the C library's
// multibyte functions, so the file does not depend on the process locale.

#include <cstddef>
#include <string>
#include <type_traits>

#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/level.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>

#include "platform/base/CLocale.h"

class CXmlIArchive;

class CArchiveWString {
public:
    explicit CArchiveWString(std::wstring& text) : m_pText(&text) {}

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, const unsigned int) const
    {
        if constexpr (std::is_same_v<Archive, boost::archive::xml_oarchive>) {
            std::string utf8 = WideToUtf8(*m_pText);
            ar << boost::serialization::make_nvp("value", utf8);
        } else {
            std::wstring text = *m_pText;
            ar << boost::serialization::make_nvp("value", text);
        }
    }

    template <class Archive>
    void load(Archive& ar, const unsigned int)
    {
        if constexpr (std::is_same_v<Archive, CXmlIArchive>) {
            std::string utf8;
            ar >> boost::serialization::make_nvp("value", utf8);
            *m_pText = Utf8ToWide(utf8);
        } else {
            std::wstring text;
            ar >> boost::serialization::make_nvp("value", text);
            *m_pText = std::move(text);
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    std::wstring* m_pText;
};

// A wrapper on the stack is never the target of a pointer: do not track it.
BOOST_CLASS_TRACKING(CArchiveWString, boost::serialization::track_never)

// ar & ArchiveWString("m_Description", m_Description);
template <class Archive>
void ArchiveWString(Archive& ar, const char* name, std::wstring& text)
{
    CArchiveWString item(text);
    ar & boost::serialization::make_nvp(name, item);
}
