// The plot view's layout, primitives and axis rounding, and the graphs of every output kind.
#include "ViewTestUtil.h"

#include "controls/chart/ChartAxisLabel.h"
#include "controls/chart/ChartLegend.h"
#include "controls/chart/ChartTitle.h"

#include <cmath>
#include "TestOptions.h"

using namespace viewtest;

namespace {

constexpr COLORREF kLineMax = 0x0000FF, kLineMin = 0xFF0000, kBeam = 0x000000, kLight = 0xA0A0A0, kProp = 0x99FF33,
                   kLimit = 0x008CFF;

class PlotViewTest : public ::testing::Test {
protected:
    CPlotView* Open(int rows, int cols)
    {
        CPlotView* view = host.Open(std::make_unique<CPlotView>());
        view->SetLayout(rows, cols);
        return view;
    }

    static std::wstring XTitle(CChartCtrl* chart) { return chart->GetAxis(1)->GetLabel()->m_strLabelText; }
    static std::wstring YTitle(CChartCtrl* chart) { return chart->GetAxis(0)->GetLabel()->m_strLabelText; }

    MdiHost host;
};

// A range widened by the rounding rule: both ends whole multiples of a 1-2-5 tick step t,
// each end at least 0.2 t and less than 1.2 t beyond the data.
void ExpectRounded(CChartStandardAxis* axis, double dataMin, double dataMax)
{
    bool found = false;
    for (int k = -3; k <= 5 && !found; ++k)
        for (double m : {1.0, 2.0, 5.0}) {
            const double t = m * std::pow(10.0, k);
            const double lo = axis->m_MinValue / t;
            const double hi = axis->m_MaxValue / t;
            const double below = (dataMin - axis->m_MinValue) / t;
            const double above = (axis->m_MaxValue - dataMax) / t;
            if (std::fabs(lo - std::round(lo)) < 1e-9 && std::fabs(hi - std::round(hi)) < 1e-9 && below >= 0.2 - 1e-9 &&
                below < 1.2 && above >= 0.2 - 1e-9 && above < 1.2) {
                found = true;
                break;
            }
        }
    EXPECT_TRUE(found) << "range " << axis->m_MinValue << " .. " << axis->m_MaxValue << " around data " << dataMin
                       << " .. " << dataMax;
    EXPECT_EQ(axis->m_UnzoomMin, axis->m_MinValue);
    EXPECT_EQ(axis->m_UnzoomMax, axis->m_MaxValue);
}

} // namespace

TEST(PlotViewLayout, ChartsStandColumnByColumnUnderTheTitle)
{
    for (auto [rows, cols] : {std::pair{2, 1}, std::pair{2, 2}}) {
        CPlotView view;
        ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 600, 430)));
        view.GetSafeHwnd()->show();
        view.SetLayout(rows, cols);
        ASSERT_EQ(view.m_vCharts.size(), static_cast<std::size_t>(rows * cols));
        // Margins 10, 10, 10, 10 and 5 between charts; the title line is the top margin plus
        // its text, and the top margin stands once more between title and charts.
        const int title = view.m_nTitleHeight;
        EXPECT_EQ(title, 10 + view.MeasureText(view.m_sTitle, nullptr).cy);
        const int h = (430 - 10 - title - 10 - (rows - 1) * 5) / rows;
        const int w = (600 - 20 - (cols - 1) * 5) / cols;
        for (int k = 0; k < rows * cols; ++k) {
            const int c = k / rows, r = k % rows;
            QWidget* chart = view.m_vCharts[static_cast<std::size_t>(k)]->GetSafeHwnd();
            EXPECT_EQ(chart->geometry(), QRect(10 + c * (w + 5), 10 + title + r * (h + 5), w, h)) << k;
        }
    }
}

TEST(PlotViewLayout, ZeroRowsOrColumnsAreRefusedAndTinyWindowsGiveEmptyCharts)
{
    CPlotView view;
    ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 15, 15)));
    for (auto [rows, cols] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{-1, 2}}) {
        try {
            view.SetLayout(rows, cols);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Cannot have zero rows or columns");
        }
    }
    view.SetLayout(2, 2);
    for (CChartCtrl* chart : view.m_vCharts) {
        EXPECT_EQ(chart->GetSafeHwnd()->width(), 0);
        EXPECT_EQ(chart->GetSafeHwnd()->height(), 0);
    }
}

TEST(PlotViewRounding, RoundAxisWidensToWholeTickSteps)
{
    struct Case {
        double t, min, max, wantMin, wantMax;
    };
    const Case cases[] = {
        {20.0, -3.1, 97.0, -20.0, 120.0}, // 100 lies only 0.15 of a step above 97: one more step
        {50.0, 0.0, 80.0, -50.0, 100.0},  // an end on a tick gets a step of room
        {0.0, 1.0, 2.0, 1.0, 2.0},        // no tick step yet: nothing changes
    };
    for (const Case& c : cases) {
        CChartCtrl chart; // no window: only the axis values count
        auto* left = chart.CreateStandardAxis(CChartCtrl::LeftAxis);
        chart.CreateStandardAxis(CChartCtrl::BottomAxis);
        left->m_dTickIncrement = c.t;
        left->m_MinValue = c.min;
        left->m_MaxValue = c.max;
        CPlotView::RoundAxis(&chart, 0);
        EXPECT_DOUBLE_EQ(left->m_MinValue, c.wantMin) << c.t;
        EXPECT_DOUBLE_EQ(left->m_MaxValue, c.wantMax) << c.t;
    }
}

// The tick steps are computed even when the view is hidden, so a view filled before it is
// shown rounds as on screen.
TEST(PlotViewRounding, AHiddenViewRoundsItsAxes)
{
    QWidget frame; // not shown yet, as a child frame before its first show
    CPlotView view;
    ASSERT_TRUE(view.CreateView(&frame, CRect(0, 0, 600, 430)));
    ASSERT_FALSE(view.GetSafeHwnd()->isVisible());
    view.SetLayout(1, 1);
    CRect client;
    view.m_vCharts[0]->GetClientRect(&client);
    EXPECT_FALSE(client.IsRectEmpty());
    view.AddSeries(0, {0.0, 10.0}, {-3.1, 97.0}, kLineMax, false, 2, false, true);
    ExpectRounded(Axis(view.m_vCharts[0], 0), -3.1, 97.0);
    ExpectRounded(Axis(view.m_vCharts[0], 1), 0.0, 10.0);
}

TEST_F(PlotViewTest, AddSeriesNegatesOnRequestAndIgnoresBadInput)
{
    CPlotView* view = Open(1, 1);
    view->AddSeries(0, {1.0, 2.0}, {10.0, -5.0}, kLineMax, true, 2, true, false);
    view->AddSeries(1, {1.0}, {1.0}, kLineMax, false, 2, false, false);      // no chart 1
    view->AddSeries(0, {1.0, 2.0}, {1.0}, kLineMax, false, 2, false, false); // lengths differ
    const auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(Ys(series[0]), (std::vector<double>{-10.0, 5.0}));
    EXPECT_TRUE(series[0]->m_bShowMarkers);
    EXPECT_EQ(series[0]->m_iMarkerSize, 8);
    EXPECT_EQ(view->m_vListeners.size(), 1u);
}

TEST_F(PlotViewTest, SinglePositionDiagramsWithPositiveMomentsBelowTheAxis)
{
    CPlotView* view = Open(2, 1);
    view->SetSinglePositionOutput(true, SinglePosition());
    CChartCtrl* moment = view->m_vCharts[0];
    CChartCtrl* shear = view->m_vCharts[1];
    EXPECT_EQ(XTitle(moment), L"Location along beam (m)");
    EXPECT_EQ(YTitle(moment), L"Bending Moment (kNm)");
    EXPECT_EQ(YTitle(shear), L"Shear Force (kN)");
    auto series = Series(moment);
    ASSERT_EQ(series.size(), 2u);
    // M = P L / 4 = 250 drawn as -250; the beam from (0, 0) to (L, 0).
    EXPECT_NEAR(MinY(series[0]), -250.0, 1e-6);
    EXPECT_NEAR(MaxY(series[0]), 0.0, 1e-9);
    EXPECT_EQ(series[0]->m_SerieColor, kLineMax);
    EXPECT_EQ(series[1]->m_SerieColor, kBeam);
    EXPECT_EQ(series[1]->m_iLineWidth, 4);
    EXPECT_EQ(series[1]->GetPoint(1).X, kL);
    ExpectRounded(Axis(moment, 0), -250.0, 0.0);
    ExpectRounded(Axis(moment, 1), 0.0, kL);
    series = Series(shear);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_NEAR(MaxY(series[0]), 50.0, 1e-6); // V = +-P / 2 either side of the axle
    EXPECT_NEAR(MinY(series[0]), -50.0, 1e-6);
    ExpectRounded(Axis(shear, 0), -50.0, 50.0);
    // Tick labels with the settings' decimals: forces 2, locations 3.
    EXPECT_EQ(Axis(moment, 0)->FormatTickValue(-250.0), L"-250.00");
    EXPECT_EQ(Axis(moment, 1)->FormatTickValue(5.0), L"5.000");

    CPlotView* reactions = Open(2, 1);
    reactions->SetSinglePositionOutput(false, SinglePosition());
    for (CChartCtrl* chart : reactions->m_vCharts)
        EXPECT_EQ(chart->GetSeriesCount(), 0u);
}

TEST_F(PlotViewTest, MovingLoadEnvelopesWithAndWithoutEachPosition)
{
    CPlotView* view = Open(2, 1);
    view->SetMovingLoadOutput(0, true, MovingLoad());
    auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 3u); // beam, maximum, minimum
    EXPECT_EQ(series[0]->m_SerieColor, kBeam);
    EXPECT_EQ(series[1]->m_SerieColor, kLineMax);
    EXPECT_NEAR(MinY(series[1]), -250.0, 1e-6);
    EXPECT_EQ(series[2]->m_SerieColor, kLineMin);
    EXPECT_NEAR(MinY(series[2]), 0.0, 1e-9);
    EXPECT_EQ(YTitle(view->m_vCharts[0]), L"Bending Moment Envelope (kNm)");
    series = Series(view->m_vCharts[1]);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_NEAR(MaxY(series[1]), 95.0, 1e-6);
    EXPECT_NEAR(MinY(series[2]), -95.0, 1e-6);
    EXPECT_EQ(YTitle(view->m_vCharts[1]), L"Shear Force Envelope (kN)");
    ExpectRounded(Axis(view->m_vCharts[1], 0), -95.0, 95.0);

    // Each of the 22 positions as a light line, the beam again over them, then the envelopes.
    CPlotView* each = Open(2, 1);
    each->SetMovingLoadOutput(1, true, MovingLoad(true));
    for (CChartCtrl* chart : each->m_vCharts) {
        series = Series(chart);
        ASSERT_EQ(series.size(), 1u + 22u + 1u + 2u);
        for (int i = 1; i <= 22; ++i) {
            EXPECT_EQ(series[static_cast<std::size_t>(i)]->m_SerieColor, kLight);
            EXPECT_EQ(series[static_cast<std::size_t>(i)]->m_iLineWidth, 1);
        }
        EXPECT_EQ(series[23]->m_SerieColor, kBeam);
    }
}

TEST_F(PlotViewTest, ReactionEnvelopesOfASingleSpanShowTheMaximumOnly)
{
    CPlotView* view = Open(2, 1);
    view->SetMovingLoadOutput(0, false, MovingLoad());
    // R1 max = P = 100 with the axle standing on the support; R2 the mirror image.
    for (CChartCtrl* chart : view->m_vCharts) {
        EXPECT_EQ(XTitle(chart), L"Position of Load Model (m)");
        EXPECT_EQ(YTitle(chart), L"Reaction Envelope (kN)");
        const auto series = Series(chart);
        ASSERT_EQ(series.size(), 2u);
        EXPECT_EQ(series[1]->GetPointsCount(), 22u);
        EXPECT_NEAR(MaxY(series[1]), 100.0, 1e-6);
        ExpectRounded(Axis(chart, 0), 0.0, 100.0);
    }
}

TEST_F(PlotViewTest, MultiMovingLoadShowsEachLoadModelBehindTheEnvelopes)
{
    auto out = MultiMovingLoad();
    CPlotView* view = Open(2, 1);
    view->SetMultiMovingLoadOutput(1, true, out);
    // Beam, two sides of two load models, then beam, maximum and minimum.
    auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 1u + 4u + 3u);
    EXPECT_NEAR(MinY(series[1]), -250.0, 1e-6); // the 100 kN axle
    EXPECT_NEAR(MinY(series[3]), -125.0, 1e-6); // the 50 kN axle: P L / 4 = 125
    EXPECT_EQ(series[3]->m_SerieColor, kLight);
    EXPECT_NEAR(MinY(series[6]), -250.0, 1e-6);

    CPlotView* reactions = Open(2, 1);
    reactions->SetMultiMovingLoadOutput(1, false, out);
    // Per load model: beam and maximum (single span); then beam and the merged maximum.
    series = Series(reactions->m_vCharts[0]);
    ASSERT_EQ(series.size(), 2u * 2u + 2u);
    EXPECT_NEAR(MaxY(series[3]), 50.0, 1e-6); // the 50 kN axle on the support
    EXPECT_NEAR(MaxY(series[5]), 100.0, 1e-6);
}

TEST_F(PlotViewTest, CriticalValuesAgainstTheBridgeSpan)
{
    auto range = BridgeRange();
    auto coll = Collection({TwoLengths()});
    auto refOut = std::make_shared<CAOReferenceSet>(coll->GetRefSet(0), false);
    struct Case {
        const char* name;
        std::function<void(CPlotView*, bool)> fill;
        std::wstring yMoment, yShear, yReaction;
    };
    const Case cases[] = {
        {"bridge range", [&](CPlotView* v, bool b) { v->SetBridgeRangeOutput(b, range); },
         L"Critical Values - Bending Moment Envelope (kNm)", L"Critical Values - Shear Force Envelope (kN)",
         L"Critical Values - Reaction Envelope (kN)"},
        {"reference set", [&](CPlotView* v, bool b) { v->SetRefSetOutput(b, refOut); },
         L"Critical Values - Bending Moment (kNm)", L"Critical Values - Shear Force (kN)", L"Reaction (kN)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPlotView* view = Open(2, 1);
        c.fill(view, true);
        CChartCtrl* moment = view->m_vCharts[0];
        EXPECT_EQ(XTitle(moment), L"Bridge Span (m)");
        EXPECT_EQ(YTitle(moment), c.yMoment);
        EXPECT_EQ(YTitle(view->m_vCharts[1]), c.yShear);
        // Single-span set: the maximum moment only, P L / 4 = 250 and 500, as it is.
        auto series = Series(moment);
        ASSERT_EQ(series.size(), 1u);
        EXPECT_EQ(Ys(series[0]), (std::vector<double>{250.0, 500.0}));
        EXPECT_TRUE(series[0]->m_bShowMarkers);
        ExpectRounded(Axis(moment, 0), 250.0, 500.0);
        ExpectRounded(Axis(moment, 1), 10.0, 20.0);
        series = Series(view->m_vCharts[1]);
        ASSERT_EQ(series.size(), 2u);
        EXPECT_NEAR(Ys(series[0])[1], 97.5, 1e-6);
        EXPECT_NEAR(Ys(series[1])[1], -97.5, 1e-6);

        CPlotView* reactions = Open(2, 1);
        c.fill(reactions, false);
        for (CChartCtrl* chart : reactions->m_vCharts) {
            EXPECT_EQ(YTitle(chart), c.yReaction);
            series = Series(chart);
            ASSERT_EQ(series.size(), 1u);
            EXPECT_NEAR(Ys(series[0])[0], 100.0, 1e-6); // P, the axle on the support
        }
    }
}

TEST_F(PlotViewTest, CompareEnvelopesDrawsTheProposedOverTheReference)
{
    auto refSet = Collection({TwoLengths()})->GetRefSet(0);
    CPlotView* view = Open(2, 1);
    view->SetCompareEnvelopesOutput(true, std::make_shared<CAOCompareRefSetEnvs>(false, 1, refSet));
    const auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 6u); // reference beam, max, min; proposed beam, max, min
    EXPECT_EQ(series[1]->m_SerieColor, kLineMax);
    EXPECT_NEAR(MinY(series[1]), -500.0, 1e-6);
    EXPECT_EQ(series[4]->m_SerieColor, kProp);
    EXPECT_NEAR(MinY(series[4]), -1000.0, 1e-6);
    ExpectRounded(Axis(view->m_vCharts[0], 0), -1000.0, 0.0);

    CPlotView* outside = Open(2, 1);
    outside->SetCompareEnvelopesOutput(false, std::make_shared<CAOCompareRefSetEnvs>(false, 7, refSet));
    EXPECT_EQ(outside->m_vCharts[0]->GetSeriesCount(), 0u);
}

TEST_F(PlotViewTest, CriticalRatiosWithTheirLimitLines)
{
    auto coll = Collection({TwoLengths()});
    auto refSet = coll->GetRefSet(0);
    auto out = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet);
    const std::vector<double> dla = Axle(2 * kP, L"")->GetDLAs(refSet->GetBridgeSet());

    CPlotView* view = Open(2, 1);
    view->SetCriticalRatiosOutput(true, out);
    // Moment: the maximum ratio 2 only (single span), the line at 1.0 and the DLA line.
    auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(YTitle(view->m_vCharts[0]), L"Critical Ratios - Bending Moment");
    EXPECT_EQ(Ys(series[0]), (std::vector<double>{2.0, 2.0}));
    EXPECT_EQ(Ys(series[1]), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(series[1]->m_SerieColor, kLimit);
    EXPECT_EQ(Ys(series[2]), dla);
    EXPECT_EQ(view->m_vCharts[1]->GetSeriesCount(), 4u);
    // Tick labels with the settings' decimals: ratios 3 (factors), spans 2.
    EXPECT_EQ(Axis(view->m_vCharts[0], 0)->FormatTickValue(2.0), L"2.000");
    EXPECT_EQ(Axis(view->m_vCharts[0], 1)->FormatTickValue(10.0), L"10.00");

    CPlotView* reactions = Open(2, 1);
    reactions->SetCriticalRatiosOutput(false, out);
    EXPECT_EQ(YTitle(reactions->m_vCharts[1]), L"Critical Ratios - Reaction");
    EXPECT_EQ(reactions->m_vCharts[1]->GetSeriesCount(), 3u);

    // Both switches off: the ratios alone.
    CPlotView* plain = Open(2, 1);
    plain->m_bRatioLimitFullSpeed = plain->m_bRatioLimitSlowDown = false;
    plain->SetCriticalRatiosOutput(true, out);
    EXPECT_EQ(plain->m_vCharts[0]->GetSeriesCount(), 1u);
    EXPECT_EQ(plain->m_vCharts[1]->GetSeriesCount(), 2u);
}

TEST_F(PlotViewTest, AProposedEnsembleWithoutModelsDrawsNoDlaLine)
{
    auto coll = Collection({TwoLengths()});
    auto refSet = std::make_shared<CReferenceSet>(*coll->GetRefSet(0));
    refSet->m_pPropLME = Ensemble({}, L"Empty");
    CPlotView* view = Open(2, 1);
    view->SetCriticalRatiosOutput(
        true, std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet));
    const auto series = Series(view->m_vCharts[0]);
    ASSERT_EQ(series.size(), 2u); // ratios and the line at 1.0
    EXPECT_EQ(Ys(series[1]), (std::vector<double>{1.0, 1.0}));
}

// Labels of three decimals on a narrow chart: the ticks stand far enough apart for them.
TEST(PlotViewTicks, HorizontalTickLabelsDoNotRunIntoEachOther)
{
    CPlotView view;
    ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 260, 200)));
    view.SetLayout(1, 1);
    view.SetChartTitles(0, L"Location along beam (m)", L"Bending Moment (kNm)");
    view.AddSeries(0, {0.0, 10.0}, {0.0, 250.0}, 0x0000FF, false, 2, false, true);
    auto* bottom = Axis(view.m_vCharts[0], 1);
    ASSERT_GT(bottom->m_dTickIncrement, 0.0);
    const int spacing = bottom->ValueToScreen(bottom->m_MinValue + bottom->m_dTickIncrement) -
                        bottom->ValueToScreen(bottom->m_MinValue);
    CFont font;
    font.CreatePointFont(bottom->m_nFontSize, bottom->m_strFontName.c_str());
    const QFontMetrics metrics(font.ToQFont());
    for (double v : {bottom->m_MinValue, bottom->m_MaxValue})
        EXPECT_LT(metrics.horizontalAdvance(QString::fromStdWString(bottom->FormatTickValue(v))), spacing) << v;
}

namespace {

std::vector<std::wstring> LegendOf(CChartCtrl* chart)
{
    std::vector<std::wstring> names;
    for (const auto& entry : chart->GetLegend()->GetEntries())
        names.push_back(entry.name);
    return names;
}

// The points of a series at x.
std::vector<double> YsAt(const CChartLineSerie* serie, double x)
{
    std::vector<double> out;
    for (unsigned i = 0; i < serie->GetPointsCount(); ++i)
        if (std::fabs(serie->GetPoint(i).X - x) < 1e-9)
            out.push_back(serie->GetPoint(i).Y);
    return out;
}

} // namespace

// Two continuous spans of 20 m, 100 kN at the middle of the first: M_B = -3 P L / 32 =
// -187.5 kNm (drawn negated, +187.5); shear -59.375 kN left of B and +9.375 kN right of it
// (see the table test). The moment diagram runs through the support moment; only the
// shear diagram goes to the axis there, where the reaction makes it jump.
TEST_F(PlotViewTest, AnInteriorSupportKeepsItsMomentInTheDiagram)
{
    CPlotView* view = Open(2, 1);
    view->SetSinglePositionOutput(true, TwoSpansLoadedInTheFirst());
    const CChartLineSerie* moment = Series(view->m_vCharts[0])[0];
    const CChartLineSerie* shear = Series(view->m_vCharts[1])[0];
    const std::vector<double> atB = YsAt(moment, 20.0);
    ASSERT_EQ(atB.size(), 2u);
    for (double y : atB)
        EXPECT_NEAR(y, 187.5, 1e-6);
    // Closed at zero at the beam's two ends.
    EXPECT_EQ(moment->GetPoint(0).X, 0.0);
    EXPECT_EQ(moment->GetPoint(0).Y, 0.0);
    EXPECT_NEAR(moment->GetPoint(moment->GetPointsCount() - 1).X, 40.0, 1e-9);
    EXPECT_EQ(moment->GetPoint(moment->GetPointsCount() - 1).Y, 0.0);
    std::vector<double> shearAtB = YsAt(shear, 20.0);
    ASSERT_EQ(shearAtB.size(), 4u);
    EXPECT_NEAR(shearAtB[0], -59.375, 1e-6);
    EXPECT_EQ(shearAtB[1], 0.0);
    EXPECT_EQ(shearAtB[2], 0.0);
    EXPECT_NEAR(shearAtB[3], 9.375, 1e-6);
    EXPECT_EQ(LegendOf(view->m_vCharts[0]), (std::vector<std::wstring>{L"Axle 100"}));

    // Envelopes of the two spans: any axle in a span hogs the support, so the minimum
    // envelope is below zero there (drawn negated: above); the line of each position keeps
    // its own support moment, 0 only with the axle over a support or off the bridge.
    CPlotView* envelopes = Open(2, 1);
    envelopes->SetMovingLoadOutput(1, true, MovingLoad(true, CBridge::Create(1, L"2 x 20", BC_TWOSPAN, 20.0)));
    const auto series = Series(envelopes->m_vCharts[0]);
    const CChartLineSerie* minimum = series.back();
    ASSERT_EQ(minimum->m_SerieColor, kLineMin);
    ASSERT_EQ(YsAt(minimum, 20.0).size(), 2u);
    for (double y : YsAt(minimum, 20.0))
        EXPECT_GT(y, 1.0);
    for (const CChartLineSerie* serie : series)
        if (serie->m_SerieColor == kLight) {
            EXPECT_EQ(YsAt(serie, 20.0).size(), 2u);
        }
}

TEST_F(PlotViewTest, TheLegendNamesEachSeriesAndReactionPanelsNameTheirSupport)
{
    auto coll = Collection({TwoLengths()});
    auto ratios = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, coll->GetRefSet(0));
    using Names = std::vector<std::wstring>;
    struct Case {
        const char* name;
        std::function<void(CPlotView*)> fill;
        Names chart0;
    };
    const Case cases[] = {
        {"envelopes", [](CPlotView* v) { v->SetMovingLoadOutput(0, true, MovingLoad()); }, {L"Maximum", L"Minimum"}},
        {"each position",
         [](CPlotView* v) { v->SetMovingLoadOutput(1, true, MovingLoad(true)); },
         {L"Each load position", L"Maximum", L"Minimum"}},
        {"each load model",
         [](CPlotView* v) { v->SetMultiMovingLoadOutput(1, true, MultiMovingLoad()); },
         {L"Axle 100", L"Axle 50", L"Maximum", L"Minimum"}},
        {"reference and proposed",
         [&](CPlotView* v) {
             v->SetCompareEnvelopesOutput(true, std::make_shared<CAOCompareRefSetEnvs>(false, 1, coll->GetRefSet(0)));
         },
         {L"Reference maximum", L"Reference minimum", L"Proposed maximum", L"Proposed minimum"}},
        // One span: no minimum moment ratio.
        {"critical ratios",
         [&](CPlotView* v) { v->SetCriticalRatiosOutput(true, ratios); },
         {L"Maximum", L"Ratio Limit - Full Speed", L"Ratio Limit - Slow Down"}},
        {"critical values", [](CPlotView* v) { v->SetBridgeRangeOutput(true, BridgeRange()); }, {L"Maximum"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPlotView* view = Open(2, 1);
        c.fill(view);
        CChartCtrl* chart = view->m_vCharts[0];
        EXPECT_EQ(LegendOf(chart), c.chart0);
        // Drawn over the plotting area, not on it.
        chart->RefreshCtrl();
        CChartLegend* legend = chart->GetLegend();
        EXPECT_EQ(legend->GetShownLines(), c.chart0);
        EXPECT_FALSE(legend->m_ObjectRect.IsRectEmpty());
        EXPECT_LE(legend->m_ObjectRect.bottom, chart->GetPlottingRect().top);
        EXPECT_EQ(chart->GetTitle()->GetStringCount(), 0u); // BM & SF charts need no name
    }

    for (const auto& fill : std::vector<std::function<void(CPlotView*)>>{
             [](CPlotView* v) { v->SetMovingLoadOutput(0, false, MovingLoad()); },
             [&](CPlotView* v) { v->SetCriticalRatiosOutput(false, ratios); },
             [&](CPlotView* v) {
                 v->SetCompareEnvelopesOutput(false,
                                              std::make_shared<CAOCompareRefSetEnvs>(false, 1, coll->GetRefSet(0)));
             }}) {
        CPlotView* view = Open(2, 1);
        fill(view);
        for (unsigned i = 0; i < 2; ++i) {
            ASSERT_EQ(view->m_vCharts[i]->GetTitle()->GetStringCount(), 1u);
            EXPECT_EQ(view->m_vCharts[i]->GetTitle()->GetString(0), L"Reaction " + std::to_wstring(i + 1));
        }
    }
}

// Two-span bridges: the interior reaction's reference minimum is 0 (see the table test), so
// its minimum ratio is undefined for every bridge: no points and no legend entry.
TEST_F(PlotViewTest, ARatioAgainstAZeroReferenceIsLeftOutOfTheGraph)
{
    auto coll = Collection({TwoLengths(BC_TWOSPAN)});
    auto out = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, coll->GetRefSet(0));
    CPlotView* view = Open(2, 2);
    view->SetCriticalRatiosOutput(false, out);
    const auto pier = Series(view->m_vCharts[1]);
    ASSERT_EQ(pier.size(), 3u); // maximum and the two limit lines
    EXPECT_EQ(pier[0]->m_SerieColor, kLineMax);
    EXPECT_EQ(Ys(pier[0]), (std::vector<double>{2.0, 2.0}));
    EXPECT_EQ(LegendOf(view->m_vCharts[1]),
              (std::vector<std::wstring>{L"Maximum", L"Ratio Limit - Full Speed", L"Ratio Limit - Slow Down"}));
    // The end supports lift under a load in the other span: both sides defined, ratio 2.
    const auto abutment = Series(view->m_vCharts[0]);
    ASSERT_EQ(abutment.size(), 4u);
    EXPECT_EQ(Ys(abutment[1]), (std::vector<double>{2.0, 2.0}));
}

// Pictures to look at: a single position, envelopes of several load models, critical ratios.
TEST_F(PlotViewTest, Screenshots)
{
    CPlotView* single = Open(2, 1);
    single->SetSinglePositionOutput(true, TwoSpansLoadedInTheFirst());
    QTest::qWait(1);
    single->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("plot-single-position")));

    auto bridge = CBridge::Create(1, L"2 x 20", BC_TWOSPAN, 20.0);
    auto truck = std::make_shared<CLoadModel>(1, L"Truck 3 axles");
    truck->AddPointLoad(60.0, 0.0, 0.0);
    truck->AddPointLoad(80.0, 4.0, 0.0);
    truck->AddPointLoad(80.0, 5.2, 0.0);
    auto lme = Ensemble({Axle(kP, L"Axle 100"), Axle(kP / 2, L"Axle 50"), truck});
    CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
    int nSteps = 0;
    double step = kStep;
    auto merged = runner.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
    auto multi = std::make_shared<CAOMultiMovingLoad>(merged, runner.GetResults(), bridge, lme, runner.GetNoAnalyses());
    CPlotView* envelopes = Open(2, 1);
    envelopes->SetMultiMovingLoadOutput(1, true, multi);
    QTest::qWait(1);
    envelopes->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("plot-envelopes-several-models")));

    auto coll = Collection({std::make_shared<CBridgeSet>(1, L"2-span 5-40", BC_TWOSPAN, 5.0, 40.0, 5.0)});
    auto out = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, coll->GetRefSet(0));
    CPlotView* ratios = Open(3, 1);
    ratios->SetCriticalRatiosOutput(false, out);
    QTest::qWait(1);
    ratios->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("plot-critical-ratios")));
    CPlotView* ratiosBMSF = Open(2, 1);
    ratiosBMSF->SetCriticalRatiosOutput(true, out);
    QTest::qWait(1);
    ratiosBMSF->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("plot-critical-ratios-bmsf")));
    EXPECT_FALSE(single->m_vCharts[0]->GetLegend()->GetShownLines().empty());
}
