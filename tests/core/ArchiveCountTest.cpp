#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "ArchiveTestUtil.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

using qeltest::Kind;

// Every list in an archive starts with its element count, read before anything else.
// A damaged or crafted file may state any count: it must be refused as an archive error
// before the list is allocated (here 10^11 entries, terabytes), not end in an
// allocation failure or an exhausted machine.
const std::string kHuge = "100000000000";

std::string WithCount(const std::string& xml, const std::string& list, const std::string& count)
{
    const size_t item = xml.find("<" + list);
    EXPECT_NE(item, std::string::npos) << list;
    const size_t at = xml.find("<count>", item);
    const size_t end = xml.find("</count>", at);
    EXPECT_NE(end, std::string::npos) << list;
    std::string out = xml;
    out.replace(at + 7, end - at - 7, count);
    return out;
}

const std::wstring kMarker = L"MARKER";

// The binary archive of a bridge described kMarker; at: where the description's
// characters begin in it (npos if they are not found).
std::string MarkedBridge(size_t& at)
{
    const std::string data = qeltest::SaveTo(Kind::Binary, "item", CBridge(1, kMarker, BC_ONESPAN, 10));
    const std::string raw(reinterpret_cast<const char*>(kMarker.data()), kMarker.size() * sizeof(wchar_t));
    at = data.find(raw);
    return data;
}

template <class T>
void ExpectArchiveError(Kind kind, const std::string& data, const char* what)
{
    T back;
    EXPECT_THROW(qeltest::LoadFrom(kind, data, "item", back), boost::archive::archive_exception) << what;
}

TEST(ArchiveCounts, HugeListCountsInXmlAreArchiveErrors)
{
    CLoadModel lm(1, L"LM");
    lm.AddUDL(1.0);
    lm.AddPointLoad(10, 0, 2);
    lm.AddPartialUDL(1.0, -2, 2);
    const std::string xml = qeltest::SaveTo(Kind::Xml, "item", lm);
    for (const char* list : {"m_vUDL", "m_vPL", "m_vPUDL"})
        ExpectArchiveError<CLoadModel>(Kind::Xml, WithCount(xml, list, kHuge), list);

    CLoadModelEnsemble lme(1, L"E");
    lme.AddLoadModel(std::make_shared<CLoadModel>(lm));
    ExpectArchiveError<CLoadModelEnsemble>(
        Kind::Xml, WithCount(qeltest::SaveTo(Kind::Xml, "item", lme), "m_vLoadModel", kHuge), "m_vLoadModel");

    CBridge custom(1, L"B", BC_CUSTOM, 10);
    custom.m_vSpans = {10.0, 12.0};
    ExpectArchiveError<CBridge>(Kind::Xml, WithCount(qeltest::SaveTo(Kind::Xml, "item", custom), "m_vSpans", kHuge),
                                "m_vSpans");
}

TEST(ArchiveCounts, HugeCountOfAListOfNumbersInABinaryArchiveIsAnArchiveError)
{
    // A binary archive stores a list of numbers as its count and then the raw values.
    CBridge custom(1, L"B", BC_CUSTOM, 10);
    const double marker = 123.45678;
    custom.m_vSpans = {marker};
    std::string data = qeltest::SaveTo(Kind::Binary, "item", custom);
    char bytes[sizeof marker];
    std::memcpy(bytes, &marker, sizeof marker);
    const size_t at = data.find(std::string(bytes, sizeof bytes));
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(at, sizeof(std::uint64_t));
    std::uint64_t count = 0;
    std::memcpy(&count, data.data() + at - sizeof count, sizeof count);
    ASSERT_EQ(count, 1u);
    count = 100000000000ull;
    std::memcpy(data.data() + at - sizeof count, &count, sizeof count);
    ExpectArchiveError<CBridge>(Kind::Binary, data, "binary m_vSpans");
}

// A binary archive stores a flag as one byte. Any byte but 0 and 1 is no flag: read into
// a bool it is undefined behaviour; it must be an archive error instead.
TEST(ArchiveFlags, AFlagByteOtherThanZeroOrOneIsAnArchiveError)
{
    {
        size_t at = 0;
        std::string data = MarkedBridge(at);
        ASSERT_NE(at, std::string::npos);
        // After the description: m_ID (4 bytes), then m_bIsEditable.
        const size_t flag = at + kMarker.size() * sizeof(wchar_t) + sizeof(std::int32_t);
        ASSERT_EQ(data[flag], 1);
        data[flag] = 2;
        ExpectArchiveError<CBridge>(Kind::Binary, data, "m_bIsEditable");
    }
    {
        // m_bIsMoving stands just before m_PointLoadStart, m_bAppliesR just after it.
        CLoadModel lm(1, L"LM");
        lm.AddPointLoad(10, 0, 2);
        const double marker = 123.45678;
        lm.m_PointLoadStart = marker;
        const std::string data = qeltest::SaveTo(Kind::Binary, "item", lm);
        char bytes[sizeof marker];
        std::memcpy(bytes, &marker, sizeof marker);
        const size_t at = data.find(std::string(bytes, sizeof bytes));
        ASSERT_NE(at, std::string::npos);
        for (const size_t flag : {at - 1, at + sizeof marker}) {
            ASSERT_EQ(data[flag], 1) << flag - at;
            for (const char bad : {char(2), char(0xFF)}) {
                std::string crafted = data;
                crafted[flag] = bad;
                ExpectArchiveError<CLoadModel>(Kind::Binary, crafted, "load model flag");
            }
            std::string off = data;
            off[flag] = 0;
            CLoadModel back;
            qeltest::LoadFrom(Kind::Binary, off, "item", back);
            EXPECT_FALSE(flag < at ? back.m_bIsMoving : back.m_bAppliesR);
        }
    }
}

TEST(ArchiveCounts, HugeLengthOfAWideTextInABinaryArchiveIsAnArchiveError)
{
    // A binary archive stores a wide text as its length in characters and then the
    // characters.
    size_t at = 0;
    std::string data = MarkedBridge(at);
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(at, sizeof(std::uint64_t));
    std::uint64_t length = 0;
    std::memcpy(&length, data.data() + at - sizeof length, sizeof length);
    ASSERT_EQ(length, kMarker.size());
    {
        CBridge back;
        qeltest::LoadFrom(Kind::Binary, data, "item", back);
        EXPECT_EQ(back.GetDescription(), L"MARKER");
    }
    length = 100000000000ull;
    std::memcpy(data.data() + at - sizeof length, &length, sizeof length);
    ExpectArchiveError<CBridge>(Kind::Binary, data, "binary description");
}

}
