#pragma once
#include "platform/gdi/Rect.h"

class CDC;

// The chart's legend. Nothing in this program shows it: it stays invisible, takes no room
// and draws nothing.
class CChartLegend {
public:
    CChartLegend() = default;
    virtual ~CChartLegend() = default;

    // Would take the legend's room from the remaining area; invisible, it leaves it as it is.
    void ClipArea(CRect& /*rcControl*/, CDC* /*pDC*/) {}
    void Draw(CDC* /*pDC*/) {}

    bool m_bIsVisible = false;
    CRect m_ObjectRect;
};
