#pragma once
// Small analyses whose results are known by hand, run through the real core, and the
// windows that show them.
//
// The case: one axle of P = 100 kN crossing a simply supported span of L = 10 m in steps
// of s = 0.5 m. By statics, with the axle at a from the left support:
//   midspan moment at a = L/2:  M = P L / 4 = 250 kNm (the largest moment of the run);
//   left reaction R1 = P (L - a) / L, right reaction R2 = P a / L.
// An axle standing within a millimetre of a beam end is carried by the abutment, not by
// the beam, so the largest end reaction of the run comes one step in:
//   R1 max = P (L - s) / L = 95 kN, and the largest shear at the end is the same 95 kN.
#include "controls/chart/ChartCtrl.h"
#include "controls/chart/ChartLineSerie.h"
#include "controls/chart/ChartStandardAxis.h"
#include "GridCellValue.h"
#include "Screenshot.h"
#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/GridCtrl.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/analysis/SinglePosAnalysis.h"
#include "ui/views/GridView.h"
#include "ui/views/Outputs.h"
#include "ui/views/PlotView.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>
#include "TestOptions.h"

namespace viewtest {

constexpr double kP = 100.0;  // kN
constexpr double kL = 10.0;   // m
constexpr double kStep = 0.5; // m

inline std::shared_ptr<CLoadModel> Axle(double P, const wchar_t* name)
{
    auto lm = std::make_shared<CLoadModel>(1, name);
    lm->AddPointLoad(P, 0.0, 0.0);
    return lm;
}

inline std::shared_ptr<CBridge> Span(double L = kL)
{
    return CBridge::Create(1, L"Span " + std::to_wstring(static_cast<int>(L)), BC_ONESPAN, L);
}

inline std::shared_ptr<CLoadModelEnsemble> Ensemble(std::vector<std::shared_ptr<CLoadModel>> models,
                                                    const wchar_t* name = L"Fleet")
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, name);
    for (auto& m : models)
        lme->AddLoadModel(m);
    return lme;
}

inline std::shared_ptr<CAOSinglePosition> SinglePosition(double a = kL / 2)
{
    auto bridge = Span();
    auto lm = Axle(kP, L"Axle 100");
    CSinglePosAnalysis analysis(bridge, lm, qeltest::TestOptions());
    return std::make_shared<CAOSinglePosition>(analysis.Analyse(a, CAnalysisFeedback::None()), bridge, lm, a);
}

// Two continuous spans of 20 m, the axle at the middle of the first: the support moment
// and the shear either side of it (the statics stand beside the tests).
inline std::shared_ptr<CAOSinglePosition> TwoSpansLoadedInTheFirst()
{
    auto bridge = CBridge::Create(1, L"2 x 20", BC_TWOSPAN, 20.0);
    auto lm = Axle(kP, L"Axle 100");
    CSinglePosAnalysis analysis(bridge, lm, qeltest::TestOptions());
    return std::make_shared<CAOSinglePosition>(analysis.Analyse(10.0, CAnalysisFeedback::None()), bridge, lm, 10.0);
}

inline std::shared_ptr<CAOMovingLoad> MovingLoad(bool bKeepEach = false, std::shared_ptr<CBridge> bridge = Span())
{
    auto lm = Axle(kP, L"Axle 100");
    CMovingLoadAnalysis analysis(bridge, lm, qeltest::TestOptions());
    analysis.KeepBeamResults(bKeepEach);
    int nSteps = 0;
    double step = kStep;
    auto results =
        analysis.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
    return std::make_shared<CAOMovingLoad>(results, bridge, lm, static_cast<int>(analysis.m_nSteps));
}

// 100 kN and 50 kN axles: the merged envelope is the 100 kN one.
inline std::shared_ptr<CAOMultiMovingLoad> MultiMovingLoad()
{
    auto bridge = Span();
    auto lme = Ensemble({Axle(kP, L"Axle 100"), Axle(kP / 2, L"Axle 50")});
    CEnvelopeRunner runner(bridge, lme, qeltest::TestOptions());
    int nSteps = 0;
    double step = kStep;
    auto merged = runner.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
    return std::make_shared<CAOMultiMovingLoad>(merged, runner.GetResults(), bridge, lme, runner.GetNoAnalyses());
}

// One-span bridges of 10 and 20 m: largest moments P L / 4 = 250 and 500 kNm.
inline std::shared_ptr<CBridgeSet> TwoLengths(BridgeConfig config = BC_ONESPAN)
{
    return std::make_shared<CBridgeSet>(1, L"Spans 10-20", config, 10.0, 20.0, 10.0);
}

inline std::shared_ptr<CAOBridgeRange> BridgeRange()
{
    auto set = TwoLengths();
    auto lm = Axle(kP, L"Axle 100");
    CMultiBridgeAnalysis analysis(set, lm, qeltest::TestOptions());
    int nSteps = 0;
    double step = kStep;
    auto results = analysis.Run(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None());
    return std::make_shared<CAOBridgeRange>(std::make_shared<CCriticalValueEnsemble>(results, set), set, lm);
}

// A collection of the given bridge sets against the 100 kN axle, with a proposed 200 kN
// axle: every effect of the proposed axle is twice the reference one (the beam is linear),
// so every critical ratio is 2.
inline std::shared_ptr<CReferenceCollection> Collection(std::vector<std::shared_ptr<CBridgeSet>> sets)
{
    auto coll =
        std::make_shared<CReferenceCollection>(1, L"Network", Stepping{.bByStep = true, .step = kStep, .nSteps = 0});
    coll->m_vBS = std::move(sets);
    coll->m_vLME = {Ensemble({Axle(kP, L"Axle 100")}, L"Legal")};
    EXPECT_TRUE(coll->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    coll->SetProposedLoadModel(Axle(2 * kP, L"Axle 200"));
    EXPECT_TRUE(coll->CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));
    return coll;
}

using qeltest::CellValue;

inline std::wstring CellText(CGridCtrl* grid, int row, int col)
{
    return grid->GetItemText(row, col);
}

inline std::vector<std::wstring> Headings(CGridCtrl* grid)
{
    std::vector<std::wstring> out;
    for (int c = 0; c < grid->GetColumnCount(); ++c)
        out.push_back(grid->GetItemText(0, c));
    return out;
}

// The series of a chart in the order they were added.
inline std::vector<CChartLineSerie*> Series(CChartCtrl* chart)
{
    std::vector<CChartLineSerie*> out;
    for (auto& [id, serie] : chart->m_mapSeries)
        out.push_back(dynamic_cast<CChartLineSerie*>(serie));
    return out;
}

inline std::vector<double> Ys(const CChartLineSerie* serie)
{
    std::vector<double> out;
    for (unsigned i = 0; i < serie->GetPointsCount(); ++i)
        out.push_back(serie->GetPoint(i).Y);
    return out;
}

inline double MaxY(const CChartLineSerie* serie)
{
    const auto y = Ys(serie);
    return y.empty() ? 0.0 : *std::max_element(y.begin(), y.end());
}

inline double MinY(const CChartLineSerie* serie)
{
    const auto y = Ys(serie);
    return y.empty() ? 0.0 : *std::min_element(y.begin(), y.end());
}

inline CChartStandardAxis* Axis(CChartCtrl* chart, int side)
{
    return dynamic_cast<CChartStandardAxis*>(chart->GetAxis(side));
}

using uitest::ScreenshotPath;

// A main window with an MDI area holding one view per child window, shown offscreen.
class MdiHost {
public:
    MdiHost()
    {
        window.resize(900, 700);
        window.setCentralWidget(area);
        window.show();
    }

    // Puts the view's window into a new child window and runs its initial update.
    template <class View>
    View* Open(std::unique_ptr<View> view, int width = 760, int height = 560)
    {
        View* p = view.get();
        auto* sub = new QMdiSubWindow;
        EXPECT_TRUE(p->CreateView(sub));
        sub->setWidget(p->GetSafeHwnd());
        area->addSubWindow(sub);
        sub->resize(width, height);
        sub->show();
        p->OnInitialUpdate();
        QTest::qWait(1);
        views.push_back(std::move(view));
        return p;
    }

    QMainWindow window;
    QMdiArea* area = new QMdiArea;
    std::vector<std::unique_ptr<CView>> views;
};

} // namespace viewtest
