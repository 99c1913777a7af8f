#pragma once
// A borderless top-most pop-up showing the whole text of a clipped cell, placed over the
// cell. Mouse and key input that reach it are handed on to the window below, so the user
// hardly notices it.
#include "platform/wnd/Wnd.h"

#include <QObject>
#include <memory>
#include <string>

class CTitleTip : public CWnd {
    DECLARE_DYNCREATE(CTitleTip)

public:
    CTitleTip();
    ~CTitleTip() override;

    virtual BOOL Create(CWnd* pParentWnd);
    BOOL DestroyWindow() override;
    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    // rectTitle and lpHoverRect are in the parent's client coordinates. Shows only when the
    // text (with a blank either side) is wider than rectTitle. xoffset is not used.
    void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = nullptr,
              const LOGFONT* lpLogFont = nullptr, COLORREF crTextClr = CLR_DEFAULT, COLORREF crBackClr = CLR_DEFAULT);
    void Hide();

    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectTitle;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = 0xFFFFFFFF;
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;

private:
    // Hands a mouse message (tip client coordinates) on to the window under the point.
    void PassOn(UINT message, UINT nFlags, CPoint point);
    void PassPressToWidget(UINT message, UINT nFlags, CPoint screenPoint);
    void PassKeyOn(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags);

    class KeyWatcher;
    std::unique_ptr<KeyWatcher> m_pKeyWatcher;
    std::wstring m_strTitle;
    LOGFONT m_lf{};
    bool m_bHasFont = false;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
