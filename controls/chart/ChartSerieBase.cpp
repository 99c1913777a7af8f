#include "ChartSerieBase.h"

#include <algorithm>

#include "ChartAxis.h"
#include "ChartXYPoint.h"

namespace {
// The range of one coordinate of the points in view.
template <class Serie, class Coord>
bool VisibleRange(const Serie& serie, Coord coord, double& minimum, double& maximum)
{
    unsigned first = 0, last = 0;
    if (!serie.GetVisiblePoints(first, last))
        return false;
    minimum = maximum = serie.GetPoint(first).*coord;
    for (unsigned i = first + 1; i <= last; ++i) {
        minimum = std::min(minimum, serie.GetPoint(i).*coord);
        maximum = std::max(maximum, serie.GetPoint(i).*coord);
    }
    return true;
}
} // namespace

template <class PointType>
unsigned CChartSerieBase<PointType>::GetPointsCount() const
{
    return static_cast<unsigned>(m_vPoints.GetPointsCount());
}

template <class PointType>
CPoint CChartSerieBase<PointType>::GetPointScreenCoord(unsigned index) const
{
    const PointType& point = GetPoint(index);
    return ValueToScreen(point.X, point.Y);
}

template <class PointType>
bool CChartSerieBase<PointType>::GetSerieYMinMax(double& minimum, double& maximum) const
{
    if (!m_bIsVisible)
        return false;
    return m_vPoints.GetSerieYMinMax(minimum, maximum);
}

template <class PointType>
bool CChartSerieBase<PointType>::GetSerieXMinMax(double& minimum, double& maximum) const
{
    if (!m_bIsVisible)
        return false;
    return m_vPoints.GetSerieXMinMax(minimum, maximum);
}

template <class PointType>
bool CChartSerieBase<PointType>::GetSerieXScreenMinMax(double& minimum, double& maximum) const
{
    if (!m_bIsVisible || m_vPoints.GetOrdering() != YOrdering)
        return false;
    return VisibleRange(*this, &PointType::X, minimum, maximum);
}

template <class PointType>
bool CChartSerieBase<PointType>::GetSerieYScreenMinMax(double& minimum, double& maximum) const
{
    if (!m_bIsVisible || m_vPoints.GetOrdering() != XOrdering)
        return false;
    return VisibleRange(*this, &PointType::Y, minimum, maximum);
}

template <class PointType>
unsigned CChartSerieBase<PointType>::FindPoint(double key, unsigned low, unsigned high, bool byX) const
{
    for (;;) {
        const unsigned mid = low + (high - low) / 2;
        const double value = byX ? GetPoint(mid).X : GetPoint(mid).Y;
        if (value <= key) {
            if (mid >= high)
                return high;
            low = mid + 1;
        } else {
            if (low >= mid)
                return low;
            high = mid - 1;
        }
    }
}

template <class PointType>
bool CChartSerieBase<PointType>::GetVisiblePoints(unsigned& first, unsigned& last) const
{
    const unsigned count = GetPointsCount();
    if (count == 0 || !m_pHorizontalAxis || !m_pVerticalAxis)
        return false;
    switch (m_vPoints.GetOrdering()) {
    case XOrdering:
        first = FindPoint(m_pHorizontalAxis->m_MinValue, 0, count - 1, true);
        last = FindPoint(m_pHorizontalAxis->m_MaxValue, first, count - 1, true);
        break;
    case YOrdering:
        first = FindPoint(m_pVerticalAxis->m_MinValue, 0, count - 1, false);
        last = FindPoint(m_pVerticalAxis->m_MaxValue, first, count - 1, false);
        break;
    default:
        first = 0;
        last = count - 1;
        break;
    }
    return true;
}

template <class PointType>
void CChartSerieBase<PointType>::DrawLabels(CDC* /*pDC*/)
{
    // Points carry no labels in this program.
}

template <class PointType>
bool CChartSerieBase<PointType>::OnMouseEvent(int mouseEvent, const CPoint& point)
{
    if (!m_pMouseListener)
        return false;
    if (mouseEvent == MouseMove && !m_bMouseMoveNotifications)
        return false;
    if (mouseEvent != MouseMove && !m_bMouseClickNotifications)
        return false;
    int index = -1;
    if (!IsPointOnSerie(point, index))
        return false;
    // The listener may remove this series: nothing of it is touched after the call.
    m_pMouseListener->OnMouseEventSeries(mouseEvent, point.x, point.y, this, index);
    return true;
}

template <class PointType>
void CChartSerieBase<PointType>::SetSeriesOrdering(int ordering)
{
    m_vPoints.SetOrdering(ordering);
}

template class CChartSerieBase<SChartXYPoint>;
