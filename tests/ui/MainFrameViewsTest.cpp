// The result views as child windows of the program's own main frame.
#include "ViewTestUtil.h"

#include "app/AppTestUtil.h"
#include "app/ChildFrame.h"

using namespace viewtest;

namespace {
class MainFrameViews : public qeltest::AppFixture {};
} // namespace

TEST_F(MainFrameViews, ATableAndAGraphOpenAsChildWindowsOfTheMainFrame)
{
    Start();
    CMainFrame& frame = Frame();
    CQELDoc* doc = app->GetDocument();
    auto out = MovingLoad();
    std::vector<std::unique_ptr<CQELViewBase>> views;
    auto open = [&](std::unique_ptr<CQELViewBase> view, const std::wstring& title) {
        EXPECT_TRUE(view->CreateView(frame.GetMdiArea()));
        CChildFrame* child = frame.AddChildFrame(doc, view->GetSafeHwnd(), false, title);
        view->OnInitialUpdate();
        EXPECT_EQ(child->GetView(), view->GetSafeHwnd());
        views.push_back(std::move(view));
        return child;
    };

    auto grid = std::make_unique<CGridView>();
    CGridView* pGrid = grid.get();
    CChildFrame* gridFrame = open(std::move(grid), L"1 - MLA Envelopes - Grid");
    pGrid->SetMovingLoadOutput(0, true, out);
    qeltest::ProcessEvents();
    EXPECT_EQ(frame.GetActiveChild(), gridFrame);
    EXPECT_TRUE(pGrid->m_pGrid->GetSafeHwnd()->isVisible());
    qeltest::SaveScreenshot(&frame, "views-grid-in-main-frame.png");

    auto plot = std::make_unique<CPlotView>();
    CPlotView* pPlot = plot.get();
    CChildFrame* plotFrame = open(std::move(plot), L"2 - MLA Envelopes - Plot");
    pPlot->SetLayout(2, 1);
    pPlot->SetMovingLoadOutput(0, true, out);
    qeltest::ProcessEvents();
    EXPECT_EQ(frame.GetActiveChild(), plotFrame);
    for (CChartCtrl* chart : pPlot->m_vCharts) {
        CRect client;
        chart->GetClientRect(&client);
        EXPECT_GT(client.Width(), 100);
        EXPECT_GT(client.Height(), 100);
    }
    qeltest::SaveScreenshot(&frame, "views-plot-in-main-frame.png");
    EXPECT_TRUE(boxes.empty());

    // The views go before the windows that hold them.
    views.clear();
    qeltest::ProcessEvents();
}
