#pragma once
#include "platform/gdi/Rect.h"

class CDC;

// The chart's title. It holds no lines in this program, so it is 0 pixels high and draws nothing.
class CChartTitle {
public:
    CChartTitle() = default;
    virtual ~CChartTitle() = default;

    int GetHeight(CDC* /*pDC*/) const { return 0; }
    void SetRect(const CRect& rect) { m_ObjectRect = rect; }
    void Draw(CDC* /*pDC*/) {}

    bool m_bIsVisible = true;
    CRect m_ObjectRect;
};
