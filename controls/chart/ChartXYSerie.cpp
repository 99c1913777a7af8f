#include "ChartXYSerie.h"

#include "ChartAxis.h"
#include "ChartCtrl.h"

void CChartXYSerie::AddPoint(double x, double y)
{
    m_vPoints.AddPoint(SChartXYPoint{x, y, 0.0});
    // Not yet registered with a chart: only stored.
    if (!m_pParentCtrl || !m_pHorizontalAxis || !m_pVerticalAxis)
        return;
    m_pParentCtrl->EnableRefresh(false);
    m_pHorizontalAxis->RefreshAutoAxis();
    m_pVerticalAxis->RefreshAutoAxis();
    m_pParentCtrl->EnableRefresh(true);
    if (CDC* pDC = m_pParentCtrl->GetMemoryDC()) {
        Draw(pDC);
        m_pParentCtrl->InvalidateChart();
    }
}
