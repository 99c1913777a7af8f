#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "controls/chart/ChartStandardAxis.h"

namespace {

// An axis placed as the chart places it: a horizontal one from left to right,
// a vertical one from bottom (start) to top (end).
void Place(CChartStandardAxis& axis, bool horizontal, int start, int end, double min, double max)
{
    axis.m_bIsHorizontal = horizontal;
    axis.m_StartPos = start;
    axis.m_EndPos = end;
    axis.m_MinValue = min;
    axis.m_MaxValue = max;
}

std::vector<double> Ticks(const CChartStandardAxis& axis)
{
    std::vector<double> ticks;
    double tick = axis.GetFirstTickValue();
    ticks.push_back(tick);
    double next = 0;
    while (axis.GetNextTickValue(tick, next) && ticks.size() < 10000) {
        ticks.push_back(next);
        tick = next;
    }
    return ticks;
}

} // namespace

TEST(ChartStandardAxis, TickStepIsOneTwoOrFiveTimesAPowerOfTenForTheWindowSize)
{
    struct Case {
        double min, max;
        bool horizontal;
        int pixels;
        double increment;
        unsigned decimals;
    };
    // n = pixels / 30 (horizontal) or / 20 (vertical); t = range / n; the step is the first of
    // p, 2p, 5p, 10p (p = 10^floor(log10 t)) that is >= t.
    const Case cases[] = {
        {0, 10, true, 300, 1, 0},         // n 10, t 1
        {0, 2, false, 200, 0.2, 1},       // n 10, t 0.2, p 0.1
        {0, 37, true, 300, 5, 0},         // t 3.7, p 1
        {0, 9.5, true, 300, 1, 0},        // t 0.95, p 0.1: 10p with one decimal fewer
        {-3.1, 97, false, 200, 20, 0},    // t 10.01, p 10
        {0, 0.003, true, 300, 0.0005, 4}, // t 0.0003, p 0.0001
        {-500, 500, true, 610, 50, 0},    // n 20, t 50
        {0, 1, false, 45, 0.5, 1},        // n 2, t 0.5
    };
    for (const Case& c : cases) {
        CChartStandardAxis axis;
        if (c.horizontal)
            Place(axis, true, 50, 50 + c.pixels, c.min, c.max);
        else
            Place(axis, false, 250, 250 - c.pixels, c.min, c.max);
        axis.ComputeTickStep();
        EXPECT_DOUBLE_EQ(axis.m_dTickIncrement, c.increment) << c.min << ".." << c.max << " over " << c.pixels;
        EXPECT_EQ(axis.m_uDecCount, c.decimals) << c.min << ".." << c.max << " over " << c.pixels;
    }
}

TEST(ChartStandardAxis, TicksRunFromTheFirstMultipleToTheMaximum)
{
    CChartStandardAxis axis;
    Place(axis, true, 0, 300, 0, 10);
    axis.ComputeTickStep();
    axis.RefreshFirstTick();
    std::vector<double> ticks = Ticks(axis);
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(axis.FormatTickValue(ticks.front()), L"0");
    EXPECT_EQ(axis.FormatTickValue(ticks.back()), L"10");
}

TEST(ChartStandardAxis, FirstTickIsTheSmallestMultipleOfTheIncrementNotBelowTheMinimum)
{
    struct Case {
        double min, increment, first;
    };
    const Case cases[] = {
        {-7.3, 2, -6}, {7.3, 2, 8}, {6, 2, 6}, {-6, 2, -6}, {0, 2, 0}, {3.5, 0, 3.5}, {-0.05, 0.2, 0},
    };
    for (const Case& c : cases) {
        CChartStandardAxis axis;
        axis.m_MinValue = c.min;
        axis.m_dTickIncrement = c.increment;
        axis.RefreshFirstTick();
        EXPECT_NEAR(axis.m_dFirstTickValue, c.first, 1e-12) << c.min << " step " << c.increment;
    }
}

TEST(ChartStandardAxis, ShortAxisOrDegenerateRangeHasNoStepAndOneTick)
{
    CChartStandardAxis shortAxis;
    Place(shortAxis, true, 10, 39, 0, 10); // 29 pixels: less than one tick spacing
    shortAxis.ComputeTickStep();
    shortAxis.RefreshFirstTick();
    EXPECT_EQ(shortAxis.m_dTickIncrement, 0);
    EXPECT_EQ(Ticks(shortAxis), std::vector<double>{0.0});

    // Labels wider than the window squeeze the plotting area past nothing: end before start.
    CChartStandardAxis squeezed;
    Place(squeezed, true, 120, 40, 0, 10);
    squeezed.ComputeTickStep();
    EXPECT_EQ(squeezed.m_dTickIncrement, 0);

    CChartStandardAxis flat;
    Place(flat, false, 200, 0, 4, 4);
    flat.m_uDecCount = 3;
    flat.ComputeTickStep();
    EXPECT_EQ(flat.m_dTickIncrement, 0);
    EXPECT_EQ(flat.m_uDecCount, 3u); // decimals stay
}

TEST(ChartStandardAxis, TickLoopsEndFarFromZero)
{
    // Around 1e20 a step of 1 vanishes in rounding: first tick and tick run must still end.
    CChartStandardAxis axis;
    axis.m_MinValue = 1e20;
    axis.m_MaxValue = 1e20 + 1e6;
    axis.m_dTickIncrement = 1;
    axis.RefreshFirstTick();
    EXPECT_EQ(axis.m_dFirstTickValue, 1e20);
    EXPECT_EQ(Ticks(axis).size(), 1u);

    // A deep zoom far from zero: min / step is far beyond the range of int.
    CChartStandardAxis deep;
    Place(deep, true, 0, 300, 1e7, 1e7 + 1e-6);
    deep.ComputeTickStep();
    deep.RefreshFirstTick();
    ASSERT_GT(deep.m_dTickIncrement, 0);
    EXPECT_GE(deep.m_dFirstTickValue, 1e7);
    EXPECT_LT(deep.m_dFirstTickValue, 1e7 + deep.m_dTickIncrement);
    EXPECT_LE(Ticks(deep).size(), 11u);
}

TEST(ChartStandardAxis, TickLabelsAreFixedPointWithDotAndNoGroupingInAnyLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // where the machine has it
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    CChartStandardAxis axis;
    axis.m_uDecCount = 2;
    EXPECT_EQ(axis.FormatTickValue(2.5), L"2.50");
    EXPECT_EQ(axis.FormatTickValue(-0.25), L"-0.25");
    axis.m_uDecCount = 1;
    EXPECT_EQ(axis.FormatTickValue(1234567.25), L"1234567.2");
    // -1 + 5 x 0.2 by repeated addition is -1.1e-16: the label at zero has no sign.
    double tick = -1;
    for (int i = 0; i < 5; ++i)
        tick += 0.2;
    EXPECT_EQ(axis.FormatTickValue(tick), L"0.0");
    axis.m_uDecCount = 0;
    EXPECT_EQ(axis.FormatTickValue(-3), L"-3");

    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ChartAxis, ValueToScreenAndBack)
{
    struct Case {
        bool horizontal, inverted;
        int start, end;
        double value;
        int pixel;
    };
    // 0..10 over 300 pixels horizontally (50..350), 0..2 over 200 pixels vertically (250 up to 50).
    const Case cases[] = {
        {true, false, 50, 350, 2.5, 125},                                    // 50 + 300 x 0.25
        {true, true, 50, 350, 2.5, 275},                                     // 350 - 75
        {true, false, 50, 350, 10, 350},  {false, false, 250, 50, 0.5, 200}, // 250 - 200 x 0.25
        {false, true, 250, 50, 0.5, 100},                                    // 50 + 50
        {false, false, 250, 50, 0, 250},
    };
    for (const Case& c : cases) {
        CChartStandardAxis axis;
        Place(axis, c.horizontal, c.start, c.end, 0, c.horizontal ? 10 : 2);
        axis.m_bIsInverted = c.inverted;
        EXPECT_EQ(axis.ValueToScreen(c.value), c.pixel) << c.horizontal << c.inverted << " " << c.value;
        EXPECT_NEAR(axis.ScreenToValue(c.pixel), c.value, 1e-12) << c.horizontal << c.inverted;
    }
}

TEST(ChartAxis, DeepZoomClampsPixelsInsteadOfOverflowing)
{
    CChartStandardAxis axis;
    Place(axis, true, 50, 350, 0, 1e-12);
    const int far = axis.ValueToScreen(1e6); // 3e20 pixels away
    const int nearFar = axis.ValueToScreen(-1e6);
    EXPECT_GT(far, 350);
    EXPECT_LT(nearFar, 50);
    EXPECT_GT(far - nearFar, 0); // no wrap-around
}

TEST(ChartAxis, DegenerateRangePlacesAtTheMiddleAndMapsPixelsToMin)
{
    CChartStandardAxis horizontal;
    Place(horizontal, true, 50, 351, 3, 3);
    EXPECT_EQ(horizontal.GetPosition(3), 50 + 150);
    EXPECT_EQ(horizontal.ScreenToValue(300), 3);

    CChartStandardAxis vertical;
    Place(vertical, false, 250, 50, -1, -1);
    EXPECT_EQ(vertical.GetPosition(7), 150);
}

TEST(ChartAxis, DiscreteAxisPlacesValuesAtTheMiddleOfTheirInterval)
{
    CChartStandardAxis axis;
    Place(axis, true, 0, 300, 0, 10);
    axis.m_dTickIncrement = 1;
    axis.m_dFirstTickValue = 0;
    axis.m_bDiscrete = true;
    EXPECT_EQ(axis.GetPosition(3.2), 105); // interval 3..4, middle 3.5
    EXPECT_DOUBLE_EQ(axis.GetFirstTickValue(), -1);
}

TEST(ChartAxis, ZoomKeepsAtLeastTheZoomLimitAndRefusesADegenerateRange)
{
    CChartStandardAxis axis;
    Place(axis, true, 0, 300, 0, 10);
    axis.SetZoomMinMax(2, 2.0004);
    EXPECT_DOUBLE_EQ(axis.m_MinValue, 2);
    EXPECT_DOUBLE_EQ(axis.m_MaxValue, 2.001);

    axis.m_bZoomEnabled = false;
    axis.SetZoomMinMax(4, 5);
    EXPECT_DOUBLE_EQ(axis.m_MinValue, 2);

    // Labels wider than the window squeeze the plotting area past nothing: end before start.
    CChartStandardAxis squeezed;
    Place(squeezed, true, 120, 40, 0, 10);
    squeezed.ComputeTickStep();
    EXPECT_EQ(squeezed.m_dTickIncrement, 0);

    CChartStandardAxis flat;
    Place(flat, true, 0, 300, 1, 1);
    flat.SetZoomMinMax(0, 5);
    EXPECT_EQ(flat.m_MinValue, 1);
    EXPECT_EQ(flat.m_MaxValue, 1);
}

TEST(ChartAxis, PanShiftsTheRangeByTheDraggedDistance)
{
    CChartStandardAxis horizontal;
    Place(horizontal, true, 0, 300, 0, 10);
    horizontal.PanAxis(200, 230); // 30 pixels right = one unit: the values move right, the range left
    EXPECT_DOUBLE_EQ(horizontal.m_MinValue, -1);
    EXPECT_DOUBLE_EQ(horizontal.m_MaxValue, 9);

    CChartStandardAxis vertical;
    Place(vertical, false, 200, 0, 0, 2);
    vertical.PanAxis(100, 50); // 50 pixels up = 0.5
    EXPECT_DOUBLE_EQ(vertical.m_MinValue, -0.5);
    EXPECT_DOUBLE_EQ(vertical.m_MaxValue, 1.5);
}

#include <QImage>

#include "controls/chart/ChartAxisLabel.h"
#include "platform/gdi/DC.h"

namespace {

// Rows (vertical title) or columns that hold dark text pixels.
std::pair<int, int> InkExtent(const QImage& img, bool vertical)
{
    int first = -1, last = -1;
    const int n = vertical ? img.height() : img.width();
    for (int i = 0; i < n; ++i) {
        bool ink = false;
        const int m = vertical ? img.width() : img.height();
        for (int j = 0; j < m && !ink; ++j)
            ink = qGray(vertical ? img.pixel(j, i) : img.pixel(i, j)) < 128;
        if (ink) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return {first, last};
}

} // namespace

// A title longer than its axis is drawn smaller, within the axis, not cut at the edges.
TEST(ChartAxisLabel, TitleLongerThanItsAxisStaysWithinIt)
{
    for (bool vertical : {true, false}) {
        // About 230 px of text at its own 10 pt, for an axis of 160 px.
        QImage img(vertical ? 30 : 180, vertical ? 180 : 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            CDC dc;
            ASSERT_TRUE(dc.AttachDevice(&img));
            CChartAxisLabel label;
            label.m_bIsHorizontal = !vertical; // as the axis sets it
            label.m_Font.SetVertical(vertical);
            label.m_strLabelText = L"Critical Values - Bending Moment (kNm)";
            label.m_LabelRect = vertical ? CRect(0, 10, 30, 170) : CRect(10, 0, 170, 30);
            label.Draw(&dc);
        }
        const auto [first, last] = InkExtent(img, vertical);
        ASSERT_GE(first, 0) << "nothing drawn";
        EXPECT_GE(first, 10) << (vertical ? "vertical" : "horizontal");
        EXPECT_LE(last, 170) << (vertical ? "vertical" : "horizontal");
    }
}
