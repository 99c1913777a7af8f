#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <vector>

#include "ScreenshotFile.h"
#include "controls/chart/ChartCtrl.h"
#include "controls/chart/ChartLegend.h"
#include "controls/chart/ChartTitle.h"
#include "controls/chart/ChartLineSerie.h"
#include "controls/chart/ChartStandardAxis.h"
#include "platform/gdi/Colour.h"

namespace {

struct Recorder : CChartSeriesMouseListener<SChartXYPoint> {
    struct Call {
        int event, index;
        CChartSerieBase<SChartXYPoint>* serie;
    };
    std::vector<Call> calls;
    void OnMouseEventSeries(int event, int, int, CChartSerieBase<SChartXYPoint>* serie, int index) override
    {
        calls.push_back({event, index, serie});
    }
};

// A 400 x 300 chart window with the left and bottom axes set up as the plot view does.
class ChartFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            chart.Create(L"ChartCtrl", L"", WS_VISIBLE, CRect(0, 0, 400, 300), static_cast<QWidget*>(nullptr), 8));
        chart.EnableRefresh(false);
        chart.m_EdgeType = EDGE_ETCHED;
        chart.m_BackColor = RGB(230, 230, 230);
        left = chart.CreateStandardAxis(CChartCtrl::LeftAxis);
        bottom = chart.CreateStandardAxis(CChartCtrl::BottomAxis);
        for (CChartStandardAxis* axis : {left, bottom}) {
            axis->m_AutoMode = CChartAxis::FullAutomatic;
            axis->RefreshAutoAxis();
        }
        chart.EnableRefresh(true);
        client = chart.GetClientWidget();
        QTest::qWait(1);
    }

    CChartLineSerie* AddLine(std::vector<std::pair<double, double>> points, int width = 1)
    {
        CChartLineSerie* serie = chart.CreateLineSerie();
        serie->m_iLineWidth = width;
        chart.EnableRefresh(false);
        for (auto [x, y] : points)
            serie->AddPoint(x, y);
        chart.EnableRefresh(true);
        return serie;
    }

    QPoint Pixel(double x, double y) const { return QPoint(bottom->ValueToScreen(x), left->ValueToScreen(y)); }

    COLORREF Grabbed(const QImage& image, QPoint p) const { return FromQRgb(image.pixel(p)); }

    CChartCtrl chart;
    CChartStandardAxis* left = nullptr;
    CChartStandardAxis* bottom = nullptr;
    QWidget* client = nullptr;
};

} // namespace

TEST_F(ChartFixture, SeriesTakeTheTableColoursByCount)
{
    std::vector<CChartLineSerie*> series;
    for (int i = 0; i < 5; ++i)
        series.push_back(AddLine({{0, 0}, {1, 1}}));
    const COLORREF table[5] = {0x0000FF, 0x009600, 0xFF0000, 0x00FFFF, 0xFFFF00};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(series[i]->m_SerieColor, table[i]) << i;

    const unsigned firstId = series[0]->GetSerieId();
    chart.RemoveSerie(firstId);
    chart.RemoveSerie(firstId); // unknown now: nothing happens
    EXPECT_EQ(chart.GetSeriesCount(), 4u);
    // Four series left: the next one takes colour 4 again, the same as the fifth series.
    EXPECT_EQ(AddLine({{0, 0}})->m_SerieColor, 0xFFFF00u);
    EXPECT_GT(series[4]->GetSerieId(), series[3]->GetSerieId());
}

TEST_F(ChartFixture, AutomaticAxesSpanEverySeriesAndFollowRemoval)
{
    CChartLineSerie* a = AddLine({{0, -3}, {4, 5}});
    CChartLineSerie* b = AddLine({{1, 0}, {10, 12}});
    EXPECT_EQ(left->m_MinValue, -3);
    EXPECT_EQ(left->m_MaxValue, 12);
    EXPECT_EQ(bottom->m_MinValue, 0);
    EXPECT_EQ(bottom->m_MaxValue, 10);
    EXPECT_EQ(left->m_UnzoomMax, 12); // the range that undoing a zoom restores

    chart.RemoveSerie(b->GetSerieId());
    EXPECT_EQ(left->m_MaxValue, 5);
    EXPECT_EQ(bottom->m_MaxValue, 4);
    chart.RemoveSerie(a->GetSerieId());
    EXPECT_EQ(left->m_MinValue, 0); // no points: (0, 0)
    EXPECT_EQ(left->m_MaxValue, 0);
}

TEST_F(ChartFixture, RefreshIsCountedAndTheLastEnableDrawsOnce)
{
    chart.RefreshCtrl();
    CDC* memory = chart.GetMemoryDC();
    ASSERT_NE(memory, nullptr);
    const CPoint inside(chart.GetPlottingRect().left + 5, chart.GetPlottingRect().top + 5);
    EXPECT_EQ(memory->GetPixel(inside.x, inside.y), RGB(230, 230, 230));

    chart.EnableRefresh(false);
    chart.EnableRefresh(false);
    chart.m_BackColor = RGB(0, 0, 255);
    chart.RefreshCtrl();
    chart.EnableRefresh(true);
    EXPECT_TRUE(chart.m_bPendingRefresh);
    EXPECT_EQ(chart.GetMemoryDC()->GetPixel(inside.x, inside.y), RGB(230, 230, 230));
    chart.EnableRefresh(true);
    EXPECT_FALSE(chart.m_bPendingRefresh);
    EXPECT_EQ(chart.GetMemoryDC()->GetPixel(inside.x, inside.y), RGB(0, 0, 255));
}

TEST_F(ChartFixture, ZoomDragSetsTheAxesToTheRectangleAndADragBackUndoesIt)
{
    AddLine({{0, 0}, {10, 10}});
    ASSERT_EQ(bottom->m_MaxValue, 10);
    const QPoint from = Pixel(2, 8);
    const QPoint to = Pixel(6, 3);
    const double xMin = bottom->ScreenToValue(from.x()), xMax = bottom->ScreenToValue(to.x());
    const double yMin = left->ScreenToValue(to.y()), yMax = left->ScreenToValue(from.y());

    chart.m_ZoomRectColor = RGB(255, 0, 255);
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(client, to);
    EXPECT_TRUE(chart.m_bLMouseDown);
    // The rectangle is drawn over the chart while the button is held.
    const QImage dragging = client->grab().toImage();
    EXPECT_EQ(Grabbed(dragging, QPoint((from.x() + to.x()) / 2, from.y())), RGB(255, 0, 255));
    EXPECT_EQ(Grabbed(dragging, QPoint(to.x(), (from.y() + to.y()) / 2)), RGB(255, 0, 255));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_DOUBLE_EQ(bottom->m_MinValue, xMin);
    EXPECT_DOUBLE_EQ(bottom->m_MaxValue, xMax);
    EXPECT_DOUBLE_EQ(left->m_MinValue, yMin);
    EXPECT_DOUBLE_EQ(left->m_MaxValue, yMax);
    EXPECT_NEAR(xMin, 2, 0.1);
    EXPECT_NEAR(yMax, 8, 0.1);

    // Up and to the left: back to the range of the last automatic setting.
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, to);
    QTest::mouseMove(client, from);
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_EQ(bottom->m_MinValue, 0);
    EXPECT_EQ(bottom->m_MaxValue, 10);
    EXPECT_EQ(left->m_MinValue, 0);
    EXPECT_EQ(left->m_MaxValue, 10);
}

TEST_F(ChartFixture, ClickOrReleaseWithoutAPressDoesNotZoom)
{
    AddLine({{0, 0}, {10, 10}});
    const QPoint p = Pixel(5, 5);
    QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(bottom->m_MaxValue, 10);

    // A finished drag leaves its rectangle behind; a release whose press was elsewhere
    // must not zoom to it again.
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, Pixel(1, 9));
    QTest::mouseMove(client, Pixel(4, 6));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, Pixel(4, 6));
    chart.UndoPanZoom();
    ASSERT_EQ(bottom->m_MaxValue, 10);
    chart.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x(), p.y()));
    EXPECT_EQ(bottom->m_MinValue, 0);
    EXPECT_EQ(bottom->m_MaxValue, 10);
}

TEST_F(ChartFixture, RightDragPansBothAxes)
{
    AddLine({{0, 0}, {10, 10}});
    const QPoint from = Pixel(5, 5);
    const QPoint to = from + QPoint(30, -20); // right and up
    const double dx = bottom->ScreenToValue(to.x()) - bottom->ScreenToValue(from.x());
    const double dy = left->ScreenToValue(to.y()) - left->ScreenToValue(from.y());
    ASSERT_GT(dx, 0);
    ASSERT_GT(dy, 0);

    QTest::mousePress(client, Qt::RightButton, Qt::NoModifier, from);
    QTest::mouseMove(client, to);
    QTest::mouseRelease(client, Qt::RightButton, Qt::NoModifier, to);
    // The data follows the mouse: the shown range moves the other way.
    EXPECT_NEAR(bottom->m_MinValue, -dx, 1e-9);
    EXPECT_NEAR(bottom->m_MaxValue, 10 - dx, 1e-9);
    EXPECT_NEAR(left->m_MinValue, -dy, 1e-9);
    EXPECT_NEAR(left->m_MaxValue, 10 - dy, 1e-9);
    EXPECT_FALSE(chart.m_bRMouseDown);
}

TEST_F(ChartFixture, ClickTwoPixelsOffALineReachesTheTopmostSeriesListener)
{
    CChartLineSerie* lower = AddLine({{0, 0}, {10, 10}});
    CChartLineSerie* upper = AddLine({{0, 0}, {10, 10}});
    Recorder lowerRecorder, upperRecorder;
    lower->m_pMouseListener = &lowerRecorder;
    upper->m_pMouseListener = &upperRecorder;

    QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, Pixel(3.5, 3.5) + QPoint(0, 2));
    // Down then up, both taken by the series drawn last.
    ASSERT_EQ(upperRecorder.calls.size(), 2u);
    EXPECT_EQ(upperRecorder.calls[0].event, LButtonDown);
    EXPECT_EQ(upperRecorder.calls[0].index, -1);
    EXPECT_EQ(upperRecorder.calls[1].event, LButtonUp);
    EXPECT_EQ(upperRecorder.calls[0].serie, upper);
    EXPECT_TRUE(lowerRecorder.calls.empty());

    upper->m_bIsVisible = false;
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, Pixel(10, 10) + QPoint(-2, 1));
    ASSERT_FALSE(lowerRecorder.calls.empty());
    EXPECT_EQ(lowerRecorder.calls.back().index, 1); // near the last point
}

TEST_F(ChartFixture, ListenerMayRemoveItsSeriesOnADoubleClick)
{
    struct Remover : CChartSeriesMouseListener<SChartXYPoint> {
        CChartCtrl* chart = nullptr;
        int removed = 0;
        void OnMouseEventSeries(int event, int, int, CChartSerieBase<SChartXYPoint>* serie, int) override
        {
            if (event == LButtonDoubleClick) {
                chart->RemoveSerie(serie->GetSerieId());
                ++removed;
            }
        }
    } remover;
    remover.chart = &chart;
    AddLine({{0, 0}, {10, 0}})->m_pMouseListener = &remover;
    CChartLineSerie* top = AddLine({{0, 5}, {10, 5}});
    top->m_pMouseListener = &remover;
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, Pixel(5, 5));
    EXPECT_EQ(remover.removed, 1);
    EXPECT_EQ(chart.GetSeriesCount(), 1u);
    EXPECT_EQ(left->m_MaxValue, 0); // the axis spans what is left
}

TEST_F(ChartFixture, GrabbedChartShowsEachSeriesInItsColourAlongItsLine)
{
    AddLine({{0, 2}, {10, 2}}, 3);
    AddLine({{0, 0}, {5, 8}, {10, 8}}, 3);
    chart.UpdateWindow();
    const QImage image = client->grab().toImage();
    ASSERT_EQ(image.width(), 400);
    for (double x : {1.0, 3.3, 6.0, 9.0})
        EXPECT_EQ(Grabbed(image, Pixel(x, 2)), 0x0000FFu) << "first series at x " << x;
    for (double x : {5.5, 7.0, 9.5})
        EXPECT_EQ(Grabbed(image, Pixel(x, 8)), 0x009600u) << "second series at x " << x;
    // The rising part of the second series: y = 1.6 x.
    EXPECT_EQ(Grabbed(image, Pixel(2.5, 4)), 0x009600u);
    // Background between the lines.
    EXPECT_EQ(Grabbed(image, Pixel(8, 5) + QPoint(1, 1)), RGB(230, 230, 230));
}

TEST_F(ChartFixture, AddedPointDrawsItsSegmentWithoutAFullRedraw)
{
    for (CChartStandardAxis* axis : {left, bottom}) {
        axis->m_AutoMode = CChartAxis::NotAutomatic;
        axis->m_MinValue = 0;
        axis->m_MaxValue = 10;
    }
    CChartLineSerie* serie = AddLine({{0, 5.5}}, 3);
    chart.RefreshCtrl();
    const QPoint middle = Pixel(5.5, 5.5); // between the grid lines
    CDC* memory = chart.GetMemoryDC();
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->GetPixel(middle.x(), middle.y()), RGB(230, 230, 230));
    serie->AddPoint(10, 5.5);
    EXPECT_EQ(chart.GetMemoryDC()->GetPixel(middle.x(), middle.y()), 0x0000FFu);
}

TEST(ChartCtrl, ZeroSizeWindowDrawsNothingAndAResizeBuildsThePicture)
{
    CChartCtrl chart;
    ASSERT_TRUE(chart.Create(L"ChartCtrl", L"", WS_VISIBLE, CRect(0, 0, 0, 0), static_cast<QWidget*>(nullptr), 8));
    chart.CreateStandardAxis(CChartCtrl::LeftAxis)->m_AutoMode = CChartAxis::FullAutomatic;
    chart.CreateStandardAxis(CChartCtrl::BottomAxis)->m_AutoMode = CChartAxis::FullAutomatic;
    CChartLineSerie* serie = chart.CreateLineSerie();
    ASSERT_NE(serie, nullptr);
    serie->AddPoint(0, 0);
    serie->AddPoint(1, 1);
    chart.RefreshCtrl();
    chart.UpdateWindow();
    CRect client;
    chart.GetClientRect(&client);
    EXPECT_TRUE(client.IsRectEmpty()) << client.Width() << "x" << client.Height();
    EXPECT_EQ(chart.GetMemoryDC(), nullptr);

    chart.MoveWindow(0, 0, 200, 120);
    QTest::qWait(1);
    chart.GetClientRect(&client);
    CDC* memory = chart.GetMemoryDC();
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->GetCurrentBitmap()->Width(), client.Width());
    EXPECT_EQ(memory->GetCurrentBitmap()->Height(), client.Height());
}

TEST(ChartCtrl, SeriesNeedBothAxes)
{
    CChartCtrl chart;
    EXPECT_EQ(chart.CreateLineSerie(), nullptr);
    chart.CreateStandardAxis(CChartCtrl::LeftAxis);
    EXPECT_EQ(chart.CreateLineSerie(), nullptr);
    chart.CreateStandardAxis(CChartCtrl::BottomAxis);
    EXPECT_NE(chart.CreateLineSerie(), nullptr);
    EXPECT_EQ(chart.CreateStandardAxis(4), nullptr);
}

TEST_F(ChartFixture, GradientBackgroundsRunBetweenTheTwoColours)
{
    chart.m_bBackGradient = true;
    chart.m_BackGradientCol1 = RGB(255, 0, 0);
    chart.m_BackGradientCol2 = RGB(0, 0, 255);
    CRect client;
    chart.GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    auto red = [&](int x, int y) { return GetRValue(chart.GetMemoryDC()->GetPixel(x, y)); };
    struct Case {
        int kind;
        CPoint nearFirst, nearSecond;
    };
    // Four pixels in from the edge (the edge itself is drawn over the fill).
    const Case cases[] = {
        {0, {4, h / 2}, {w - 5, h / 2}},     // left to right
        {1, {w / 2, 4}, {w / 2, h - 5}},     // top to bottom
        {2, {4, h / 2}, {w / 2 - 1, h / 2}}, // halves: colour 2 in the middle
        {3, {w / 2, h - 5}, {w / 2, h / 2 - 1}},
    };
    for (const Case& c : cases) {
        chart.m_BackGradientType = c.kind;
        chart.RefreshCtrl();
        EXPECT_GT(red(c.nearFirst.x, c.nearFirst.y), 240) << "kind " << c.kind;
        EXPECT_LT(red(c.nearSecond.x, c.nearSecond.y), 15) << "kind " << c.kind;
    }
}

TEST_F(ChartFixture, ReplacedAxisTakesOverItsSeries)
{
    CChartLineSerie* serie = AddLine({{0, -1}, {10, 4}});
    CChartStandardAxis* newLeft = chart.CreateStandardAxis(CChartCtrl::LeftAxis);
    EXPECT_EQ(serie->m_pVerticalAxis, newLeft);
    newLeft->m_AutoMode = CChartAxis::FullAutomatic;
    newLeft->RefreshAutoAxis();
    EXPECT_EQ(newLeft->m_MinValue, -1);
    EXPECT_EQ(newLeft->m_MaxValue, 4);
    chart.RefreshCtrl();
}

TEST_F(ChartFixture, TinyWindowsAndDeepZoomsDrawAndEnd)
{
    AddLine({{0, 0}, {1e6, 1e6}, {2e6, 0}});
    // Far below a pixel per unit: pixels of the far points are clamped, not wrapped.
    bottom->m_MinValue = 1e6;
    bottom->m_MaxValue = 1e6 + 1e-9;
    left->m_MinValue = 1e6 - 1e-9;
    left->m_MaxValue = 1e6;
    chart.RefreshCtrl();
    chart.UpdateWindow();

    chart.MoveWindow(0, 0, 40, 30); // shorter than one tick spacing both ways
    QTest::qWait(1);
    EXPECT_EQ(bottom->m_dTickIncrement, 0);
    EXPECT_EQ(left->m_dTickIncrement, 0);
    EXPECT_NE(chart.GetMemoryDC(), nullptr);
}

// Besides a drag up or to the left, a double click away from the points and Escape bring
// back the whole graph; a double click on a point is that point's series' own.
TEST_F(ChartFixture, DoubleClickOrEscapeRestoresTheWholeGraph)
{
    AddLine({{0, 0}, {10, 10}});
    auto zoom = [&] {
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, Pixel(2, 8));
        QTest::mouseMove(client, Pixel(6, 3));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, Pixel(6, 3));
        ASSERT_NEAR(bottom->m_MinValue, 2, 0.1);
        ASSERT_NEAR(left->m_MaxValue, 8, 0.1);
    };
    auto expectWhole = [&](const char* how) {
        EXPECT_EQ(bottom->m_MinValue, 0) << how;
        EXPECT_EQ(bottom->m_MaxValue, 10) << how;
        EXPECT_EQ(left->m_MinValue, 0) << how;
        EXPECT_EQ(left->m_MaxValue, 10) << how;
    };

    zoom();
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, Pixel(5, 1)); // away from the line
    expectWhole("double click");

    zoom();
    QTest::keyClick(client, Qt::Key_Escape);
    expectWhole("Escape");

    // Escape while dragging drops the rectangle: the release then zooms nowhere.
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, Pixel(2, 8));
    QTest::mouseMove(client, Pixel(6, 3));
    QTest::keyClick(client, Qt::Key_Escape);
    EXPECT_FALSE(chart.m_bLMouseDown);
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, Pixel(6, 3));
    expectWhole("Escape during a drag");

    // On a data point: the zoom stays, the series hears of it.
    Recorder recorder;
    CChartLineSerie* serie = AddLine({{4, 4}, {5, 5}});
    serie->m_pMouseListener = &recorder;
    zoom();
    const double zoomedMin = bottom->m_MinValue;
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, Pixel(4, 4));
    EXPECT_EQ(bottom->m_MinValue, zoomedMin);
    ASSERT_FALSE(recorder.calls.empty());
    EXPECT_EQ(recorder.calls.back().event, LButtonDoubleClick);
}

// The legend lists the named series once per name and colour and keeps off the plotting
// area; a chart title takes its line over it.
TEST_F(ChartFixture, LegendAndTitleStandOverThePlottingArea)
{
    CChartLineSerie* a = AddLine({{0, 0}, {10, 10}});
    CChartLineSerie* b = AddLine({{0, 10}, {10, 0}});
    CChartLineSerie* c = AddLine({{0, 5}, {10, 5}});
    AddLine({{0, 1}, {10, 1}}); // no name: not listed
    a->m_strSerieName = L"Rising";
    b->m_strSerieName = L"Falling";
    c->m_strSerieName = L"Rising";
    c->m_SerieColor = a->m_SerieColor; // the same name and colour: one entry
    chart.RefreshCtrl();
    const CRect before = chart.GetPlottingRect();
    EXPECT_TRUE(chart.GetLegend()->GetShownLines().empty()); // invisible until asked for

    chart.GetLegend()->m_bIsVisible = true;
    chart.GetTitle()->AddString(L"Reaction 1");
    chart.RefreshCtrl();
    EXPECT_EQ(chart.GetLegend()->GetShownLines(), (std::vector<std::wstring>{L"Rising", L"Falling"}));
    const CRect legend = chart.GetLegend()->m_ObjectRect;
    const CRect plot = chart.GetPlottingRect();
    EXPECT_LE(chart.GetTitle()->m_ObjectRect.bottom, legend.top);
    EXPECT_LE(legend.bottom, plot.top);
    EXPECT_GT(plot.top, before.top);

    // More names than a quarter of the height holds: the last place counts the others.
    for (int i = 0; i < 40; ++i)
        AddLine({{0, 0}, {1, 1}})->m_strSerieName = L"Load model number " + std::to_wstring(i);
    chart.RefreshCtrl();
    const auto lines = chart.GetLegend()->GetShownLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.back().substr(0, 2), L"+ ");
    EXPECT_LE(chart.GetLegend()->m_ObjectRect.Height(), 300 / 4 + 4);
    client->grab().save(qeltest::ScreenshotFile(QStringLiteral("chart-legend-overflow.png")));
}

// Lines are smoothed: a sloping thin line has pixels partly in its colour.
TEST_F(ChartFixture, LinesAreAntiAliased)
{
    AddLine({{0, 0}, {10, 3}}, 1);
    chart.UpdateWindow();
    const QImage image = client->grab().toImage();
    int partial = 0;
    for (int x = Pixel(1, 0).x(); x < Pixel(9, 0).x(); ++x)
        for (int y = Pixel(0, 3).y(); y <= Pixel(0, 0).y(); ++y) {
            const QRgb p = image.pixel(x, y);
            // Between the background (230, 230, 230) and pure red, not either.
            if (qRed(p) > 232 && qBlue(p) < 228 && qBlue(p) > 10)
                ++partial;
        }
    EXPECT_GT(partial, 10);
}
