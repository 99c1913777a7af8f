// Clicking the points of a result graph.
#include "ViewTestUtil.h"

#include "platform/win/MessageBox.h"
#include "ui/views/MouseListener.h"

using namespace viewtest;

namespace {

struct Asked {
    std::wstring text, caption;
    UINT type = 0;
};

class MouseListenerTest : public ::testing::Test
{
protected:
    void TearDown() override { SetMessageBoxAnswerer(nullptr); }

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
    EXPECT_EQ(listener->m_Tip.GetText(), L"X: 2.5\nY: -120");
    EXPECT_EQ(listener->m_Tip.m_nMaxShowTime, 3000); // the settings' data tip delay

    // A second point reuses the same tip window.
    QWidget* tipWindow = listener->m_Tip.GetSafeHwnd();
    QTest::mouseClick(client, Qt::LeftButton, {}, PointOf(serie, 2));
    EXPECT_EQ(listener->m_Tip.GetSafeHwnd(), tipWindow);
    EXPECT_EQ(listener->m_Tip.GetText(), L"X: 5\nY: 0");
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
    EXPECT_EQ(asked[0].text, out->Describe() + L"\nReaction 2!\nX: 5\nY: 50\n\nDo you wish to remove this data series?");
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
