// A grid whose rows a filler builds as they are read: what is built when, and that a file,
// a copy and column sizing still see every row.
#include "GridTestUtil.h"

#include "platform/wnd/PaintDC.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

std::wstring Text(int row, int col)
{
    return std::to_wstring(row) + L"-" + std::to_wstring(col);
}

// 1 heading row and nDataRows rows of 3 columns, each row built by a filler that counts its
// calls; a window of 300 x 200 pixels, shown.
struct LazyGrid {
    explicit LazyGrid(int nDataRows)
    {
        grid.SetRowCount(1);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowFiller(1, [this](int row) {
            ++calls;
            if (row == failingRow) {
                grid.SetItemText(row, 0, L"half");
                throw std::runtime_error("no data");
            }
            for (int col = 0; col < 3; ++col)
                grid.SetItemText(row, col, Text(row, col).c_str());
        });
        grid.SetRowCount(1 + nDataRows);
        grid.Create(CRect(0, 0, 300, 200), &host);
        host.resize(300, 200);
        host.show();
    }

    std::vector<int> BuiltRows() const
    {
        std::vector<int> rows;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            if (grid.IsRowBuilt(row))
                rows.push_back(row);
        return rows;
    }

    QWidget host;
    CGridCtrl grid;
    int calls = 0;
    int failingRow = -1;
};

QStringList SavedLines(CGridCtrl& grid)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    EXPECT_TRUE(grid.Save(path.toStdWString().c_str()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
}

} // namespace

TEST(GridLazyRows, ARowIsBuiltOnceWhenItIsFirstShownOrRead)
{
    LazyGrid g(1000);
    EXPECT_EQ(g.grid.GetRowCount(), 1001);
    EXPECT_EQ(g.grid.GetBuiltRowCount(), 1); // the headings
    EXPECT_EQ(g.calls, 0);

    qeltest::GrabClient(g.grid); // one paint
    const CCellRange shown = g.grid.GetVisibleNonFixedCellRange();
    ASSERT_EQ(shown.GetMinRow(), 1);
    ASSERT_GT(shown.GetMaxRow(), 3);
    std::vector<int> expected{0};
    for (int row = shown.GetMinRow(); row <= shown.GetMaxRow(); ++row)
        expected.push_back(row);
    EXPECT_EQ(g.BuiltRows(), expected);
    EXPECT_EQ(g.calls, shown.GetMaxRow());

    // Read far down: that row alone is built, and a row is never filled twice.
    EXPECT_EQ(g.grid.GetItemText(700, 2), Text(700, 2));
    EXPECT_TRUE(g.grid.IsRowBuilt(700));
    EXPECT_FALSE(g.grid.IsRowBuilt(699));
    qeltest::GrabClient(g.grid);
    EXPECT_EQ(g.grid.GetItemText(700, 1), Text(700, 1));
    EXPECT_EQ(g.calls, shown.GetMaxRow() + 1);

    // Scrolled to the end, the rows in view there are built and show their own texts.
    g.grid.OnVScroll(SB_BOTTOM, 0, nullptr);
    const QImage bottom = qeltest::GrabClient(g.grid);
    const CCellRange end = g.grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ(end.GetMaxRow(), 1000);
    for (int row = end.GetMinRow(); row <= end.GetMaxRow(); ++row)
        EXPECT_TRUE(g.grid.IsRowBuilt(row)) << row;
    EXPECT_EQ(g.grid.GetBuiltRowCount(), static_cast<int>(expected.size()) + 1 + end.GetMaxRow() - end.GetMinRow() + 1);
    qeltest::SaveScreenshot(bottom, "grid-lazy-rows-bottom.png");
}

TEST(GridLazyRows, SaveWritesEveryRowAndBuildsNone)
{
    LazyGrid g(1000);
    g.grid.GetCell(10, 1)->SetText(L"edited"); // a built row is saved as it stands
    const int built = g.grid.GetBuiltRowCount();

    const QStringList lines = SavedLines(g.grid);
    ASSERT_EQ(lines.size(), 1 + 1001 + 1); // "sep=;", the rows, and nothing after the last line end
    EXPECT_EQ(lines[0], QStringLiteral("sep=;"));
    for (int row = 1; row <= 1000; ++row) {
        const QString expected = QString::fromStdWString(
            Text(row, 0) + L";" + (row == 10 ? std::wstring(L"edited") : Text(row, 1)) + L";" + Text(row, 2));
        ASSERT_EQ(lines[row + 1], expected) << row;
    }
    EXPECT_EQ(g.grid.GetBuiltRowCount(), built);
}

TEST(GridLazyRows, CopyOfASelectionFarDownHoldsItsRows)
{
    LazyGrid g(1000);
    g.grid.SetSelectedRange(500, 1, 502, 2);
    std::string text;
    ASSERT_TRUE(g.grid.CopyTextFromGrid(text));
    EXPECT_EQ(text, std::string("500-1\t500-2\r\n501-1\t501-2\r\n502-1\t502-2") + '\0');
}

TEST(GridLazyRows, ColumnsAreSizedByTheBuiltRowsAndTheSizingRows)
{
    LazyGrid g(1000);
    g.grid.SetRowFiller(1, [&g](int row) {
        for (int col = 0; col < 3; ++col)
            g.grid.SetItemText(row, col, row == 900 && col == 1 ? L"a much longer text than any other" : L"x");
    });
    CClientDC dc(&g.grid);
    const int wide = g.grid.GetDefaultCell(FALSE, FALSE)->GetTextExtent(L"a much longer text than any other", &dc).cx;

    ASSERT_TRUE(g.grid.AutoSizeColumn(1, 3));
    EXPECT_LT(g.grid.GetColumnWidth(1), wide); // row 900 is not built and not a sizing row
    g.grid.SetSizingRows({900});
    ASSERT_TRUE(g.grid.AutoSizeColumn(1, 3));
    EXPECT_GE(g.grid.GetColumnWidth(1), wide);
    EXPECT_FALSE(g.grid.IsRowBuilt(900));
}

// A wide table (a reaction table has thousands of columns) must not fill a sizing row once
// per column.
TEST(GridLazyRows, SizingEveryColumnFillsEachSizingRowOnce)
{
    LazyGrid g(1000);
    g.grid.SetSizingRows({100, 200, 300});
    const int calls = g.calls;
    g.grid.AutoSizeColumns(3);
    EXPECT_EQ(g.calls - calls, 3);
    for (int row : {100, 200, 300})
        EXPECT_FALSE(g.grid.IsRowBuilt(row));
    EXPECT_GT(g.grid.GetColumnWidth(2), 0);
}

TEST(GridLazyRows, DeletingARowBuildsTheRestInPlaceFirst)
{
    LazyGrid g(20);
    ASSERT_TRUE(g.grid.DeleteRow(5));
    EXPECT_EQ(g.grid.GetRowCount(), 20);
    EXPECT_EQ(g.grid.GetBuiltRowCount(), 20);
    // Every row keeps what its own number gave it, not what its new number would give.
    EXPECT_EQ(g.grid.GetItemText(4, 1), Text(4, 1));
    EXPECT_EQ(g.grid.GetItemText(5, 1), Text(6, 1));
    EXPECT_EQ(g.grid.GetItemText(19, 2), Text(20, 2));
    const int calls = g.calls;
    ASSERT_TRUE(g.grid.SetRowCount(25)); // rows added later are ordinary rows
    EXPECT_EQ(g.calls, calls);
    EXPECT_EQ(g.grid.GetItemText(24, 1), L"");
}

TEST(GridLazyRows, AFillerThatFailsLeavesItsRowAsFarAsItGot)
{
    LazyGrid g(20);
    g.failingRow = 2; // in view
    EXPECT_NO_THROW(qeltest::GrabClient(g.grid));
    EXPECT_TRUE(g.grid.IsRowBuilt(2));
    EXPECT_EQ(g.grid.GetItemText(2, 0), L"half");
    EXPECT_EQ(g.grid.GetItemText(2, 1), L"");
    EXPECT_EQ(g.grid.GetItemText(3, 1), Text(3, 1));
}
