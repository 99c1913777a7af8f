#pragma once
#include "ChartXYSerie.h"

// An XY series drawn as a polyline with optional circle markers.
class CChartLineSerie : public CChartXYSerie {
public:
    explicit CChartLineSerie(CChartCtrl* pParent) : CChartXYSerie(pParent) {}

    bool IsPointOnSerie(const CPoint& screenPoint, int& index) const override;
    void DrawLegend(CDC* pDC, const CRect& rectBitmap) const override;
    // Draws the segments added since the last draw.
    void Draw(CDC* pDC) override;
    void DrawAll(CDC* pDC) override;

    int m_iLineWidth = 1;
    int m_iPenStyle = 0;
    bool m_bShowMarkers = false;
    int m_iMarkerSize = 8;
    COLORREF m_MarkerBorderColor = 0;

private:
    // The visible range widened by one point on each side, so the line runs to the plotting edge.
    bool GetWidenedRange(unsigned& first, unsigned& last) const;
    void DrawMarkers(CDC* pDC, unsigned first, unsigned last) const;
};
