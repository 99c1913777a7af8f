// Clicking the points of a result graph.
#include "ViewTestUtil.h"

#include "platform/win/MessageBox.h"
#include "ui/views/MouseListener.h"

#include <QLocale>
#include <cmath>

using namespace viewtest;

namespace {

struct Asked {
    std::wstring text, caption;
    UINT type = 0;
};

class MouseListenerTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { SetMessageBoxAnswerer(nullptr); }

    static CMouseListener* ListenerOf(CChartLineSerie* serie)
    {
        return dynamic_cast<CMouseListener*>(serie->m_pMouseListener);
    }

    // The tip of the point of the series at x.
    static std::wstring TipAt(CChartLineSerie* serie, double x)
    {
        for (unsigned i = 0; i < serie->GetPointsCount(); ++i)
            if (std::fabs(serie->GetPoint(i).X - x) < 1e-9)
                return ListenerOf(serie)->TipText(i, serie->GetPoint(i));
        return L"no point at x";
    }

    static QPoint PointOf(CChartLineSerie* serie, unsigned i)
    {
        const CPoint p = serie->GetPointScreenCoord(i);
        return QPoint(p.x, p.y);
    }

    MdiHost host;
};

} // namespace

TEST_F(MouseListenerTest, AClickOnAPointShowsItsValuesAndAClickAwayShowsNothing)
{
    CPlotView* view = host.Open(std::make_unique<CPlotView>());
    view->SetLayout(1, 1);
    view->AddSeries(0, {0.0, 2.5, 5.0}, {0.0, -120.0, 0.0}, 0x0000FF, false, 2, false, true);
    CChartCtrl* chart = view->m_vCharts[0];
    CChartLineSerie* serie = Series(chart)[0];
    CMouseListener* listener = view->m_vListeners[0];
    QWidget* client = chart->GetClientWidget();

    // Far from the line: no tip is made.
    const CRect plot = chart->GetPlottingRect();
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(plot.right - 3, plot.top + 3));
    EXPECT_EQ(listener->m_Tip.GetSafeHwnd(), nullptr);
    // On the line halfway between two points (more than 5 pixels from both): nothing either.
    const QPoint a = PointOf(serie, 0), b = PointOf(serie, 1);
    ASSERT_GT((b - a).manhattanLength(), 30);
    QTest::mouseClick(client, Qt::LeftButton, {}, (a + b) / 2);
    EXPECT_EQ(listener->m_Tip.GetSafeHwnd(), nullptr);

    QTest::mouseClick(client, Qt::LeftButton, {}, b);
    ASSERT_NE(listener->m_Tip.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(listener->m_Tip.IsWindowVisible());
    // A series that says nothing of what it shows: its two values.
    EXPECT_EQ(listener->m_Tip.GetText(), L"x = 2.500 m  y = -120.00");
    EXPECT_EQ(listener->m_Tip.m_nMaxShowTime, 3000); // the settings' data tip delay

    // A second point reuses the same tip window.
    QWidget* tipWindow = listener->m_Tip.GetSafeHwnd();
    QTest::mouseClick(client, Qt::LeftButton, {}, PointOf(serie, 2));
    EXPECT_EQ(listener->m_Tip.GetSafeHwnd(), tipWindow);
    EXPECT_EQ(listener->m_Tip.GetText(), L"x = 5.000 m  y = 0.00");
}

TEST_F(MouseListenerTest, ADoubleClickOffersToRemoveTheSeries)
{
    std::vector<Asked> asked;
    int answer = IDNO;
    SetMessageBoxAnswerer([&](const std::wstring& text, const std::wstring& caption, UINT type) {
        asked.push_back({text, caption, type});
        return answer;
    });
    CPlotView* view = host.Open(std::make_unique<CPlotView>());
    view->SetLayout(2, 1);
    auto out = MovingLoad();
    view->SetMovingLoadOutput(0, false, out);
    CChartCtrl* second = view->m_vCharts[1];
    ASSERT_EQ(second->GetSeriesCount(), 2u);
    CChartLineSerie* reaction = Series(second)[1];
    // Entry 11 of the run: the axle at a = 5, where R2 = P a / L = 50.
    ASSERT_EQ(reaction->GetPoint(11).X, 5.0);
    const QPoint at = PointOf(reaction, 11);

    QTest::mouseDClick(second->GetClientWidget(), Qt::LeftButton, {}, at);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              out->Describe() + L"\nReaction 2!\nX: 5\nY: 50\n\nDo you wish to remove this data series?");
    EXPECT_EQ(asked[0].caption, L"QEL");
    EXPECT_EQ(asked[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(second->GetSeriesCount(), 2u);

    answer = IDYES;
    QTest::mouseDClick(second->GetClientWidget(), Qt::LeftButton, {}, at);
    EXPECT_EQ(second->GetSeriesCount(), 1u);
    // The axis then spans what is left, the beam line from 0 to L, without rounding.
    EXPECT_EQ(Axis(second, 1)->m_MinValue, 0.0);
    EXPECT_EQ(Axis(second, 1)->m_MaxValue, kL);
}

// The tip names the load model behind the point and gives both values with their units; a
// moment is given as it is, though the graph draws it below the axis.
TEST_F(MouseListenerTest, TheTipGivesTheLoadModelAndTheUnits)
{
    auto coll = Collection({TwoLengths()});
    struct Case {
        const char* name;
        std::function<void(CPlotView*)> fill;
        unsigned chart, serie;
        double x;
        std::wstring tip;
    };
    const Case cases[] = {
        // M = P L / 4 = 100 x 10 / 4 = 250 kNm with the axle at midspan.
        {"moment envelope", [](CPlotView* v) { v->SetMovingLoadOutput(0, true, MovingLoad()); }, 0, 1, 5.0,
         L"Load model: Axle 100  x = 5.000 m  M = 250.00 kNm"},
        // Left of the axle at midspan V = P / 2 = 50 kN.
        {"shear diagram", [](CPlotView* v) { v->SetSinglePositionOutput(true, SinglePosition()); }, 1, 0, 2.5,
         L"Load model: Axle 100  x = 2.500 m  V = 50.00 kN"},
        // R2 = P a / L = 100 x 5 / 10 = 50 kN with the axle at a = 5.
        {"reaction envelope", [](CPlotView* v) { v->SetMovingLoadOutput(0, false, MovingLoad()); }, 1, 1, 5.0,
         L"Load model: Axle 100  x = 5.000 m  R = 50.00 kN"},
        // The 200 kN axle against the 100 kN one: 2.
        {"critical ratio",
         [&](CPlotView* v) {
             v->SetCriticalRatiosOutput(true, std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0],
                                                                                  coll, coll->GetRefSet(0)));
         },
         0, 0, 10.0, L"Load model: Axle 200 (reference: Axle 100)  span = 10.00 m  ratio = 2.000"},
        {"limit line",
         [&](CPlotView* v) {
             v->SetCriticalRatiosOutput(true, std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0],
                                                                                  coll, coll->GetRefSet(0)));
         },
         0, 1, 20.0, L"Ratio Limit - Full Speed  span = 20.00 m  ratio = 1.000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPlotView* view = host.Open(std::make_unique<CPlotView>());
        view->SetLayout(2, 1);
        c.fill(view);
        const auto series = Series(view->m_vCharts[c.chart]);
        ASSERT_LT(c.serie, series.size());
        EXPECT_EQ(TipAt(series[c.serie], c.x), c.tip);
    }

    // Through the mouse: the moment envelope's peak.
    CPlotView* view = host.Open(std::make_unique<CPlotView>());
    view->SetLayout(2, 1);
    view->SetMovingLoadOutput(0, true, MovingLoad());
    CChartLineSerie* maximum = Series(view->m_vCharts[0])[1];
    unsigned peak = 0;
    while (peak < maximum->GetPointsCount() && maximum->GetPoint(peak).X < 5.0)
        ++peak;
    QTest::mouseClick(view->m_vCharts[0]->GetClientWidget(), Qt::LeftButton, {}, PointOf(maximum, peak));
    EXPECT_EQ(ListenerOf(maximum)->m_Tip.GetText(), L"Load model: Axle 100  x = 5.000 m  M = 250.00 kNm");
}
