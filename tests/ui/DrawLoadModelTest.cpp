// The load-model sketch drawn into an image, with the geometry worked out by hand.
#include "UiTestUtil.h"

#include "platform/gdi/DC.h"
#include "ui/draw/DrawLoadModelCtrl.h"

#include <QImage>

using namespace uitest;

namespace {
QImage Render(CDrawLoadModelCtrl& ctrl, int w, int h)
{
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    CDC dc;
    dc.AttachDevice(&image);
    ctrl.Render(&dc, CRect(0, 0, w, h));
    dc.DeleteDC();
    return image;
}

const QColor kRed(255, 0, 0);  // point loads, 0x0000FF
const QColor kBlue(0, 0, 255); // partial loads, 0xFF0000
const QColor kBlack(0, 0, 0);  // wheels
const QColor kWhite(255, 255, 255);
} // namespace

// Two 100 kN axles 6 m apart and 20 kN/m over 2 m, 2 m to 4 m behind the front, in a
// 960 x 300 window:
//   L = 6 m, margin 0.3 L = 1.8 m, span drawn 9.6 m; aspect 3.2, half height 1.5 m.
//   Extents 9600 x 3000 units for 960 x 300 pixels: 10 units a pixel.
//   Front (x = 0) at 960 - 180 = 780 px, the rear axle 600 px further left at 180 px;
//   baseline at y = 300 - 10 = 290 px.
//   Wheels: D = 0.2 * 1000 * 1.5 = 300 units = 30 px, from y 290 up to 260; hub inset
//   0.3 D = 9 px, so a 12 px white hub about the centre (y 275).
//   Point loads: from the wheel tops (260) up by 1.0 * 1500 units = 150 px, to y 110.
//   Partial load: height 0.6 * 1500 units = 90 px (y 200), from x = -4 m (380 px) to
//   -2 m (580 px).
TEST(DrawLoadModel, AxlesWheelsAndPartialLoadFallWhereTheScaleSays)
{
    auto lm = MakeVehicle(1, L"Truck", {{100.0, 0.0}, {100.0, -6.0}});
    lm->AddPartialUDL(20.0, -4.0, 2.0);
    CDrawLoadModelCtrl ctrl;
    ctrl.m_bDrawEdge = false;
    ctrl.SetLoadModel(lm);
    const QImage image = Render(ctrl, 960, 300);
    image.save(ScreenshotPath(QStringLiteral("LoadModelSketch")));

    EXPECT_EQ(ctrl.m_nExtentX, 9600);
    EXPECT_EQ(ctrl.m_nExtentY, 3000);
    EXPECT_DOUBLE_EQ(ctrl.m_dMargin, 1800.0);
    EXPECT_DOUBLE_EQ(ctrl.m_dHalfHeight, 1.5);

    for (int x : {780, 180}) {
        EXPECT_EQ(image.pixelColor(x, 180), kRed) << x;        // the arrow's shaft
        EXPECT_EQ(image.pixelColor(x, 120), kRed) << x;        // near its top
        EXPECT_NE(image.pixelColor(x, 100), kRed) << x;        // nothing above it
        EXPECT_EQ(image.pixelColor(x + 10, 266), kBlack) << x; // the tyre
        EXPECT_EQ(image.pixelColor(x + 1, 276), kWhite) << x;  // the hub
    }
    EXPECT_NE(image.pixelColor(480, 180), kRed); // no axle between them

    EXPECT_EQ(image.pixelColor(400, 200), kBlue);
    EXPECT_EQ(image.pixelColor(560, 200), kBlue);
    EXPECT_NE(image.pixelColor(360, 200), kBlue);
    EXPECT_NE(image.pixelColor(600, 200), kBlue);
    EXPECT_EQ(image.pixelColor(580, 250), kBlue); // the front arrow of the block
}

// Travelling backwards the axle at 1 m behind the front is drawn 1 m ahead of the rear:
// x = -L - location = -6 + 1 = -5 m, at 780 - 500 = 280 px.
TEST(DrawLoadModel, ReverseTravelMirrorsTheAxles)
{
    auto lm = MakeVehicle(1, L"Truck", {{100.0, 0.0}, {100.0, -1.0}, {100.0, -6.0}});
    lm->m_Direction = TD_REVERSE;
    CDrawLoadModelCtrl ctrl;
    ctrl.m_bDrawEdge = false;
    ctrl.SetLoadModel(lm);
    const QImage image = Render(ctrl, 960, 300);
    EXPECT_EQ(image.pixelColor(280, 180), kRed);
    EXPECT_NE(image.pixelColor(680, 180), kRed);
    EXPECT_EQ(image.pixelColor(780, 180), kRed);
    EXPECT_EQ(image.pixelColor(180, 180), kRed);
}

TEST(DrawLoadModel, ZeroLoadsAndEmptyWindowsDrawWithoutFault)
{
    auto zero = MakeVehicle(1, L"Nothing", {{0.0, 0.0}, {0.0, -3.0}});
    zero->AddUDL(0.0);
    zero->AddPartialUDL(0.0, -2.0, 1.0);
    CDrawLoadModelCtrl ctrl;
    ctrl.SetLoadModel(zero);
    const QImage image = Render(ctrl, 400, 200);
    for (int x = 0; x < image.width(); ++x)
        ASSERT_NE(image.pixelColor(x, 100), kRed) << x; // no arrow rises from a zero load

    // A model of length 0 gets 2 m either side: 4 m drawn.
    auto single = MakeVehicle(2, L"One axle", {{50.0, 0.0}});
    ctrl.SetLoadModel(single);
    Render(ctrl, 400, 200);
    EXPECT_EQ(ctrl.m_nExtentX, 4000);
    EXPECT_DOUBLE_EQ(ctrl.m_dMargin, 2000.0);

    // No area: the background only.
    ctrl.m_crBackground = RGB(0, 128, 0);
    for (auto [w, h] : {std::pair{0, 50}, std::pair{50, 0}}) {
        const QImage empty = Render(ctrl, w, h);
        EXPECT_EQ(empty.pixelColor(0, 0), QColor(Qt::magenta)) << w << "x" << h;
    }
    const QImage tiny = Render(ctrl, 1, 1); // a one-pixel window still maps
    EXPECT_FALSE(tiny.isNull());
}

TEST(DrawLoadModel, WithoutAModelTheRulerAndArrowStillShow)
{
    CDrawLoadModelCtrl ctrl;
    ctrl.m_bDrawEdge = false;
    const QImage image = Render(ctrl, 400, 200);
    // 4 m drawn over 400 px: 1 m is 100 px; the front (x = 0) is 2 m left of the right edge.
    EXPECT_EQ(ctrl.m_nExtentX, 4000);
    int dark = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x)
            dark += image.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 50);                           // the baseline, the arrow and its caption
    EXPECT_EQ(image.pixelColor(150, 190), kBlack); // the baseline, 10 px above the bottom edge
}
