#include "ChartSerie.h"

#include "ChartAxis.h"

unsigned CChartSerie::m_uNextFreeId = 0;

CChartSerie::CChartSerie(CChartCtrl* pParent) : m_pParentCtrl(pParent), m_uSerieId(m_uNextFreeId++) {}

CChartSerie::~CChartSerie()
{
    if (m_pVerticalAxis)
        m_pVerticalAxis->UnregisterSeries(this);
    if (m_pHorizontalAxis)
        m_pHorizontalAxis->UnregisterSeries(this);
}

CPoint CChartSerie::ValueToScreen(double x, double y) const
{
    if (!m_pHorizontalAxis || !m_pVerticalAxis)
        return CPoint(0, 0);
    return CPoint(m_pHorizontalAxis->GetPosition(x), m_pVerticalAxis->GetPosition(y));
}
