#include "platform/wnd/ScrollBar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL)
{
    if (!lpScrollInfo)
        return FALSE;
    if (lpScrollInfo->fMask & SIF_RANGE) {
        m_info.nMin = lpScrollInfo->nMin;
        m_info.nMax = lpScrollInfo->nMax;
    }
    if (lpScrollInfo->fMask & SIF_PAGE)
        m_info.nPage = static_cast<UINT>(
            std::clamp(static_cast<int>(lpScrollInfo->nPage), 0, std::max(0, m_info.nMax - m_info.nMin + 1)));
    if (lpScrollInfo->fMask & SIF_POS)
        m_info.nPos = lpScrollInfo->nPos;
    m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, std::max(m_info.nMin, GetScrollLimit()));
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    if (!lpScrollInfo)
        return FALSE;
    const UINT cb = lpScrollInfo->cbSize;
    *lpScrollInfo = m_info;
    lpScrollInfo->cbSize = cb;
    lpScrollInfo->fMask = nMask;
    lpScrollInfo->nTrackPos = m_info.nPos;
    return TRUE;
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    const int old = m_info.nPos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(&si, bRedraw);
    return old;
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMinPos;
    si.nMax = nMaxPos;
    SetScrollInfo(&si, bRedraw);
}

void CScrollBar::GetScrollRange(int* lpMinPos, int* lpMaxPos) const
{
    if (lpMinPos)
        *lpMinPos = m_info.nMin;
    if (lpMaxPos)
        *lpMaxPos = m_info.nMax;
}

int CScrollBar::GetScrollLimit() const
{
    const int page = static_cast<int>(m_info.nPage);
    return std::max(m_info.nMin, page > 0 ? m_info.nMax - page + 1 : m_info.nMax);
}
