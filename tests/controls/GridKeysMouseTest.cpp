#include "GridInputFixture.h"

#include <gtest/gtest.h>

using qeltest::InputGrid;

TEST(GridKeys, TabAppendsARowInTheLastCellWhenAsked)
{
    InputGrid g(3, 4);
    g.grid.m_bAppendRowOnTab = TRUE;
    g.grid.SetFocusCell(2, 3);
    g.Key(Qt::Key_Tab);
    EXPECT_EQ(g.grid.GetRowCount(), 4);
    ASSERT_EQ(g.host.Count(GRIDN_ROWAPPENDED), 1);
    for (const auto& e : g.host.entries)
        if (e.code == GRIDN_ROWAPPENDED) {
            EXPECT_EQ(e.row, 2);
            EXPECT_EQ(e.col, 4); // the column count
        }
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(g.Editor(), nullptr); // Tab types nothing into the grid

    // Without the flag the focus stays in the last cell.
    InputGrid h(3, 4);
    h.grid.SetFocusCell(2, 3);
    h.Key(Qt::Key_Tab);
    EXPECT_EQ(h.grid.GetRowCount(), 3);
    EXPECT_EQ(h.grid.GetFocusCell(), CCellID(2, 3));
}

TEST(GridKeys, TabAndShiftTabWrapBetweenRows)
{
    InputGrid g(20, 4);
    g.grid.SetFocusCell(1, 3);
    g.Key(Qt::Key_Tab);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 1));
    g.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 3));
    // Shift+Tab in the first non-fixed row does not wrap.
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 1));

    // Wrapping onto a row below the window scrolls it into view (296 pixels: rows 0 to 14 show).
    g.grid.SetFocusCell(14, 3);
    ASSERT_FALSE(g.grid.IsCellVisible(15, 1));
    g.Key(Qt::Key_Tab);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(15, 1));
    EXPECT_TRUE(g.grid.IsCellVisible(15, 1));
    EXPECT_EQ(g.grid.GetScrollPos32(SB_HORZ), 0);
}

TEST(GridKeys, ArrowsSkipHiddenRowsAndColumnsAndStopAtTheHeadings)
{
    InputGrid g(6, 6);
    g.grid.SetRowHeight(3, 0);
    g.grid.SetColumnWidth(3, 0);
    g.grid.SetFocusCell(2, 2);
    g.Key(Qt::Key_Down);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(4, 2));
    g.Key(Qt::Key_Right);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(4, 4));
    g.Key(Qt::Key_Up);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 4));
    g.Key(Qt::Key_Left);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
    for (int i = 0; i < 4; ++i) {
        g.Key(Qt::Key_Up);
        g.Key(Qt::Key_Left);
    }
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 1));
    // The last row and column: nothing further.
    g.grid.SetFocusCell(5, 5);
    g.Key(Qt::Key_Down);
    g.Key(Qt::Key_Right);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(5, 5));
}

TEST(GridKeys, PagesHomeAndEnd)
{
    InputGrid g(6, 6); // fits the window: nothing scrolls
    g.grid.SetFocusCell(2, 2);
    g.Key(Qt::Key_PageDown);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(5, 2));
    g.Key(Qt::Key_PageUp);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 2));
    g.Key(Qt::Key_End);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 5));
    g.Key(Qt::Key_Home);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 1));
    g.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(5, 5));
    g.Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 1));

    // A taller grid pages by the rows the view moved.
    InputGrid t(60, 3);
    t.grid.SetFocusCell(3, 1);
    t.Key(Qt::Key_PageDown);
    const int moved = t.grid.GetTopLeftNonFixedCell(TRUE).row - 1;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(t.grid.GetFocusCell(), CCellID(3 + moved, 1));
    EXPECT_TRUE(t.grid.IsCellVisible(t.grid.GetFocusCell()));
}

TEST(GridKeys, ShiftExtendsTheSelectionFromTheAnchor)
{
    InputGrid g(6, 6);
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_Right); // a plain move sets the anchor and selects the new cell
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 2, 1, 2));
    g.Key(Qt::Key_Down, Qt::ShiftModifier);
    g.Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 2, 2, 3));
    EXPECT_EQ(g.grid.GetSelectedCount(), 4);
    EXPECT_TRUE(g.grid.GetItemState(2, 3) & GCS_SELECTED);
    g.Key(Qt::Key_Left);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(2, 2, 2, 2));
    EXPECT_FALSE(g.grid.GetItemState(1, 2) & GCS_SELECTED);
    // No selection: the range is not valid.
    g.grid.ResetSelectedRange();
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(6, 6, -1, -1));
}

TEST(GridKeys, EscapeStartsNoEditAndCtrlAllSelectsEverything)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_Escape);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    g.Key(Qt::Key_A, Qt::ControlModifier);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 3, 3));
    EXPECT_EQ(g.host.Count(LVN_ITEMCHANGED), 1);
}

TEST(GridKeys, ListModeSingleRowSelectionKeepsNoEarlierRows)
{
    InputGrid g(6, 4);
    g.grid.m_bListMode = TRUE;
    g.grid.m_bSingleRowSelection = TRUE;
    g.Click(1, 2);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 1, 3));
    g.Click(3, 2, Qt::ControlModifier);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 3));
    EXPECT_FALSE(g.grid.GetItemState(1, 1) & GCS_SELECTED);
}

TEST(GridKeys, DialogCodeWantsTabOnlyWhenTheGridHandlesIt)
{
    InputGrid g(2, 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(g.Client()->mapToGlobal(QPoint(5, 5))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move); // no key held
    EXPECT_EQ(g.grid.OnGetDlgCode(), 131u);
    g.grid.m_bHandleTabKey = FALSE;
    EXPECT_EQ(g.grid.OnGetDlgCode(), 129u);
}

// --- Mouse ---------------------------------------------------------------------------------------

TEST(GridMouse, APressOnTheFocusCellTextEditsOnReleaseUnlessCtrlIsHeld)
{
    InputGrid g(4, 4);
    g.Click(2, 2);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(g.Editor(), nullptr);
    g.Click(2, 2, Qt::ControlModifier);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    g.Click(2, 2);
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.Editor()->text(), QStringLiteral("2,2"));
}

TEST(GridMouse, HeadingsSelectRowsColumnsAndAll)
{
    InputGrid g(5, 5);
    g.Click(3, 0);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 4));
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(3, 1));
    g.Click(0, 2);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 2, 4, 2));
    g.Click(0, 0);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 4, 4));
    EXPECT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseIdle);
}

TEST(GridMouse, DraggingSelectsARectangle)
{
    InputGrid g(6, 6);
    QTest::mousePress(g.Client(), Qt::LeftButton, Qt::NoModifier, InputGrid::Centre(1, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(InputGrid::Centre(3, 2)),
                     QPointF(g.Client()->mapToGlobal(InputGrid::Centre(3, 2))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move);
    QTest::mouseRelease(g.Client(), Qt::LeftButton, Qt::NoModifier, InputGrid::Centre(3, 2));
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 3, 2));
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(3, 2));
    EXPECT_EQ(g.grid.m_nTimerID, 0u); // the auto-scroll timer is gone
}

namespace {
// Drags the divider at x (in the heading row) to x + dx.
void DragDivider(InputGrid& g, int x, int dx)
{
    const QPoint from(x, 10);
    const QPoint to(x + dx, 10);
    QMouseEvent hover(QEvent::MouseMove, QPointF(from), QPointF(g.Client()->mapToGlobal(from)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &hover);
    QTest::mousePress(g.Client(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), QPointF(g.Client()->mapToGlobal(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &drag);
    QTest::mouseRelease(g.Client(), Qt::LeftButton, Qt::NoModifier, to);
}
} // namespace

TEST(GridMouse, ColumnDividerDrags)
{
    // Column 1 spans x 60..119; its right divider is at x 119.
    {
        InputGrid g(4, 4);
        DragDivider(g, 119, 25); // released at x 144: 144 - 60
        EXPECT_EQ(g.grid.GetColumnWidth(1), 84);
        EXPECT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseIdle);
    }
    {
        InputGrid g(4, 4);
        DragDivider(g, 119, 0); // released where pressed
        EXPECT_EQ(g.grid.GetColumnWidth(1), 60);
    }
    for (BOOL hide : {TRUE, FALSE}) {
        InputGrid g(4, 4);
        g.grid.m_bAllowColHide = hide;
        DragDivider(g, 119, -60); // onto the column's left edge
        EXPECT_EQ(g.grid.GetColumnWidth(1), hide ? 0 : 1);
    }
    // Grabbing just right of the divider still takes the column on its left.
    {
        InputGrid g(4, 4);
        DragDivider(g, 121, 10);
        EXPECT_EQ(g.grid.GetColumnWidth(1), 71);
        EXPECT_EQ(g.grid.GetColumnWidth(2), 60);
    }
    // Row divider: row 2 spans y 40..59, its bottom at y 59 in the fixed column.
    {
        InputGrid g(4, 4);
        const QPoint from(30, 59);
        const QPoint to(30, 75);
        QMouseEvent hover(QEvent::MouseMove, QPointF(from), QPointF(g.Client()->mapToGlobal(from)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(g.Client(), &hover);
        EXPECT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseOverRowDivider);
        QTest::mousePress(g.Client(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseRelease(g.Client(), Qt::LeftButton, Qt::NoModifier, to);
        EXPECT_EQ(g.grid.GetRowHeight(2), 35); // 75 - 40
    }
}

TEST(GridMouse, DoubleClickOnADividerFitsTheColumn)
{
    InputGrid g(4, 4);
    g.grid.SetItemText(2, 1, L"A text far wider than sixty pixels");
    const QPoint divider(119, 10);
    QMouseEvent hover(QEvent::MouseMove, QPointF(divider), QPointF(g.Client()->mapToGlobal(divider)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &hover);
    ASSERT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseOverColDivider);
    QTest::mouseDClick(g.Client(), Qt::LeftButton, Qt::NoModifier, divider);
    CClientDC dc(&g.grid);
    EXPECT_EQ(g.grid.GetColumnWidth(1), static_cast<int>(g.grid.GetCell(2, 1)->GetCellExtent(&dc).cx));
}

TEST(GridMouse, DoubleClickOnACellEdits)
{
    InputGrid g(4, 4);
    // Down, up, double click, up, as the platform reports a double click.
    const QPoint at = InputGrid::Centre(2, 3);
    g.Click(2, 3);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), QPointF(g.Client()->mapToGlobal(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &dbl);
    QTest::mouseRelease(g.Client(), Qt::LeftButton, Qt::NoModifier, at);
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.Editor()->text(), QStringLiteral("2,3"));
    EXPECT_EQ(g.host.Count(NM_DBLCLK), 1);
}

TEST(GridMouse, WheelPostsLineScrolls)
{
    InputGrid g(60, 3);
    g.grid.m_nRowsPerWheelNotch = 3;
    g.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    InputGrid::Flush();
    EXPECT_EQ(g.grid.vscrolls, (std::vector<UINT>{SB_LINEUP, SB_LINEUP, SB_LINEUP}));
    g.grid.vscrolls.clear();
    g.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0);
    InputGrid::Flush();
    EXPECT_EQ(g.grid.vscrolls.size(), 6u);
    EXPECT_EQ(g.grid.GetTopLeftNonFixedCell(TRUE).row, 7); // six lines down from row 1
    g.grid.vscrolls.clear();
    g.grid.m_nRowsPerWheelNotch = -1; // whole pages
    g.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    InputGrid::Flush();
    EXPECT_EQ(g.grid.vscrolls, (std::vector<UINT>{SB_PAGEDOWN}));
}

TEST(GridMouse, ReleasesPostACommandAndRightClicksNotify)
{
    InputGrid g(4, 4);
    g.Click(2, 2);
    InputGrid::Flush();
    EXPECT_EQ(g.host.commands, 1);
    EXPECT_EQ(LOWORD(g.host.lastCommand), 100);
    EXPECT_EQ(HIWORD(g.host.lastCommand), 0);
    EXPECT_EQ(g.host.Count(NM_CLICK), 1);

    QTest::mouseClick(g.Client(), Qt::RightButton, Qt::NoModifier, QPoint(350, 200)); // outside the cells
    ASSERT_EQ(g.host.Count(NM_RCLICK), 1);
    EXPECT_EQ(g.host.entries.back().row, -1);
    EXPECT_EQ(g.host.entries.back().col, -1);
    QTest::mouseClick(g.Client(), Qt::RightButton, Qt::NoModifier, InputGrid::Centre(3, 0));
    EXPECT_EQ(g.host.entries.back().code, NM_RCLICK);
    EXPECT_EQ(g.host.entries.back().row, 3);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(3, 1));
}

TEST(GridKeys, CtrlAndTheNumericPadPlusFitAllColumns)
{
    InputGrid g(3, 3);
    g.grid.SetItemText(1, 2, L"Some text wider than sixty pixels");
    g.grid.SetFocusCell(1, 1);
    QTest::keyClick(g.Window(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    CClientDC dc(&g.grid);
    EXPECT_EQ(g.grid.GetColumnWidth(2), static_cast<int>(g.grid.GetCell(1, 2)->GetCellExtent(&dc).cx));
    EXPECT_LT(g.grid.GetColumnWidth(0), 60);
}

TEST(GridMouse, DraggingBelowTheWindowScrollsAndExtendsTheSelection)
{
    InputGrid g(60, 3);
    // Rows 1 to 14 show in the window: the drag starts on the last of them.
    QTest::mousePress(g.Client(), Qt::LeftButton, Qt::NoModifier, InputGrid::Centre(14, 1));
    ASSERT_EQ(g.grid.m_nTimerID, 513u);
    QCursor::setPos(g.Client()->mapToGlobal(QPoint(100, 350))); // below the client area
    if (g.Client()->mapFromGlobal(QCursor::pos()).y() != 350)
        GTEST_SKIP() << "the pointer cannot be placed on this platform";
    const CCellID before = g.grid.GetFocusCell();
    g.grid.OnTimer(513);
    g.grid.OnTimer(513);
    EXPECT_EQ(g.grid.GetFocusCell().row, before.row + 2);
    EXPECT_GT(g.grid.GetTopLeftNonFixedCell(TRUE).row, 1);
    const CCellRange range = g.grid.GetSelectedCellRange();
    EXPECT_EQ(range.GetMinRow(), 14);
    EXPECT_GE(range.GetMaxRow(), 16); // to the cell at the bottom edge
    EXPECT_TRUE(g.grid.IsCellVisible(16, 1));
    QTest::mouseRelease(g.Client(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 200));
    EXPECT_EQ(g.grid.m_nTimerID, 0u);
}

TEST(GridMouse, HoverOverClippedTextShowsTheTitleTip)
{
    InputGrid g(4, 4);
    g.grid.SetItemText(2, 2, L"A text that does not fit the cell at all");
    const QPoint at = InputGrid::Centre(2, 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(g.Client()->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move);
    ASSERT_NE(g.grid.m_TitleTip.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(g.grid.m_TitleTip.IsWindowVisible());
}

TEST(GridMouse, DividerHoverShowsTheSizingCursor)
{
    InputGrid g(4, 4);
    const QPoint divider(119, 10);
    QMouseEvent hover(QEvent::MouseMove, QPointF(divider), QPointF(g.Client()->mapToGlobal(divider)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &hover);
    EXPECT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseOverColDivider);
    EXPECT_EQ(g.Client()->cursor().shape(), Qt::SizeHorCursor);
    const QPoint inside(90, 50);
    QMouseEvent away(QEvent::MouseMove, QPointF(inside), QPointF(g.Client()->mapToGlobal(inside)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &away);
    EXPECT_EQ(g.grid.m_MouseMode, CGridCtrl::MouseIdle);
    EXPECT_EQ(g.Client()->cursor().shape(), Qt::ArrowCursor);
}
