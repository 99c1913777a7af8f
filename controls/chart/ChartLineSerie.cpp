#include "ChartLineSerie.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ChartAxis.h"
#include "ChartCtrl.h"
#include "platform/gdi/DC.h"

#include <QPainter>
#include <QPolygonF>

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
            if (t >= 0 && t <= 1 && std::fabs(px - (ax + t * (bx - ax))) <= 3 &&
                std::fabs(py - (ay + t * (by - ay))) <= 3) {
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

// Lines and markers are drawn anti-aliased with the pen and brush selected in the DC: a
// stepped line hides the shape of a diagram. A line of odd width is centred on the pixels'
// middles, one of even width between them, so both cover whole pixels where they run
// straight.
class CSmoothDrawing {
public:
    explicit CSmoothDrawing(CDC* pDC) : m_pPainter(pDC->GetPainter())
    {
        if (!m_pPainter)
            return;
        m_pPainter->save();
        m_pPainter->setRenderHint(QPainter::Antialiasing, true);
        QPen pen = m_pPainter->pen();
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        m_pPainter->setPen(pen);
        const int width = pen.isCosmetic() ? 1 : static_cast<int>(pen.widthF() + 0.5);
        m_dOffset = width % 2 == 1 ? 0.5 : 0.0;
    }
    ~CSmoothDrawing()
    {
        if (m_pPainter)
            m_pPainter->restore();
    }
    CSmoothDrawing(const CSmoothDrawing&) = delete;
    CSmoothDrawing& operator=(const CSmoothDrawing&) = delete;

    bool CanDraw() const { return m_pPainter != nullptr; }
    QPointF At(const CPoint& p) const { return QPointF(p.x + m_dOffset, p.y + m_dOffset); }
    // In pieces of nPiece segments when nPiece > 0: a wide line that turns at every pixel
    // column costs the rasterizer far more as one outline than as short ones, and round caps
    // and joins cover the same pixels either way (a dashed pen would restart its dashes).
    void Polyline(const std::vector<CPoint>& points, int nPiece = 0) const
    {
        QPolygonF polygon;
        polygon.reserve(static_cast<int>(points.size()));
        for (const CPoint& p : points)
            polygon << At(p);
        if (nPiece <= 0) {
            m_pPainter->drawPolyline(polygon);
            return;
        }
        for (qsizetype i = 0; i + 1 < polygon.size(); i += nPiece)
            m_pPainter->drawPolyline(polygon.constData() + i,
                                     static_cast<int>(std::min<qsizetype>(nPiece + 1, polygon.size() - i)));
    }
    void Line(const CPoint& a, const CPoint& b) const { m_pPainter->drawLine(At(a), At(b)); }
    // A circle within the square of side size centred on the pixel, as the DC's Ellipse draws it.
    void Circle(const CPoint& centre, int size) const
    {
        const double r = (size / 2 * 2 - 1) / 2.0;
        if (r > 0)
            m_pPainter->drawEllipse(QPointF(centre.x - size / 2 + r + 0.5, centre.y - size / 2 + r + 0.5), r, r);
    }

private:
    QPainter* m_pPainter;
    double m_dOffset = 0.0;
};

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
    {
        const CSmoothDrawing smooth(pDC);
        for (unsigned i = first; i <= last; ++i) {
            // A marker on the pixel of the one before it would only cover it again.
            const CPoint point = GetPointScreenCoord(i);
            if (i > first && point == GetPointScreenCoord(i - 1))
                continue;
            if (smooth.CanDraw())
                smooth.Circle(point, m_iMarkerSize);
            else
                pDC->Ellipse(point.x - half, point.y - half, point.x + half, point.y + half);
        }
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CChartLineSerie::CollectPixels(unsigned first, unsigned last)
{
    std::vector<CPoint>& pixels = m_vDrawnPixels;
    pixels.clear();
    // Runs of points on one pixel collapse into one vertex.
    auto add = [&pixels](const CPoint& point) {
        if (pixels.empty() || point != pixels.back())
            pixels.push_back(point);
    };
    if (!m_bThinToColumns) {
        pixels.reserve(last - first + 1);
        for (unsigned i = first; i <= last; ++i)
            add(GetPointScreenCoord(i));
        return;
    }
    // A run of points in one pixel column is drawn through its first point, its top and
    // bottom pixels (in the order they come) and its last: the line then covers the column
    // from its top to its bottom pixel and joins its neighbours where the full line does.
    CPoint firstInRun = GetPointScreenCoord(first);
    CPoint top = firstInRun;
    CPoint bottom = firstInRun;
    CPoint lastInRun = firstInRun;
    unsigned topAt = first;
    unsigned bottomAt = first;
    auto flush = [&] {
        add(firstInRun);
        add(topAt <= bottomAt ? top : bottom);
        add(topAt <= bottomAt ? bottom : top);
        add(lastInRun);
    };
    for (unsigned i = first + 1; i <= last; ++i) {
        const CPoint point = GetPointScreenCoord(i);
        if (point.x != lastInRun.x) {
            flush();
            firstInRun = top = bottom = lastInRun = point;
            topAt = bottomAt = i;
            continue;
        }
        lastInRun = point;
        if (point.y < top.y) {
            top = point;
            topAt = i;
        }
        if (point.y > bottom.y) {
            bottom = point;
            bottomAt = i;
        }
    }
    flush();
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

    CollectPixels(first, last);
    m_uLastDrawnPoint = last;
    {
        const CSmoothDrawing smooth(pDC);
        constexpr int kPieceSegments = 16;
        if (smooth.CanDraw())
            smooth.Polyline(m_vDrawnPixels, m_bThinToColumns && m_iPenStyle == PS_SOLID ? kPieceSegments : 0);
        else
            pDC->Polyline(m_vDrawnPixels.data(), static_cast<int>(m_vDrawnPixels.size()));
    }
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
    {
        const CSmoothDrawing smooth(pDC);
        while (m_uLastDrawnPoint < count - 1) {
            const CPoint a = GetPointScreenCoord(m_uLastDrawnPoint);
            const CPoint b = GetPointScreenCoord(m_uLastDrawnPoint + 1);
            if (smooth.CanDraw()) {
                smooth.Line(a, b);
            } else {
                pDC->MoveTo(a);
                pDC->LineTo(b);
            }
            ++m_uLastDrawnPoint;
        }
    }

    pDC->SelectClipRgn(nullptr);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldPen);
}

void CChartLineSerie::DrawLegend(CDC* pDC, const CRect& rectBitmap) const
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    // A short piece of the line, with a marker in its middle when the points have them.
    CPen pen;
    MakeSeriePen(pen, m_iPenStyle, m_iLineWidth, m_SerieColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int y = (rectBitmap.top + rectBitmap.bottom) / 2;
    const CPoint from(rectBitmap.left, y), to(rectBitmap.right, y);
    {
        const CSmoothDrawing smooth(pDC);
        if (smooth.CanDraw()) {
            smooth.Line(from, to);
        } else {
            pDC->MoveTo(from);
            pDC->LineTo(to);
        }
    }
    pDC->SelectObject(pOldPen);
    if (m_bShowMarkers) {
        CPen border(PS_SOLID, 1, m_MarkerBorderColor);
        CBrush brush(m_SerieColor);
        pOldPen = pDC->SelectObject(&border);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        const int size = std::min(m_iMarkerSize, std::max(4, rectBitmap.Height()));
        const CPoint middle((rectBitmap.left + rectBitmap.right) / 2, y);
        {
            const CSmoothDrawing smooth(pDC);
            if (smooth.CanDraw())
                smooth.Circle(middle, size);
            else
                pDC->Ellipse(middle.x - size / 2, middle.y - size / 2, middle.x + size / 2, middle.y + size / 2);
        }
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
}
