// Stored texts and choice numbers a damaged or foreign file can hold.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ArchiveTestUtil.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/PointLoadEffect.h"

namespace {

using qeltest::Kind;

std::string Replace(std::string s, const std::string& from, const std::string& to)
{
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        s.replace(at, from.size(), to);
    return s;
}

TEST(StoredTexts, XmlNamesMustBeValidUtf8)
{
    const std::string xml = qeltest::SaveTo(Kind::Xml, "item", CBridge(1, L"Abc", BC_ONESPAN, 20.0));
    // A stray continuation byte, a cut sequence, an overlong '/', a surrogate, past U+10FFFF.
    for (const char* bad : {"A\x80"
                            "c",
                            "A\xC3",
                            "A\xC0\xAF"
                            "c",
                            "A\xED\xA0\x80"
                            "c",
                            "A\xF4\x90\x80\x80"
                            "c"}) {
        CBridge back;
        EXPECT_THROW(qeltest::LoadFrom(Kind::Xml, Replace(xml, ">Abc<", std::string(">") + bad + "<"), "item", back),
                     boost::archive::archive_exception)
            << bad;
    }
    CBridge back;
    qeltest::LoadFrom(Kind::Xml, Replace(xml, ">Abc<", ">\xC3\xA9t\xC3\xA9 \xF0\x9F\x8C\x89<"), "item", back);
    EXPECT_EQ(back.m_Description, L"\u00e9t\u00e9 \U0001F309");
}

TEST(StoredTexts, BinaryNamesMustHoldUnicodeCharactersOnly)
{
    for (const wchar_t bad : {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)}) {
        CBridge b(1, std::wstring(L"A") + bad, BC_ONESPAN, 20.0);
        CBridge back;
        EXPECT_THROW(qeltest::LoadFrom(Kind::Binary, qeltest::SaveTo(Kind::Binary, "item", b), "item", back),
                     boost::archive::archive_exception);
    }
}

TEST(StoredTypes, ALoadEffectTypeOutsideItsListIsRefused)
{
    const double xLoadModel = 3.25; // the type follows this number in both formats
    const PointLoadEffect shear(1.0, 2.0, xLoadModel, LET_SHEAR, nullptr);
    for (const Kind kind : {Kind::Binary, Kind::Xml}) {
        const std::string saved = qeltest::SaveTo(kind, "item", shear);
        for (const std::int32_t t : {2, 3, 5, -1}) {
            std::string crafted = saved;
            if (kind == Kind::Xml) {
                crafted = Replace(saved, "<type>1</type>", "<type>" + std::to_string(t) + "</type>");
            } else {
                char bytes[sizeof xLoadModel];
                std::memcpy(bytes, &xLoadModel, sizeof bytes);
                const std::size_t at = saved.find(std::string(bytes, sizeof bytes));
                ASSERT_NE(at, std::string::npos);
                std::memcpy(crafted.data() + at + sizeof bytes, &t, sizeof t);
            }
            PointLoadEffect back;
            EXPECT_THROW(qeltest::LoadFrom(kind, crafted, "item", back), boost::archive::archive_exception) << t;
        }
        EXPECT_EQ(qeltest::RoundTrip(kind, shear).type, LET_SHEAR);
    }
}

}
