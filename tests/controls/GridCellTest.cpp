#include "GridTestUtil.h"

#include "controls/grid/GridCell.h"
#include "controls/grid/GridDefaultCell.h"

#include <gtest/gtest.h>

namespace {
// A second cell class, as numeric or combo cells are.
class CTaggedCell : public CGridCell {
    DECLARE_DYNCREATE(CTaggedCell)
};
IMPLEMENT_DYNCREATE(CTaggedCell, CGridCell)

constexpr DWORD kDefaultFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
} // namespace

TEST(GridDefaultCell, DefaultsAndMeasuredSize)
{
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetFormat(), 0x8825u);
    EXPECT_EQ(kDefaultFormat, 0x8825u);
    EXPECT_EQ(cell.GetTextClr(), CLR_DEFAULT);
    EXPECT_EQ(cell.GetBackClr(), CLR_DEFAULT);

    // Always read-only; data and state cannot be set.
    EXPECT_TRUE(cell.IsReadOnly());
    cell.SetState(GCS_SELECTED);
    cell.SetData(42);
    EXPECT_EQ(cell.GetState(), GCS_READONLY);
    EXPECT_EQ(cell.GetData(), 0);

    // Width and margin from the message font: " XXXXXXXXXXXX " and " "; height 3/2 of the text.
    LOGFONT lf;
    GetMessageFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CDC dc;
    dc.CreateMeasuringDC();
    dc.SelectObject(&font);
    const CSize ext = dc.GetTextExtent(L" XXXXXXXXXXXX ");
    EXPECT_EQ(cell.GetWidth(), ext.cx);
    EXPECT_EQ(cell.GetHeight(), ext.cy * 3 / 2);
    EXPECT_EQ(cell.GetMargin(), static_cast<UINT>(dc.GetTextExtent(L" ").cx));
    ASSERT_NE(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetFont()->lfHeight, lf.lfHeight);
}

TEST(GridCell, DetachedCellHasNoDefaultsAndDrawsNothing)
{
    CGridCell cell;
    EXPECT_EQ(cell.GetFormat(), 0u);
    EXPECT_EQ(cell.GetMargin(), 0u);
    EXPECT_EQ(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetFontObject(), nullptr);
    EXPECT_STREQ(cell.GetText(), L"");
    CDC dc;
    dc.CreateMeasuringDC();
    EXPECT_FALSE(cell.Draw(&dc, 0, 0, CRect(0, 0, 10, 10)));
}

TEST(GridCell, DefaultAttributesComeFromTheDefaultCellOfItsKind)
{
    CGridCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.m_cellFixedRowDef.SetFormat(DT_LEFT | DT_SINGLELINE);
    grid.m_cellFixedRowDef.SetMargin(7);

    CGridCellBase* heading = grid.GetCell(0, 1);
    CGridCellBase* corner = grid.GetCell(0, 0);
    CGridCellBase* normal = grid.GetCell(1, 1);
    EXPECT_EQ(heading->GetDefaultCell(), &grid.m_cellFixedRowDef);
    EXPECT_EQ(corner->GetDefaultCell(), &grid.m_cellFixedRowColDef);
    EXPECT_EQ(grid.GetCell(1, 0)->GetDefaultCell(), &grid.m_cellFixedColDef);
    EXPECT_EQ(normal->GetDefaultCell(), &grid.m_cellDefault);

    // The heading was made when its default format was still 0x8825; its margin follows.
    EXPECT_EQ(heading->GetFormat(), 0x8825u);
    heading->SetFormat(0xFFFFFFFF);
    EXPECT_EQ(heading->GetFormat(), static_cast<DWORD>(DT_LEFT | DT_SINGLELINE));
    EXPECT_EQ(heading->GetMargin(), 7u);
    EXPECT_EQ(normal->GetMargin(), grid.m_cellDefault.GetMargin());
    EXPECT_EQ(normal->GetFont(), grid.m_cellDefault.GetFont());
}

TEST(GridCell, CopyIntoAnotherClassKeepsAttributesResolved)
{
    CGridCtrl grid;
    grid.SetRowCount(2);
    grid.SetColumnCount(2);
    CGridCellBase* src = grid.GetCell(1, 1);
    src->SetText(L"12.5");
    src->SetData(77);
    src->SetState(GCS_READONLY | GCS_MODIFIED);
    src->SetBackClr(RGB(210, 210, 210));
    LOGFONT lf{};
    lf.lfHeight = -17;
    src->SetFont(&lf);
    src->SetFormat(0xFFFFFFFF);

    CTaggedCell copy;
    static_cast<CGridCellBase&>(copy) = *src;
    EXPECT_STREQ(copy.GetText(), L"12.5");
    EXPECT_EQ(copy.GetData(), 77);
    EXPECT_EQ(copy.GetState(), GCS_READONLY | GCS_MODIFIED);
    EXPECT_EQ(copy.GetBackClr(), RGB(210, 210, 210));
    EXPECT_EQ(copy.GetTextClr(), CLR_DEFAULT);
    ASSERT_FALSE(copy.IsDefaultFont());
    EXPECT_EQ(copy.GetFont()->lfHeight, -17);
    EXPECT_EQ(copy.GetGrid(), &grid);
    // -1 format and margin arrive as the values they stood for.
    EXPECT_EQ(copy.GetFormat(), 0x8825u);
    EXPECT_EQ(copy.GetMargin(), grid.m_cellDefault.GetMargin());
}

TEST(GridCell, FontObjectIsSharedBetweenCellsWithOwnFonts)
{
    CGridCtrl grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(2);
    LOGFONT a{}, b{};
    a.lfHeight = -11;
    b.lfHeight = -23;
    grid.GetCell(0, 0)->SetFont(&a);
    grid.GetCell(0, 1)->SetFont(&b);
    CFont* fa = grid.GetCell(0, 0)->GetFontObject();
    LOGFONT got;
    fa->GetLogFont(&got);
    EXPECT_EQ(got.lfHeight, -11);
    CFont* fb = grid.GetCell(0, 1)->GetFontObject();
    EXPECT_EQ(fa, fb);
    fa->GetLogFont(&got);
    EXPECT_EQ(got.lfHeight, -23); // the first cell's font object is now the second's font

    grid.GetCell(0, 0)->SetFont(nullptr);
    EXPECT_TRUE(grid.GetCell(0, 0)->IsDefaultFont());
    EXPECT_EQ(grid.GetCell(0, 0)->GetFontObject(), grid.m_cellDefault.GetFontObject());
}

TEST(GridCell, TextExtentAddsMarginsAndWrapsMultiLineText)
{
    CGridCtrl grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(1);
    CGridCellBase* cell = grid.GetCell(0, 0);
    cell->SetMargin(4);
    CDC dc;
    dc.CreateMeasuringDC();
    dc.SelectObject(grid.m_cellDefault.GetFontObject());
    const CSize one = dc.GetTextExtent(L"Moment (kNm)");

    CSize size = cell->GetTextExtent(L"Moment (kNm)", &dc);
    EXPECT_EQ(size, CSize(one.cx + 8, one.cy + 8));

    // Two lines measure as the wider one, two line heights high.
    cell->SetFormat(DT_LEFT | DT_WORDBREAK);
    size = cell->GetTextExtent(L"Moment (kNm)\nx", &dc);
    EXPECT_EQ(size.cx, one.cx + 8);
    EXPECT_EQ(size.cy, 2 * one.cy + 8);

    // Empty text: the default cell's size.
    EXPECT_EQ(cell->GetTextExtent(L"", &dc), CSize(grid.m_cellDefault.GetWidth(), grid.m_cellDefault.GetHeight()));

    // Text rotated by 90 degrees: width and height exchanged, four more margins high.
    cell->SetFormat(DT_LEFT | DT_SINGLELINE);
    LOGFONT lf = *grid.m_cellDefault.GetFont();
    lf.lfEscapement = 900;
    cell->SetFont(&lf);
    size = cell->GetTextExtent(L"Moment (kNm)", &dc);
    EXPECT_EQ(size, CSize(one.cy + 8, one.cx + 8 + 16));

    // The whole cell: one pixel more each way, one more for fixed cells.
    cell->SetFont(nullptr);
    cell->SetText(L"Moment (kNm)");
    EXPECT_EQ(cell->GetCellExtent(&dc), CSize(one.cx + 9, one.cy + 9));
    cell->SetState(GCS_FIXED);
    EXPECT_EQ(cell->GetCellExtent(&dc), CSize(one.cx + 10, one.cy + 10));
}
