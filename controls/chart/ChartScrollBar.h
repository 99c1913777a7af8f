#pragma once
#include "platform/wnd/ScrollBar.h"

class CChartAxis;

// The scroll bar of an axis. It is shown only while the mouse is over it and only when
// enabled; no bar is ever enabled in this program, so they stay hidden.
class CChartScrollBar : public CScrollBar {
public:
    explicit CChartScrollBar(CChartAxis* pParentAxis) : m_pParentAxis(pParentAxis) {}

    void CreateScrollBar(const CRect& plottingRect);
    // Follows the axis range.
    void Refresh();
    // Moves the bar along the edge of the plotting area.
    void UpdatePosition(const CRect& plottingRect);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;

    bool IsEnabled() const { return m_bIsEnabled; }
    bool IsAutoHide() const { return m_bAutoHide; }

    CChartAxis* m_pParentAxis;
    bool m_bIsEnabled = false;
    bool m_bAutoHide = true;
};
