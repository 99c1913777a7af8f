#pragma once
#include <list>

#include "platform/win/WinDef.h"

class CDC;
class CChartCtrl;

// The dotted grid lines of one axis across the plotting area, at the ticks the axis drew last.
class CChartGrid {
    friend class CChartAxis;

public:
    CChartGrid() = default;
    virtual ~CChartGrid() = default;

    void Draw(CDC* pDC);

    COLORREF m_GridColor = 0x808080;
    CChartCtrl* m_pParentCtrl = nullptr;
    bool m_bIsVisible = true;
    std::list<int> m_lstTickPos;
    // The grid of a horizontal axis draws vertical lines.
    bool m_bIsHorizontal = true;

protected:
    void AddTick(int position) { m_lstTickPos.push_back(position); }
    void ClearTicks() { m_lstTickPos.clear(); }
};
