// The windows of a long result (LongResult.h): an ensemble's envelopes over 1,000 spans,
// 101,000 table rows and graphs of 100,000 points. The table builds only the rows it shows
// and still saves every row; the graphs draw a few points per pixel column and lose no
// column's extremes.
#include "LongResult.h"
#include "ViewTestUtil.h"

#include "controls/chart/ChartAxis.h"
#include "core/settings/Settings.h"
#include "ui/views/MouseListener.h"
#include "ui/views/ResultCell.h"
#include "ui/views/Stations.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace viewtest;

namespace {

QImage GrabClient(CWnd& wnd)
{
    return wnd.GetClientWidget()->grab().toImage();
}

class LongResultViewTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }

    static const std::shared_ptr<CAOMultiMovingLoad>& Output()
    {
        static const auto out = longresult::LongEnsembleResult();
        return out;
    }
    static std::shared_ptr<CEnvelopeResults> Results() { return Output()->GetResults<CEnvelopeResults>(); }

    // The stations a table shows: every one but the two closing ones of each span.
    static std::vector<std::size_t> TableStations()
    {
        const auto pBMD = Results()->GetEnvBMD();
        const std::vector<bool> closing = ClosingStations(pBMD->GetStations(true), longresult::kSpans);
        std::vector<std::size_t> stations;
        for (std::size_t i = 0; i < closing.size(); ++i)
            if (!closing[i])
                stations.push_back(i);
        return stations;
    }

    CGridView* OpenTable(const std::shared_ptr<CAOMultiMovingLoad>& out, bool bBuildAll = false)
    {
        CGridView* view = host.Open(std::make_unique<CGridView>());
        view->m_bBuildAllRows = bBuildAll;
        view->SetMultiMovingLoadOutput(0, true, out);
        GrabClient(*view->m_pGrid); // one paint
        return view;
    }

    CPlotView* OpenGraphs(bool bThin = true)
    {
        CPlotView* view = host.Open(std::make_unique<CPlotView>());
        view->m_bThinSeries = bThin;
        view->SetLayout(2, 1);
        view->SetMultiMovingLoadOutput(0, true, Output());
        QTest::qWait(1);
        return view;
    }

    static CChartLineSerie* Named(CChartCtrl* chart, const std::wstring& name)
    {
        for (CChartLineSerie* serie : Series(chart))
            if (serie->m_strSerieName == name)
                return serie;
        return nullptr;
    }

    MdiHost host;
};

// Whether a drawn series keeps at most four vertices in each pixel column and, in every
// column its points fall in, the column's topmost and bottommost pixel of the full data.
void ExpectColumnExtremes(const CChartLineSerie* serie, int plotWidth)
{
    const std::vector<CPoint>& drawn = serie->GetDrawnPixels();
    std::map<int, std::vector<int>> drawnInColumn;
    for (const CPoint& p : drawn)
        drawnInColumn[p.x].push_back(p.y);
    // The points drawn: the visible ones and one more each side (the line runs to the edge).
    unsigned first = 0, last = 0;
    ASSERT_TRUE(serie->GetVisiblePoints(first, last));
    first = first > 0 ? first - 1 : 0;
    last = std::min(last + 1, serie->GetPointsCount() - 1);
    std::map<int, std::pair<int, int>> dataInColumn; // top, bottom
    for (unsigned i = first; i <= last; ++i) {
        const CPoint p = serie->GetPointScreenCoord(i);
        auto [it, added] = dataInColumn.emplace(p.x, std::make_pair(p.y, p.y));
        it->second.first = std::min(it->second.first, p.y);
        it->second.second = std::max(it->second.second, p.y);
    }
    EXPECT_EQ(drawnInColumn.size(), dataInColumn.size());
    EXPECT_LE(drawn.size(), 4 * dataInColumn.size());
    EXPECT_LE(dataInColumn.size(), static_cast<std::size_t>(plotWidth) + 3);
    int missed = 0;
    for (const auto& [x, extremes] : dataInColumn) {
        const auto it = drawnInColumn.find(x);
        if (it == drawnInColumn.end()) {
            ++missed;
            continue;
        }
        const std::vector<int>& ys = it->second;
        EXPECT_LE(ys.size(), 4u) << "column " << x;
        const bool top = std::find(ys.begin(), ys.end(), extremes.first) != ys.end();
        const bool bottom = std::find(ys.begin(), ys.end(), extremes.second) != ys.end();
        if (!top || !bottom)
            ++missed;
    }
    EXPECT_EQ(missed, 0) << serie->m_strSerieName;
}

} // namespace

TEST_F(LongResultViewTest, TheTableOpensWithOnlyTheRowsInViewBuilt)
{
    const std::vector<std::size_t> stations = TableStations();
    ASSERT_EQ(stations.size(), 101'000u);
    CGridView* view = OpenTable(Output());
    CGridCtrl* grid = view->m_pGrid;
    ASSERT_EQ(grid->GetRowCount(), 1 + 101'000);

    const CCellRange shown = grid->GetVisibleNonFixedCellRange();
    ASSERT_EQ(shown.GetMinRow(), 1);
    ASSERT_GT(shown.GetMaxRow(), 5);
    ASSERT_LT(shown.GetMaxRow(), 100);
    std::vector<int> built;
    for (int row = 0; row < grid->GetRowCount(); ++row)
        if (grid->IsRowBuilt(row))
            built.push_back(row);
    std::vector<int> expected{0};
    for (int row = shown.GetMinRow(); row <= shown.GetMaxRow(); ++row)
        expected.push_back(row);
    EXPECT_EQ(built, expected);
    EXPECT_EQ(grid->GetBuiltRowCount(), static_cast<int>(expected.size()));

    // The last rows, when scrolled to, hold the last stations: the beam's end at 20 km.
    grid->OnVScroll(SB_BOTTOM, 0, nullptr);
    GrabClient(*grid).save(ScreenshotPath(QStringLiteral("long-result-table-end")));
    const int last = grid->GetRowCount() - 1;
    EXPECT_TRUE(grid->IsRowBuilt(last));
    const auto pBMD = Results()->GetEnvBMD();
    const auto pSFD = Results()->GetEnvSFD();
    EXPECT_NEAR(CellValue(grid, last, 1), longresult::kSpans * longresult::kSpan, 1e-9);
    EXPECT_NEAR(CellValue(grid, last, 8), pSFD->m_vMin[stations.back()].val, 5e-3);
    EXPECT_LT(grid->GetBuiltRowCount(), 200);
}

// The columns of rows built as they come into view are as wide as those of the table built
// whole: their widths come from the rows holding each column's widest text.
TEST_F(LongResultViewTest, ColumnsFitTheWidestTextsOfRowsNotBuilt)
{
    const auto out = longresult::LongEnsembleResult(40);
    CGridView* lazy = OpenTable(out);
    CGridView* whole = OpenTable(out, true);
    ASSERT_EQ(lazy->m_pGrid->GetRowCount(), whole->m_pGrid->GetRowCount());
    EXPECT_EQ(whole->m_pGrid->GetBuiltRowCount(), whole->m_pGrid->GetRowCount());
    EXPECT_LT(lazy->m_pGrid->GetBuiltRowCount(), 100);
    for (int col = 0; col < lazy->m_pGrid->GetColumnCount(); ++col)
        EXPECT_EQ(lazy->m_pGrid->GetColumnWidth(col), whole->m_pGrid->GetColumnWidth(col)) << "column " << col;
}

TEST_F(LongResultViewTest, SaveGridWritesEveryRowOfTheData)
{
    CGridView* view = OpenTable(Output());
    CGridCtrl* grid = view->m_pGrid;
    const int built = grid->GetBuiltRowCount();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    ASSERT_TRUE(grid->Save(path.toStdWString().c_str()));
    EXPECT_EQ(grid->GetBuiltRowCount(), built); // read without being kept

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
    const std::vector<std::size_t> stations = TableStations();
    ASSERT_EQ(lines.size(), static_cast<int>(2 + stations.size() + 1));
    EXPECT_EQ(lines[1], QStringLiteral(";x Beam;BMD - Max;Load Model;BMD - Min;Load Model;SFD - Max;Load Model;SFD - "
                                       "Min;Load Model"));

    // Every row against the envelopes: lengths with the settings' decimals for distances,
    // effects with those of forces, the governing model's name (none for a zero entry).
    const auto& places = CSettings::Instance().General.DecimalPlaces;
    const double lengthTol = 0.5 * std::pow(10.0, -places.DISTANCE) + 1e-9;
    const double effectTol = 0.5 * std::pow(10.0, -places.GVW) + 1e-9;
    const auto pBMD = Results()->GetEnvBMD();
    const auto pSFD = Results()->GetEnvSFD();
    int wrong = 0;
    for (std::size_t r = 0; r < stations.size(); ++r) {
        const std::size_t i = stations[r];
        const QStringList cells = lines[static_cast<int>(r) + 2].split(QLatin1Char(';'));
        if (cells.size() != 10 || cells[0] != QString::number(r + 1) ||
            std::fabs(cells[1].toDouble() - pBMD->m_vMax[i].xBeam) > lengthTol) {
            ++wrong;
            continue;
        }
        const PointLoadEffect* effects[4] = {&pBMD->m_vMax[i], &pBMD->m_vMin[i], &pSFD->m_vMax[i], &pSFD->m_vMin[i]};
        for (int k = 0; k < 4; ++k) {
            const bool bValue = std::fabs(cells[2 + 2 * k].toDouble() - effects[k]->val) <= effectTol;
            const bool bName = cells[3 + 2 * k].toStdWString() == effects[k]->GetLoadModelName();
            if (!bValue || !bName) {
                ++wrong;
                ADD_FAILURE() << "row " << r + 1 << ": " << lines[static_cast<int>(r) + 2].toStdString();
                break;
            }
        }
        if (wrong > 5)
            break;
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(LongResultViewTest, GraphsDrawAFewPointsPerPixelColumnAndEveryColumnsExtremes)
{
    CPlotView* view = OpenGraphs();
    view->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("long-result-graphs")));
    for (unsigned chart = 0; chart < 2; ++chart) {
        CChartCtrl* pChart = view->m_vCharts[chart];
        const int width = pChart->GetPlottingRect().Width();
        for (const wchar_t* name : {L"Maximum", L"Minimum"}) {
            const CChartLineSerie* serie = Named(pChart, name);
            ASSERT_NE(serie, nullptr);
            // The data stays whole: every station (a moment diagram leaves out the zero
            // stations over the interior supports).
            EXPECT_EQ(serie->GetPointsCount(), chart == 0 ? 103'000u - 2 * 999 : 103'000u);
            ExpectColumnExtremes(serie, width);
            EXPECT_LE(serie->GetDrawnPixels().size(), 4u * static_cast<unsigned>(width + 3));
        }
    }
}

// The thinned line is the picture of the whole one: drawn again through every point, the
// chart differs in a few pixels of the lines' antialiased edges only.
TEST_F(LongResultViewTest, AThinnedGraphLooksAsTheGraphThroughEveryPoint)
{
    CPlotView* view = OpenGraphs();
    for (CChartCtrl* chart : view->m_vCharts) {
        const QImage thin = GrabClient(*chart);
        std::size_t nDrawn = 0;
        for (CChartLineSerie* serie : Series(chart)) {
            serie->m_bThinToColumns = false;
            nDrawn += serie->GetDrawnPixels().size();
        }
        chart->RefreshCtrl();
        const QImage whole = GrabClient(*chart);
        std::size_t nWhole = 0;
        for (CChartLineSerie* serie : Series(chart))
            nWhole += serie->GetDrawnPixels().size();
        EXPECT_GT(nWhole, 10 * nDrawn);
        ASSERT_EQ(thin.size(), whole.size());
        int differing = 0;
        int largest = 0;
        for (int y = 0; y < thin.height(); ++y)
            for (int x = 0; x < thin.width(); ++x) {
                const QColor a = thin.pixelColor(x, y);
                const QColor b = whole.pixelColor(x, y);
                const int d =
                    std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
                differing += d > 0;
                largest = std::max(largest, d);
            }
        EXPECT_LT(differing, thin.width() * thin.height() / 1000);
        EXPECT_LE(largest, 3 * 80); // a shade of an edge pixel, never a line's colour against the background
    }
}

// Zoomed in, the drawing is done anew at the new scale, and a click finds the single
// station that peaks among its neighbours, with its value: tips use the full data.
TEST_F(LongResultViewTest, ZoomRedrawsAtItsScaleAndAClickFindsAPeakStation)
{
    CPlotView* view = OpenGraphs();
    CChartCtrl* chart = view->m_vCharts[0];
    CChartLineSerie* serie = Named(chart, L"Maximum");
    ASSERT_NE(serie, nullptr);
    const std::size_t drawnWhole = serie->GetDrawnPixels().size();

    // The peak station nearest the middle of the bridge.
    const auto pBMD = Results()->GetEnvBMD();
    std::size_t peak = 0;
    for (std::size_t i = 0; i < pBMD->m_vMax.size(); ++i)
        if (longresult::IsPeak(i) &&
            std::fabs(pBMD->m_vMax[i].xBeam - 10'000.0) < std::fabs(pBMD->m_vMax[peak].xBeam - 10'000.0))
            peak = i;
    const double xPeak = pBMD->m_vMax[peak].xBeam;
    const double mPeak = pBMD->m_vMax[peak].val;
    ASSERT_GT(mPeak, 2.0 * pBMD->m_vMax[peak - 1].val);

    chart->GetAxis(CChartCtrl::BottomAxis)->SetZoomMinMax(xPeak - 20.0, xPeak + 20.0);
    chart->RefreshCtrl();
    QTest::qWait(1);
    chart->GetClientWidget()->grab().save(ScreenshotPath(QStringLiteral("long-result-graph-zoomed")));
    ExpectColumnExtremes(serie, chart->GetPlottingRect().Width());
    // 40 m holds 201 stations, a few pixels apart: every one is drawn.
    unsigned first = 0, last = 0;
    ASSERT_TRUE(serie->GetVisiblePoints(first, last));
    const std::vector<CPoint>& drawn = serie->GetDrawnPixels();
    const std::set<std::pair<int, int>> vertices = [&] {
        std::set<std::pair<int, int>> out;
        for (const CPoint& p : drawn)
            out.insert({p.x, p.y});
        return out;
    }();
    for (unsigned i = first; i <= last; ++i) {
        const CPoint p = serie->GetPointScreenCoord(i);
        EXPECT_TRUE(vertices.count({p.x, p.y})) << "point " << i;
    }
    EXPECT_NE(drawn.size(), drawnWhole);

    unsigned index = 0;
    for (unsigned i = first; i <= last; ++i)
        if (std::fabs(serie->GetPoint(i).X - xPeak) < 1e-9 && std::fabs(-serie->GetPoint(i).Y - mPeak) < 1e-9)
            index = i;
    ASSERT_GT(index, 0u);
    int found = -1;
    ASSERT_TRUE(serie->IsPointOnSerie(serie->GetPointScreenCoord(index), found));
    EXPECT_EQ(found, static_cast<int>(index));
    const auto* listener = dynamic_cast<const CMouseListener*>(serie->m_pMouseListener);
    ASSERT_NE(listener, nullptr);
    const std::wstring tip = listener->TipText(index, serie->GetPoint(index));
    EXPECT_NE(tip.find(L"Load model: " + pBMD->m_vMax[peak].GetLoadModelName()), std::wstring::npos) << tip;
    EXPECT_NE(tip.find(L"M = " + ResultText(mPeak, CSettings::Instance().General.DecimalPlaces.GVW)),
              std::wstring::npos)
        << tip;
}
