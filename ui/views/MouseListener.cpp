#include "ui/views/MouseListener.h"

#include "controls/chart/ChartCtrl.h"
#include "controls/chart/ChartSerieBase.h"
#include "core/outputs/AnalysisOutput.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/views/PlotView.h"

#include <locale>
#include <sstream>

CMouseListener::CMouseListener(CChartCtrl* pChart, CPlotView* pView) : m_pChart(pChart), m_pView(pView)
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
        ShowPointTip(x, y, point);
    else if (mouseEvent == LButtonDoubleClick)
        OfferRemoval(pSerie, point);
}

void CMouseListener::ShowPointTip(int x, int y, const SChartXYPoint& point)
{
    std::wostringstream text;
    text.imbue(std::locale::classic());
    text << L"X: " << point.X << L"\nY: " << point.Y;
    if (!m_Tip.GetSafeHwnd()) {
        m_Tip.Create(m_pChart);
        m_Tip.m_nMaxShowTime = CSettings::Instance().Plot.DATATIPDELAY;
    }
    const CRect rect(x, y, x + 100, y + 100);
    m_Tip.Show(&rect, text.str().c_str());
}

void CMouseListener::OfferRemoval(CChartSerieBase<SChartXYPoint>* pSerie, const SChartXYPoint& point)
{
    if (!m_pView || !m_pView->m_spOutput)
        return;
    CAnalysisOutput& output = *m_pView->m_spOutput;
    const std::wstring label =
        output.SetDataPoint(m_pView->m_nResultType != 0, m_pView->GetChartIndex(m_pChart), point.X, point.Y);
    const std::wstring question =
        output.Describe() + L"\n" + label + L"\n\nDo you wish to remove this data series?";
    if (MessageBox(m_pChart->GetSafeHwnd(), question, L"QEL", MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_pChart->RemoveSerie(pSerie->GetSerieId());
}
