#include <QApplication>
#include <QDockWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QTimer>
#include <fstream>
#include <set>
#include <stdexcept>

#include "AppTestUtil.h"
#include "app/AboutDlg.h"
#include "app/AppIds.h"
#include "app/CommandTable.h"
#include "app/doc/DocDialogs.h"
#include "app/doc/DocHost.h"
#include "common/TestEnv.h"

using namespace qeltest;

namespace {

// Dialogs that fail as soon as a command asks for one.
class CFailingDialogs : public CDocDialogs {
public:
    std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() override
    {
        throw std::runtime_error("invalid vector<T> subscript");
    }
    std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() override { throw 42; }
    std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() override { return nullptr; }
    std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() override { return nullptr; }
    std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() override { return nullptr; }
    std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() override { return nullptr; }
};

}

using Commands = AppFixture;

TEST_F(Commands, AnExceptionInACommandHandlerEndsInABoxAndTheProgramGoesOn)
{
    Start();
    CFailingDialogs dialogs;
    DocHost host = GetDocHost();
    host.pDialogs = &dialogs;
    SetDocHost(host);

    EXPECT_TRUE(Frame().ExecuteCommand(ID_CASE_DATA));
    EXPECT_TRUE(Frame().ExecuteCommand(ID_ADD_BRIDGE));

    host.pDialogs = nullptr;
    SetDocHost(host);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"invalid vector<T> subscript");
    EXPECT_EQ(boxes[0].caption, L"QEL");
    EXPECT_EQ(boxes[0].type & 0xF0, MB_ICONERROR);
    EXPECT_EQ(boxes[1].text, L"Unknown error");
    // Still working.
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    EXPECT_NE(app->GetDocument(), nullptr);
}

TEST_F(Commands, PrintAllAndAManualThatCannotBeLoadedGiveTheirMessages)
{
    Start();
    g_pSettings->General.HELPFILEPATH = (TempRoot() / "no such manual.pdf").wstring();
    struct Row {
        int nID;
        const wchar_t* text;
        UINT icon;
    };
    const Row rows[] = {
        {ID_FILE_PRINT_ALL, L"This function is not yet supported", MB_ICONINFORMATION},
        {ID_PANE_PDFHELP, L"Cannot load QEL User Manual - please verify the file path.", MB_ICONWARNING},
    };
    for (const Row& r : rows) {
        boxes.clear();
        ASSERT_TRUE(Frame().ExecuteCommand(r.nID));
        ASSERT_EQ(boxes.size(), 1u) << r.nID;
        EXPECT_EQ(boxes[0].text, r.text);
        EXPECT_EQ(boxes[0].caption, L"QEL");
        EXPECT_EQ(boxes[0].type & 0xF0, r.icon);
    }
    // The pane stays open after the failed load.
    ASSERT_NE(Frame().GetPane(ID_PANE_PDFHELP), nullptr);
    EXPECT_TRUE(Frame().GetPane(ID_PANE_PDFHELP)->isVisible());

    // A manual that is there loads without a message.
    {
        QPdfWriter writer(QString::fromStdString((TempRoot() / "manual.pdf").string()));
        QPainter painter(&writer);
        painter.drawText(100, 100, QStringLiteral("QEL User Manual"));
    }
    g_pSettings->General.HELPFILEPATH = (TempRoot() / "manual.pdf").wstring();
    boxes.clear();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_PDFHELP));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Commands, EveryTableRowHasAnActionOfItsIdAndNoIdIsUsedTwice)
{
    Start();
    std::set<int> seen;
    for (const CCommand& c : GetCommandTable()) {
        if (c.nID == 0)
            continue;
        EXPECT_TRUE(seen.insert(c.nID).second) << "id used twice: " << c.nID;
        ASSERT_NE(Frame().GetCommandAction(c.nID), nullptr) << c.nID;
    }
    EXPECT_EQ(Frame().GetCommandAction(ID_WINDOW_CLOSE_ALL_TABS)->text(), QStringLiteral("Close &All Tabs"));
    EXPECT_EQ(Frame().GetCommandAction(ID_WINDOW_CLOSE_TAB)->text(), QStringLiteral("Close &Tab"));
    EXPECT_EQ(Frame().GetCommandAction(ID_FILE_PRINT_ALL)->text(), QStringLiteral("Print Al&l"));
}

TEST(AboutBox, VersionTextJoinsTheNumbersOfTheBuildVersion)
{
    const std::pair<const char*, const wchar_t*> rows[] = {
        {"1.0.0.0", L"QEL Version 1.0.0.0"},
        {"2.3", L"QEL Version 2.3"},
        {"1.2.3.4.5", L"QEL Version 1.2.3.4"},
        {"4.x", L"QEL Version 4"},
        {"", L""},
        {"release", L""},
    };
    for (const auto& [version, text] : rows)
        EXPECT_EQ(FormatProductVersion(version), text) << version;
}

TEST_F(Commands, TheAboutBoxShowsTheDescriptionAndTheVersion)
{
    Start();
    CAboutDlg* shown = nullptr;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!shown)
            return;
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("About QEL"));
        EXPECT_TRUE(shown->GetDescription().startsWith(
            QStringLiteral("QEL is a program for the assessment of vehicles on bridges.It uses the stiffness")));
        EXPECT_TRUE(shown->GetVersionText().startsWith(QStringLiteral("QEL Version ")));
        SaveScreenshot(shown, "about-box.png");
        shown->accept();
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_APP_ABOUT));
    EXPECT_NE(shown, nullptr) << "the About box did not open";
}
