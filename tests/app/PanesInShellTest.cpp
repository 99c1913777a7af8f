#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/OutputWnd.h"
#include "app/doc/QELDoc.h"
#include "app/pdf/PdfPane.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "common/TestEnv.h"
#include "controls/edit/NumericEdit.h"
#include "controls/grid/GridCtrl.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/ensemble/LMEParametersDlg.h"

using namespace qeltest;

namespace {

std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PanesInShell : public AppFixture {
protected:
    CElementView* ElementPane() { return qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS)); }
    CChildFrame* AddResultWindow(QWidget* view, const wchar_t* title = L"1 - result")
    {
        return Frame().AddChildFrame(app->GetDocument(), view, false, title);
    }
    CChildFrame* CaseWindow()
    {
        for (QMdiSubWindow* w : Frame().GetMdiArea()->subWindowList())
            if (auto* f = qobject_cast<CChildFrame*>(w); f && f->IsCaseWindow())
                return f;
        return nullptr;
    }
};

TEST_F(PanesInShell, InsertCommandsFillTheCaseAndTheElementPane)
{
    Start();
    CElementView* pane = ElementPane();
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(Frame().ExecuteCommand(32898)); // All 50 m Bridges, no dialog

    // HA+HB: "LME Parameters" asks with its BS5400 group on; 30 units, then Cancel once.
    bool bBS5400Shown = false;
    const auto answer = [&](const char* units, bool bOk) {
        QTimer::singleShot(0, [&, units, bOk] {
            auto* dlg = qobject_cast<CLMEParametersDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            bBS5400Shown = dlg->m_edHBUnits->isEnabled() && !dlg->m_edStep->isEnabled();
            dlg->m_edHBUnits->selectAll();
            QTest::keyClicks(dlg->m_edHBUnits, QString::fromLatin1(units));
            if (bOk)
                dlg->GetOkButton()->click();
            else
                dlg->reject();
        });
    };
    answer("30", false);
    ASSERT_TRUE(Frame().ExecuteCommand(32893));
    CQELDoc* doc = app->GetDocument();
    EXPECT_TRUE(doc->m_vLoadModelEnsemble.empty());
    answer("30", true);
    ASSERT_TRUE(Frame().ExecuteCommand(32893));
    EXPECT_TRUE(bBS5400Shown);
    ASSERT_EQ(doc->m_vBridgeSet.size(), 3u);
    ASSERT_EQ(doc->m_vLoadModelEnsemble.size(), 1u);
    EXPECT_EQ(doc->m_vLoadModelEnsemble[0]->m_vLoadModel[0]->m_vPL[0].magnitude, 300.0); // 30 units x 10 kN
    const CElementTreeController& tree = pane->Controller();
    EXPECT_EQ(tree.Tree().GetChildren(tree.GetBridgeSetsItem()).size(), 3u);
    ASSERT_EQ(tree.Tree().GetChildren(tree.GetEnsemblesItem()).size(), 1u);
    EXPECT_EQ(pane->Tree()->ItemOf(tree.GetEnsemblesItem())->child(0)->text(0), "BS5400 HAHB");

    // "&Insert" stands between "&Configuration" and "&Analysis"; its toolbar has nine places.
    QStringList menus;
    for (QAction* a : Frame().menuBar()->actions())
        menus << a->text();
    const auto insert = menus.indexOf("&Insert");
    ASSERT_GE(insert, 1);
    EXPECT_EQ(menus[insert - 1], "&Configuration");
    QList<int> buttons;
    for (QAction* a : Frame().GetToolBar("Insert")->actions())
        buttons << (a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(buttons, (QList<int>{32898, 0, 32901, 32902, 32903, 32904, 32905, 32925, 32900}));
    QAction* all = Frame().GetCommandAction(32904);
    EXPECT_EQ(all->statusTip(), "Insert all standard load models from NAASRA 1976");
    EXPECT_EQ(all->toolTip(), "All NAASRA 1976");

    // Ctrl+E in the tree expands it; elsewhere it stays the main window's "Add Load Model Ensemble".
    pane->Tree()->setFocus();
    QTest::keyClick(pane->Tree(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(pane->Tree()->ItemOf(tree.GetEnsemblesItem())->isExpanded());
    EXPECT_TRUE(pane->Tree()->ItemOf(tree.GetRootItem())->isExpanded());
    EXPECT_EQ(doc->m_vLoadModelEnsemble.size(), 1u);

    Frame().resize(1100, 760);
    Frame().resizeDocks({Frame().ShowPane(ID_PANE_SETTINGS)}, {340}, Qt::Horizontal);
    ProcessEvents();
    SaveScreenshot(&Frame(), "main-window-panes.png");

    // Closing the case empties the pane: it holds nothing of a closed case.
    doc->SetModifiedFlag(false);
    app->CloseDocument();
    EXPECT_TRUE(tree.Tree().GetChildren(tree.GetBridgeSetsItem()).empty());
    EXPECT_EQ(tree.Tree().GetChildren(TI_NONE).size(), 7u);
}

TEST_F(PanesInShell, OutputPaneCopiesClearsAndHides)
{
    Start();
    COutputList* list = Frame().GetOutputWnd()->GetList();
    list->clear();
    list->addItem("Program output information will be displayed here");
    list->OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), "Program output information will be displayed here\r\n");
    Frame().AddStatus(L"Moving Load Analysis called");
    list->OnEditCopy();
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith("| Moving Load Analysis called\r\n"));
    EXPECT_EQ(QApplication::clipboard()->text().count("\r\n"), 2);
    list->OnEditClear();
    list->OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), "");

    QMenu* menu = list->BuildContextMenu(list);
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(texts, (QStringList{"&Copy", "&Clear", "-", "&Hide"}));
    delete menu;

    ASSERT_TRUE(Frame().GetPane(ID_PANE_OUTPUT)->isVisible());
    list->OnViewOutput();
    EXPECT_FALSE(Frame().GetPane(ID_PANE_OUTPUT)->isVisible());
}

TEST_F(PanesInShell, WindowCountFallsOnlyWhenAResultWindowCloses)
{
    Start();
    CQELDoc* doc = app->GetDocument();
    doc->m_nWindowCount = 2;
    CChildFrame* first = AddResultWindow(new QWidget, L"1 - result");
    CChildFrame* second = AddResultWindow(new QWidget, L"2 - result");
    CChildFrame* caseWindow = CaseWindow();
    ASSERT_NE(caseWindow, nullptr);
    caseWindow->close();
    ProcessEvents();
    EXPECT_EQ(doc->m_nWindowCount, 2);
    first->close();
    ProcessEvents();
    EXPECT_EQ(doc->m_nWindowCount, 1);
    doc->m_nWindowCount = 0;
    AddResultWindow(new QWidget, L"x")->close(); // never below 0
    ProcessEvents();
    EXPECT_EQ(doc->m_nWindowCount, 0);
    (void)second;
}

TEST_F(PanesInShell, SaveImageWritesABitmapOrSaysItFailedAndKeepsTheOldFile)
{
    Start();
    auto* view = new QWidget;
    view->setAutoFillBackground(true);
    QPalette p = view->palette();
    p.setColor(QPalette::Window, QColor(0, 128, 255));
    view->setPalette(p);
    CChildFrame* frame = AddResultWindow(view);
    frame->resize(300, 200);
    Frame().GetMdiArea()->setActiveSubWindow(frame);
    ProcessEvents();

    const auto dir = TempRoot() / "images";
    std::filesystem::create_directories(dir);
    fileAnswer = (dir / "picture.bmp").wstring();
    ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE));
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].sDefaultSuffix, L"bmp");
    EXPECT_EQ(fileRequests[0].sFilter, L"Bitmap files (*.bmp)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Image succesfully saved.");
    EXPECT_EQ(boxes[0].type & 0xF0, MB_ICONINFORMATION);
    QImage image(QString::fromStdString((dir / "picture.bmp").string()), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), frame->size());
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(0, 128, 255));

    // A folder that is not there, and one that cannot be written: the message, no file.
    fileAnswer = (TempRoot() / "no such folder" / "picture.bmp").wstring();
    boxes.clear();
    Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Image saving failed");
    EXPECT_EQ(boxes[0].type & 0xF0, MB_ICONERROR);
    if (::geteuid() != 0) { // the superuser writes into read-only folders
        const auto locked = TempRoot() / "locked";
        std::filesystem::create_directories(locked);
        { std::ofstream(locked / "old.bmp") << "old picture"; }
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        fileAnswer = (locked / "old.bmp").wstring();
        boxes.clear();
        Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE);
        std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Image saving failed");
        EXPECT_EQ(ReadAll(locked / "old.bmp"), "old picture");
    }
}

TEST_F(PanesInShell, SaveGridOnlyForAGridViewAndWritesItsCsv)
{
    Start();
    // The case window has no grid view.
    Frame().GetMdiArea()->setActiveSubWindow(CaseWindow());
    Frame().UpdateCommandUI();
    EXPECT_FALSE(Frame().GetCommandAction(CChildFrame::ID_SAVE_GRID)->isEnabled());
    EXPECT_TRUE(Frame().GetCommandAction(CChildFrame::ID_SAVE_IMAGE)->isEnabled());

    auto* view = new QWidget;
    view->setProperty("viewKind", 1);
    auto* grid = new CGridCtrl();
    ASSERT_TRUE(grid->Create(CRect(0, 0, 200, 100), view));
    grid->SetRowCount(2);
    grid->SetColumnCount(2);
    grid->SetItemText(0, 0, L"x");
    grid->SetItemText(0, 1, L"M");
    grid->SetItemText(1, 0, L"1.0");
    grid->SetItemText(1, 1, L"25.0");
    CChildFrame* frame = AddResultWindow(view, L"1 - grid");
    Frame().GetMdiArea()->setActiveSubWindow(frame);
    Frame().UpdateCommandUI();
    ASSERT_TRUE(Frame().GetCommandAction(CChildFrame::ID_SAVE_GRID)->isEnabled());

    const auto path = TempRoot() / "grid.csv";
    { std::ofstream(path) << "old"; }
    fileAnswer = path.wstring();
    ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_GRID));
    EXPECT_EQ(fileRequests.back().sDefaultSuffix, L"csv");
    EXPECT_EQ(fileRequests.back().sFilter, L"CSV files (*.csv)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Grid succesfully saved.");
    EXPECT_EQ(ReadAll(path), "sep=;\r\nx;M\r\n1.0;25.0\r\n");

    fileAnswer = (TempRoot() / "no such folder" / "grid.csv").wstring();
    boxes.clear();
    Frame().ExecuteCommand(CChildFrame::ID_SAVE_GRID);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Grid saving failed");
    delete grid;
}

TEST_F(PanesInShell, ManualPaneShowsAPdfAndIgnoresOtherFiles)
{
    Start();
    const auto pdf = TempRoot() / "Manual.PDF";
    {
        QPdfWriter writer(QString::fromStdString(pdf.string()));
        QPainter painter(&writer);
        painter.drawText(200, 200, QStringLiteral("QEL User Manual"));
        writer.newPage();
        painter.drawText(200, 200, QStringLiteral("Page two"));
    }
    g_pSettings->General.HELPFILEPATH = pdf.wstring();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_PDFHELP));
    EXPECT_TRUE(boxes.empty());
    auto* pane = qobject_cast<CPdfPane*>(Frame().GetPaneContent(ID_PANE_PDFHELP));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Document()->pageCount(), 2);
    EXPECT_EQ(pane->ShownPages(), 2);
    Frame().resize(1000, 700);
    ProcessEvents();
    SaveScreenshot(&Frame(), "manual-pane.png");

    // The pane's own Open: a name ending in ".pdf" in any case loads, any other is ignored.
    pane->Document()->close();
    fileAnswer = pdf.wstring();
    pane->OnFileOpen();
    EXPECT_EQ(pane->Document()->pageCount(), 2);
    EXPECT_EQ(fileRequests.back().sTitle, L"Please Select pdf File");
    EXPECT_EQ(fileRequests.back().sFilter, L"PDF Files (*.pdf)");
    const auto txt = TempRoot() / "manual.txt";
    std::filesystem::copy_file(pdf, txt, std::filesystem::copy_options::overwrite_existing);
    pane->Document()->close();
    fileAnswer = txt.wstring();
    pane->OnFileOpen();
    EXPECT_EQ(pane->Document()->pageCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

}
