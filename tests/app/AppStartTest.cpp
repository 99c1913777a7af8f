#include <QAction>
#include <QDockWidget>
#include <QMdiArea>
#include <QPalette>
#include <QPrinter>
#include <QToolBar>
#include <fstream>

#include "AppTestUtil.h"
#include "common/TestEnv.h"
#include "app/AppLook.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/OutputWnd.h"
#include "app/doc/QELDoc.h"
#include "core/bridge/Bridge.h"
#include "platform/print/AppPrinter.h"

using namespace qeltest;

namespace {

void WriteSettingsFileWithPoints(int nPoints)
{
    const int keep = g_pSettings->Analysis.NPOINTS_ALONG_BEAM;
    g_pSettings->Analysis.NPOINTS_ALONG_BEAM = nPoints;
    std::wstring msg;
    std::filesystem::create_directories(SettingsFile().parent_path());
    ASSERT_TRUE(CSettings::Save(SettingsFile().wstring(), msg));
    g_pSettings->Analysis.NPOINTS_ALONG_BEAM = keep;
}

}

using AppStart = AppFixture;

TEST_F(AppStart, FirstStartUsesDefaultsWithoutReadingTheFileAndTheSecondStartReadsWhatTheFirstWrote)
{
    // A settings file from elsewhere, but this profile has never started QEL.
    WriteSettingsFileWithPoints(500);
    g_pSettings->Analysis.NPOINTS_ALONG_BEAM = 777;

    Start();
    EXPECT_EQ(app->m_nUseCount, 1);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100) << "defaults applied, file not read";
    EXPECT_EQ(app->m_sSettingsPath, (SettingsFile()).wstring());
    g_pSettings->Analysis.NPOINTS_ALONG_BEAM = 250; // as the settings pane would
    Quit();
    EXPECT_EQ(CProfile::GetInt(L"Uses", L"Number", 0), 1);

    g_pSettings->SetDefaults();
    Start();
    EXPECT_EQ(app->m_nUseCount, 2);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 250);
    EXPECT_TRUE(boxes.empty());
    Quit();
    EXPECT_EQ(CProfile::GetInt(L"Uses", L"Number", 0), 2);
}

TEST_F(AppStart, ExitCreatesTheSettingsFolderOnANewMachine)
{
    ASSERT_FALSE(std::filesystem::exists(SettingsFile().parent_path()));
    Start();
    Quit();
    EXPECT_TRUE(std::filesystem::is_regular_file(SettingsFile()));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AppStart, ASettingsFolderThatCannotBeMadeIsReportedInTheStatusLogAndTheProgramGoesOn)
{
    // A plain file where the folder should be.
    {
        std::ofstream(ConfigDir() / "QEL") << "not a folder";
    }
    Start();
    app->ExitInstance();
    const auto* list = Frame().GetOutputWnd()->GetList();
    EXPECT_NE(list->item(list->count() - 1)->text().indexOf(QStringLiteral("Cannot create the settings folder")), -1);
    ASSERT_EQ(boxes.size(), 1u); // the settings file's own save message
    EXPECT_EQ(boxes[0].text.rfind(L"Problem saving file.", 0), 0u);
    app.reset();
    std::filesystem::remove(ConfigDir() / "QEL");
}

TEST_F(AppStart, AnUnreadableSettingsFileOnALaterStartGivesItsMessageAndDefaults)
{
    CProfile::WriteInt(L"Uses", L"Number", 3);
    std::filesystem::create_directories(SettingsFile().parent_path());
    {
        std::ofstream(SettingsFile()) << "";
    }
    g_pSettings->Analysis.NPOINTS_ALONG_BEAM = 777;
    Start();
    EXPECT_EQ(app->m_nUseCount, 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(L"Problem loading Program Settings file.", 0), 0u);
    EXPECT_EQ(boxes[0].caption, L"QEL");
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
}

TEST_F(AppStart, TheWindowHasItsTitleMenusToolbarsStatusBarAndPanes)
{
    Start();
    CMainFrame& f = Frame();
    EXPECT_EQ(ShownTitle(&f), QStringLiteral("QEL_config1 - Pellomar QEL"));
    EXPECT_EQ(f.GetStatusText(), L"Ready");
    ASSERT_NE(f.GetToolBar("Standard"), nullptr);
    ASSERT_NE(f.GetToolBar("Insert"), nullptr);
    EXPECT_EQ(f.GetToolBar("Standard")->windowTitle(), QStringLiteral("Standard"));

    struct Pane {
        int nID;
        const char* title;
        bool bAtStart;
    };
    for (const Pane& p : {Pane{133, "Analysis Elements", true}, Pane{149, "Diagnostics", true},
                          Pane{160, "Settings", false}, Pane{196, "PDF Help", false}}) {
        SCOPED_TRACE(p.title);
        EXPECT_EQ(f.GetPane(p.nID) != nullptr, p.bAtStart);
        f.ShowPane(p.nID);
        ASSERT_NE(f.GetPane(p.nID), nullptr);
        EXPECT_EQ(f.GetPane(p.nID)->windowTitle(), QString::fromLatin1(p.title));
        EXPECT_NE(f.GetPaneContent(p.nID), nullptr);
    }
    EXPECT_EQ(f.dockWidgetArea(f.GetPane(133)), Qt::LeftDockWidgetArea);
    EXPECT_EQ(f.dockWidgetArea(f.GetPane(149)), Qt::BottomDockWidgetArea);

    // The case window holds the case.
    ASSERT_NE(f.GetActiveChild(), nullptr);
    EXPECT_TRUE(f.GetActiveChild()->IsCaseWindow());
    EXPECT_EQ(f.GetActiveDoc(), app->GetDocument());

    const std::pair<int, const char*> shortcuts[] = {
        {ID_FILE_NEW, "Ctrl+N"},          {ID_FILE_OPEN, "Ctrl+O"},     {ID_ADD_BRIDGE, "Ctrl+B"},
        {ID_ADD_BRIDGESET, "Ctrl+T"},     {ID_ADD_LOADMODEL, "Ctrl+L"}, {ID_ADD_LOADMODELENSEMBLE, "Ctrl+E"},
        {ID_ADD_REFCOLLECTION, "Ctrl+R"},
    };
    for (const auto& [id, keys] : shortcuts)
        EXPECT_EQ(f.GetCommandAction(id)->shortcut(), QKeySequence(QString::fromLatin1(keys))) << id;
    SaveScreenshot(&f, "main-window.png");
}

TEST_F(AppStart, ALookPickedIsStoredAndAppliedAtTheNextStart)
{
    Start();
    EXPECT_EQ(app->m_nAppLook, 210);
    ASSERT_TRUE(Frame().ExecuteCommand(ID_VIEW_APPLOOK_OFF_2007_SILVER));
    EXPECT_EQ(CProfile::GetInt(L"Workspace", L"ApplicationLook", 0), 217);
    Quit();

    ApplyAppLook(kDefaultAppLook);
    Start();
    EXPECT_EQ(app->m_nAppLook, 217);
    Frame().UpdateCommandUI();
    EXPECT_TRUE(Frame().GetCommandAction(217)->isChecked());
    EXPECT_FALSE(Frame().GetCommandAction(210)->isChecked());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0xE4, 0xE7, 0xEC)); // the silver tone
    SaveScreenshot(&Frame(), "main-window-silver.png");
    Frame().ExecuteCommand(ID_VIEW_APPLOOK_OFF_2007_BLACK);
    ProcessEvents();
    SaveScreenshot(&Frame(), "main-window-black.png");
    Frame().ExecuteCommand(ID_VIEW_APPLOOK_VS_2008);
}

TEST_F(AppStart, TheCommandLineOpensTheCaseItNames)
{
    const std::wstring path = (TempRoot() / "bridge.qel").wstring();
    {
        CQELDoc doc;
        doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"20 m single span", BC_ONESPAN, 20.0));
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }
    Start({QString::fromStdWString(path)});
    ASSERT_NE(app->GetDocument(), nullptr);
    EXPECT_EQ(app->GetDocument()->m_vBridge.size(), 1u);
    EXPECT_EQ(ShownTitle(&Frame()), QStringLiteral("bridge.qel - Pellomar QEL"));
    EXPECT_EQ(app->GetRecentFileList().GetFiles().front(), path);
    Quit();

    // A name relative to the folder the program was started in keeps its full path.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(TempRoot().string()));
    Start({QStringLiteral("bridge.qel")});
    QDir::setCurrent(before);
    ASSERT_NE(app->GetDocument(), nullptr);
    EXPECT_EQ(app->GetDocument()->GetPathName(), path);
}

TEST_F(AppStart, ACommandLineCaseThatCannotBeReadEndsTheStartAfterItsMessage)
{
    const std::filesystem::path path = TempRoot() / "damaged.qel";
    {
        std::ofstream(path) << "not a case";
    }
    app = std::make_unique<CQELApp>();
    EXPECT_FALSE(app->InitInstance({QString::fromStdString(path.string())}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(L"Problem loading file; file is not opened.", 0), 0u);
    EXPECT_EQ(app->GetDocument(), nullptr);
    app->ExitInstance();
    app.reset();
}

TEST_F(AppStart, PrintingStartsInLandscape)
{
    Start();
    ASSERT_NE(GetAppPrinter(), nullptr);
    EXPECT_EQ(GetAppPrinter()->pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(AppStart, ADamagedFileOpenedOverAChangedCaseLeavesThatCaseOpenAndChanged)
{
    const std::filesystem::path damaged = TempRoot() / "damaged.qel";
    {
        std::ofstream(damaged) << "not a case";
    }
    Start();
    CQELDoc* before = app->GetDocument();
    ASSERT_NE(before, nullptr);
    before->m_vBridge.push_back(std::make_shared<CBridge>(1, L"20 m single span", BC_ONESPAN, 20.0));
    before->SetModifiedFlag();
    const QString title = ShownTitle(&Frame());

    answers = {IDNO}; // "Save changes?"
    fileAnswer = damaged.wstring();
    app->OnFileOpen();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.rfind(L"Save changes to ", 0), 0u);
    EXPECT_EQ(boxes[1].text.rfind(L"Problem loading file; file is not opened.", 0), 0u);
    ASSERT_EQ(app->GetDocument(), before);
    EXPECT_TRUE(before->IsModified());
    EXPECT_EQ(before->m_vBridge.size(), 1u);
    EXPECT_EQ(ShownTitle(&Frame()), title);
    EXPECT_EQ(Frame().GetChildFrames(before).size(), 1u) << "the case window stays";
}
