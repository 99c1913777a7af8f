#include <QListWidget>
#include <QMdiArea>
#include <gmock/gmock.h>
#include <QUrl>
#include <fstream>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/OutputWnd.h"
#include "app/doc/QELDoc.h"
#include "common/TestEnv.h"
#include "core/bridge/Bridge.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

std::wstring CasePath(const char* name)
{
    return (TempRoot() / name).wstring();
}

void AddBridge(CQELDoc& doc)
{
    doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"20 m single span", BC_ONESPAN, 20.0));
    doc.SetModifiedFlag();
}

int OpenWindows(CMainFrame& f)
{
    ProcessEvents();
    return static_cast<int>(f.GetMdiArea()->subWindowList().size());
}

}

using CaseWindows = AppFixture;

TEST_F(CaseWindows, NewWithAModifiedCaseAsksToSaveAndFollowsTheAnswer)
{
    struct Row {
        const char* name;
        bool bHasPath;
        int answer;
        std::optional<std::wstring> saveAs; // the Save As dialog's answer
        bool bSaved;
        bool bNewCase;
    };
    const Row rows[] = {
        {"Yes saves, then a new case", true, IDYES, std::nullopt, true, true},
        {"No discards, then a new case", true, IDNO, std::nullopt, false, true},
        {"Cancel keeps the case", true, IDCANCEL, std::nullopt, false, false},
        {"Yes on a case never saved asks for a name", false, IDYES, CasePath("named.qel"), true, true},
        {"Yes, then Cancel in Save As keeps the case", false, IDYES, std::nullopt, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Start();
        const std::wstring path = r.saveAs ? *r.saveAs : CasePath("question.qel");
        std::filesystem::remove(path);
        CQELDoc* doc = app->GetDocument();
        if (r.bHasPath)
            doc->SetPathName(path);
        AddBridge(*doc);
        answers = {r.answer};
        fileAnswer = r.saveAs;
        boxes.clear();

        Frame().ExecuteCommand(ID_FILE_NEW);

        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].type & 0x0F, MB_YESNOCANCEL);
        EXPECT_EQ(boxes[0].caption, L"QEL");
        EXPECT_EQ(std::filesystem::exists(path), r.bSaved);
        ASSERT_NE(app->GetDocument(), nullptr);
        EXPECT_EQ(app->GetDocument()->m_vBridge.empty(), r.bNewCase);
        EXPECT_EQ(app->GetDocument()->IsModified(), !r.bNewCase);
        EXPECT_EQ(app->GetDocumentTitle(), r.bNewCase ? L"QEL_config2" : L"QEL_config1");
        EXPECT_EQ(OpenWindows(Frame()), 1);
        if (!r.bHasPath && r.answer == IDYES) {
            ASSERT_EQ(fileRequests.size(), 1u);
            EXPECT_TRUE(fileRequests[0].bSave);
            EXPECT_EQ(fileRequests[0].sDefaultSuffix, L"qel");
            EXPECT_EQ(fileRequests[0].sFilter, L"QEL Files (*.qel)");
        }
        app->GetDocument()->SetModifiedFlag(false);
        Quit();
        fileRequests.clear();
    }
}

TEST_F(CaseWindows, CloseAllTabsClosesTheResultWindowsAndLeavesTheCaseWindow)
{
    Start();
    CMainFrame& f = Frame();
    CQELDoc* doc = app->GetDocument();
    for (int i = 1; i <= 3; ++i)
        f.AddChildFrame(doc, new QWidget, false, std::to_wstring(i) + L" - result");
    ASSERT_EQ(OpenWindows(f), 4);

    ASSERT_TRUE(f.ExecuteCommand(ID_WINDOW_CLOSE_ALL_TABS));

    ASSERT_EQ(OpenWindows(f), 1);
    auto* left = qobject_cast<CChildFrame*>(f.GetMdiArea()->subWindowList().front());
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(left->IsCaseWindow());
    EXPECT_EQ(app->GetDocument(), doc);
}

TEST_F(CaseWindows, CloseTabOnTheLastWindowClosesTheCaseAfterItsQuestion)
{
    Start();
    CMainFrame& f = Frame();
    AddBridge(*app->GetDocument());

    answers = {IDCANCEL};
    f.ExecuteCommand(ID_WINDOW_CLOSE_TAB);
    EXPECT_NE(app->GetDocument(), nullptr);
    EXPECT_EQ(OpenWindows(f), 1);

    answers = {IDNO};
    f.ExecuteCommand(ID_WINDOW_CLOSE_TAB);
    EXPECT_EQ(app->GetDocument(), nullptr);
    EXPECT_EQ(OpenWindows(f), 0);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Pellomar QEL"));
    // Without a case, its commands are off and New makes one.
    f.UpdateCommandUI();
    EXPECT_FALSE(f.GetCommandAction(ID_ADD_BRIDGE)->isEnabled());
    EXPECT_FALSE(f.GetCommandAction(ID_FILE_SAVE)->isEnabled());
    ASSERT_TRUE(f.ExecuteCommand(ID_FILE_NEW));
    EXPECT_NE(app->GetDocument(), nullptr);
    EXPECT_EQ(OpenWindows(f), 1);
}

TEST_F(CaseWindows, QuittingWithAModifiedCaseCanBeCancelled)
{
    Start();
    AddBridge(*app->GetDocument());
    answers = {IDCANCEL};
    EXPECT_FALSE(Frame().close());
    EXPECT_NE(app->GetDocument(), nullptr);
    answers = {IDNO};
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(app->GetDocument(), nullptr);
}

TEST_F(CaseWindows, ACaseFileDroppedOnTheWindowReplacesTheOpenCase)
{
    const std::wstring path = CasePath("dropped.qel");
    {
        CQELDoc doc;
        AddBridge(doc);
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }
    Start();
    const QUrl notes = QUrl::fromLocalFile(QString::fromStdWString(CasePath("notes.txt")));
    EXPECT_FALSE(Frame().OnDropFiles({notes}));
    EXPECT_TRUE(Frame().OnDropFiles({notes, QUrl::fromLocalFile(QString::fromStdWString(path))}));

    ASSERT_NE(app->GetDocument(), nullptr);
    EXPECT_EQ(app->GetDocument()->GetPathName(), path);
    EXPECT_EQ(app->GetDocument()->m_vBridge.size(), 1u);
    EXPECT_EQ(OpenWindows(Frame()), 1);
}

TEST_F(CaseWindows, SaveAsWritesTheCaseAndTheRecentListKeepsFourNewestFirst)
{
    Start();
    for (int i = 1; i <= 5; ++i) {
        fileAnswer = CasePath(("case" + std::to_string(i) + ".qel").c_str());
        ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
        EXPECT_TRUE(std::filesystem::exists(*fileAnswer));
    }
    const auto& files = app->GetRecentFileList().GetFiles();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files.front(), CasePath("case5.qel"));
    EXPECT_EQ(files.back(), CasePath("case2.qel"));
    Frame().UpdateCommandUI();
    EXPECT_EQ(Frame().GetCommandAction(ID_FILE_MRU_FILE1)->text(),
              QStringLiteral("&1 ") + QString::fromStdWString(CasePath("case5.qel")));
    Quit();

    Start();
    EXPECT_EQ(app->GetRecentFileList().GetFiles().size(), 4u);
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_MRU_FILE1 + 3));
    EXPECT_EQ(app->GetDocument()->GetPathName(), CasePath("case2.qel"));
    EXPECT_EQ(app->GetRecentFileList().GetFiles().front(), CasePath("case2.qel"));
}

TEST_F(CaseWindows, ARecentFileThatIsGoneIsReportedAndLeavesTheList)
{
    const std::wstring kept = CasePath("kept.qel");
    const std::wstring gone = CasePath("gone.qel");
    Start();
    for (const std::wstring& path : {kept, gone}) {
        fileAnswer = path;
        ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
    }
    std::filesystem::remove(gone);
    boxes.clear();
    const CQELDoc* open = app->GetDocument();

    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_MRU_FILE1)); // gone.qel, the newest

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(L"Problem loading file; file is not opened.", 0), 0u);
    EXPECT_EQ(app->GetDocument(), open); // a file that cannot be read costs the open case nothing
    ASSERT_EQ(app->GetRecentFileList().GetFiles().size(), 1u);
    EXPECT_EQ(app->GetRecentFileList().GetFiles().front(), kept);
}

namespace {

// The status-log lines that name a file being saved, without their time stamps.
std::vector<std::wstring> SavingLines(CMainFrame& f)
{
    std::vector<std::wstring> lines;
    QListWidget* list = f.GetOutputWnd()->GetList();
    for (int i = 0; i < list->count(); ++i) {
        const std::wstring line = list->item(i)->text().toStdWString();
        if (const size_t at = line.find(L"| Saving: "); at != std::wstring::npos)
            lines.push_back(line.substr(at + 2));
    }
    return lines;
}

}

TEST_F(CaseWindows, TheLogNamesTheFileBeingSavedOnFirstSaveAndSaveAs)
{
    Start();
    const std::wstring first = CasePath("case1.qel");
    const std::wstring second = CasePath("case1-xml.qel");
    // Save on a case never saved asks for a name, and logs that name.
    fileAnswer = first;
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE));
    EXPECT_THAT(SavingLines(Frame()), ElementsAre(L"Saving: " + first));
    // Save As logs the new name, not the one the case had.
    fileAnswer = second;
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE));
    // The second save of the same name is counted on its line.
    EXPECT_THAT(SavingLines(Frame()), ElementsAre(L"Saving: " + first, L"Saving: " + second + L" (x 2)"));
}

TEST_F(CaseWindows, TheTitleMarksUnsavedChangesUntilSaveOpenOrNew)
{
    Start();
    CMainFrame& f = Frame();
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("QEL_config1 - Pellomar QEL"));
    ASSERT_TRUE(f.ExecuteCommand(32898)); // insert all 50 m bridges: the case changes
    EXPECT_TRUE(app->GetDocument()->IsModified());
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("QEL_config1* - Pellomar QEL"));

    const std::wstring path = CasePath("marked.qel");
    fileAnswer = path;
    ASSERT_TRUE(f.ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("marked.qel - Pellomar QEL"));

    // A change made through the element pane marks it too, as any change does.
    app->GetDocument()->SetModifiedFlag();
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("marked.qel* - Pellomar QEL"));
    answers = {IDNO};
    ASSERT_TRUE(f.ExecuteCommand(ID_FILE_NEW));
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("QEL_config2 - Pellomar QEL"));

    AddBridge(*app->GetDocument());
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("QEL_config2* - Pellomar QEL"));
    answers = {IDNO};
    ASSERT_NE(app->OpenDocumentFile(path), nullptr);
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("marked.qel - Pellomar QEL"));
    EXPECT_FALSE(f.isWindowModified());

    // A save that fails leaves the mark: the changes are still not on disk.
    AddBridge(*app->GetDocument());
    fileAnswer = (TempRoot() / "no such folder" / "x.qel").wstring();
    boxes.clear();
    EXPECT_FALSE(app->OnFileSaveAs());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(f.isWindowModified());
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("marked.qel* - Pellomar QEL"));
    app->GetDocument()->SetModifiedFlag(false);
}
