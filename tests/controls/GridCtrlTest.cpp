#include "GridTestUtil.h"

#include <QApplication>
#include <QWidget>
#include <new>
#include <gtest/gtest.h>

using qeltest::CNotifyLog;

namespace {
class CTaggedCell : public CGridCell {
    DECLARE_DYNCREATE(CTaggedCell)
};
IMPLEMENT_DYNCREATE(CTaggedCell, CGridCell)

// A host widget that hears notifications, like the dialogs that hold grids.
class HostWidget : public QWidget, public CNotifyLog {};

// A grid of nRows x nCols with the given fixed counts.
void Shape(CGridCtrl& grid, int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    ASSERT_TRUE(grid.SetRowCount(nRows));
    ASSERT_TRUE(grid.SetColumnCount(nCols));
    ASSERT_TRUE(grid.SetFixedRowCount(nFixedRows));
    ASSERT_TRUE(grid.SetFixedColumnCount(nFixedCols));
}
} // namespace

TEST(GridCtrl, ConstructedDefaults)
{
    CGridCtrl grid(5, 5, 1, 1); // the arguments are not used
    EXPECT_EQ(grid.GetSafeHwnd(), nullptr);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.m_crGridLineColour, 0xC0C0C0u);
    EXPECT_EQ(grid.m_crGridBkColour, GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(grid.m_crTTipBackClr, CLR_DEFAULT);
    EXPECT_EQ(grid.m_nGridLines, 3);
    EXPECT_TRUE(grid.m_bEditable);
    EXPECT_FALSE(grid.m_bModified);
    EXPECT_TRUE(grid.m_bDoubleBuffer);
    EXPECT_TRUE(grid.m_bTitleTips);
    EXPECT_FALSE(grid.m_bAppendRowOnTab);
    EXPECT_EQ(grid.m_nAutoSizeStyle, 3);
    EXPECT_EQ(grid.m_nTimerInterval, 25);
    EXPECT_EQ(grid.m_nResizeCaptureRange, 3);
    EXPECT_EQ(grid.m_nSortColumn, -1);
    EXPECT_EQ(grid.m_nRowsPerWheelNotch, CGridCtrl::GetMouseScrollLines());
    EXPECT_EQ(grid.m_pRtcDefault, RUNTIME_CLASS(CGridCell));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    // Default cells take the system colours: window colours for normal cells, 3-D face for
    // the headings.
    EXPECT_EQ(grid.m_cellDefault.GetTextClr(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(grid.m_cellDefault.GetBackClr(), GetSysColor(COLOR_WINDOW));
    for (CGridDefaultCell* cell : {&grid.m_cellFixedColDef, &grid.m_cellFixedRowDef, &grid.m_cellFixedRowColDef}) {
        EXPECT_EQ(cell->GetTextClr(), GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(cell->GetBackClr(), GetSysColor(COLOR_3DFACE));
        EXPECT_EQ(cell->GetGrid(), &grid);
    }
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CGridCtrl)->CreateObject());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
}

TEST(GridCtrl, CreateGivesId100AndSizesTheArrays)
{
    HostWidget host;
    CGridCtrl grid;
    grid.SetRowCount(4);
    grid.SetColumnCount(2);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 200, 100), &host, 1039));
    EXPECT_EQ(grid.GetDlgCtrlID(), 100);
    EXPECT_EQ(grid.m_arRowHeights.size(), 4u);
    EXPECT_EQ(grid.GetRowHeight(3), grid.m_cellDefault.GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(1), grid.m_cellDefault.GetWidth());
    EXPECT_TRUE(grid.GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST(GridCtrl, NotificationsGoToTheOwnerElseTheParent)
{
    HostWidget host;
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    // Without a window nothing is sent.
    EXPECT_EQ(grid.SendMessageToParent(1, 1, static_cast<int>(NM_CLICK)), 0);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 100, 100), &host, 1039));

    host.answer = -1;
    EXPECT_EQ(grid.SendMessageToParent(2, 1, static_cast<int>(LVN_BEGINLABELEDITW)), -1);
    ASSERT_EQ(host.entries.size(), 1u);
    EXPECT_EQ(host.entries[0].id, 100u);
    EXPECT_EQ(static_cast<int>(host.entries[0].code), -175);
    EXPECT_EQ(host.entries[0].row, 2);
    EXPECT_EQ(host.entries[0].col, 1);
    EXPECT_EQ(host.entries[0].from, grid.GetSafeHwnd());

    CNotifyLog owner;
    owner.answer = 5;
    grid.SetOwner(&owner);
    EXPECT_EQ(grid.SendMessageToParent(1, 2, static_cast<int>(GRIDN_ROWAPPENDED)), 5);
    EXPECT_EQ(host.entries.size(), 1u);
    ASSERT_EQ(owner.entries.size(), 1u);
    EXPECT_EQ(owner.entries[0].code, 288u);
}

TEST(GridCtrl, CellStateBitsOfFixedAndNormalCells)
{
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    EXPECT_EQ(grid.GetItemState(0, 0), 0x70u); // corner: fixed, fixed row, fixed column
    EXPECT_EQ(grid.GetItemState(0, 2), 0x30u); // heading
    EXPECT_EQ(grid.GetItemState(2, 0), 0x50u); // row heading
    EXPECT_EQ(grid.GetItemState(2, 2), 0u);
    EXPECT_EQ(grid.GetCell(2, 2)->GetFormat(), 0x8825u);

    // The fixed-state tests return the bit itself.
    EXPECT_EQ(grid.GetCell(0, 0)->IsFixedCol(), 0x40u);
    EXPECT_EQ(grid.GetCell(0, 0)->IsFixedRow(), 0x20u);

    // More fixed rows: the cells turn fixed and lose their own colours.
    grid.GetCell(1, 2)->SetBackClr(RGB(1, 2, 3));
    grid.SetFixedRowCount(2);
    EXPECT_EQ(grid.GetItemState(1, 2), 0x30u);
    EXPECT_EQ(grid.GetItemState(1, 0), 0x70u);
    EXPECT_EQ(grid.GetCell(1, 2)->GetBackClr(), CLR_DEFAULT);

    // Fewer again: fixed-column cells keep their column bits, the others are normal.
    grid.GetCell(1, 2)->SetTextClr(RGB(4, 5, 6));
    grid.SetFixedRowCount(1);
    EXPECT_EQ(grid.GetItemState(1, 0), 0x50u);
    EXPECT_EQ(grid.GetItemState(1, 2), 0u);
    EXPECT_EQ(grid.GetCell(1, 2)->GetTextClr(), CLR_DEFAULT);

    // Shrinking the rows below the fixed count lowers the fixed count.
    grid.SetRowCount(0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.GetItemState(0, 1), 0u);
    EXPECT_EQ(grid.GetItemState(0, 0), 0x50u);
    EXPECT_STREQ(grid.GetCell(1, 1)->GetText(), L"");
}

TEST(GridCtrl, CountsRefuseNegativesAndKeepExistingCells)
{
    CGridCtrl grid;
    Shape(grid, 3, 2, 0, 0);
    grid.SetItemText(1, 1, L"keep");
    grid.SetRowHeight(1, 33);
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetColumnCount(-2));
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    EXPECT_FALSE(grid.SetFixedColumnCount(-1));
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColumnCount(), 2);

    ASSERT_TRUE(grid.SetRowCount(6));
    ASSERT_TRUE(grid.SetColumnCount(4));
    EXPECT_EQ(grid.GetItemText(1, 1), L"keep");
    EXPECT_EQ(grid.GetRowHeight(1), 33);
    EXPECT_EQ(grid.GetRowHeight(5), grid.m_cellDefault.GetHeight());
    // New columns take the fixed-column default width.
    EXPECT_EQ(grid.GetColumnWidth(3), grid.m_cellFixedColDef.GetWidth());
    ASSERT_NE(grid.GetCell(5, 3), nullptr);
    EXPECT_EQ(grid.GetCell(5, 3)->GetGrid(), &grid);

    // A fixed count above the grid grows the grid first.
    ASSERT_TRUE(grid.SetFixedColumnCount(6));
    EXPECT_EQ(grid.GetColumnCount(), 6);
    EXPECT_EQ(grid.GetItemState(2, 5), 0x50u);
}

TEST(GridCtrl, ItemTextStateAndModified)
{
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    grid.m_bModified = FALSE;
    EXPECT_FALSE(grid.SetItemText(5, 0, L"x"));
    EXPECT_FALSE(grid.m_bModified);
    EXPECT_EQ(grid.GetItemText(-1, 0), L"");
    EXPECT_TRUE(grid.SetItemText(1, 2, L"3.5"));
    EXPECT_EQ(grid.GetItemText(1, 2), L"3.5");
    EXPECT_TRUE(grid.GetCell(1, 2)->IsModified());
    EXPECT_TRUE(grid.m_bModified);

    // Read-only cells and a read-only grid are not editable.
    EXPECT_TRUE(grid.IsCellEditable(1, 1));
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GCS_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
    grid.m_bEditable = FALSE;
    EXPECT_FALSE(grid.IsCellEditable(2, 2));

    // Selection follows bit 0x02, unless selection is switched off.
    EXPECT_TRUE(grid.SetItemState(2, 2, GCS_SELECTED));
    EXPECT_TRUE(grid.IsCellSelected(2, 2));
    grid.m_bEnableSelection = FALSE;
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
    EXPECT_FALSE(grid.SetItemState(9, 9, GCS_SELECTED));
}

TEST(GridCtrl, SelectionMapDoesNotConfuseFarApartCells)
{
    // Packing row and column into 16 bits each would give (65536, 0) and (0, 1) one key.
    CGridCtrl grid;
    Shape(grid, 65537, 2, 0, 0);
    grid.SetItemState(65536, 0, GCS_SELECTED);
    grid.SetItemState(0, 1, GCS_SELECTED);
    EXPECT_EQ(grid.m_SelectedCellMap.size(), 2u);
    grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_FALSE(grid.IsCellSelected(65536, 0));
    EXPECT_FALSE(grid.IsCellSelected(0, 1));
    EXPECT_TRUE(grid.m_SelectedCellMap.empty());
}

TEST(GridCtrl, FixedCountChangesDropSelectionAndFocus)
{
    CGridCtrl grid;
    Shape(grid, 5, 5, 1, 1);
    grid.SetSelectedRange(2, 2, 3, 3);
    grid.SetFocusCell(4, 4);
    EXPECT_TRUE(grid.IsCellSelected(3, 3));
    EXPECT_TRUE(grid.GetCell(4, 4)->IsFocused());
    grid.SetFixedColumnCount(2);
    EXPECT_FALSE(grid.IsCellSelected(3, 3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
    EXPECT_FALSE(grid.GetCell(4, 4)->IsFocused());
}

TEST(GridCtrl, SetCellTypeKeepsAttributes)
{
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    grid.SetItemText(1, 1, L"12.5");
    grid.GetCell(1, 1)->SetBackClr(RGB(0xD2, 0xD2, 0xD2));
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GCS_READONLY);
    ASSERT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CTaggedCell)));
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_TRUE(cell->IsKindOf(RUNTIME_CLASS(CTaggedCell)));
    EXPECT_STREQ(cell->GetText(), L"12.5");
    EXPECT_EQ(cell->GetBackClr(), RGB(0xD2, 0xD2, 0xD2));
    EXPECT_TRUE(cell->IsReadOnly());
    EXPECT_EQ(cell->GetFormat(), 0x8825u);

    EXPECT_FALSE(grid.SetCellType(1, 1, RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(grid.SetCellType(3, 1, RUNTIME_CLASS(CTaggedCell)));
    EXPECT_EQ(grid.GetCell(1, 1), cell);
}

TEST(GridCtrl, DeleteRowForgetsSortAndMarksModified)
{
    CGridCtrl grid;
    Shape(grid, 4, 2, 1, 0);
    grid.SetItemText(2, 0, L"two");
    grid.SetItemText(3, 0, L"three");
    grid.m_nSortColumn = 1;
    grid.m_bModified = FALSE;
    EXPECT_FALSE(grid.DeleteRow(4));
    EXPECT_FALSE(grid.DeleteRow(-1));
    ASSERT_TRUE(grid.DeleteRow(2));
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetItemText(2, 0), L"three");
    EXPECT_EQ(grid.m_nSortColumn, -1);
    EXPECT_TRUE(grid.m_bModified);
    // Deleting a fixed row lowers the fixed count.
    ASSERT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.m_arRowHeights.size(), 2u);
}

TEST(GridCtrl, CellRectanglesFromWidthsAndHeights)
{
    QWidget host;
    CGridCtrl grid;
    Shape(grid, 4, 4, 1, 1);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &host));
    const int widths[] = {30, 40, 0, 50};
    const int heights[] = {20, 15, 25, 10};
    for (int i = 0; i < 4; ++i) {
        grid.SetColumnWidth(i, widths[i]);
        grid.SetRowHeight(i, heights[i]);
    }
    EXPECT_EQ(grid.GetFixedColumnWidth(), 30);
    EXPECT_EQ(grid.GetFixedRowHeight(), 20);
    EXPECT_EQ(grid.GetVirtualWidth(), 120);
    EXPECT_EQ(grid.GetVirtualHeight(), 70);

    struct Case {
        int row, col;
        CRect rect;
    };
    const Case cases[] = {
        {0, 0, CRect(0, 0, 29, 19)},    // corner
        {1, 1, CRect(30, 20, 69, 34)},  // first body cell
        {2, 3, CRect(70, 35, 119, 59)}, // after a hidden column
        {3, 2, CRect(70, 60, 69, 69)},  // hidden column: right is left - 1
    };
    for (const Case& c : cases) {
        CRect r;
        ASSERT_TRUE(grid.GetCellRect(c.row, c.col, &r)) << c.row << "," << c.col;
        EXPECT_EQ(r, c.rect) << c.row << "," << c.col;
    }
    CRect r;
    EXPECT_FALSE(grid.GetCellRect(4, 0, &r));
    EXPECT_EQ(grid.GetRowHeight(4), -1);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);
    EXPECT_FALSE(grid.SetColumnWidth(1, -3));

    // Points back to cells; the hidden column never answers.
    EXPECT_EQ(grid.GetCellFromPt(CPoint(29, 19)), CCellID(0, 0));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(30, 20)), CCellID(1, 1));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(70, 36)), CCellID(2, 3));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(120, 36)), CCellID(2, -1));
    EXPECT_EQ(grid.GetCellFromPt(CPoint(10, 10), FALSE), CCellID(-1, -1));
    EXPECT_EQ(grid.GetPointInCell(2, 3, CPoint(75, 40)), CPoint(5, 5));
}

TEST(GridCtrl, SystemColourChangeKeepsColoursTheProgramSet)
{
    CGridCtrl grid;
    grid.m_cellDefault.SetBackClr(RGB(1, 2, 3));
    // Pretend the stored system colours were different ones, as after a theme change.
    grid.m_crWindowText = grid.m_cellFixedRowDef.GetTextClr();
    grid.m_cellFixedRowDef.SetTextClr(grid.m_crWindowText);
    grid.m_crShadow = RGB(9, 9, 9);
    grid.m_crGridBkColour = RGB(9, 9, 9);
    grid.m_cellFixedColDef.SetTextClr(RGB(9, 9, 8));
    grid.m_crWindowText = RGB(9, 9, 8);
    grid.OnSysColorChange();
    EXPECT_EQ(grid.m_cellDefault.GetBackClr(), RGB(1, 2, 3));
    EXPECT_EQ(grid.m_cellFixedColDef.GetTextClr(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(grid.m_crGridBkColour, GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(grid.m_crWindowText, GetSysColor(COLOR_WINDOWTEXT));
}

namespace {
// Runs out of memory on the fifth cell it is asked to make.
int g_cellsMade = 0;
class CScarceCell : public CGridCell {
    DECLARE_DYNCREATE(CScarceCell)
public:
    CScarceCell()
    {
        if (++g_cellsMade == 5)
            throw std::bad_alloc();
    }
};
IMPLEMENT_DYNCREATE(CScarceCell, CGridCell)
} // namespace

TEST(GridCtrl, RowsCountOnlyOnceBuilt)
{
    CGridCtrl grid;
    grid.SetColumnCount(2);
    grid.m_pRtcDefault = RUNTIME_CLASS(CScarceCell);
    g_cellsMade = 0;
    // Rows 0 and 1 take four cells; row 2 fails on its first.
    EXPECT_FALSE(grid.SetRowCount(3));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.m_arRowHeights.size(), 2u);
    EXPECT_EQ(grid.m_RowData.size(), 2u);
    EXPECT_NE(grid.GetCell(1, 1), nullptr);
    EXPECT_EQ(grid.GetCell(2, 0), nullptr);
    EXPECT_TRUE(grid.SetItemText(1, 1, L"still usable"));

    // A class that is not a cell class makes no cells.
    grid.m_pRtcDefault = RUNTIME_CLASS(CWnd);
    EXPECT_EQ(grid.CreateCell(0, 0), nullptr);
}

TEST(GridCtrl, WheelLinesDefaultToThree)
{
    const int saved = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(0);
    EXPECT_EQ(CGridCtrl::GetMouseScrollLines(), 3);
    QApplication::setWheelScrollLines(5);
    EXPECT_EQ(CGridCtrl::GetMouseScrollLines(), 5);
    QApplication::setWheelScrollLines(saved);
}
