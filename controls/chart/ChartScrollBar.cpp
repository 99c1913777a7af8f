#include "ChartScrollBar.h"

#include "ChartAxis.h"
#include "ChartCtrl.h"

void CChartScrollBar::CreateScrollBar(const CRect& plottingRect)
{
    if (!m_pParentAxis->m_pParentCtrl || !m_pParentAxis->m_pParentCtrl->GetSafeHwnd())
        return;
    DWORD style = WS_CHILD;
    if (m_pParentAxis->m_bIsHorizontal)
        style |= SBS_HORZ | (m_pParentAxis->m_bIsSecondary ? SBS_TOPALIGN : SBS_BOTTOMALIGN);
    else
        style |= SBS_VERT | (m_pParentAxis->m_bIsSecondary ? SBS_RIGHTALIGN : SBS_LEFTALIGN);
    Create(style, plottingRect, m_pParentAxis->m_pParentCtrl, 100);
}

void CChartScrollBar::Refresh()
{
    if (!GetSafeHwnd())
        return;
    int steps = 1, page = 1;
    m_pParentAxis->GetScrollbarSteps(steps, page);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = steps - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = 0;
    SetScrollInfo(&info, FALSE);
}

void CChartScrollBar::UpdatePosition(const CRect& plottingRect)
{
    if (!GetSafeHwnd())
        return;
    const bool horizontal = m_pParentAxis->m_bIsHorizontal;
    const int thickness = GetSystemMetrics(horizontal ? SM_CYHSCROLL : SM_CXVSCROLL);
    CRect rect = plottingRect;
    if (horizontal) {
        if (m_pParentAxis->m_bIsSecondary)
            rect.bottom = rect.top + thickness;
        else
            rect.top = rect.bottom - thickness;
    } else {
        if (m_pParentAxis->m_bIsSecondary)
            rect.left = rect.right - thickness;
        else
            rect.right = rect.left + thickness;
    }
    MoveWindow(rect, FALSE);
}

void CChartScrollBar::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    m_pParentAxis->Scroll(nSBCode, static_cast<int>(nPos));
}

void CChartScrollBar::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    m_pParentAxis->Scroll(nSBCode, static_cast<int>(nPos));
}
