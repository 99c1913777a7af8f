// The main view in the case window of the running program.
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QTest>

#include "AppTestUtil.h"
#include "ui/GridCellValue.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/doc/DocWindows.h"
#include "app/doc/QELDoc.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/GridCtrl.h"
#include "platform/wnd/PaintDC.h"
#include "ui/mainview/QELView.h"

using namespace qeltest;

namespace {

CChildFrame* CaseWindow(CMainFrame& frame, const CQELDoc* pDoc)
{
    for (CChildFrame* f : frame.GetChildFrames(pDoc))
        if (f->IsCaseWindow())
            return f;
    return nullptr;
}

CQELView* MainView(CMainFrame& frame, const CQELDoc* pDoc)
{
    CChildFrame* f = CaseWindow(frame, pDoc);
    return f ? qobject_cast<CQELView*>(f->GetView()) : nullptr;
}

// Axles of 60, 90 and 90 kN at 0, -3.6 and -4.8 m: spacings 0, 3.6 and 1.2 m; the totals
// row holds 240 kN over 4.8 m.
std::shared_ptr<CLoadModel> ThreeAxles()
{
    auto p = std::make_shared<CLoadModel>(1, L"Tipper");
    p->AddPointLoad(60.0, 0.0, 0.0);
    p->AddPointLoad(90.0, -3.6, 0.0);
    p->AddPointLoad(90.0, -4.8, 0.0);
    p->Update();
    return p;
}

}

using CaseMainView = AppFixture;

TEST_F(CaseMainView, TheCaseWindowShowsTheMainViewAndTheDocumentFillsItsAxleTable)
{
    Start();
    CQELDoc* pDoc = app->GetDocument();
    CChildFrame* pCase = CaseWindow(Frame(), pDoc);
    ASSERT_NE(pCase, nullptr);
    CQELView* pView = MainView(Frame(), pDoc);
    ASSERT_NE(pView, nullptr) << "the case window holds no main view";
    EXPECT_TRUE(pView->isVisible());
    EXPECT_GT(pView->width(), 100);
    EXPECT_GT(pView->height(), 100);
    EXPECT_EQ(pCase->windowTitle(), QStringLiteral("QEL_config1"));

    CDocMainView* pDocView = pDoc->GetMainView();
    ASSERT_NE(pDocView, nullptr);
    pDocView->FillAxleGrid(ThreeAxles());
    ProcessEvents();

    CGridCtrl& grid = *pView->m_pGrid;
    ASSERT_EQ(grid.GetRowCount(), 5);
    const double expected[4][2] = {{240.0, 4.8}, {60.0, 0.0}, {90.0, 3.6}, {90.0, 1.2}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_NEAR(qeltest::CellValue(&grid, r + 1, c + 1), expected[r][c], 1e-12) << r << "," << c;
    // The case window keeps the case's title; the view's names the load model it prints.
    EXPECT_EQ(pView->GetTitle(), L"Tolmerin | Tipper");
    EXPECT_EQ(pCase->windowTitle(), QStringLiteral("QEL_config1"));
    // A desktop-sized window, as the program starts maximised.
    Frame().showNormal();
    Frame().resize(1280, 860);
    ProcessEvents();
    SaveScreenshot(&Frame(), "app-main-window-main-view.png");
}

TEST_F(CaseMainView, ANewCaseIsServedByItsOwnViewAndTheOldOneIsNoLongerReached)
{
    Start();
    CDocMainView* pOld = app->GetDocument()->GetMainView();
    ASSERT_NE(pOld, nullptr);
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    ProcessEvents();
    // The first case's view is gone with its window: a late refill must not reach it.
    pOld->FillAxleGrid(ThreeAxles());

    CQELDoc* pDoc = app->GetDocument();
    CQELView* pView = MainView(Frame(), pDoc);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->m_pGrid->GetRowCount(), 0);
    ASSERT_NE(pDoc->GetMainView(), nullptr);
    pDoc->GetMainView()->FillAxleGrid(ThreeAxles());
    EXPECT_EQ(pView->m_pGrid->GetRowCount(), 5);
}

class CaseMainViewPane : public CaseMainView, public ::testing::WithParamInterface<bool> {};

// Also from a floating pane: the selection reaches the main frame's windows, not only the
// pane's own.
TEST_P(CaseMainViewPane, ALoadModelClickedInTheElementPaneIsShownInTheMainView)
{
    Start();
    if (GetParam()) {
        QDockWidget* dock = Frame().GetPane(ID_PANE_ELEMENTS);
        ASSERT_NE(dock, nullptr);
        dock->setFloating(true);
        ProcessEvents();
    }
    CQELDoc* pDoc = app->GetDocument();
    pDoc->AddLoadModel(ThreeAxles());
    pDoc->RefreshElementView();
    auto* pPane = qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS));
    ASSERT_NE(pPane, nullptr);
    CQELView* pView = MainView(Frame(), pDoc);
    ASSERT_NE(pView, nullptr);

    CElementTreeController& tree = pPane->Controller();
    QTreeWidgetItem* pItem = pPane->Tree()->ItemOf(tree.Tree().GetChildren(tree.GetLoadModelsItem()).at(0));
    ASSERT_NE(pItem, nullptr);
    pPane->Tree()->expandAll();
    pPane->Tree()->scrollToItem(pItem);
    QTest::mouseClick(pPane->Tree()->viewport(), Qt::LeftButton, {}, pPane->Tree()->visualItemRect(pItem).center());
    ProcessEvents();

    EXPECT_EQ(pView->m_pGrid->GetRowCount(), 5);
    EXPECT_EQ(pView->GetTitle(), L"Tolmerin | Tipper");
    EXPECT_EQ(CaseWindow(Frame(), pDoc)->windowTitle(), QStringLiteral("QEL_config1"));
}
INSTANTIATE_TEST_SUITE_P(DockedOrFloating, CaseMainViewPane, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Floating" : "Docked"; });

// The instructions, the logo and the sketch with its table and summary each keep a place
// of their own, from a desktop-sized window down to one narrowed by an open pane.
TEST_F(CaseMainView, TheInstructionsAreClearOfTheLogoAndTheSketchAtEveryWindowSize)
{
    Start();
    CQELView* pView = MainView(Frame(), app->GetDocument());
    ASSERT_NE(pView, nullptr);
    pView->FillAxleGrid(ThreeAxles());
    struct Size {
        const char* name;
        QSize frame;
        bool bSettingsPane;
        bool bLogoShown;
        bool bTableInFull;
        bool bAllLines; // else the last lines of the text go past the bottom
    };
    const Size sizes[] = {
        {"as started", {}, false, true, true, true},
        {"desktop", {1280, 860}, false, true, true, true},
        {"settings pane open", {1100, 760}, true, false, true, true},
        {"narrow", {800, 760}, true, false, false, true},
        {"short", {1700, 500}, false, false, true, false},
    };
    for (const Size& s : sizes) {
        if (!s.frame.isEmpty()) {
            Frame().showNormal();
            Frame().resize(s.frame);
        }
        if (s.bSettingsPane)
            Frame().resizeDocks({Frame().ShowPane(ID_PANE_SETTINGS)}, {340}, Qt::Horizontal);
        else if (QDockWidget* pane = Frame().GetPane(ID_PANE_SETTINGS))
            pane->close();
        ProcessEvents();
        SaveScreenshot(&Frame(), QStringLiteral("main-view-%1.png")
                                     .arg(QString::fromLatin1(s.name).replace(u' ', u'-'))
                                     .toLatin1()
                                     .constData());
        const QRect text = pView->InstructionsRect();
        const QRect logo = pView->LogoRect();
        ASSERT_FALSE(text.isEmpty()) << s.name;
        if (s.bAllLines) {
            EXPECT_GE(text.bottom(), pView->height() - 30) << s.name << ": the text stands at the bottom";
            EXPECT_LE(text.bottom(), pView->height()) << s.name;
        }
        EXPECT_FALSE(text.intersects(logo)) << s.name;
        if (s.bLogoShown) {
            EXPECT_FALSE(logo.isEmpty()) << s.name;
        }
        // Each column of the axle table is as wide as its widest text ("Spacing", "240.00").
        if (s.bTableInFull) {
            CGridCtrl& grid = *pView->m_pGrid;
            CClientDC dc(&grid);
            for (int col = 0; col < grid.GetColumnCount(); ++col)
                for (int row = 0; row < grid.GetRowCount(); ++row)
                    EXPECT_GE(grid.GetColumnWidth(col), grid.GetCell(row, col)->GetCellExtent(&dc).cx)
                        << s.name << ": row " << row << ", column " << col;
        }
        // The summary line wraps rather than losing its end.
        if (auto* summary = pView->findChild<QLabel*>(QStringLiteral("ElementSummary"))) {
            EXPECT_GE(summary->height(), summary->heightForWidth(summary->width())) << s.name;
        }
        // The sketch, the table and the summary line.
        const QList<QWidget*> parts = pView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(parts.size(), 3);
        for (QWidget* w : parts) {
            EXPECT_FALSE(w->geometry().intersects(text)) << s.name << " " << w->metaObject()->className();
            EXPECT_FALSE(w->geometry().intersects(logo)) << s.name << " " << w->metaObject()->className();
            EXPECT_GE(w->height(), 10) << s.name;
        }
    }

    // With the instructions off the logo keeps its corner.
    g_pSettings->General.SHOWINSTRUCTIONS = false;
    pView->OnSettingsChanged();
    EXPECT_TRUE(pView->InstructionsRect().isEmpty());
    EXPECT_EQ(pView->LogoRect().bottomRight(), pView->rect().bottomRight());
}
