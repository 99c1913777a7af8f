#include "ui/views/PlotView.h"

#include "controls/chart/ChartAxisLabel.h"
#include "controls/chart/ChartCtrl.h"
#include "controls/chart/ChartGrid.h"
#include "controls/chart/ChartLegend.h"
#include "controls/chart/ChartLineSerie.h"
#include "controls/chart/ChartTitle.h"
#include "controls/chart/ChartScrollBar.h"
#include "core/settings/Settings.h"
#include "ui/views/MouseListener.h"
#include "ui/views/Outputs.h"
#include "ui/views/PlotAxis.h"
#include "ui/views/ViewLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

std::wstring SeriesInfo::ModelAt(std::size_t i) const
{
    if (modelOf.empty())
        return models.size() == 1 ? models.front() : std::wstring();
    return i < modelOf.size() && modelOf[i] < models.size() ? models[modelOf[i]] : std::wstring();
}

void SeriesInfo::AddPointModel(const std::wstring& model)
{
    // The models of a series are few: the last one added is the likeliest.
    auto it = std::find(models.rbegin(), models.rend(), model);
    if (it == models.rend()) {
        models.push_back(model);
        modelOf.push_back(static_cast<std::uint32_t>(models.size() - 1));
    } else {
        modelOf.push_back(static_cast<std::uint32_t>(models.rend() - it - 1));
    }
}

CPlotView::CPlotView() : CQELViewBase(VIEW_PLOT)
{
    const CSettings::Plot_Config& plot = g_pSettings->Plot;
    m_bRatioLimitFullSpeed = plot.RATIOLIMIT_FULLSPEED;
    m_bRatioLimitSlowDown = plot.RATIOLIMIT_SLOWDOWN;
    const CSettings::Plot_Config::Plot_Colours& c = plot.Colours;
    const COLORREF colours[CLR_COUNT] = {c.CLR_BACKGRND, c.CLR_BORDER,  c.CLR_GRID,      c.CLR_TEXT,
                                         c.CLR_LINEMIN,  c.CLR_LINEMAX, c.CLR_BEAM,      c.CLR_LIGHTLINE,
                                         c.CLR_PROPMIN,  c.CLR_PROPMAX, c.CLR_FULLSPEED, c.CLR_SLOWDOWN};
    std::copy(std::begin(colours), std::end(colours), m_clrPlot);
    m_nTitleHeight = m_nGapTop;
}

CPlotView::~CPlotView()
{
    ClearCharts();
}

void CPlotView::SetLayout(int rows, int cols)
{
    if (rows < 1 || cols < 1)
        throw std::runtime_error("Cannot have zero rows or columns");
    ClearCharts();
    m_nRows = static_cast<unsigned>(rows);
    m_nCols = static_cast<unsigned>(cols);
    m_nCharts = m_nRows * m_nCols;
    for (unsigned k = 0; k < m_nCharts; ++k) {
        auto* pChart = new CChartCtrl;
        if (!pChart->Create(L"ChartCtrl", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(), this, 8)) {
            delete pChart;
            return;
        }
        pChart->EnableRefresh(false);
        pChart->m_EdgeType = EDGE_ETCHED;
        pChart->m_BorderColor = m_clrPlot[CLR_BORDER];
        pChart->m_BackColor = m_clrPlot[CLR_BACKGRND];
        pChart->m_bBackGradient = false;
        for (int side : {CChartCtrl::LeftAxis, CChartCtrl::BottomAxis}) {
            auto* pAxis = new CPlotAxis;
            pChart->AttachAxis(pAxis, side);
            pAxis->m_AutoMode = CChartAxis::FullAutomatic;
            pAxis->m_MaxValue = 0.0;
            pAxis->m_MinValue = 0.0;
            pAxis->RefreshAutoAxis();
            pAxis->m_TextColor = m_clrPlot[CLR_TEXT];
            pAxis->m_AxisColor = m_clrPlot[CLR_TEXT];
            pAxis->GetGrid()->m_GridColor = m_clrPlot[CLR_GRID];
        }
        pChart->GetLegend()->m_bIsVisible = true;
        pChart->GetLegend()->m_TextColor = m_clrPlot[CLR_TEXT];
        pChart->GetTitle()->m_Color = m_clrPlot[CLR_TEXT];
        pChart->EnableRefresh(true);
        m_vCharts.push_back(pChart);
    }
    RecalcLayout();
}

void CPlotView::RecalcLayout()
{
    if (!GetSafeHwnd() || m_vCharts.empty())
        return;
    ApplyPendingGeometry(this);
    CQELViewBase::RecalcLayout(); // the title band
    CRect client;
    GetClientRect(&client);
    const int rows = static_cast<int>(m_nRows);
    const int cols = static_cast<int>(m_nCols);
    // A window smaller than its margins gets charts of no size rather than negative ones.
    const int h =
        std::max(0, (client.Height() - m_nGapTop - m_nTitleHeight - m_nGapBottom - (rows - 1) * m_nGapBetween) / rows);
    const int w = std::max(0, (client.Width() - m_nGapLeft - m_nGapRight - (cols - 1) * m_nGapBetween) / cols);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            const std::size_t k = static_cast<std::size_t>(c * rows + r);
            if (k >= m_vCharts.size())
                continue;
            const int x = client.left + m_nGapLeft + c * (w + m_nGapBetween);
            const int y = client.top + m_nGapTop + m_nTitleHeight + r * (h + m_nGapBetween);
            m_vCharts[k]->SetWindowPos(nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyPendingGeometry(m_vCharts[k]);
        }
}

void CPlotView::ClearCharts()
{
    for (CChartCtrl* pChart : m_vCharts) {
        pChart->RemoveAllSeries();
        delete pChart;
    }
    for (CMouseListener* pListener : m_vListeners)
        delete pListener;
    m_vCharts.clear();
    m_vListeners.clear();
}

int CPlotView::GetChartIndex(const CChartCtrl* pChart) const
{
    const auto it = std::find(m_vCharts.begin(), m_vCharts.end(), pChart);
    return it == m_vCharts.end() ? -1 : static_cast<int>(it - m_vCharts.begin());
}

void CPlotView::AddSeries(unsigned index, std::vector<double> x, std::vector<double> y, COLORREF colour, bool bMarkers,
                          int width, bool bNegate, bool bRound, SeriesInfo info)
{
    if (index >= m_vCharts.size() || x.size() != y.size())
        return;
    if (!info.modelOf.empty() && info.modelOf.size() != x.size()) {
        info.modelOf.clear();
        info.models.clear();
    }
    // The series keeps its points in x order: put them in that order here, so that a point's
    // index in the series is its index in the load-model list too.
    if (!std::is_sorted(x.begin(), x.end())) {
        std::vector<std::size_t> order(x.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return x[a] < x[b]; });
        std::vector<double> sx, sy;
        std::vector<std::uint32_t> sm;
        for (std::size_t k : order) {
            sx.push_back(x[k]);
            sy.push_back(y[k]);
            if (!info.modelOf.empty())
                sm.push_back(info.modelOf[k]);
        }
        x = std::move(sx);
        y = std::move(sy);
        info.modelOf = std::move(sm);
    }
    info.bNegated = bNegate;
    CChartCtrl* pChart = m_vCharts[index];
    // The chart is drawn once with its new series, not at each step of adding it.
    pChart->EnableRefresh(false);
    CChartLineSerie* pSerie = pChart->CreateLineSerie();
    if (!pSerie) {
        pChart->EnableRefresh(true);
        return;
    }
    pSerie->m_strSerieName = info.name;
    pSerie->m_SerieColor = colour;
    pSerie->m_iLineWidth = width;
    pSerie->m_bThinToColumns = m_bThinSeries;
    if (bMarkers) {
        pSerie->m_bShowMarkers = true;
        pSerie->m_iMarkerSize = 4 * width;
        pSerie->m_MarkerBorderColor = colour;
    }
    const double sign = bNegate ? -1.0 : 1.0;
    pSerie->AddPoints(x.data(), y.data(), x.size(), sign);
    auto* pListener = new CMouseListener(pChart, this, std::move(info));
    pSerie->m_pMouseListener = pListener;
    m_vListeners.push_back(pListener);
    pChart->RefreshCtrl();
    pChart->EnableRefresh(true);
    if (bRound) {
        // Rounding starts from the tick steps of the chart as it was just drawn.
        pChart->EnableRefresh(false);
        RoundAxis(pChart, 0);
        RoundAxis(pChart, 1);
        pChart->EnableRefresh(true);
    }
}

void CPlotView::RoundAxis(CChartCtrl* pChart, int axis)
{
    if (!pChart)
        return;
    auto* pAxis =
        dynamic_cast<CChartStandardAxis*>(pChart->GetAxis(axis == 0 ? CChartCtrl::LeftAxis : CChartCtrl::BottomAxis));
    if (!pAxis)
        return;
    const double t = pAxis->m_dTickIncrement;
    if (t < 1e-15)
        return;
    const double minimum = pAxis->m_MinValue;
    const double maximum = pAxis->m_MaxValue;
    // An end on or within a fifth of a step of a tick gets one more step of room.
    double n = std::floor(minimum / t);
    if (std::fabs(n * t - minimum) / t < 0.2)
        n -= 1;
    double m = std::ceil(maximum / t);
    if (std::fabs(m * t - maximum) / t < 0.2)
        m += 1;
    pAxis->m_MinValue = pAxis->m_UnzoomMin = n * t;
    pAxis->m_MaxValue = pAxis->m_UnzoomMax = m * t;
    if (CChartScrollBar* pBar = pAxis->GetScrollBar())
        pBar->Refresh();
    pChart->RefreshCtrl();
}

void CPlotView::SetChartTitles(unsigned index, const std::wstring& xTitle, const std::wstring& yTitle)
{
    if (index >= m_vCharts.size())
        return;
    CChartCtrl* pChart = m_vCharts[index];
    const auto& places = g_pSettings->General.DecimalPlaces;
    const bool bRatios = yTitle == m_sRatioBM || yTitle == m_sRatioSF || yTitle == m_sRatioReaction;
    if (auto* pBottom = dynamic_cast<CPlotAxis*>(pChart->GetAxis(CChartCtrl::BottomAxis))) {
        pBottom->m_uMinDecimals =
            static_cast<unsigned>(std::max(0, xTitle == m_sBridgeSpan ? places.SPAN : places.DISTANCE));
        pBottom->GetLabel()->m_strLabelText = xTitle;
        pChart->RefreshCtrl();
    }
    if (auto* pLeft = dynamic_cast<CPlotAxis*>(pChart->GetAxis(CChartCtrl::LeftAxis))) {
        pLeft->m_uMinDecimals = static_cast<unsigned>(std::max(0, bRatios ? places.FACTOR : places.GVW));
        pLeft->GetLabel()->m_strLabelText = yTitle;
        pChart->RefreshCtrl();
    }
}

void CPlotView::SetChartName(unsigned index, const std::wstring& name)
{
    if (index >= m_vCharts.size())
        return;
    CChartTitle* pTitle = m_vCharts[index]->GetTitle();
    pTitle->RemoveAll();
    if (!name.empty())
        pTitle->AddString(name);
    m_vCharts[index]->RefreshCtrl();
}

void CPlotView::AddBeamLine(unsigned index, const std::shared_ptr<CBridge>& pBridge)
{
    const auto pBeam = pBridge ? pBridge->GetBeam() : nullptr;
    if (!pBeam)
        return;
    AddSeries(index, {0.0, pBeam->m_Length}, {0.0, 0.0}, m_clrPlot[CLR_BEAM], false, 4, false, true);
}

// --- Printing: one chart per page -----------------------------------------------------------

BOOL CPlotView::OnPreparePrinting(CPrintInfo* pInfo)
{
    CQELViewBase::OnPreparePrinting(pInfo);
    pInfo->SetMaxPage(static_cast<UINT>(m_vCharts.size()));
    return DoPreparePrinting(pInfo);
}

void CPlotView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CQELViewBase::OnPrint(pDC, pInfo);
    const int left = m_nLeftMargin * m_nCharWidth;
    const int right = m_nRightMargin * m_nCharWidth;
    const int header = m_nHeaderLines * m_nLineHeight;
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    MapPage(pDC, -(m_nHeaderGap + header));
    pInfo->m_rectDraw.SetRect(0, 0, m_nPageWidth - right - left, m_nPageHeight - header - (m_nHeaderGap + header));
    const UINT k = pInfo->m_nCurPage - 1;
    if (k < m_vCharts.size())
        m_vCharts[k]->DrawChart(pDC, pInfo->m_rectDraw);
    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CPlotView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fontPrint.DeleteObject();
    CView::OnEndPrinting(pDC, pInfo);
    for (CChartCtrl* pChart : m_vCharts)
        pChart->ReleaseFonts();
}
