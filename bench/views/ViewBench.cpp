// How long a long result holds the window: the envelopes of an ensemble over a bridge of
// 1,000 spans (101,000 table rows, graphs of 103,000 points; tests/ui/LongResult.h) shown
// as the program shows them, a table window and a graph window each made, handed the
// output and painted once. Each is timed on its own path and on the reference path beside
// it, in the same run:
//   table:  rows built as they come into view  |  every row built as the table opens
//   graphs: a few points per pixel column       |  a line through every point
// Prints the median of the runs in seconds.
//
//   qel_view_bench [--runs N] [--spans N]     (offscreen unless QT_QPA_PLATFORM is set)
#include "LongResult.h"

#include "ui/views/GridView.h"
#include "ui/views/PlotView.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A main window with an MDI area, as the program's, at the size of a large screen.
class Host {
public:
    Host()
    {
        m_Window.resize(1280, 960);
        m_Window.setCentralWidget(m_pArea);
        m_Window.show();
        QCoreApplication::processEvents();
    }

    // Seconds from making the window to the end of its first paint.
    template <class View, class Show>
    double Time(bool bReference, Show show)
    {
        const auto t0 = Clock::now();
        auto pView = std::make_unique<View>();
        if constexpr (std::is_same_v<View, CGridView>)
            pView->m_bBuildAllRows = bReference;
        else
            pView->m_bThinSeries = !bReference;
        auto* pSub = new QMdiSubWindow;
        if (!pView->CreateView(pSub))
            return -1.0;
        pSub->setWidget(pView->GetSafeHwnd());
        m_pArea->addSubWindow(pSub);
        pSub->resize(1200, 860);
        pSub->show();
        pView->OnInitialUpdate();
        show(*pView);
        pSub->grab(); // the first paint, children included
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        pSub->close();
        delete pSub;
        QCoreApplication::processEvents();
        return seconds;
    }

private:
    QMainWindow m_Window;
    QMdiArea* m_pArea = new QMdiArea;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int runs = 3;
    int spans = longresult::kSpans;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--spans") == 0)
            spans = std::clamp(std::atoi(argv[i + 1]), 1, longresult::kSpans);
    }
    QApplication app(argc, argv);
    Host host;
    const auto out = longresult::LongEnsembleResult(spans);
    const auto pResults = out->GetResults<CEnvelopeResults>();
    std::printf("Long result: %d spans, %zu stations; a window of 1200 x 860 pixels, median of %d runs\n\n", spans,
                pResults->GetEnvBMD()->m_vMax.size(), runs);

    auto table = [&](CGridView& view) { view.SetMultiMovingLoadOutput(0, true, out); };
    auto graphs = [&](CPlotView& view) {
        view.SetLayout(2, 1);
        view.SetMultiMovingLoadOutput(0, true, out);
    };
    double times[2][2] = {}; // [table, graphs][path, reference]
    for (int reference = 0; reference < 2; ++reference) {
        std::vector<double> t[2];
        for (int run = 0; run < runs; ++run) {
            t[0].push_back(host.Time<CGridView>(reference != 0, table));
            t[1].push_back(host.Time<CPlotView>(reference != 0, graphs));
        }
        times[0][reference] = Median(t[0]);
        times[1][reference] = Median(t[1]);
    }
    std::printf("%-30s %12s %12s\n", "window held (s)", "as built", "reference");
    std::printf("%-30s %12.3f %12.3f\n", "table (rows as they are read)", times[0][0], times[0][1]);
    std::printf("%-30s %12.3f %12.3f\n", "graphs (thinned to columns)", times[1][0], times[1][1]);
    std::printf("%-30s %12.3f %12.3f\n", "both, as a result opens", times[0][0] + times[1][0],
                times[0][1] + times[1][1]);
    return 0;
}
