#pragma once
// A scroll-bar control (SB_CTL). It keeps its range, page and position with the same
// semantics as the window bars; it draws nothing of its own (the controls that own one keep
// it hidden).
#include "platform/wnd/Wnd.h"

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;
constexpr DWORD SBS_TOPALIGN = 0x0002;
constexpr DWORD SBS_LEFTALIGN = 0x0002;
constexpr DWORD SBS_BOTTOMALIGN = 0x0004;
constexpr DWORD SBS_RIGHTALIGN = 0x0004;

class CScrollBar : public CWnd {
    DECLARE_DYNCREATE(CScrollBar)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos() const { return m_info.nPos; }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int* lpMinPos, int* lpMaxPos) const;
    int GetScrollLimit() const;
    void ShowScrollBar(BOOL bShow = TRUE) { ShowWindow(bShow ? SW_SHOWNA : SW_HIDE); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) { return EnableWindow(nArrowFlags != ESB_DISABLE_BOTH); }

private:
    SCROLLINFO m_info;
};
