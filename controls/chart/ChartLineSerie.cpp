#include "ChartLineSerie.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ChartAxis.h"
#include "ChartCtrl.h"
#include "platform/gdi/DC.h"

bool CChartLineSerie::GetWidenedRange(unsigned& first, unsigned& last) const
{
    if (!GetVisiblePoints(first, last))
        return false;
    if (first > 0)
        --first;
    if (last + 1 < GetPointsCount())
        ++last;
    return true;
}

bool CChartLineSerie::IsPointOnSerie(const CPoint& screenPoint, int& index) const
{
    index = -1;
    if (!m_bIsVisible)
        return false;
    unsigned first = 0, last = 0;
    if (!GetWidenedRange(first, last) || first >= last)
        return false;

    const double px = screenPoint.x;
    const double py = screenPoint.y;
    CPoint a = GetPointScreenCoord(first);
    for (unsigned i = first; i < last; ++i) {
        const CPoint b = GetPointScreenCoord(i + 1);
        const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
        const double lengthSq = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
        // Both ends on one pixel: no projection, so this segment cannot hold the point.
        if (lengthSq > 0) {
            const double t = ((ay - py) * (ay - by) - (ax - px) * (bx - ax)) / lengthSq;
            if (t >= 0 && t <= 1 && std::fabs(px - (ax + t * (bx - ax))) <= 3
                && std::fabs(py - (ay + t * (by - ay))) <= 3) {
                if (std::abs(screenPoint.x - a.x) < 6 && std::abs(screenPoint.y - a.y) < 6)
                    index = static_cast<int>(i);
                if (std::abs(screenPoint.x - b.x) < 6 && std::abs(screenPoint.y - b.y) < 6)
                    index = static_cast<int>(i + 1);
                return true;
            }
        }
        a = b;
    }
    return false;
}

namespace {

// The series pen: a plain solid pen, or a geometric one for the other styles.
void MakeSeriePen(CPen& pen, int style, int width, COLORREF colour)
{
    if (style == PS_SOLID) {
        pen.CreatePen(PS_SOLID, width, colour);
    } else {
        const LOGBRUSH brush{BS_SOLID, colour, 0};
        pen.CreatePen(style | PS_GEOMETRIC, width, &brush);
    }
}

} // namespace

void CChartLineSerie::DrawMarkers(CDC* pDC, unsigned first, unsigned last) const
{
    if (!m_bShowMarkers)
        return;
    CPen pen(PS_SOLID, 1, m_MarkerBorderColor);
    CBrush brush(m_SerieColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    const int half = m_iMarkerSize / 2;
    for (unsigned i = first; i <= last; ++i) {
        const CPoint point = GetPointScreenCoord(i);
        pDC->Ellipse(point.x - half, point.y - half, point.x + half, point.y + half);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CChartLineSerie::DrawAll(CDC* pDC)
{
    if (!m_bIsVisible || !pDC || !pDC->GetSafeHdc() || !m_pHorizontalAxis || !m_pVerticalAxis)
        return;
    unsigned first = 0, last = 0;
    if (!GetWidenedRange(first, last) || first == last)
        return;

    CPen pen;
    MakeSeriePen(pen, m_iPenStyle, m_iLineWidth, m_SerieColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->IntersectClipRect(m_PlottingRect);

    // Runs of points on one pixel collapse into one vertex.
    std::vector<CPoint> pixels;
    pixels.reserve(last - first + 1);
    for (unsigned i = first; i <= last; ++i) {
        const CPoint point = GetPointScreenCoord(i);
        if (pixels.empty() || point != pixels.back())
            pixels.push_back(point);
    }
    m_uLastDrawnPoint = last;
    pDC->Polyline(pixels.data(), static_cast<int>(pixels.size()));
    DrawMarkers(pDC, first, last);

    pDC->SelectClipRgn(nullptr);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldPen);
}

void CChartLineSerie::Draw(CDC* pDC)
{
    if (!m_bIsVisible || !pDC || !pDC->GetSafeHdc() || !m_pHorizontalAxis || !m_pVerticalAxis)
        return;
    const unsigned count = GetPointsCount();
    if (count == 0)
        return;
    if (m_uLastDrawnPoint >= count)
        m_uLastDrawnPoint = count - 1;

    CPen pen;
    MakeSeriePen(pen, m_iPenStyle, m_iLineWidth, m_SerieColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->IntersectClipRect(m_pParentCtrl->GetPlottingRect());

    DrawMarkers(pDC, m_uLastDrawnPoint, count - 1);
    while (m_uLastDrawnPoint < count - 1) {
        pDC->MoveTo(GetPointScreenCoord(m_uLastDrawnPoint));
        pDC->LineTo(GetPointScreenCoord(m_uLastDrawnPoint + 1));
        ++m_uLastDrawnPoint;
    }

    pDC->SelectClipRgn(nullptr);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldPen);
}

void CChartLineSerie::DrawLegend(CDC* pDC, const CRect& rectBitmap) const
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    CPen pen;
    MakeSeriePen(pen, m_iPenStyle, m_iLineWidth, m_SerieColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int y = (rectBitmap.top + rectBitmap.bottom) / 2;
    pDC->MoveTo(rectBitmap.left, y);
    pDC->LineTo(rectBitmap.right, y);
    pDC->SelectObject(pOldPen);
}
