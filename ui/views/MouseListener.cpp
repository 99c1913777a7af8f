#include "ui/views/MouseListener.h"

#include "controls/chart/ChartCtrl.h"
#include "controls/chart/ChartSerieBase.h"
#include "core/outputs/AnalysisOutput.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/views/PlotView.h"
#include "ui/views/ResultCell.h"

CMouseListener::CMouseListener(CChartCtrl* pChart, CPlotView* pView, SeriesInfo info)
    : m_pChart(pChart), m_pView(pView), m_Info(std::move(info))
{
}

CMouseListener::~CMouseListener()
{
    m_Tip.DestroyWindow();
}

void CMouseListener::OnMouseEventSeries(int mouseEvent, int x, int y, CChartSerieBase<SChartXYPoint>* pSerie,
                                        int pointIndex)
{
    if (!pSerie || pointIndex < 0 || static_cast<unsigned>(pointIndex) >= pSerie->GetPointsCount())
        return;
    const SChartXYPoint point = pSerie->GetPoint(static_cast<unsigned>(pointIndex));
    if (mouseEvent == LButtonDown)
        ShowPointTip(x, y, static_cast<unsigned>(pointIndex), point);
    else if (mouseEvent == LButtonDoubleClick)
        OfferRemoval(pSerie, point);
}

std::wstring CMouseListener::TipText(unsigned index, const SChartXYPoint& point) const
{
    const auto& places = g_pSettings->General.DecimalPlaces;
    std::wstring text;
    const std::wstring model = m_Info.ModelAt(index);
    if (!model.empty())
        text = L"Load model: " + model;
    else if (!m_Info.name.empty())
        text = m_Info.name;
    if (!text.empty())
        text += L"  ";
    if (m_Info.xAxis == SeriesInfo::X_SPAN)
        text += L"span = " + ResultText(point.X, places.SPAN) + L" m";
    else
        text += L"x = " + ResultText(point.X, places.DISTANCE) + L" m";
    const double y = m_Info.bNegated ? -point.Y : point.Y;
    switch (m_Info.quantity) {
    case SeriesInfo::Q_MOMENT: text += L"  M = " + ResultText(y, places.GVW) + L" kNm"; break;
    case SeriesInfo::Q_SHEAR: text += L"  V = " + ResultText(y, places.GVW) + L" kN"; break;
    case SeriesInfo::Q_REACTION: text += L"  R = " + ResultText(y, places.GVW) + L" kN"; break;
    case SeriesInfo::Q_RATIO: text += L"  ratio = " + ResultText(y, places.FACTOR); break;
    case SeriesInfo::Q_NONE: text += L"  y = " + ResultText(y, places.GVW); break;
    }
    return text;
}

void CMouseListener::ShowPointTip(int x, int y, unsigned index, const SChartXYPoint& point)
{
    if (!m_Tip.GetSafeHwnd()) {
        m_Tip.Create(m_pChart);
        m_Tip.m_nMaxShowTime = g_pSettings->Plot.DATATIPDELAY;
    }
    const CRect rect(x, y, x + 100, y + 100);
    m_Tip.Show(&rect, TipText(index, point).c_str());
}

void CMouseListener::OfferRemoval(CChartSerieBase<SChartXYPoint>* pSerie, const SChartXYPoint& point)
{
    if (!m_pView || !m_pView->m_spOutput)
        return;
    CAnalysisOutput& output = *m_pView->m_spOutput;
    const std::wstring label =
        output.SetDataPoint(m_pView->m_nResultType != 0, m_pView->GetChartIndex(m_pChart), point.X, point.Y);
    const std::wstring question = output.Describe() + L"\n" + label + L"\n\nDo you wish to remove this data series?";
    if (MessageBox(m_pChart->GetSafeHwnd(), question, L"QEL", MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_pChart->RemoveSerie(pSerie->GetSerieId());
}
