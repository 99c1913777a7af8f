#include "GridInputFixture.h"

#include <gtest/gtest.h>
#include <initializer_list>

using qeltest::InputGrid;

namespace {
void SetColumnWidths(CGridCtrl& grid, std::initializer_list<int> widths)
{
    int c = 0;
    for (const int width : widths)
        grid.SetColumnWidth(c++, width);
}

std::vector<std::wstring> Column(const CGridCtrl& grid, int col)
{
    std::vector<std::wstring> texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts.push_back(grid.GetItemText(r, col));
    return texts;
}
} // namespace

TEST(GridSizing, AutoSizeColumnMeasuresTheRowsTheStyleNames)
{
    InputGrid g(4, 3);
    g.grid.SetItemText(0, 1, L"A much longer heading text");
    g.grid.SetItemText(2, 1, L"Data");
    CClientDC dc(&g.grid);
    const int heading = g.grid.GetCell(0, 1)->GetCellExtent(&dc).cx;
    int data = 0;
    for (int r = 1; r < 4; ++r)
        data = std::max(data, static_cast<int>(g.grid.GetCell(r, 1)->GetCellExtent(&dc).cx));
    ASSERT_GT(heading, data);

    EXPECT_TRUE(g.grid.AutoSizeColumn(1, 1)); // headings only
    EXPECT_EQ(g.grid.GetColumnWidth(1), heading);
    EXPECT_TRUE(g.grid.AutoSizeColumn(1, 2)); // data only
    EXPECT_EQ(g.grid.GetColumnWidth(1), data);
    EXPECT_TRUE(g.grid.AutoSizeColumn(1, 0)); // the grid's style: both
    EXPECT_EQ(g.grid.GetColumnWidth(1), heading);

    // A hidden column stays hidden; a column past the last is refused.
    g.grid.SetColumnWidth(2, 0);
    EXPECT_FALSE(g.grid.AutoSizeColumn(2, 3));
    EXPECT_EQ(g.grid.GetColumnWidth(2), 0);
    EXPECT_FALSE(g.grid.AutoSizeColumn(3, 3));

    g.grid.SetItemText(3, 0, L"two\nlines");
    EXPECT_TRUE(g.grid.AutoSizeRow(3));
    EXPECT_EQ(g.grid.GetRowHeight(3), static_cast<int>(g.grid.GetCell(3, 0)->GetCellExtent(&dc).cy));
    EXPECT_GT(g.grid.GetRowHeight(3), 20);
}

TEST(GridSizing, ExpandColumnsToFitSharesTheSpareWidth)
{
    // Client 396 wide. Non-fixed columns 100, 100, hidden, 100 after a fixed 40: 340 used,
    // 56 spare over 3 columns = 18 each, the remainder 2 one pixel each to the first two.
    {
        InputGrid g(2, 5);
        SetColumnWidths(g.grid, {40, 100, 100, 0, 100});
        g.grid.ExpandColumnsToFit(FALSE);
        EXPECT_EQ(g.grid.GetColumnWidth(0), 40);
        EXPECT_EQ(g.grid.GetColumnWidth(1), 119);
        EXPECT_EQ(g.grid.GetColumnWidth(2), 119);
        EXPECT_EQ(g.grid.GetColumnWidth(3), 0);
        EXPECT_EQ(g.grid.GetColumnWidth(4), 118);
        EXPECT_EQ(g.grid.GetVirtualWidth(), 396);
    }
    // Too wide: 40 + 3 x 150 = 490, -94 spare: -31 each (toward zero), and the first of the
    // three loses one more (94 mod 3 = 1).
    {
        InputGrid g(2, 4);
        SetColumnWidths(g.grid, {40, 150, 150, 150});
        g.grid.ExpandColumnsToFit(FALSE);
        EXPECT_EQ(g.grid.GetColumnWidth(0), 40);
        EXPECT_EQ(g.grid.GetColumnWidth(1), 118);
        EXPECT_EQ(g.grid.GetColumnWidth(2), 119);
        EXPECT_EQ(g.grid.GetColumnWidth(3), 119);
        EXPECT_EQ(g.grid.GetVirtualWidth(), 396);
    }
    // With the fixed columns: 4 x 60 = 240, 156 spare over 4 = 39 each.
    {
        InputGrid g(2, 4);
        g.grid.ExpandColumnsToFit(TRUE);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(g.grid.GetColumnWidth(c), 99);
    }
}

TEST(GridSizing, ExpandColumnsToFitNeverShrinksAColumnBelowOnePixel)
{
    // Client 10 wide, columns 5, 5 and 200: 200 too wide, -66 each (toward zero) and two more
    // from the first two. Plain sharing would leave -62, -62 and 134; a shown column keeps at
    // least one pixel, so the first two stop at 1 and the wide one takes its share.
    InputGrid g(2, 3, 1, 0);
    g.grid.MoveWindow(0, 0, 14, 300); // a 2-pixel border each side
    CRect client;
    g.grid.GetClientRect(&client);
    ASSERT_EQ(client.Width(), 10);
    SetColumnWidths(g.grid, {5, 5, 200});
    g.grid.ExpandColumnsToFit(TRUE);
    EXPECT_EQ(g.grid.GetColumnWidth(0), 1);
    EXPECT_EQ(g.grid.GetColumnWidth(1), 1);
    EXPECT_EQ(g.grid.GetColumnWidth(2), 134);
}

TEST(GridSorting, TextOrderCodeUnitByCodeUnitFixedRowsStay)
{
    InputGrid g(4, 2);
    const wchar_t* keys[] = {L"Key", L"10", L"9", L"100"};
    for (int r = 0; r < 4; ++r) {
        g.grid.SetItemText(r, 1, keys[r]);
        g.grid.SetItemText(r, 0, (L"row" + std::to_wstring(r)).c_str());
    }
    g.grid.SetRowHeight(2, 33); // travels with its row
    EXPECT_TRUE(g.grid.SortItems(1, TRUE));
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"Key", L"10", L"100", L"9"}));
    EXPECT_EQ(Column(g.grid, 0), (std::vector<std::wstring>{L"row0", L"row1", L"row3", L"row2"}));
    EXPECT_EQ(g.grid.GetRowHeight(3), 33);
    EXPECT_EQ(g.grid.m_nSortColumn, 1);

    EXPECT_TRUE(g.grid.SortItems(1, FALSE));
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"Key", L"9", L"100", L"10"}));
    // Upper case sorts before lower case.
    g.grid.SetItemText(1, 1, L"b");
    g.grid.SetItemText(2, 1, L"B");
    g.grid.SetItemText(3, 1, L"a");
    g.grid.SortItems(1, TRUE);
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"Key", L"B", L"a", L"b"}));
}

TEST(GridSorting, EqualKeysAreNotExchanged)
{
    InputGrid g(6, 2);
    for (int r = 1; r < 6; ++r) {
        g.grid.SetItemText(r, 1, L"5");
        g.grid.SetItemText(r, 0, std::wstring(1, static_cast<wchar_t>(L'a' + r)).c_str());
    }
    g.grid.SortItems(1, TRUE);
    EXPECT_EQ(Column(g.grid, 0), (std::vector<std::wstring>{L"0,0", L"b", L"c", L"d", L"e", L"f"}));
    g.grid.SortItems(1, FALSE);
    EXPECT_EQ(Column(g.grid, 0), (std::vector<std::wstring>{L"0,0", L"b", L"c", L"d", L"e", L"f"}));
}

TEST(GridSorting, HeadingClicksAlternateTheOrderOnlyWhenSwitchedOn)
{
    InputGrid g(4, 3);
    const wchar_t* keys[] = {L"2", L"3", L"1"};
    for (int r = 1; r < 4; ++r)
        g.grid.SetItemText(r, 1, keys[r - 1]);
    g.Click(0, 1); // off by default: the click selects the column
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"0,1", L"2", L"3", L"1"}));
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 3, 1));

    g.grid.m_bSortOnHeaderClick = TRUE;
    g.Click(0, 1);
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"0,1", L"1", L"2", L"3"}));
    g.Click(0, 1);
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"0,1", L"3", L"2", L"1"}));
    g.Click(0, 2); // another column starts ascending
    EXPECT_EQ(g.grid.m_nSortColumn, 2);
    EXPECT_TRUE(g.grid.m_bAscending);
}

TEST(GridSorting, ACallbackSeesTheCellsAndAZeroUserValue)
{
    InputGrid g(4, 2);
    const wchar_t* keys[] = {L"2.5", L"10", L"-1"};
    for (int r = 1; r < 4; ++r)
        g.grid.SetItemText(r, 1, keys[r - 1]);
    static LPARAM s_seen = -1;
    auto numeric = [](LPARAM a, LPARAM b, LPARAM value) {
        s_seen = value;
        const double x = std::stod(reinterpret_cast<CGridCellBase*>(a)->GetText());
        const double y = std::stod(reinterpret_cast<CGridCellBase*>(b)->GetText());
        return x < y ? -1 : (x > y ? 1 : 0);
    };
    EXPECT_TRUE(g.grid.SortItems(numeric, 1, TRUE, 77));
    EXPECT_EQ(Column(g.grid, 1), (std::vector<std::wstring>{L"0,1", L"-1", L"2.5", L"10"}));
    EXPECT_EQ(s_seen, 0);
    EXPECT_FALSE(g.grid.SortRange(numeric, 5, TRUE, 0, 1, -1)); // no such column
}
