#include "platform/gdi/DC.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white memory DC of the given size.
struct MemDC {
    CDC dc;
    CBitmap bmp;
    MemDC(int w, int h)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bmp);
        const CRect all(0, 0, w, h);
        dc.FillSolidRect(&all, kWhite);
    }
    COLORREF At(int x, int y) const { return FromQRgb(bmp.GetImage().pixel(x, y)); }
    // Pixels of colour c in row y, as a string of '#' and '.'.
    std::string Row(int y, COLORREF c) const
    {
        std::string s;
        for (int x = 0; x < bmp.Width(); ++x)
            s += At(x, y) == c ? '#' : '.';
        return s;
    }
    std::string Column(int x, COLORREF c) const
    {
        std::string s;
        for (int y = 0; y < bmp.Height(); ++y)
            s += At(x, y) == c ? '#' : '.';
        return s;
    }
};
} // namespace

TEST(DC, FillsLeaveOutRightAndBottomEdge)
{
    MemDC m(8, 6);
    CBrush red(kRed);
    const CRect r(1, 1, 5, 4);
    m.dc.FillRect(&r, &red);
    EXPECT_EQ(m.Row(1, kRed), ".####...");
    EXPECT_EQ(m.Row(4, kRed), "........");
    EXPECT_EQ(m.Column(1, kRed), ".###..");

    // FillSolidRect also makes its colour the background colour.
    m.dc.FillSolidRect(0, 5, 3, 1, kBlue);
    EXPECT_EQ(m.Row(5, kBlue), "###.....");
    EXPECT_EQ(m.dc.GetBkColor(), kBlue);

    // An empty rectangle fills nothing.
    const CRect empty(6, 0, 6, 6);
    m.dc.FillRect(&empty, &red);
    EXPECT_EQ(m.Column(6, kRed), "......");
}

TEST(DC, LinesLeaveOutTheirEndPixel)
{
    MemDC m(12, 12);
    CPen pen(PS_SOLID, 0, kRed);
    CPen* old = m.dc.SelectObject(&pen);
    m.dc.MoveTo(1, 2);
    m.dc.LineTo(9, 2);
    EXPECT_EQ(m.Row(2, kRed), ".########...");
    EXPECT_EQ(m.dc.GetCurrentPosition(), CPoint(9, 2));
    // Drawing back from right to left leaves out the left end instead.
    m.dc.MoveTo(9, 4);
    m.dc.LineTo(1, 4);
    EXPECT_EQ(m.Row(4, kRed), "..########..");
    m.dc.MoveTo(11, 0);
    m.dc.LineTo(11, 5);
    EXPECT_EQ(m.Column(11, kRed), "#####.......");
    // A line of length zero draws nothing.
    m.dc.MoveTo(5, 8);
    m.dc.LineTo(5, 8);
    EXPECT_EQ(m.At(5, 8), kWhite);
    // Polyline: each vertex but the last is drawn.
    const POINT pts[] = {{0, 10}, {4, 10}, {4, 6}};
    m.dc.Polyline(pts, 3);
    EXPECT_EQ(m.Row(10, kRed), "#####.......");
    EXPECT_EQ(m.Column(4, kRed).substr(6), ".####."); // y 10 down to 7
    EXPECT_EQ(m.dc.SelectObject(old), &pen);
}

TEST(DC, RectangleOutlineAndFill)
{
    MemDC m(10, 10);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    m.dc.SelectObject(&pen);
    m.dc.SelectObject(&brush);
    m.dc.Rectangle(1, 1, 7, 5);
    EXPECT_EQ(m.Row(1, kRed), ".######...");
    EXPECT_EQ(m.Row(4, kRed), ".######...");
    EXPECT_EQ(m.Row(2, kBlue), "..####....");
    EXPECT_EQ(m.Row(5, kRed), "..........");
}

TEST(DC, WindowOriginClipAndSavedState)
{
    MemDC m(10, 4);
    // Logical (5, 0) lands on device (0, 0).
    m.dc.SetWindowOrg(5, 0);
    m.dc.FillSolidRect(5, 0, 2, 1, kRed);
    EXPECT_EQ(m.Row(0, kRed), "##........");
    m.dc.SetWindowOrg(0, 0);

    const int saved = m.dc.SaveDC();
    m.dc.SetTextColor(kBlue);
    EXPECT_EQ(m.dc.IntersectClipRect(2, 0, 4, 4), SIMPLEREGION);
    CRect box;
    m.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(2, 0, 4, 4));
    m.dc.FillSolidRect(0, 1, 10, 1, kRed);
    EXPECT_EQ(m.Row(1, kRed), "..##......");
    ASSERT_TRUE(m.dc.RestoreDC(saved));
    EXPECT_EQ(m.dc.GetTextColor(), 0u);
    m.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 10, 4));
    m.dc.FillSolidRect(0, 2, 10, 1, kRed);
    EXPECT_EQ(m.Row(2, kRed), "##########");
}

TEST(DC, BitBltCopiesBetweenMemoryDCs)
{
    MemDC src(6, 6);
    src.dc.FillSolidRect(2, 2, 2, 2, kRed);
    MemDC dst(6, 6);
    // Copy the 2x2 square to the top-left corner.
    ASSERT_TRUE(dst.dc.BitBlt(0, 0, 2, 2, &src.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.Row(0, kRed), "##....");
    EXPECT_EQ(dst.Row(1, kRed), "##....");
    EXPECT_EQ(dst.Row(2, kRed), "......");
    // The source's window origin counts: logical (2, 2) is device (0, 0) there.
    src.dc.SetWindowOrg(-2, -2);
    MemDC dst2(6, 6);
    dst2.dc.BitBlt(4, 4, 2, 2, &src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst2.Row(4, kRed), "....##");
}

TEST(DC, BitmapDestroyedWhileSelectedLeavesADrawableDC)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    {
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, 4, 4);
        dc.SelectObject(&bmp);
        EXPECT_EQ(dc.GetCurrentBitmap(), &bmp);
    }
    EXPECT_EQ(dc.GetCurrentBitmap(), nullptr);
    dc.FillSolidRect(0, 0, 4, 4, kRed); // must not touch the freed picture
    EXPECT_TRUE(dc.GetSafeHdc());
}

TEST(DC, DrawTextPlacesAndMeasures)
{
    MemDC m(120, 30);
    m.dc.SetBkMode(TRANSPARENT);
    const std::wstring text = L"WWW";
    const CSize ext = m.dc.GetTextExtent(text);
    ASSERT_GT(ext.cx, 10);
    ASSERT_GT(ext.cy, 8);

    CRect calc(0, 0, 0, 0);
    const int h = m.dc.DrawText(text, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(calc.Width(), ext.cx);
    EXPECT_EQ(calc.Height(), ext.cy);
    EXPECT_EQ(h, ext.cy);

    // Right-aligned text keeps its ink in the right part of the rectangle and is clipped to it.
    CRect r(0, 0, 100, 30);
    m.dc.SetTextColor(RGB(0, 0, 0));
    m.dc.DrawText(text, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    int minInk = 1000, maxInk = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (qGray(m.bmp.GetImage().pixel(x, y)) < 128) {
                minInk = std::min(minInk, x);
                maxInk = std::max(maxInk, x);
            }
    EXPECT_GE(minInk, 100 - ext.cx - 1);
    EXPECT_LT(maxInk, 100);

    // Word break wraps into lines no wider than the rectangle.
    CRect wrap(0, 0, ext.cx + 2, 0);
    const int twoLines = m.dc.DrawText(L"WWW WWW", &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(twoLines, 2 * ext.cy);
    EXPECT_EQ(wrap.Width(), ext.cx);
}

TEST(DC, EdgesAndGradients)
{
    MemDC m(10, 10);
    CRect r(0, 0, 10, 10);
    m.dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, CRect(2, 2, 8, 8));
    EXPECT_EQ(m.At(0, 5), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(m.At(9, 5), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(m.At(1, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(m.At(8, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(m.At(5, 5), kWhite);

    MemDC g(11, 2);
    const CRect all(0, 0, 11, 2);
    g.dc.GradientFill(&all, RGB(0, 0, 0), RGB(200, 100, 0), GRADIENT_FILL_RECT_H);
    EXPECT_EQ(g.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(g.At(10, 1), RGB(200, 100, 0));
    EXPECT_EQ(g.At(5, 0), RGB(100, 50, 0)); // half way
}

TEST(DC, FontsFromLogFontAndPointSize)
{
    CDC dc;
    dc.CreateMeasuringDC();
    LOGFONT lf{};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    CFont big;
    big.CreateFontIndirect(&lf);
    EXPECT_EQ(big.ToQFont().pixelSize(), 20);
    EXPECT_TRUE(big.ToQFont().bold());
    CFont* old = dc.SelectObject(&big);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_GE(tm.tmHeight, 20);
    dc.SelectObject(old);

    // 10 points at 96 pixels per inch: 10 * 96 / 72 = 13.33 -> 13 pixels.
    CFont pt;
    pt.CreatePointFont(100, L"", &dc);
    LOGFONT got;
    ASSERT_EQ(pt.GetLogFont(&got), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(got.lfHeight, -13 * dc.GetDeviceCaps(LOGPIXELSY) / 96);
}

namespace {
// A line drawn on a window-sized DC must light exactly the pixels that the same line lights
// on a DC large enough to hold it whole.
struct LineCase {
    CPoint from, to;
};

// Pixels of a red line as '#' and '.', over w x h device pixels of m from (u0, v0).
std::string Picture(const MemDC& m, int u0, int v0, int w, int h)
{
    std::string s;
    for (int v = v0; v < v0 + h; ++v) {
        for (int u = u0; u < u0 + w; ++u)
            s += m.At(u, v) == kRed ? '#' : '.';
        s += '\n';
    }
    return s;
}

void DrawRedLine(CDC& dc, CPoint from, CPoint to)
{
    CPen pen(PS_SOLID, 0, kRed);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(from);
    dc.LineTo(to);
    dc.SelectObject(old);
}
} // namespace

TEST(DC, LinesReachingOutsideKeepTheirPixelsInside)
{
    // Reference: logical (-200, -150) is device (0, 0) of a 440 x 340 picture, so every line
    // below lies wholly inside it. The small DC shows logical (7, -4) .. (47, 26), and with
    // a clip only (12, 1) .. (37, 19) of it.
    MemDC big(440, 340);
    big.dc.SetWindowOrg(-200, -150);
    MemDC small(40, 30);
    small.dc.SetWindowOrg(7, -4);
    MemDC clipped(40, 30);
    clipped.dc.SetWindowOrg(7, -4);
    clipped.dc.IntersectClipRect(12, 1, 37, 19);
    const CRect whole(-200, -150, 240, 190);

    std::vector<LineCase> cases = {
        {{-150, 10}, {200, 10}},    {{27, -140}, {27, 180}},  {{-100, -120}, {150, 130}},
        {{150, -120}, {-100, 130}}, {{20, 5}, {190, 6}},      {{20, 5}, {21, 180}},
        {{-190, 180}, {230, -140}}, {{30, 10}, {-190, -100}}, {{10, 3}, {230, 113}},
    };
    // And a spread of lines in every direction, some crossing the window, most not.
    unsigned seed = 12345;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + static_cast<int>((seed >> 8) % static_cast<unsigned>(hi - lo));
    };
    for (int i = 0; i < 300; ++i)
        cases.push_back({{next(-195, 235), next(-145, 185)}, {next(-195, 235), next(-145, 185)}});

    for (const LineCase& c : cases) {
        for (MemDC* m : {&big, &small, &clipped}) {
            m->dc.SelectClipRgn(nullptr);
            m->dc.FillSolidRect(&whole, kWhite);
        }
        clipped.dc.IntersectClipRect(12, 1, 37, 19);
        DrawRedLine(big.dc, c.from, c.to);
        DrawRedLine(small.dc, c.from, c.to);
        DrawRedLine(clipped.dc, c.from, c.to);
        SCOPED_TRACE(testing::Message() << "line " << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y);
        ASSERT_EQ(Picture(small, 0, 0, 40, 30), Picture(big, 207, 146, 40, 30));
        // Inside the clip the same pixels; outside it nothing.
        std::string expected = Picture(big, 207, 146, 40, 30);
        for (int v = 0; v < 30; ++v)
            for (int u = 0; u < 40; ++u)
                if (!(u >= 5 && u < 30 && v >= 5 && v < 23))
                    expected[static_cast<std::size_t>(v * 41 + u)] = '.';
        ASSERT_EQ(Picture(clipped, 0, 0, 40, 30), expected);
    }
}

TEST(DC, LinesToFarPointsDrawOnlyWhatShows)
{
    // Each far line has the slope of a short one through the same pixels (1/2, -1/2, 2 or a
    // flat or upright line), so the window shows the same pixels for both; and the far one
    // must not cost a step per pixel of its length.
    struct FarCase {
        CPoint from, to, shortFrom, shortTo;
    };
    const FarCase cases[] = {
        {{20, 15}, {2'000'000'020, 1'000'000'015}, {20, 15}, {220, 115}},
        {{-2'000'000'000, -999'999'985}, {2'000'000'000, 1'000'000'015}, {-200, -85}, {200, 115}},
        {{-1'000'000'000, 25 - 500'000'010}, {20, 25}, {-180, -75}, {20, 25}},
        {{30, 10}, {-1'999'999'970, 1'000'000'010}, {30, 10}, {-170, 110}},
        {{10, 40}, {1'000'000'010, -1'999'999'960}, {10, 40}, {110, -160}},
        {{-2'000'000'000, 12}, {2'000'000'000, 12}, {-200, 12}, {200, 12}},
        {{33, 2'000'000'000}, {33, -2'000'000'000}, {33, 150}, {33, -150}},
    };
    const auto started = std::chrono::steady_clock::now();
    for (const FarCase& c : cases) {
        MemDC far(60, 50);
        MemDC near(60, 50);
        DrawRedLine(far.dc, c.from, c.to);
        DrawRedLine(near.dc, c.shortFrom, c.shortTo);
        SCOPED_TRACE(testing::Message() << "line to " << c.to.x << "," << c.to.y);
        EXPECT_EQ(Picture(far, 0, 0, 60, 50), Picture(near, 0, 0, 60, 50));
        EXPECT_NE(Picture(far, 0, 0, 60, 50).find('#'), std::string::npos);
    }
    // A step per pixel would take seconds here.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
}

TEST(DC, ASharingDCLeavesTheTargetAsItWas)
{
    // A pass-through DC (a memory DC on a printer) draws with its own clip, origin and pen;
    // once it goes, the target draws with its own again.
    QImage page(20, 10, QImage::Format_RGB32);
    page.fill(Qt::white);
    CDC printer;
    ASSERT_TRUE(printer.AttachDevice(&page, true));
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    printer.SelectObject(&black);
    {
        CDC through;
        ASSERT_TRUE(through.AttachSharing(&printer));
        through.SetWindowOrg(3, 3);
        through.IntersectClipRect(3, 3, 8, 8);
        CPen pen(PS_DASH, 3, kBlue);
        through.SelectObject(&pen);
        through.FillSolidRect(3, 3, 2, 2, kBlue);
    }
    EXPECT_EQ(FromQRgb(page.pixel(0, 0)), kBlue);
    const CRect all(0, 0, 20, 10);
    printer.FillSolidRect(&all, kRed);
    EXPECT_EQ(FromQRgb(page.pixel(0, 0)), kRed);
    EXPECT_EQ(FromQRgb(page.pixel(19, 9)), kRed);
    printer.MoveTo(0, 9);
    printer.LineTo(20, 9);
    printer.MoveTo(12, 0);
    printer.LineTo(12, 5); // a cosmetic black line, not the dashed blue pen
    EXPECT_EQ(FromQRgb(page.pixel(19, 9)), RGB(0, 0, 0));
    EXPECT_EQ(FromQRgb(page.pixel(12, 1)), RGB(0, 0, 0));
    EXPECT_EQ(FromQRgb(page.pixel(13, 1)), kRed);
}
