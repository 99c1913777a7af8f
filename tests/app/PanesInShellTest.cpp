#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
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
#include <QWidgetAction>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/OutputWnd.h"
#include "app/StatusLog.h"
#include "app/doc/QELDoc.h"
#include "app/pdf/PdfPane.h"
#include "app/settings/SettingsWnd.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "common/TestEnv.h"
#include "controls/edit/NumericEdit.h"
#include "controls/grid/GridCtrl.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/settings/SettingEntries.h"
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
    // A 300 x 200 result window of one colour, active: what Save Image writes is known.
    CChildFrame* ShowBlueResultWindow()
    {
        auto* view = new QWidget;
        view->setAutoFillBackground(true);
        QPalette p = view->palette();
        p.setColor(QPalette::Window, QColor(0, 128, 255));
        view->setPalette(p);
        CChildFrame* frame = AddResultWindow(view);
        frame->resize(300, 200);
        Frame().GetMdiArea()->setActiveSubWindow(frame);
        ProcessEvents();
        return frame;
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
        if (!qobject_cast<QWidgetAction*>(a)) // the customise button at the end
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

TEST_F(PanesInShell, TheSettingsPaneOpensWideEnoughForItsNamesAndValues)
{
    Start();
    Frame().resize(1100, 760);
    ASSERT_TRUE(Frame().ExecuteCommand(32898)); // a modified case behind the pane
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_SETTINGS));
    ProcessEvents();
    auto* pane = qobject_cast<CSettingsWnd*>(Frame().GetPaneContent(ID_PANE_SETTINGS));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_GE(pane->width(), pane->minimumWidth());

    // Every name in full beside its value, as the pane first opens, without a drag.
    QTreeWidget* grid = pane->Grid();
    const QFontMetrics fm(grid->font());
    int widestName = 0;
    int widestValue = 0;
    for (QTreeWidgetItemIterator it(grid); *it; ++it) {
        if ((*it)->isFirstColumnSpanned() || (*it)->childCount() > 0)
            continue;
        int depth = 1;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        widestName = std::max(widestName, depth * grid->indentation() + fm.horizontalAdvance((*it)->text(0)));
        if (*it != pane->FindProperty(SettingOf(g_pSettings->General.HELPFILEPATH).nID)) // a path may be of any length
            widestValue = std::max(widestValue, fm.horizontalAdvance((*it)->text(1)));
    }
    EXPECT_GE(widestName, fm.horizontalAdvance(QStringLiteral("Ratio Limit - Full Speed")));
    EXPECT_GE(grid->columnWidth(0), widestName);
    EXPECT_GE(grid->viewport()->width() - grid->columnWidth(0), widestValue);
    SaveScreenshot(&Frame(), "main-window-modified-settings.png");
}

TEST_F(PanesInShell, OutputPaneCopiesClearsAndHides)
{
    Start();
    {
        // A log holding its first line only.
        CStatusLog log;
        COutputWnd pane(log);
        pane.GetList()->OnEditCopy();
        EXPECT_EQ(QApplication::clipboard()->text(), "Program output information will be displayed here\r\n");
    }
    COutputList* list = Frame().GetOutputWnd()->GetList();
    list->OnEditClear();
    Frame().AddStatus(L"Program started");
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
    CChildFrame* frame = ShowBlueResultWindow();

    const auto dir = TempRoot() / "images";
    std::filesystem::create_directories(dir);
    fileAnswer = (dir / "picture.bmp").wstring();
    ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE));
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].sDefaultSuffix, L"bmp");
    // Bitmap stays the first filter, so it is the type the dialog opens with.
    EXPECT_EQ(fileRequests[0].sFilter, L"Bitmap files (*.bmp);;PNG files (*.png)");
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
        {
            std::ofstream(locked / "old.bmp") << "old picture";
        }
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

TEST_F(PanesInShell, SaveImageWritesPngWhenItsFilterIsChosenOrTheNameSaysSo)
{
    Start();
    CChildFrame* frame = ShowBlueResultWindow();
    const auto dir = TempRoot() / "png-images";
    std::filesystem::create_directories(dir);

    struct Row {
        const char* typed;
        std::optional<std::wstring> filter; // none: the dialog's first, the bitmap filter
        const char* written;
        const char* format;
    };
    const Row rows[] = {
        {"by-filter", L"PNG files (*.png)", "by-filter.png", "PNG"},
        {"by-name.png", std::nullopt, "by-name.png", "PNG"},
        {"BY-NAME-CAPS.PNG", std::nullopt, "BY-NAME-CAPS.PNG", "PNG"},
        {"named-bitmap.bmp", L"PNG files (*.png)", "named-bitmap.bmp", "BMP"},
        {"default", std::nullopt, "default.bmp", "BMP"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        fileAnswer = (dir / r.typed).wstring();
        filterAnswer = r.filter;
        boxes.clear();
        ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Image succesfully saved.");
        const QString written = QString::fromStdString((dir / r.written).string());
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(8);
        EXPECT_EQ(head.startsWith("\x89PNG"), std::string(r.format) == "PNG");
        EXPECT_EQ(head.startsWith("BM"), std::string(r.format) == "BMP");
        QImage image(written, r.format);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), frame->size());
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(0, 128, 255));
    }
    // The PNG of a plain window is a small fraction of its bitmap (4 bytes a pixel).
    EXPECT_LT(std::filesystem::file_size(dir / "by-filter.png") * 20, std::filesystem::file_size(dir / "default.bmp"));
}

TEST_F(PanesInShell, PickingThePngFilterInTheFileDialogNamesAndWritesAPng)
{
    Start();
    CChildFrame* frame = AddResultWindow(new QWidget);
    frame->resize(240, 160);
    Frame().GetMdiArea()->setActiveSubWindow(frame);
    ProcessEvents();
    const auto dir = TempRoot() / "png-dialog";
    std::filesystem::create_directories(dir);
    const QString typed = QString::fromStdString((dir / "typed").string());

    // The program's own dialog this time: the user picks the second type, then a name.
    const FileDialogAnswerer scripted = SetFileDialogAnswerer({});
    bool bDialogSeen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        bDialogSeen = true;
        auto* types = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dlg->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!types || !name || !buttons || !buttons->button(QDialogButtonBox::Save)) {
            dlg->reject();
            FAIL() << "the file dialog has no type list, name field or Save button";
        }
        EXPECT_EQ(types->currentText(), "Bitmap files (*.bmp)");
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        EXPECT_EQ(types->currentText(), "PNG files (*.png)");
        name->setCompleter(nullptr);
        name->setText(typed);
        buttons->button(QDialogButtonBox::Save)->click();
    });
    Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE);
    SetFileDialogAnswerer(scripted);

    ASSERT_TRUE(bDialogSeen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Image succesfully saved.");
    const QImage image(typed + ".png", "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), frame->size());
    EXPECT_FALSE(std::filesystem::exists(dir / "typed.bmp"));
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
    {
        std::ofstream(path) << "old";
    }
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
    Frame().showNormal();
    Frame().resize(1280, 860);
    ProcessEvents();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_PDFHELP));
    EXPECT_TRUE(boxes.empty());
    auto* pane = qobject_cast<CPdfPane*>(Frame().GetPaneContent(ID_PANE_PDFHELP));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Document()->pageCount(), 2);
    EXPECT_EQ(pane->ShownPages(), 2);
    // Wide enough to read a page: half the window, and never under 600 px.
    ProcessEvents();
    QDockWidget* dock = Frame().GetPane(ID_PANE_PDFHELP);
    EXPECT_FALSE(dock->isFloating());
    EXPECT_GE(dock->width(), 600);
    EXPECT_GE(dock->width(), Frame().width() / 2 - 10);
    EXPECT_LT(dock->width(), Frame().width() - 200) << "the case window keeps a place";
    const int elementPane = Frame().GetPane(ID_PANE_ELEMENTS)->width();
    EXPECT_GE(elementPane, 150);
    QTest::qWait(300); // the pages are drawn anew once a resize has settled
    SaveScreenshot(&Frame(), "manual-pane.png");

    // The pane's own Open: a name ending in ".pdf" in any case loads, any other is ignored.
    pane->Document()->close();
    fileAnswer = pdf.wstring();
    pane->OnFileOpen();
    EXPECT_EQ(pane->Document()->pageCount(), 2);
    EXPECT_EQ(fileRequests.back().sTitle, L"Please Select pdf File");
    EXPECT_EQ(fileRequests.back().sFilter, L"Acrobat Files (*.pdf)");
    const auto txt = TempRoot() / "manual.txt";
    std::filesystem::copy_file(pdf, txt, std::filesystem::copy_options::overwrite_existing);
    pane->Document()->close();
    fileAnswer = txt.wstring();
    pane->OnFileOpen();
    EXPECT_EQ(pane->Document()->pageCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

// In a small window the manual takes what the element pane and a usable case window leave.
TEST_F(PanesInShell, TheManualPaneLeavesTheOtherPanesTheirPlaceInASmallWindow)
{
    Start();
    Frame().showNormal();
    Frame().resize(800, 700);
    ProcessEvents();
    const int elementPane = Frame().GetPane(ID_PANE_ELEMENTS)->width();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_PDFHELP));
    ProcessEvents();
    QDockWidget* dock = Frame().GetPane(ID_PANE_PDFHELP);
    EXPECT_GE(dock->width(), 200);
    EXPECT_EQ(Frame().GetPane(ID_PANE_ELEMENTS)->width(), elementPane);
    EXPECT_GE(Frame().GetMdiArea()->width(), CMainFrame::kCaseWindowKeeps - 20);
    QTest::qWait(300); // the pages are drawn anew once the pane has settled
    ProcessEvents();
    SaveScreenshot(&Frame(), "manual-pane-small-window.png");
}

}
