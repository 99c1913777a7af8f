#include "controls/grid/MemoryDC.h"

#include <gtest/gtest.h>

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

COLORREF At(const CBitmap& bmp, int x, int y)
{
    return FromQRgb(bmp.GetImage().pixel(x, y));
}
} // namespace

TEST(MemoryDC, CopiesTheClipBoxToTheTargetWhenItGoes)
{
    CDC target;
    target.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&target, 20, 10);
    target.SelectObject(&bmp);
    target.FillSolidRect(0, 0, 20, 10, kWhite);
    target.SetBkColor(kBlue);
    target.IntersectClipRect(5, 0, 10, 10);
    {
        CMemoryDC mem(&target);
        EXPECT_EQ(mem.m_rect, CRect(5, 0, 10, 10));
        EXPECT_TRUE(mem.m_bMemDC);
        // Only the clip box has a picture: 5 x 10.
        EXPECT_EQ(mem.m_bitmap.Width(), 5);
        // Drawing in logical coordinates lands where the target would put it.
        mem.FillSolidRect(7, 0, 20, 5, kRed);
        EXPECT_EQ(At(bmp, 7, 2), kWhite); // nothing reaches the target yet
    }
    EXPECT_EQ(At(bmp, 6, 2), kBlue); // the memory DC started in the target's background colour
    EXPECT_EQ(At(bmp, 7, 2), kRed);
    EXPECT_EQ(At(bmp, 9, 2), kRed);
    EXPECT_EQ(At(bmp, 10, 2), kWhite); // outside the clip box
    EXPECT_EQ(At(bmp, 4, 2), kWhite);
    EXPECT_EQ(At(bmp, 8, 7), kBlue);
}

TEST(MemoryDC, DrawsStraightThroughWhilePrinting)
{
    QImage page(20, 10, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        CDC printer;
        ASSERT_TRUE(printer.AttachDevice(&page, true));
        printer.SetBkColor(kWhite);
        {
            CMemoryDC mem(&printer);
            EXPECT_FALSE(mem.m_bMemDC);
            EXPECT_TRUE(mem.IsPrinting());
            mem.FillSolidRect(0, 0, 4, 4, kRed);
        }
        printer.FillSolidRect(10, 0, 2, 2, kBlue); // the printer DC still draws afterwards
    }
    EXPECT_EQ(FromQRgb(page.pixel(2, 2)), kRed);
    EXPECT_EQ(FromQRgb(page.pixel(10, 1)), kBlue);
}
