#pragma once
// Every wide string is archived as a class of its own holding one item "value".
// XML archives get the text as UTF-8 converted here, not through the C library's
// multibyte functions, so the file does not depend on the process locale.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <string>
#include <type_traits>

#include <boost/archive/xml_oarchive.hpp>
#include "core/archive/CaseOArchive.h"
#include <boost/serialization/level.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>

#include "platform/base/CLocale.h"

#include "core/archive/ArchiveError.h"

class CXmlIArchive;

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF.
inline bool IsValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        char32_t cp = 0, min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) {
            n = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

// A text of Unicode scalar values only: what an XML file can hold and give back.
inline bool IsValidWide(std::wstring_view s)
{
    for (wchar_t c : s) {
        const auto cp = static_cast<std::uint32_t>(c);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
    }
    return true;
}

class CArchiveWString {
public:
    explicit CArchiveWString(std::wstring& text) : m_pText(&text) {}

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, const unsigned int) const
    {
        if constexpr (kIsXmlOArchive<Archive>) {
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
            if (!IsValidUtf8(utf8))
                ThrowArchiveError("a text is not valid UTF-8");
            *m_pText = Utf8ToWide(utf8);
        } else {
            std::wstring text;
            ar >> boost::serialization::make_nvp("value", text);
            // Saved as XML, such a text would not come back the same.
            if (!IsValidWide(text))
                ThrowArchiveError("a text holds a character that is no Unicode character");
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
    ar& boost::serialization::make_nvp(name, item);
}
