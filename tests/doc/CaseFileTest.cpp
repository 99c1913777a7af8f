#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CaseFileTestUtil.h"
#include "DocTestUtil.h"
#include "app/doc/CaseFile.h"
#include "common/FileNames.h"
#include "common/TestEnv.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/CLocale.h"

using namespace qeltest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

namespace fs = std::filesystem;

class CaseFileTest : public DocTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        SetBinary(GetParam());
        m_Dir = MakeTestDir("case");
    }
    void TearDown() override
    {
        RemoveTestDir(m_Dir);
        DocTest::TearDown();
    }
    static void SetBinary(bool b)
    {
        g_pSettings->Edit([b](CSettings& s) { s.General.USEBINARYFILEFORMAT = b; });
    }

    // Two bridges, one bridge set, three load models of which the second sits in the
    // list and in two ensembles, one model held only by an ensemble, and a reference
    // collection over the set and the first ensemble.
    void Fill(CQELDoc& doc)
    {
        doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"Single 20 m", BC_ONESPAN, 20.0));
        doc.m_vBridge.push_back(std::make_shared<CBridge>(2, L"Three 40 m", BC_THREESPAN, 40.0));
        doc.m_vBridgeSet.push_back(std::make_shared<CBridgeSet>(1, L"Set", BC_TWOSPAN, 10.0, 30.0, 10.0));
        for (int i = 1; i <= 3; ++i) {
            auto lm = std::make_shared<CLoadModel>(i, L"Truck " + std::to_wstring(i));
            lm->AddPointLoad(50.0 * i, 0.0, 0.0);
            lm->AddPointLoad(60.0, 3.5, 0.0);
            doc.m_vLoadModel.push_back(lm);
        }
        auto onlyInEnsemble = std::make_shared<CLoadModel>(9, L"Lane only");
        onlyInEnsemble->AddUDL(9.0);
        auto e1 = std::make_shared<CLoadModelEnsemble>(1, L"E1");
        e1->AddLoadModel(doc.m_vLoadModel[1]);
        e1->AddLoadModel(onlyInEnsemble);
        auto e2 = std::make_shared<CLoadModelEnsemble>(2, L"E2");
        e2->AddLoadModel(doc.m_vLoadModel[1]);
        doc.m_vLoadModelEnsemble = {e1, e2};
        auto rc =
            std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10});
        rc->m_vBS.push_back(doc.m_vBridgeSet[0]);
        rc->m_vLME.push_back(e1);
        doc.m_vRefCollection.push_back(rc);
        doc.m_sCaseRef = L"Bridge 7 \u00e9t\u00e9";
        doc.m_sCaseNotes = L"first line\r\nsecond line";
    }

    // What the user sees of the case, for comparing a case before and after.
    static std::wstring Describe(const CQELDoc& doc)
    {
        std::wstring s = doc.m_sCaseRef + L"|" + doc.m_sCaseNotes + L"|";
        for (const auto& p : doc.m_vBridge)
            s += p->m_Description + L";";
        for (const auto& p : doc.m_vBridgeSet)
            s += p->m_Description + L";";
        for (const auto& p : doc.m_vLoadModel)
            s += p->m_Description + L";";
        for (const auto& p : doc.m_vLoadModelEnsemble)
            s += p->m_Description + L"(" + std::to_wstring(p->m_nLoadModels) + L");";
        for (const auto& p : doc.m_vRefCollection)
            s += p->m_Description + L";";
        return s;
    }

    fs::path m_Dir;
};

// Names in any script, with blanks and quotes, in the folder and in the file: the case is
// written there, named so in the log, and read back.
TEST_P(CaseFileTest, FolderAndFileNamesInAnyScriptSaveAndOpen)
{
    for (const FileNameCase& c : kFileNameCases) {
        SCOPED_TRACE(c.label);
        const std::wstring folder = W(m_Dir) + L"/" + c.folder;
        fs::create_directories(WideToUtf8(folder));
        const std::wstring path = folder + L"/" + c.stem + L".qel";
        m_Windows.m_vLog.clear();
        {
            CQELDoc doc;
            Fill(doc);
            doc.m_sCaseRef = c.stem;
            ASSERT_TRUE(doc.OnSaveDocument(path));
        }
        EXPECT_TRUE(fs::is_regular_file(WideToUtf8(path)));
        CQELDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(m_Windows.m_vErrors.empty());
        EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Saving: " + path, L"Opening: " + path));
        EXPECT_EQ(doc.GetPathName(), path);
        EXPECT_EQ(doc.m_sCaseRef, c.stem);
    }
}

TEST_P(CaseFileTest, RoundTripKeepsTheCaseAndItsSharing)
{
    const fs::path path = m_Dir / "case.qel";
    {
        CQELDoc doc;
        Fill(doc);
        doc.SetModifiedFlag();
        ASSERT_TRUE(doc.OnSaveDocument(W(path)));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), W(path));
        EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL], 3);
    }
    m_Windows.m_vLog.clear();
    m_Windows.m_vStatus.clear();

    CQELDoc doc;
    doc.m_nWindowCount = 4; // left from before: the open resets it
    ASSERT_TRUE(doc.OnOpenDocument(W(path)));
    EXPECT_TRUE(m_Windows.m_vErrors.empty());
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Opening: " + W(path)));
    EXPECT_THAT(m_Windows.m_vStatus, ElementsAre(L"Opening...", L"Ready"));
    EXPECT_EQ(m_Windows.m_Tree.Count("Populate"), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), W(path));
    EXPECT_EQ(doc.m_nWindowCount, 0);

    CQELDoc expected;
    Fill(expected);
    EXPECT_EQ(Describe(doc), Describe(expected));
    EXPECT_EQ(doc.m_vBridge[1]->m_Config, BC_THREESPAN);
    EXPECT_THAT(doc.m_vBridge[1]->m_vSpans, ElementsAre(30.0, 40.0, 30.0));
    EXPECT_EQ(doc.m_vLoadModel[2]->m_vPL[0].magnitude, 150.0);
    EXPECT_EQ(doc.m_vBridgeSet[0]->m_nBridge, 3); // 10, 20, 30 m

    // One object again for every holder.
    const auto& e1 = doc.m_vLoadModelEnsemble[0];
    const auto& e2 = doc.m_vLoadModelEnsemble[1];
    EXPECT_EQ(e1->GetLoadModel(0), doc.m_vLoadModel[1]);
    EXPECT_EQ(e2->GetLoadModel(0), doc.m_vLoadModel[1]);
    EXPECT_EQ(e1->GetLoadModel(1)->m_Description, L"Lane only");
    EXPECT_EQ(doc.m_vRefCollection[0]->m_vBS[0], doc.m_vBridgeSet[0]);
    EXPECT_EQ(doc.m_vRefCollection[0]->m_vLME[0], e1);

    // Counters are the list sizes: 2 bridges, 1 set, 3 load models, 2 ensembles, 1 collection.
    EXPECT_THAT(doc.m_nNextID, ElementsAre(1, 2, 3, 2, 1));

    // Editing the shared model through the pane changes what both ensembles show.
    m_Dialogs.loadModel = [](ScriptedPropSheetLM& s) {
        s.m_pLoadModel->m_Description = L"Edited";
        return DLG_IDOK;
    };
    doc.EditLoadModel(false, e2->GetLoadModel(0));
    EXPECT_EQ(e1->GetLoadModel(0)->m_Description, L"Edited");
    EXPECT_EQ(doc.m_vLoadModel[1]->m_Description, L"Edited");
}

TEST_P(CaseFileTest, EmptyCaseRoundTrip)
{
    const fs::path path = m_Dir / "empty.qel";
    CQELDoc saved;
    ASSERT_TRUE(saved.OnSaveDocument(W(path)));
    CQELDoc doc;
    doc.m_sCaseRef = L"not from the file";
    ASSERT_TRUE(doc.OnOpenDocument(W(path)));
    EXPECT_THAT(doc.m_nNextID, ElementsAre(0, 0, 0, 0, 0));
    EXPECT_TRUE(doc.m_sCaseRef.empty());
    EXPECT_TRUE(doc.m_sCaseNotes.empty());
    EXPECT_TRUE(doc.m_vBridge.empty() && doc.m_vLoadModel.empty() && doc.m_vRefCollection.empty());
}

TEST_P(CaseFileTest, SavingLogsTheNameWrittenAndCountersFollowTheLists)
{
    CQELDoc doc;
    m_Dialogs.bridge = [](ScriptedBridgeDlg&) { return DLG_IDOK; };
    for (int i = 0; i < 3; ++i)
        doc.OnAddBridge();
    doc.DeleteElement(doc.m_vBridge[0]);
    doc.OnAddBridge(); // id 4: the counter was still 3
    EXPECT_EQ(doc.m_vBridge.back()->m_ID, 4);

    const fs::path first = m_Dir / "first.qel";
    const fs::path second = m_Dir / "second.qel";
    ASSERT_TRUE(doc.OnSaveDocument(W(first)));
    ASSERT_TRUE(doc.OnSaveDocument(W(second)));
    EXPECT_THAT(m_Windows.m_vLog,
                ElementsAre(L"Called delete on: 20 m single span", L"Saving: " + W(first), L"Saving: " + W(second)));
    EXPECT_THAT(m_Windows.m_vStatus, ElementsAre(L"Saving...", L"Ready", L"Saving...", L"Ready"));
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGE], 3);

    CQELDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(W(second)));
    EXPECT_EQ(reopened.m_nNextID[CQELDoc::NEXTID_BRIDGE], 3);
    EXPECT_EQ(reopened.m_vBridge.back()->m_ID, 4);
}

TEST_P(CaseFileTest, ItemsInTheirOrderAndASharedModelStoredOnce)
{
    const fs::path path = m_Dir / "case.qel";
    CQELDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(W(path)));
    const std::string bytes = ReadBytes(path);
    if (GetParam()) {
        EXPECT_THAT(bytes.substr(0, 40), HasSubstr("serialization::archive"));
        return;
    }
    EXPECT_THAT(bytes, StartsWith("<?xml"));
    EXPECT_THAT(bytes, HasSubstr("<!DOCTYPE boost_serialization>"));
    EXPECT_THAT(bytes, HasSubstr("<QELConfig class_id=\"0\" tracking_level=\"0\" version=\"0\">"));
    size_t at = 0;
    for (const char* item : {"m_vBridge", "m_vBridgeSet", "m_vLoadModel", "m_vLoadModelEnsemble", "m_vRefCollection",
                             "m_sCaseRef", "m_sCaseNotes"}) {
        // The first tag of the item, with or without attributes.
        const std::string tag = std::string("\n\t<") + item;
        size_t next = bytes.find(tag, at);
        while (next != std::string::npos && bytes[next + tag.size()] != ' ' && bytes[next + tag.size()] != '>')
            next = bytes.find(tag, next + 1);
        ASSERT_NE(next, std::string::npos) << item;
        at = next;
    }
    // The model shared by the list and two ensembles, and the set and ensemble shared by
    // the collection, are written in full once.
    auto count = [&](const std::string& s) {
        size_t n = 0;
        for (size_t p = bytes.find(s); p != std::string::npos; p = bytes.find(s, p + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("Truck 2"), 1u);
    EXPECT_EQ(count(">Set<"), 1u);
    EXPECT_EQ(count(">E1<"), 1u);
}

// The setting chooses how a case is saved; an open tells the kind from the file.
TEST_P(CaseFileTest, ACaseOfEitherKindOpensWhateverTheSetting)
{
    const fs::path path = m_Dir / "other.qel";
    {
        CQELDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.OnSaveDocument(W(path)));
    }
    SetBinary(!GetParam());

    CQELDoc doc;
    std::wstring sError = L"left from before";
    ASSERT_TRUE(doc.OnOpenDocument(W(path), sError));
    EXPECT_EQ(sError, L"");
    CQELDoc expected;
    Fill(expected);
    EXPECT_EQ(Describe(doc), Describe(expected));
    EXPECT_EQ(doc.m_vLoadModelEnsemble[1]->GetLoadModel(0), doc.m_vLoadModel[1]);
}

TEST_P(CaseFileTest, ATruncatedFileGivesTheArchiveErrorAndChangesNothing)
{
    const fs::path good = m_Dir / "good.qel";
    {
        CQELDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.OnSaveDocument(W(good)));
    }
    const std::string bytes = ReadBytes(good);
    const fs::path cut = m_Dir / "cut.qel";
    // Cut everywhere in the first bytes (the header), then at steps through the body.
    std::vector<size_t> lengths;
    for (size_t n = 0; n < 64 && n < bytes.size(); ++n)
        lengths.push_back(n);
    for (size_t n = 64; n < bytes.size(); n += 1 + bytes.size() / 200)
        lengths.push_back(n);
    // The last byte of the file (XML may end in a newline, which counts for nothing).
    lengths.push_back(GetParam() ? bytes.size() - 1 : bytes.rfind('>'));
    // A binary case cut inside its trailer holds the whole archive and then bytes that
    // are no complete trailer: damage. Cut right before it, it is a plain archive.
    const size_t archiveEnd = bytes.size() - CaseTrailerSize;
    if (GetParam())
        std::erase(lengths, archiveEnd);

    CQELDoc doc;
    doc.m_sCaseRef = L"open case";
    doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"Mine", BC_ONESPAN, 10.0));
    for (size_t n : lengths) {
        SCOPED_TRACE(n);
        WriteBytes(cut, bytes.substr(0, n));
        m_Windows.m_vErrors.clear();
        ASSERT_FALSE(doc.OnOpenDocument(W(cut)));
        ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
        if (GetParam() && n > archiveEnd) {
            EXPECT_EQ(m_Windows.m_vErrors[0], L"Problem loading file; file is not opened.\n"
                                              L"The file is damaged: data follows the end of the case.");
        } else {
            // Cut short before its check trailer, a binary file is damaged as much as an XML one.
            EXPECT_THAT(m_Windows.m_vErrors[0],
                        StartsWith(L"Problem loading file; file is not opened.\nThe file is damaged or was not "
                                   L"written by QEL: "));
            EXPECT_THAT(m_Windows.m_vErrors[0], HasSubstr(L"\nBoost reports: "));
        }
        ASSERT_EQ(doc.m_vBridge.size(), 1u);
        EXPECT_EQ(doc.m_vBridge[0]->m_Description, L"Mine");
        EXPECT_EQ(doc.m_sCaseRef, L"open case");
        EXPECT_TRUE(doc.m_vLoadModel.empty());
    }
}

TEST_P(CaseFileTest, GarbageAndAMissingFileAreReported)
{
    const fs::path junk = m_Dir / "junk.qel";
    WriteBytes(junk, std::string("This is not a case file at all.\n") + std::string(200, '\x7f'));
    CQELDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(W(junk)));
    ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
    EXPECT_THAT(m_Windows.m_vErrors[0], StartsWith(L"Problem loading file; file is not opened.\nThe file is damaged "
                                                   L"or was not written by QEL: "));

    EXPECT_FALSE(doc.OnOpenDocument(W(m_Dir / "missing.qel")));
    ASSERT_EQ(m_Windows.m_vErrors.size(), 2u);
    EXPECT_THAT(m_Windows.m_vErrors[1], StartsWith(L"Problem loading file; file is not opened.\n"));
}

TEST_P(CaseFileTest, SomethingOtherThanAFileIsRefusedWithoutWaiting)
{
    // A pipe would block the open until someone writes into it; a folder is no case.
    const fs::path pipe = m_Dir / "pipe.qel";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path folder = m_Dir / "folder.qel";
    fs::create_directories(folder);
    CQELDoc doc;
    doc.m_sCaseRef = L"open case";
    for (const fs::path& p : {pipe, folder}) {
        SCOPED_TRACE(p.string());
        m_Windows.m_vErrors.clear();
        EXPECT_FALSE(doc.OnOpenDocument(W(p)));
        ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
        EXPECT_EQ(m_Windows.m_vErrors[0],
                  L"Problem loading file; file is not opened.\nCannot open the file: not a file");
        EXPECT_EQ(doc.m_sCaseRef, L"open case");
    }
}

// Writes past this many bytes fail, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_OldSignal = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_Old);
        rlimit lim = m_Old;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_Old);
        ::signal(SIGXFSZ, m_OldSignal);
    }

private:
    rlimit m_Old{};
    sighandler_t m_OldSignal;
};

TEST_P(CaseFileTest, AFailedSaveLeavesTheOldFileWhole)
{
    const fs::path path = m_Dir / "case.qel";
    CQELDoc doc;
    doc.m_sCaseRef = L"small";
    ASSERT_TRUE(doc.OnSaveDocument(W(path)));
    const std::string before = ReadBytes(path);

    // The case grows far past the limit, the old file stays below it.
    Fill(doc);
    for (int i = 0; i < 200; ++i)
        doc.m_vLoadModel.push_back(std::make_shared<CLoadModel>(10 + i, L"Another load model " + std::to_wstring(i)));
    doc.SetModifiedFlag();
    m_Windows.m_vLog.clear();
    bool saved = true;
    {
        FileSizeLimit limit(before.size() + 512);
        saved = doc.OnSaveDocument(W(m_Dir / "case.qel"));
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
    EXPECT_THAT(m_Windows.m_vErrors[0], StartsWith(L"Problem saving file: file is not saved.\n"));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), W(path));
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL], 0); // set only by a complete save
    // No half-written file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()), 1);

    // The old file still opens as the case it was.
    CQELDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(W(path)));
    EXPECT_EQ(reopened.m_sCaseRef, L"small");
}

TEST_P(CaseFileTest, SavingIntoAMissingFolderFailsCleanly)
{
    CQELDoc doc;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(W(m_Dir / "no such folder" / "case.qel")));
    ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
    EXPECT_THAT(m_Windows.m_vErrors[0], StartsWith(L"Problem saving file: file is not saved.\n"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().empty());
}

TEST_P(CaseFileTest, SavingOverAnOlderCaseReplacesItAndKeepsItsAccess)
{
    const fs::path path = m_Dir / "case.qel";
    WriteBytes(path, "older");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CQELDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(W(path)));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CQELDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(W(path)));
    EXPECT_EQ(reopened.m_vLoadModel.size(), 3u);
}

TEST_P(CaseFileTest, AHoleInAListOfTheFileIsRefused)
{
    // Only a crafted file has one: the document never holds an empty element.
    CaseContents crafted;
    crafted.m_vBridge.push_back(std::make_shared<CBridge>(1, L"B", BC_ONESPAN, 20.0));
    crafted.m_vLoadModel.push_back(nullptr);
    const fs::path path = m_Dir / "crafted.qel";
    {
        std::ofstream os(path, std::ios::binary);
        WriteCaseArchive(os, crafted, GetParam());
    }
    CQELDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(W(path)));
    ASSERT_EQ(m_Windows.m_vErrors.size(), 1u);
    EXPECT_EQ(m_Windows.m_vErrors[0],
              L"Problem loading file; file is not opened.\nThe file is damaged or was not "
              L"written by QEL: its contents are not in the form QEL writes.\nBoost reports: empty "
              L"element in case\nPossibly: (no local interpretation)");
    EXPECT_TRUE(doc.m_vBridge.empty());
}

TEST_P(CaseFileTest, AnElementThatCannotBeWrittenLeavesTheOldFile)
{
    const fs::path path = m_Dir / "case.qel";
    CQELDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(W(path)));
    const std::string before = ReadBytes(path);
    doc.m_vBridge[0]->m_Config = static_cast<BridgeConfig>(7);
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(W(path)));
    EXPECT_THAT(m_Windows.m_vErrors,
                ElementsAre(L"Problem saving file: file is not saved.\nBridge 1 \"Single 20 m\": the span arrangement "
                            L"is 7, which is no known choice"));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(doc.IsModified());
}

TEST_P(CaseFileTest, SavingThroughALinkReplacesTheFileItNames)
{
    const fs::path target = m_Dir / "real.qel";
    const fs::path link = m_Dir / "link.qel";
    WriteBytes(target, "older");
    fs::create_symlink(target, link);
    CQELDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(W(link)));
    EXPECT_TRUE(fs::is_symlink(link));
    CQELDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(W(target)));
    EXPECT_EQ(reopened.m_vLoadModel.size(), 3u);
}

TEST_P(CaseFileTest, ALongNonAsciiNameTheFolderAllowsCanBeSaved)
{
    // 82 characters of three bytes each and the extension: 250 bytes, within the 255 a
    // name may have here.
    std::wstring name(82, L'\u6865');
    name += L".qel";
    const std::wstring path = W(m_Dir) + L"/" + name;
    CQELDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(path)) << (m_Windows.m_vErrors.empty() ? "" : WideToUtf8(m_Windows.m_vErrors[0]));
    CQELDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(reopened.m_sCaseRef, doc.m_sCaseRef);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaseFileTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Binary" : "Xml"; });

}
