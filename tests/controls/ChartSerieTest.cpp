#include <gtest/gtest.h>

#include <vector>

#include "controls/chart/ChartLineSerie.h"
#include "controls/chart/ChartPointsArray.h"
#include "controls/chart/ChartStandardAxis.h"
#include "controls/chart/ChartXYPoint.h"

namespace {

std::vector<double> Xs(const CChartPointsArray<SChartXYPoint>& points)
{
    std::vector<double> xs;
    for (int i = 0; i < points.GetPointsCount(); ++i)
        xs.push_back(points[i].X);
    return xs;
}

// Points at x = 0, 1, ..., 10, all at y = 5.
std::vector<SChartXYPoint> FlatLine()
{
    std::vector<SChartXYPoint> points;
    for (int x = 0; x <= 10; ++x)
        points.push_back({static_cast<double>(x), 5, 0});
    return points;
}

// A line series on two free-standing axes: x 0..10 over pixels 0..300, y 0..10 over pixels
// 300 (bottom) up to 0, so one unit is 30 pixels both ways.
struct LineOnAxes {
    CChartStandardAxis horizontal;
    CChartStandardAxis vertical;
    CChartLineSerie serie{nullptr};

    explicit LineOnAxes(const std::vector<SChartXYPoint>& points)
    {
        for (const SChartXYPoint& p : points)
            serie.AddPoint(p.X, p.Y); // no axes yet: only stored
        horizontal.m_bIsHorizontal = true;
        horizontal.m_StartPos = 0;
        horizontal.m_EndPos = 300;
        horizontal.m_MaxValue = 10;
        vertical.m_bIsHorizontal = false;
        vertical.m_StartPos = 300;
        vertical.m_EndPos = 0;
        vertical.m_MaxValue = 10;
        serie.m_pHorizontalAxis = &horizontal;
        serie.m_pVerticalAxis = &vertical;
        horizontal.RegisterSeries(&serie);
        vertical.RegisterSeries(&serie);
    }
};

struct Recorder : CChartSeriesMouseListener<SChartXYPoint> {
    struct Call {
        int event, x, y, index;
        CChartSerieBase<SChartXYPoint>* serie;
    };
    std::vector<Call> calls;
    void OnMouseEventSeries(int event, int x, int y, CChartSerieBase<SChartXYPoint>* serie, int index) override
    {
        calls.push_back({event, x, y, index, serie});
    }
};

} // namespace

TEST(ChartPointsArray, KeepsPointsOrderedByXWithEqualKeysInInsertionOrder)
{
    CChartPointsArray<SChartXYPoint> points;
    for (double x : {0.0, 2.0, 1.0})
        points.AddPoint({x, 10 * x, 0});
    EXPECT_EQ(Xs(points), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(points[1].Y, 10);

    points.AddPoint({1.0, -1, 0});
    points.AddPoint({1.0, -2, 0});
    ASSERT_EQ(points.GetPointsCount(), 5);
    EXPECT_EQ(points[1].Y, 10); // first added with X = 1
    EXPECT_EQ(points[2].Y, -1);
    EXPECT_EQ(points[3].Y, -2);
    EXPECT_EQ(points[4].X, 2);
}

TEST(ChartPointsArray, OrdersByYOrNotAtAllAndResortsOnRequest)
{
    CChartPointsArray<SChartXYPoint> byY;
    byY.SetOrdering(CChartPointsArray<SChartXYPoint>::YOrdering);
    CChartPointsArray<SChartXYPoint> unordered;
    unordered.SetOrdering(CChartPointsArray<SChartXYPoint>::NoOrdering);
    for (double x : {3.0, 1.0, 2.0}) {
        byY.AddPoint({x, -x, 0});
        unordered.AddPoint({x, -x, 0});
    }
    EXPECT_EQ(Xs(byY), (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(Xs(unordered), (std::vector<double>{3, 1, 2}));

    unordered.SetOrdering(CChartPointsArray<SChartXYPoint>::XOrdering);
    EXPECT_EQ(Xs(unordered), (std::vector<double>{1, 2, 3}));
}

TEST(ChartPointsArray, GrowsByAThousandPointsKeepingEveryPointAndTheExtremes)
{
    CChartPointsArray<SChartXYPoint> points;
    EXPECT_EQ(points.GetBufferSize(), 1000);
    // Descending X: every point is inserted at the front, across the growth.
    for (int i = 0; i <= 1000; ++i)
        points.AddPoint({1000.0 - i, static_cast<double>(i % 7) - 3, 0});
    EXPECT_EQ(points.GetPointsCount(), 1001);
    EXPECT_EQ(points.GetBufferSize(), 2000);
    for (int i = 0; i <= 1000; ++i) {
        ASSERT_EQ(points[i].X, i);
        ASSERT_EQ(points[i].Y, static_cast<double>((1000 - i) % 7) - 3);
    }
    double min = 0, max = 0;
    ASSERT_TRUE(points.GetSerieXMinMax(min, max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 1000);
    ASSERT_TRUE(points.GetSerieYMinMax(min, max));
    EXPECT_EQ(min, -3);
    EXPECT_EQ(max, 3);
}

TEST(ChartSerie, HiddenOrEmptySeriesReportNoExtremes)
{
    CChartLineSerie empty(nullptr);
    double min = 0, max = 0;
    EXPECT_FALSE(empty.GetSerieXMinMax(min, max));
    LineOnAxes line({{1, 2, 0}, {3, -4, 0}});
    EXPECT_TRUE(line.serie.GetSerieYMinMax(min, max));
    EXPECT_EQ(min, -4);
    EXPECT_EQ(max, 2);
    line.serie.m_bIsVisible = false;
    EXPECT_FALSE(line.serie.GetSerieYMinMax(min, max));
}

TEST(ChartSerie, VisiblePointsFollowTheHorizontalAxisRange)
{
    LineOnAxes line(FlatLine());
    line.horizontal.m_MinValue = 2.5;
    line.horizontal.m_MaxValue = 7.5;
    unsigned first = 0, last = 0;
    ASSERT_TRUE(line.serie.GetVisiblePoints(first, last));
    EXPECT_EQ(first, 3u);
    EXPECT_EQ(last, 7u);

    // Y extremes among the visible points only, for the screen-automatic axis.
    line.serie.AddPoint(3.5, 9); // inserted by X between 3 and 4
    double min = 0, max = 0;
    ASSERT_TRUE(line.serie.GetSerieYScreenMinMax(min, max));
    EXPECT_EQ(min, 5);
    EXPECT_EQ(max, 9);
    EXPECT_FALSE(line.serie.GetSerieXScreenMinMax(min, max)); // only for a series ordered by Y
}

TEST(ChartLineSerie, HitTestFindsSegmentsWithinThreePixelsAndPointsWithinFive)
{
    // Pixels: (0,0) -> (0,300), (5,5) -> (150,150), (10,5) -> (300,150).
    LineOnAxes line({{0, 0, 0}, {5, 5, 0}, {10, 5, 0}});
    struct Case {
        int x, y;
        bool on;
        int index;
    };
    const Case cases[] = {
        {77, 225, true, -1},   // 1 pixel off the first segment's middle (its projection is (76, 224))
        {225, 152, true, -1},  // two pixels below the flat segment
        {225, 155, false, -1}, // five pixels below it
        {148, 152, true, 1},   // near the joint: the later point of the first segment
        {3, 296, true, 0},     // near the first point
        {303, 150, false, -1}, // beyond the last point
    };
    for (const Case& c : cases) {
        int index = 99;
        EXPECT_EQ(line.serie.IsPointOnSerie(CPoint(c.x, c.y), index), c.on) << c.x << "," << c.y;
        EXPECT_EQ(index, c.index) << c.x << "," << c.y;
    }
    line.serie.m_bIsVisible = false;
    int index = 0;
    EXPECT_FALSE(line.serie.IsPointOnSerie(CPoint(225, 150), index));
}

TEST(ChartLineSerie, ShortAndZeroLengthSegments)
{
    // (0,0) -> (0,300) and (0.1,0.1) -> (3,297): both ends within 5 pixels gives the later one.
    LineOnAxes shortLine({{0, 0, 0}, {0.1, 0.1, 0}});
    int index = -1;
    EXPECT_TRUE(shortLine.serie.IsPointOnSerie(CPoint(1, 299), index));
    EXPECT_EQ(index, 1);

    // The first two points share pixel (150,150); the test goes on with the next segment.
    LineOnAxes samePixel({{5, 5, 0}, {5.01, 5.01, 0}, {10, 5, 0}});
    EXPECT_EQ(samePixel.serie.GetPointScreenCoord(0).x, samePixel.serie.GetPointScreenCoord(1).x);
    EXPECT_EQ(samePixel.serie.GetPointScreenCoord(0).y, samePixel.serie.GetPointScreenCoord(1).y);
    EXPECT_TRUE(samePixel.serie.IsPointOnSerie(CPoint(250, 151), index));
    EXPECT_EQ(index, -1);
}

TEST(ChartLineSerie, SegmentCrossingAZoomWithoutPointsStillHits)
{
    LineOnAxes line(FlatLine());
    line.horizontal.m_MinValue = 3.2;
    line.horizontal.m_MaxValue = 3.8; // no point inside: points 3 and 4 lie at -100 and 400
    int index = 0;
    EXPECT_TRUE(line.serie.IsPointOnSerie(CPoint(150, 150), index));
    EXPECT_EQ(index, -1);
}

TEST(ChartLineSerie, MouseEventsReachTheListenerOnlyWhenAskedFor)
{
    LineOnAxes line({{0, 0, 0}, {5, 5, 0}, {10, 5, 0}});
    const CPoint onLine(225, 152);
    EXPECT_FALSE(line.serie.OnMouseEvent(LButtonDown, onLine)); // no listener

    Recorder recorder;
    line.serie.m_pMouseListener = &recorder;
    EXPECT_TRUE(line.serie.OnMouseEvent(LButtonDown, CPoint(298, 151)));
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].event, LButtonDown);
    EXPECT_EQ(recorder.calls[0].x, 298);
    EXPECT_EQ(recorder.calls[0].y, 151);
    EXPECT_EQ(recorder.calls[0].index, 2);
    EXPECT_EQ(recorder.calls[0].serie, &line.serie);

    EXPECT_FALSE(line.serie.OnMouseEvent(MouseMove, onLine));           // moves are off by default
    EXPECT_FALSE(line.serie.OnMouseEvent(LButtonDown, CPoint(10, 10))); // off the line
    line.serie.m_bMouseMoveNotifications = true;
    EXPECT_TRUE(line.serie.OnMouseEvent(MouseMove, onLine));
    line.serie.m_bMouseClickNotifications = false;
    EXPECT_FALSE(line.serie.OnMouseEvent(RButtonDoubleClick, onLine));
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST(ChartSerie, IdsGrowAndDestructionLeavesTheAxes)
{
    CChartStandardAxis axis;
    unsigned firstId;
    {
        CChartLineSerie a(nullptr);
        CChartLineSerie b(nullptr);
        firstId = a.GetSerieId();
        EXPECT_EQ(b.GetSerieId(), firstId + 1);
        a.m_pHorizontalAxis = &axis;
        axis.RegisterSeries(&a);
        axis.RegisterSeries(&a); // once only
        EXPECT_EQ(axis.m_lstSeries.size(), 1u);
    }
    EXPECT_TRUE(axis.m_lstSeries.empty());
    CChartLineSerie c(nullptr);
    EXPECT_EQ(c.GetSerieId(), firstId + 2);
}
