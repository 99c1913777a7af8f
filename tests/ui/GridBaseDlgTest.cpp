#include "LMEditorTestUtil.h"

#include "controls/grid/GridCellNumeric.h"
#include "platform/gdi/Colour.h"
#include "ui/gridDlg/GridBaseDlg.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace lmtest;

namespace {
// A window that owns a table of nRows x 2 data columns ("A", "B").
class CTableHost : public QWidget, public CGridBaseDlg, public CNotifyReceiver {
public:
    explicit CTableHost(int nRows)
    {
        m_saHeadings = {L"No.", L"A", L"B"};
        m_nDataCols = 2;
        m_nDataRows = nRows;
        resize(400, 300);
        CreateGridWindow(this, this);
        m_Grid.GetSafeHwnd()->setGeometry(0, 0, 400, 300);
        InitGrid(&m_Grid, m_nDataRows, m_nDataCols, &m_saHeadings);
        FillGrid();
        Activate(this);
    }
    void FillGrid() override
    {
        for (int r = 1; r < m_Grid.GetRowCount(); ++r)
            for (int c = 1; c < 3; ++c)
                m_Grid.SetItemText(r, c, std::to_wstring(r * 10 + c).c_str());
    }
    LRESULT OnNotify(WPARAM, NMHDR* pNMHDR) override { return RouteGridNotify(pNMHDR); }
    void OnGridRowAppended(NMHDR*, LRESULT*) override { AddRow(&m_Grid, m_Grid.GetRowCount() - 1, m_nDataCols); }
    LRESULT RightClick(int nRow)
    {
        NM_GRIDVIEW nm{{m_Grid.GetSafeHwnd(), 100, NM_RCLICK}, nRow, 1};
        return OnNotify(100, &nm.hdr);
    }
};
} // namespace

TEST(GridBaseDlg, InitGridWritesHeadingsNumbersTheRowsAndSetsTheEditingFlags)
{
    CTableHost host(3);
    CGridCtrl& g = host.m_Grid;
    EXPECT_EQ(g.GetRowCount(), 4);
    EXPECT_EQ(g.GetColumnCount(), 3);
    EXPECT_EQ(g.GetFixedRowCount(), 1);
    EXPECT_EQ(g.GetFixedColumnCount(), 1);
    EXPECT_EQ(g.GetItemText(0, 0), L"No.");
    EXPECT_EQ(g.GetItemText(0, 2), L"B");
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g.GetItemText(r, 0), std::to_wstring(r));
    EXPECT_EQ(g.GetCell(0, 1)->GetFormat(), GRIDDLG_CELL_FORMAT);
    EXPECT_TRUE(g.m_bAppendRowOnTab);
    EXPECT_TRUE(g.m_bPasteAddsRows);
    EXPECT_FALSE(g.m_bPasteAddsColumns);
    EXPECT_TRUE(g.m_bEditable);
    EXPECT_TRUE(g.m_bFixedColumnClickSelects);
}

TEST(GridBaseDlg, DeleteRowAsksOnlyForDataRows)
{
    struct Case {
        const char* name;
        int row;
        int answer;
        BOOL result;
        int rowsAfter;
        const wchar_t* box; // the one box shown, or null
    };
    const Case cases[] = {
        {"fixed row", 0, IDYES, FALSE, 4, L"Cannot delete the fixed row"},
        {"negative row", -1, IDYES, FALSE, 4, nullptr},
        {"past the last row", 4, IDYES, FALSE, 4, nullptr},
        {"answered No", 2, IDNO, FALSE, 4, L"Delete row 2?"},
        {"answered Yes", 2, IDYES, TRUE, 3, L"Delete row 2?"},
    };
    for (const Case& c : cases) {
        CTableHost host(3);
        BoxScript boxes({c.answer});
        EXPECT_EQ(host.DeleteRow(c.row), c.result) << c.name;
        EXPECT_EQ(host.m_Grid.GetRowCount(), c.rowsAfter) << c.name;
        if (c.box) {
            ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
            EXPECT_EQ(boxes.shown[0].text, c.box) << c.name;
        } else {
            EXPECT_TRUE(boxes.shown.empty()) << c.name;
        }
    }
    CTableHost host(3);
    BoxScript boxes;
    host.DeleteRow(0);
    EXPECT_EQ(boxes.shown[0].type, MB_OK | MB_ICONERROR);
    host.DeleteRow(1);
    EXPECT_EQ(boxes.shown[1].type, MB_YESNO | MB_ICONQUESTION);
}

TEST(GridBaseDlg, ContextMenuDeletesDataRowsAndRenumbers)
{
    CTableHost host(3);
    {
        MenuScript menu(ID_GRID_DELETEROW);
        BoxScript boxes({IDYES});
        host.RightClick(1);
        ASSERT_EQ(menu.offered.size(), 2u);
        EXPECT_EQ(menu.offered[0].sText, QStringLiteral("&Delete Row"));
        EXPECT_EQ(menu.offered[1].sText, QStringLiteral("Select &All\tCtrl+A"));
        EXPECT_TRUE(menu.offered[0].bEnabled);
    }
    // Row 1 went; the rows below moved up and are numbered again.
    EXPECT_EQ(host.m_Grid.GetRowCount(), 3);
    EXPECT_EQ(host.m_Grid.GetItemText(1, 1), L"21");
    EXPECT_EQ(host.m_Grid.GetItemText(1, 0), L"1");
    EXPECT_EQ(host.m_Grid.GetItemText(2, 0), L"2");

    // On the heading row or off the cells there is nothing to delete.
    for (int row : {0, -1}) {
        MenuScript menu(0);
        host.RightClick(row);
        EXPECT_FALSE(menu.offered[0].bEnabled) << row;
    }
    MenuScript menu(ID_GRID_SELECTALL);
    host.RightClick(2);
    EXPECT_EQ(host.m_Grid.GetSelectedCount(), 2 * 2); // the data cells
}

TEST(GridBaseDlg, NumericCellsKeepOnlyNumbers)
{
    EnglishLocale locale;
    CTableHost host(2);
    host.m_Grid.SetItemText(1, 1, L"abc");
    host.m_Grid.SetItemText(1, 2, L"2.5");
    host.SetNumericCells(&host.m_Grid, 2, 2);
    auto* pText = dynamic_cast<CGridCellNumeric*>(host.m_Grid.GetCell(1, 1));
    auto* pNumber = dynamic_cast<CGridCellNumeric*>(host.m_Grid.GetCell(1, 2));
    ASSERT_NE(pText, nullptr);
    ASSERT_NE(pNumber, nullptr);
    EXPECT_EQ(host.m_Grid.GetItemText(1, 1), L"");
    EXPECT_DOUBLE_EQ(pNumber->m_dValue, 2.5);
    EXPECT_EQ(pNumber->m_dwFlags, CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE);
    EXPECT_EQ(pNumber->GetFormat(), GRIDDLG_CELL_FORMAT);
}

TEST(GridBaseDlg, ReadOnlyCellsAreGreyAndLockedUntilMadeEditable)
{
    CTableHost host(2);
    CGridCtrl& g = host.m_Grid;
    host.SetNumericCells(&g, 2, 2);
    host.SetCellReadOnly(1, 1, false);
    EXPECT_NE(dynamic_cast<CGridCellNumeric*>(g.GetCell(1, 1)), nullptr); // kind and text kept
    EXPECT_EQ(g.GetItemText(1, 1), L"11.00");
    EXPECT_EQ(g.GetCell(1, 1)->GetBackClr(), RGB(210, 210, 210));
    EXPECT_TRUE(g.GetItemState(1, 1) & GCS_READONLY);
    EXPECT_FALSE(g.IsCellEditable(1, 1));

    host.SetCellReadOnly(1, 2, true);
    EXPECT_EQ(dynamic_cast<CGridCellNumeric*>(g.GetCell(1, 2)), nullptr); // a plain, empty cell now
    EXPECT_EQ(g.GetItemText(1, 2), L"");
    EXPECT_TRUE(g.GetItemState(1, 2) & GCS_READONLY);

    host.SetCellEditable(1, 1);
    host.SetCellEditable(2, 2); // never read-only
    for (int c : {1, 2}) {
        const int r = c;
        EXPECT_EQ(g.GetCell(r, c)->GetBackClr(), GetSysColor(COLOR_WINDOW));
        EXPECT_FALSE(g.GetItemState(r, c) & GCS_READONLY);
    }
}

TEST(GridBaseDlg, TabPastTheLastCellAppendsANumberedNumericRow)
{
    EnglishLocale locale;
    CTableHost host(2);
    TypeIntoCell(host.m_Grid, 2, 2, QStringLiteral("5"), true);
    EXPECT_EQ(host.m_Grid.GetRowCount(), 4);
    EXPECT_EQ(host.m_Grid.GetItemText(3, 0), L"3");
    EXPECT_NE(dynamic_cast<CGridCellNumeric*>(host.m_Grid.GetCell(3, 1)), nullptr);
}
