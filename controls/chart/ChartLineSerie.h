#pragma once
#include "ChartXYSerie.h"

#include <vector>

// An XY series drawn as a polyline with optional circle markers. A long series is drawn
// through at most four points of each pixel column it crosses (the first, the lowest, the
// highest and the last), which draws the same line as all its points would: no peak is
// lost, and 100,000 points cost a few thousand vertices. The points themselves stay whole:
// tips, zoom and the point under the mouse use every one, and the thinning is done anew by
// each full drawing, at the scale of that drawing.
class CChartLineSerie : public CChartXYSerie {
public:
    explicit CChartLineSerie(CChartCtrl* pParent) : CChartXYSerie(pParent) {}

    bool IsPointOnSerie(const CPoint& screenPoint, int& index) const override;
    void DrawLegend(CDC* pDC, const CRect& rectBitmap) const override;
    // Draws the segments added since the last draw.
    void Draw(CDC* pDC) override;
    void DrawAll(CDC* pDC) override;

    // The vertices of the last full drawing, in drawing coordinates.
    const std::vector<CPoint>& GetDrawnPixels() const { return m_vDrawnPixels; }

    int m_iLineWidth = 1;
    int m_iPenStyle = 0;
    bool m_bShowMarkers = false;
    int m_iMarkerSize = 8;
    COLORREF m_MarkerBorderColor = 0;
    // False: the reference path, a vertex for every point (runs on one pixel collapsed),
    // against which the thinned drawing is checked and measured.
    bool m_bThinToColumns = true;

private:
    // The visible range widened by one point on each side, so the line runs to the plotting edge.
    bool GetWidenedRange(unsigned& first, unsigned& last) const;
    void DrawMarkers(CDC* pDC, unsigned first, unsigned last) const;
    // The vertices of points first to last into m_vDrawnPixels.
    void CollectPixels(unsigned first, unsigned last);

    std::vector<CPoint> m_vDrawnPixels;
};
