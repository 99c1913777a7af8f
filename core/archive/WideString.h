#pragma once
// Every wide string is archived as a class of its own holding one item "value".
// XML archives get the text as UTF-8 converted here, not through the C library's
// multibyte functions, so the file does not depend on the process locale.

#include <cstddef>
#include <string>
#include <type_traits>

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/level.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>

#include "platform/base/CLocale.h"

// Far above any text a case or settings file holds (64 Mi characters).
inline constexpr std::size_t MaxArchivedTextChars = std::size_t(64) << 20;

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
        if constexpr (std::is_same_v<Archive, boost::archive::xml_iarchive>) {
            std::string utf8;
            ar >> boost::serialization::make_nvp("value", utf8);
            *m_pText = Utf8ToWide(utf8);
        } else if constexpr (std::is_same_v<Archive, boost::archive::binary_iarchive>) {
            // The library's own read sizes the text from the stored length before
            // reading it; the same record is read here with the length checked first.
            std::size_t length = 0;
            ar.load_binary(&length, sizeof length);
            if (length > MaxArchivedTextChars)
                throw boost::archive::archive_exception(boost::archive::archive_exception::other_exception,
                                                        "text too long");
            std::wstring text(length, L'\0');
            if (length > 0)
                ar.load_binary(text.data(), length * sizeof(wchar_t));
            *m_pText = std::move(text);
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
