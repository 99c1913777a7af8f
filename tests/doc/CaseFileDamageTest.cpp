// Damaged and crafted case files: each is refused with the error box and its text, and
// never crashes, exhausts memory or opens as a different case.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CaseFileTestUtil.h"
#include "DocTestUtil.h"
#include "app/doc/CaseFile.h"
#include "common/TestEnv.h"
#include "core/archive/Crc32.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/CLocale.h"

using namespace qeltest;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

namespace fs = std::filesystem;

const std::wstring kOpenError = L"Problem loading file; file is not opened.\n";

// A bridge, a load model held by the list and by an ensemble, and the case texts.
CaseContents SmallCase()
{
    CaseContents c;
    c.m_vBridge.push_back(std::make_shared<CBridge>(1, L"Bridge", BC_ONESPAN, 20.0));
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    lm->AddPointLoad(100.0, 0.0, 0.0);
    c.m_vLoadModel.push_back(lm);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Family");
    lme->AddLoadModel(lm);
    c.m_vLoadModelEnsemble.push_back(lme);
    c.m_sCaseRef = L"Ref";
    return c;
}


std::string Archive(const std::string& sealed)
{
    return sealed.substr(0, sealed.size() - CaseTrailerSize);
}

class CaseFileDamageTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        m_Dir = MakeTestDir("damage");
    }
    void TearDown() override
    {
        RemoveTestDir(m_Dir);
        DocTest::TearDown();
    }
    // Opens the bytes as a case into a document holding one bridge "Mine"; the
    // document must be untouched after a refusal. Returns the error text.
    std::wstring OpenRefused(const std::string& bytes)
    {
        const fs::path path = m_Dir / "damaged.qel";
        WriteBytes(path, bytes);
        CQELDoc doc;
        doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"Mine", BC_ONESPAN, 10.0));
        std::wstring sError;
        EXPECT_FALSE(doc.OnOpenDocument(W(path), sError));
        EXPECT_EQ(m_Windows.m_vErrors.back(), sError);
        EXPECT_EQ(doc.m_vBridge.size(), 1u);
        EXPECT_EQ(doc.m_vBridge[0]->m_Description, L"Mine");
        return sError;
    }

    fs::path m_Dir;
};

}

// CRC-32 check value of the nine digits, as the standard for this polynomial gives it.
TEST(Crc32, CheckValue)
{
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
}

TEST_F(CaseFileDamageTest, EveryChangedBitOfABinaryCaseIsRefusedAsDamage)
{
    const std::string good = MakeCaseFileData(SmallCase(), true);
    ASSERT_EQ(ReadError(good), "");
    for (size_t i = 0; i < good.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string bad = good;
            bad[i] ^= static_cast<char>(1 << bit);
            // Archive bytes, length and check: the check does not match. The word: no
            // trailer, and the case is followed by bytes.
            const std::string error = ReadError(bad);
            ASSERT_THAT(error, StartsWith("The file is damaged: ")) << "byte " << i << " bit " << bit;
        }
    }
    std::string bad = good;
    bad[good.size() / 2] ^= 0x10;
    EXPECT_EQ(OpenRefused(bad),
              kOpenError + L"The file is damaged: its contents do not match the check written with it.");
}

TEST_F(CaseFileDamageTest, ABinaryCaseWithoutTheTrailerIsAPlainArchiveAndOpens)
{
    const fs::path path = m_Dir / "plain.qel";
    WriteBytes(path, Archive(MakeCaseFileData(SmallCase(), true)));
    g_pSettings->Edit([](CSettings& s) { s.General.USEBINARYFILEFORMAT = false; });
    CQELDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(W(path)));
    ASSERT_EQ(doc.m_vLoadModelEnsemble.size(), 1u);
    EXPECT_EQ(doc.m_vLoadModelEnsemble[0]->GetLoadModel(0), doc.m_vLoadModel[0]);
    EXPECT_EQ(doc.m_sCaseRef, L"Ref");
}

// Any two bytes of the archive made into a class id the file never gave: the library
// indexed its class table with it (8 crashes out of 8 for one changed byte of a small
// case). Every position is tried, with the trailer fitted again so that the archive
// reader sees the damage.
TEST_F(CaseFileDamageTest, ANegativeOrUnknownClassIdAnywhereIsRefused)
{
    const std::string archive = Archive(MakeCaseFileData(SmallCase(), true));
    int nClassIdRefusals = 0;
    for (const std::int16_t id : {std::int16_t(-5000), std::int16_t(-2), std::int16_t(5000)}) {
        for (size_t at = 0; at + 2 <= archive.size(); ++at) {
            std::string bad = archive;
            std::memcpy(bad.data() + at, &id, 2);
            nClassIdRefusals += ReadError(SealCaseArchive(bad)) == "invalid class id";
        }
    }
    // At least the class ids of the bridge, the load model and the ensemble pointers.
    EXPECT_GE(nClassIdRefusals, 3 * 3);
}

// A class id for a class met for the first time, then the stored length of its name:
// the library allocated whatever length the file said (17.8 GB seen). At each position,
// each small class id followed by a length of 10^11.
TEST_F(CaseFileDamageTest, AClassNameLengthBeyondAnyNameIsRefusedBeforeItIsAllocated)
{
    const std::string archive = Archive(MakeCaseFileData(SmallCase(), true));
    const std::uint64_t huge = 100000000000ull;
    int nNameRefusals = 0;
    for (std::int16_t id = 0; id < 8; ++id) {
        for (size_t at = 0; at + 10 <= archive.size(); ++at) {
            std::string bad = archive;
            std::memcpy(bad.data() + at, &id, 2);
            std::memcpy(bad.data() + at + 2, &huge, 8);
            nNameRefusals += ReadError(SealCaseArchive(bad)) == "class name too long";
        }
    }
    EXPECT_GE(nNameRefusals, 1);
}

struct XmlEdit {
    const char* what;
    std::string from;
    std::string to;
    std::string error; // the archive's text in the box
};

// Hand-made XML: each edit of a small XML case is refused with the archive's text.
TEST_F(CaseFileDamageTest, CraftedXmlIsRefusedWithTheArchivesText)
{
    const std::string xml = MakeCaseFileData(SmallCase(), false);
    const XmlEdit edits[] = {
        // The library compared a closing tag past the end of the shorter expected name.
        {"closing tag longer than its name", "</m_sCaseRef>", "</m_sCaseRef_and_a_good_deal_longer_than_that>",
         "XML start/end tag mismatch - m_sCaseRef"},
        {"closing tag shorter than its name", "</m_vLoadModelEnsemble>", "</m_vLoad>",
         "XML start/end tag mismatch - m_vLoadModelEnsemble"},
        {"negative class id", "<px class_id=\"3\"", "<px class_id=\"-5000\"", "invalid class id"},
        {"class id far past the classes", "<px class_id=\"3\"", "<px class_id=\"5000\"", "invalid class id"},
        // The ensemble's load model made a reference to the bridge (object 0).
        {"reference to an object of another class", "object_id_reference=\"_1\"", "object_id_reference=\"_0\"",
         "pointer to an object of another class"},
        {"list longer than the file", "<count>1</count>", "<count>100000000000</count>", "list too long"},
    };
    for (const XmlEdit& e : edits) {
        SCOPED_TRACE(e.what);
        const size_t at = xml.find(e.from);
        ASSERT_NE(at, std::string::npos) << xml;
        std::string bad = xml;
        bad.replace(at, e.from.size(), e.to);
        const std::string error = e.error;
        const std::wstring sOpened = OpenRefused(bad);
        EXPECT_EQ(sOpened.rfind(kOpenError + L"The file is damaged or was not written by QEL: ", 0), 0u)
            << WideToUtf8(sOpened);
        // None of these texts is one the hint table knows.
        EXPECT_TRUE(
            sOpened.ends_with(L".\nBoost reports: " + Utf8ToWide(error) + L"\nPossibly: (no local interpretation)"))
            << WideToUtf8(sOpened);
    }
}

// A library text that the hint table knows brings its hint into the box.
TEST_F(CaseFileDamageTest, TheDamagedFilesMessageCarriesTheArchiveHint)
{
    std::string bad = MakeCaseFileData(SmallCase(), false);
    const size_t at = bad.find("<boost_serialization");
    ASSERT_NE(at, std::string::npos);
    bad[at + 6] = ' ';
    EXPECT_EQ(OpenRefused(bad), kOpenError + L"The file is damaged or was not written by QEL: its XML is not in the "
                                             L"form QEL writes.\nBoost reports: unrecognized XML syntax\nPossibly: "
                                             L"(name-value-pair name contains illegal chars including whitespace?)");
}

// The settings file goes through the same XML reader.
TEST_F(CaseFileDamageTest, ASettingsFileWithALongClosingTagGetsTheDefaults)
{
    const fs::path path = m_Dir / "QEL.xml";
    const int defaultWidth = g_pSettings->Plot.LINEWIDTH;
    g_pSettings->Edit([&](CSettings& s) { s.Plot.LINEWIDTH = defaultWidth + 5; });
    std::wstring sMessage;
    ASSERT_TRUE(CSettings::Save(W(path), sMessage));
    std::string xml = ReadBytes(path);
    const size_t at = xml.find("</LINEWIDTH>");
    ASSERT_NE(at, std::string::npos);
    xml.replace(at, 12, "</LINEWIDTH_and_then_some_more_letters>");
    WriteBytes(path, xml);
    EXPECT_FALSE(CSettings::Load(W(path), sMessage));
    EXPECT_EQ(sMessage, L"Problem loading Program Settings file.\nThe file is damaged or was not written by QEL: its "
                        L"XML is not in the form QEL writes.\nBoost reports: XML start/end tag mismatch - LINEWIDTH\n"
                        L"Possibly: (no local interpretation)\n"
                        L"Using default values instead.\n");
    EXPECT_EQ(g_pSettings->Plot.LINEWIDTH, defaultWidth);
}

TEST_F(CaseFileDamageTest, ASaveClearsTheTemporariesThatKilledSavesLeft)
{
    const fs::path path = m_Dir / "case.qel";
    const char* const stale[] = {".case.qel.123456.tmp", ".case.qel.7.tmp"};
    const char* const others[] = {".case.qel.backup.tmp", ".other.qel.5.tmp", "case.qel.8.tmp", ".case.qel..tmp"};
    for (const char* name : stale)
        WriteBytes(m_Dir / name, "half a case");
    for (const char* name : others)
        WriteBytes(m_Dir / name, "not ours");
    CQELDoc doc;
    std::wstring sError = L"left from before";
    ASSERT_TRUE(doc.OnSaveDocument(W(path), sError));
    EXPECT_EQ(sError, L"");
    for (const char* name : stale)
        EXPECT_FALSE(fs::exists(m_Dir / name)) << name;
    for (const char* name : others)
        EXPECT_TRUE(fs::exists(m_Dir / name)) << name;
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(CaseFileDamageTest, AFailedSaveHandsBackTheTextOfItsBox)
{
    CQELDoc doc;
    std::wstring sError;
    EXPECT_FALSE(doc.OnSaveDocument(W(m_Dir / "no such folder" / "case.qel"), sError));
    ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
    EXPECT_EQ(sError, m_Windows.m_vErrors[0]);
    EXPECT_THAT(sError, StartsWith(L"Problem saving file: file is not saved.\n"));
    EXPECT_EQ(doc.GetFileError(), sError);
}
