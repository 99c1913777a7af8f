// Every output kind opened as tables and graphs in child windows of an MDI main window,
// each saved as a picture in the build folder.
#include "ViewTestUtil.h"

#include <QImage>

using namespace viewtest;

TEST(ViewWindows, EveryOutputKindOpensAsTableAndGraph)
{
    auto coll = Collection({TwoLengths()});
    auto refSet = coll->GetRefSet(0);
    auto single = SinglePosition(3.0);
    auto moving = MovingLoad();
    auto multi = MultiMovingLoad();
    auto range = BridgeRange();
    auto refOut = std::make_shared<CAOReferenceSet>(refSet, false);
    auto compare = std::make_shared<CAOCompareRefSetEnvs>(false, 1, refSet);
    auto ratios = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet);

    struct Kind {
        const char* name;
        std::function<void(CQELViewBase*, bool)> show;
    };
    const Kind kinds[] = {
        {"single-position", [&](CQELViewBase* v, bool b) { v->SetSinglePositionOutput(b, single); }},
        {"moving-load", [&](CQELViewBase* v, bool b) { v->SetMovingLoadOutput(0, b, moving); }},
        {"multi-moving-load", [&](CQELViewBase* v, bool b) { v->SetMultiMovingLoadOutput(0, b, multi); }},
        {"bridge-range", [&](CQELViewBase* v, bool b) { v->SetBridgeRangeOutput(b, range); }},
        {"reference-set", [&](CQELViewBase* v, bool b) { v->SetRefSetOutput(b, refOut); }},
        {"compare-envelopes", [&](CQELViewBase* v, bool b) { v->SetCompareEnvelopesOutput(b, compare); }},
        {"critical-ratios", [&](CQELViewBase* v, bool b) { v->SetCriticalRatiosOutput(b, ratios); }},
    };
    MdiHost host;
    auto save = [&](CView* view, const std::string& name) {
        QWidget* frame = view->GetSafeHwnd()->parentWidget();
        host.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
        QTest::qWait(1);
        const QImage image = frame->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(ScreenshotPath(QString::fromStdString(name)))) << name;
    };
    for (const Kind& kind : kinds) {
        for (bool bBMSF : {true, false}) {
            const std::string suffix = bBMSF ? "-bmsf" : "-reactions";
            CGridView* grid = host.Open(std::make_unique<CGridView>());
            kind.show(grid, bBMSF);
            ASSERT_NE(grid->m_pGrid, nullptr) << kind.name;
            EXPECT_TRUE(grid->m_pGrid->GetSafeHwnd()->isVisible()) << kind.name;
            save(grid, std::string("window-grid-") + kind.name + suffix);

            CPlotView* plot = host.Open(std::make_unique<CPlotView>());
            plot->SetLayout(2, 1); // two charts: moment and shear, or the two supports
            kind.show(plot, bBMSF);
            for (CChartCtrl* chart : plot->m_vCharts)
                EXPECT_TRUE(chart->GetSafeHwnd()->isVisible()) << kind.name;
            save(plot, std::string("window-plot-") + kind.name + suffix);
        }
    }
    CGridView* enhanced = host.Open(std::make_unique<CGridView>());
    enhanced->FillEnhancedGridOutput(std::make_shared<CAOEnhanced>(coll));
    save(enhanced, "window-grid-enhanced");
    EXPECT_EQ(host.area->subWindowList().size(), 29);
}
