#include "ChartXYSerie.h"

#include "ChartAxis.h"
#include "ChartCtrl.h"

void CChartXYSerie::AddPoint(double x, double y)
{
    m_vPoints.AddPoint(SChartXYPoint{x, y, 0.0});
    if (!FollowAxes())
        return;
    if (CDC* pDC = m_pParentCtrl->GetMemoryDC()) {
        Draw(pDC);
        m_pParentCtrl->InvalidateChart();
    }
}

void CChartXYSerie::AddPoints(const double* x, const double* y, std::size_t n, double yScale)
{
    m_vPoints.Reserve(static_cast<int>(m_vPoints.GetPointsCount() + n));
    for (std::size_t i = 0; i < n; ++i)
        m_vPoints.AddPoint(SChartXYPoint{x[i], yScale * y[i], 0.0});
    if (FollowAxes())
        m_pParentCtrl->InvalidateChart();
}

bool CChartXYSerie::FollowAxes()
{
    // Not yet registered with a chart: only stored.
    if (!m_pParentCtrl || !m_pHorizontalAxis || !m_pVerticalAxis)
        return false;
    m_pParentCtrl->EnableRefresh(false);
    m_pHorizontalAxis->RefreshAutoAxis();
    m_pVerticalAxis->RefreshAutoAxis();
    m_pParentCtrl->EnableRefresh(true);
    return true;
}
