#include "GridTestUtil.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <utility>

using qeltest::GrabClient;
using qeltest::PixelAt;

namespace {
constexpr COLORREF kLine = RGB(0xC0, 0xC0, 0xC0);

// A 200 x 150 grid window (client 196 x 146 inside the 2-pixel client edge), its cells
// width x height pixels.
struct GridWindow {
    QWidget host;
    CGridCtrl grid;
    GridWindow(int nRows, int nCols, int nFixedRows, int nFixedCols, int width, int height)
    {
        host.resize(200, 150);
        grid.SetRowCount(nRows);
        grid.SetColumnCount(nCols);
        grid.SetFixedRowCount(nFixedRows);
        grid.SetFixedColumnCount(nFixedCols);
        grid.Create(CRect(0, 0, 200, 150), &host);
        host.show();
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            grid.SetColumnWidth(c, width);
        for (int r = 0; r < grid.GetRowCount(); ++r)
            grid.SetRowHeight(r, height);
    }
};

// Colour of a body cell, distinct per row and column.
COLORREF BodyColour(int row, int col)
{
    return RGB(row * 10, col * 20, 50);
}
} // namespace

TEST(GridDraw, ColoursAtKnownPixels)
{
    GridWindow w(5, 4, 1, 1, 40, 20);
    w.grid.SetColumnWidth(1, 50);
    w.grid.SetColumnWidth(2, 50);
    w.grid.SetColumnWidth(3, 50);
    CRect client;
    w.grid.GetClientRect(&client);
    ASSERT_EQ(client, CRect(0, 0, 196, 146));
    w.grid.GetCell(4, 3)->SetBackClr(RGB(0xD2, 0xD2, 0xD2));
    w.grid.SetSelectedRange(3, 1, 3, 1);

    const QImage img = GrabClient(w.grid);
    // Body cell (1, 1): x 40..89, y 20..39; its grid lines on x 89 and y 39.
    EXPECT_EQ(PixelAt(img, 60, 30), w.grid.m_crWindowColour);
    EXPECT_EQ(PixelAt(img, 89, 30), kLine);
    EXPECT_EQ(PixelAt(img, 60, 39), kLine);
    EXPECT_EQ(PixelAt(img, 88, 38), w.grid.m_crWindowColour);
    // Heading (0, 1): 3-D face with a raised border.
    EXPECT_EQ(PixelAt(img, 60, 10), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(PixelAt(img, 40, 10), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(img, 60, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(img, 89, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(img, 60, 19), GetSysColor(COLOR_3DDKSHADOW));
    // Row heading (2, 0) and the corner.
    EXPECT_EQ(PixelAt(img, 20, 50), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(PixelAt(img, 0, 50), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelAt(img, 20, 10), GetSysColor(COLOR_3DFACE));
    // A selected cell and a cell with its own colour.
    EXPECT_EQ(PixelAt(img, 60, 70), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(img, 160, 90), RGB(0xD2, 0xD2, 0xD2));
    EXPECT_EQ(PixelAt(img, 189, 90), kLine);
    // Outside the cells: the grid's background colour.
    EXPECT_EQ(PixelAt(img, 193, 50), w.grid.m_crGridBkColour);
    EXPECT_EQ(PixelAt(img, 60, 120), w.grid.m_crGridBkColour);
}

TEST(GridDraw, FocusFrameAndFocusHeadings)
{
    GridWindow w(5, 4, 1, 1, 40, 20);
    w.grid.SetFocusCell(2, 2);
    const QImage img = GrabClient(w.grid);
    // Focus cell (2, 2): x 80..119, y 40..59; the frame lies inside the grid lines.
    const COLORREF text = w.grid.m_crWindowText;
    EXPECT_EQ(PixelAt(img, 80, 50), text);
    EXPECT_EQ(PixelAt(img, 118, 50), text);
    EXPECT_EQ(PixelAt(img, 100, 40), text);
    EXPECT_EQ(PixelAt(img, 100, 58), text);
    EXPECT_EQ(PixelAt(img, 119, 50), kLine);
    EXPECT_EQ(PixelAt(img, 100, 50), w.grid.m_crWindowColour);
    // The headings of the focus column and row are sunken; others stay raised.
    EXPECT_EQ(PixelAt(img, 80, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(img, 119, 10), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(PixelAt(img, 0, 50), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(img, 40, 10), GetSysColor(COLOR_3DHIGHLIGHT));

    // No frame when the grid does not frame the focus cell.
    w.grid.m_bFrameFocusCell = FALSE;
    const QImage plain = GrabClient(w.grid);
    EXPECT_EQ(PixelAt(plain, 80, 50), w.grid.m_crWindowColour);
}

TEST(GridDraw, GridLinesOnTheLastPixelAndNoneForHiddenColumns)
{
    GridWindow w(3, 4, 0, 0, 40, 20);
    w.grid.SetColumnWidth(0, 20);
    const QImage img = GrabClient(w.grid);
    // A first column 20 wide is drawn on x 0..19; its line is on x 19.
    EXPECT_EQ(PixelAt(img, 0, 5), w.grid.m_crWindowColour);
    EXPECT_EQ(PixelAt(img, 18, 5), w.grid.m_crWindowColour);
    EXPECT_EQ(PixelAt(img, 19, 5), kLine);
    EXPECT_EQ(PixelAt(img, 20, 5), w.grid.m_crWindowColour);
    EXPECT_EQ(PixelAt(img, 5, 19), kLine);

    // Column 1 hidden: one line fewer along a row.
    w.grid.SetColumnWidth(1, 0);
    const QImage hidden = GrabClient(w.grid);
    int lines = 0;
    for (int x = 0; x < 140; ++x)
        lines += PixelAt(hidden, x, 5) == kLine ? 1 : 0;
    EXPECT_EQ(lines, 3); // x 19, 59, 99
    EXPECT_EQ(PixelAt(hidden, 59, 5), kLine);
    EXPECT_EQ(PixelAt(hidden, 100, 5), w.grid.m_crGridBkColour);

    // Grid lines off: the cell's last pixel is its own colour.
    w.grid.m_nGridLines = GVL_NONE;
    const QImage none = GrabClient(w.grid);
    EXPECT_EQ(PixelAt(none, 19, 5), w.grid.m_crWindowColour);
}

TEST(GridDraw, ScrollRangesForAGridLargerThanItsWindow)
{
    GridWindow w(21, 11, 1, 1, 40, 20);
    // Non-fixed content 400 x 400 pixels; room below the heading 146 - 20 = 126 high, and
    // 196 - 40 - bar wide. Both bars are needed.
    CRect client;
    w.grid.GetClientRect(&client);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(client, CRect(0, 0, 196 - bar, 146 - bar));
    EXPECT_EQ(w.grid.m_nBarState, 3);
    EXPECT_EQ(w.grid.m_nVScrollMax, 399);
    EXPECT_EQ(w.grid.m_nHScrollMax, 399);
    SCROLLINFO si;
    w.grid.GetScrollInfo(SB_VERT, &si, SIF_ALL);
    EXPECT_EQ(si.nMax, 399);
    EXPECT_EQ(si.nPage, static_cast<UINT>(146 - 20 - bar));
    w.grid.GetScrollInfo(SB_HORZ, &si, SIF_ALL);
    EXPECT_EQ(si.nPage, static_cast<UINT>(196 - 40 - bar));
    // The last position shows the last pixel row at the bottom: 400 - page.
    EXPECT_EQ(w.grid.GetScrollLimit(SB_VERT), 400 - (146 - 20 - bar));
}

TEST(GridDraw, ScrollingMovesTheNonFixedCellsOnly)
{
    GridWindow w(21, 11, 1, 1, 40, 20);
    for (int r = 1; r < 21; ++r)
        for (int c = 1; c < 11; ++c)
            w.grid.GetCell(r, c)->SetBackClr(BodyColour(r, c));

    QImage img = GrabClient(w.grid);
    EXPECT_EQ(PixelAt(img, 60, 30), BodyColour(1, 1));

    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), 20);
    EXPECT_EQ(w.grid.GetTopLeftNonFixedCell(), CCellID(2, 1));
    w.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_HORZ), 40);
    img = GrabClient(w.grid);
    EXPECT_EQ(PixelAt(img, 60, 30), BodyColour(2, 2));
    EXPECT_EQ(PixelAt(img, 100, 50), BodyColour(3, 3));
    // Headings stay where they are: the top row and the left column.
    EXPECT_EQ(PixelAt(img, 60, 10), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(PixelAt(img, 20, 30), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(w.grid.GetCellFromPt(CPoint(60, 30)), CCellID(2, 2));
    CRect r;
    EXPECT_FALSE(w.grid.GetCellRect(1, 1, &r)); // scrolled off
    EXPECT_TRUE(w.grid.GetCellRect(0, 2, &r));  // its heading moved along
    EXPECT_EQ(r, CRect(40, 0, 79, 19));

    // To the end and one line further: nothing moves.
    w.grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    const int limit = w.grid.GetScrollLimit(SB_VERT);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), limit);
    const CCellID topLeft = w.grid.GetTopLeftNonFixedCell();
    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), limit);
    EXPECT_EQ(w.grid.GetTopLeftNonFixedCell(), topLeft);

    // Back up by a page and to the top.
    w.grid.SendMessage(WM_VSCROLL, SB_PAGEUP);
    CRect client;
    w.grid.GetClientRect(&client);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), limit - (client.Height() - 20));
    w.grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), 0);

    // Dragging the thumb scrolls to the track position.
    QScrollBar* vbar = static_cast<QAbstractScrollArea*>(w.grid.GetSafeHwnd())->verticalScrollBar();
    vbar->setSliderDown(true);
    vbar->setSliderPosition(100);
    EXPECT_EQ(w.grid.GetScrollPos32(SB_VERT), 100);
    EXPECT_EQ(w.grid.GetTopLeftNonFixedCell().row, 6);
    vbar->setSliderDown(false);

    // EnsureVisible brings a far cell into the client area.
    w.grid.EnsureVisible(20, 10);
    EXPECT_TRUE(w.grid.IsCellVisible(20, 10));
    ASSERT_TRUE(w.grid.GetCellRect(20, 10, &r));
    w.grid.GetClientRect(&client);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_LE(r.right, client.right);
}

TEST(GridDraw, FixedRowsFillingTheWindowShowNoScrollBars)
{
    GridWindow w(30, 3, 1, 0, 40, 20);
    EXPECT_EQ(w.grid.m_nBarState, 2);
    w.grid.SetRowHeight(0, 400);
    EXPECT_EQ(w.grid.m_nBarState, 0);
    EXPECT_FALSE(w.grid.IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(w.grid.IsScrollBarShown(SB_HORZ));
}

namespace {
// Whether any pixel of colour c lies inside the rectangle (edges included).
bool HasColour(const QImage& img, const CRect& r, COLORREF c)
{
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            if (PixelAt(img, x, y) == c)
                return true;
    return false;
}
} // namespace

TEST(GridDraw, TextStaysInsideItsCell)
{
    GridWindow w(3, 3, 1, 1, 60, 24);
    w.grid.SetItemText(1, 1, L"WWWWWWWWWWWWWWWWWWWW"); // far wider than the cell
    const QImage img = GrabClient(w.grid);
    CRect cell;
    w.grid.GetCellRect(1, 1, &cell);
    int ink = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x)
            ink += qGray(img.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 20);
    // Nothing spills into the next cell.
    CRect next;
    w.grid.GetCellRect(1, 2, &next);
    for (int y = next.top; y < next.bottom; ++y)
        for (int x = next.left; x < next.right; ++x)
            ASSERT_GT(qGray(img.pixel(x, y)), 100) << x << "," << y;
}

TEST(GridDraw, SortArrowOnlyWhereItFits)
{
    GridWindow w(3, 3, 1, 1, 60, 24);
    w.grid.m_nSortColumn = 1;
    CRect heading;
    w.grid.GetCellRect(0, 1, &heading);
    heading.DeflateRect(1, 1); // inside the raised border
    QImage img = GrabClient(w.grid);
    EXPECT_TRUE(HasColour(img, heading, GetSysColor(COLOR_3DSHADOW)));
    // The other heading has no arrow.
    CRect other;
    w.grid.GetCellRect(0, 2, &other);
    other.DeflateRect(1, 1);
    EXPECT_FALSE(HasColour(img, other, GetSysColor(COLOR_3DSHADOW)));

    // Too narrow for the arrow and its left edge: no arrow.
    w.grid.SetColumnWidth(1, 8);
    img = GrabClient(w.grid);
    w.grid.GetCellRect(0, 1, &heading);
    heading.DeflateRect(1, 1);
    EXPECT_FALSE(HasColour(img, heading, GetSysColor(COLOR_3DSHADOW)));

    // Changing a cell of the sorted column forgets the sort.
    w.grid.SetItemText(1, 1, L"x");
    EXPECT_EQ(w.grid.m_nSortColumn, -1);
}

namespace {
// The rows of dark ink inside the rectangle: first and last, or {-1, -1} when none.
std::pair<int, int> InkRows(const QImage& img, const QRect& r)
{
    int first = -1, last = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}
} // namespace

// Rows one and a half lines high, as the default cell makes them: a heading centred only
// across (the result tables' headings) keeps its descenders, as does a centred one.
TEST(GridDraw, HeadingsInRowsOfTheDefaultHeightKeepTheirDescenders)
{
    QWidget host;
    host.resize(400, 150);
    CGridCtrl grid;
    grid.SetRowCount(2);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.Create(CRect(0, 0, 400, 150), &host);
    host.show();
    for (int c = 0; c < 3; ++c)
        grid.SetColumnWidth(c, 120);
    grid.SetItemText(0, 1, L"Moment - Sag");
    grid.GetCell(0, 1)->SetFormat(DT_CENTER);
    grid.SetItemText(0, 2, L"Moment - Hog");

    // The same text drawn with nothing to cut it: its ink from the top of "M" to the foot of "g".
    const QFont font = grid.GetCell(0, 1)->GetFontObject()->ToQFont();
    QImage free(300, 100, QImage::Format_RGB32);
    free.fill(Qt::white);
    {
        QPainter p(&free);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(10, 50), QStringLiteral("Moment - Sag"));
    }
    const auto [freeTop, freeBottom] = InkRows(free, free.rect());
    ASSERT_GT(freeBottom, freeTop);

    const QImage img = GrabClient(grid);
    for (int col : {1, 2}) {
        CRect cell;
        grid.GetCellRect(0, col, &cell);
        const auto [top, bottom] =
            InkRows(img, QRect(cell.left + 2, cell.top + 2, cell.Width() - 4, cell.Height() - 4));
        // A pixel either way for where the line falls on the pixel grid.
        EXPECT_NEAR(bottom - top, freeBottom - freeTop, 1) << "column " << col << ", row height " << cell.Height();
    }
}
