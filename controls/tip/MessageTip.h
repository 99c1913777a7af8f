#pragma once
// A pop-up of a few lines of text next to a point of its parent. It never takes the focus
// and closes by itself: on the next key press (other than Return) or mouse button press
// anywhere in the program, when its time runs out (unless the pointer rests on it), or
// when its owner hides it.
//
// The shadow along the right and bottom edge is made from what lay behind the tip when it
// was shown, darkened towards the tip.
#include "platform/gdi/GdiObject.h"
#include "platform/wnd/Wnd.h"

#include <string>

class QObject;

class CMessageTip : public CWnd {
    DECLARE_DYNCREATE(CMessageTip)

public:
    CMessageTip();
    ~CMessageTip() override;

    BOOL Create(CWnd* pParentWnd);
    // pPoint is in the parent's client coordinates; a rectangle's top-left corner serves too.
    // Nothing happens without a point, a text or a window.
    void Show(const POINT* pPoint, LPCTSTR lpszText);
    void Show(const RECT* pRect, LPCTSTR lpszText);
    void Hide();

    virtual void MeasureText(CRect& rect);
    // Places a tip of rcSize's size with its bottom-left corner at ptScreen, kept on the screen.
    virtual void PositionWindow(CRect& rect, const CPoint& ptScreen, const CRect& rcSize);

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    // What a close request (WM_CLOSE) does: the window is hidden, not destroyed.
    void OnClose();

    const std::wstring& GetText() const { return m_sText; }

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectMargins{6, 4, 8, 4};
    CPoint m_ptOffset{-6, 0};
    CFont m_font;
    int m_nTimerInterval = 500;
    int m_nMaxShowTime = 5000;
    int m_nElapsed = 0;
    COLORREF m_clrBack;
    COLORREF m_clrText;
    std::wstring m_sText;
    BOOL m_bShadow = TRUE;
    int m_nShadowDepth = 6;
    BOOL m_bSaveShadow = FALSE;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;

private:
    // Reads the screen behind the tip's strips into the shadow bitmaps and darkens them.
    void MakeShadow(const CRect& rectScreen);
    // Each tip watches key and button presses itself while shown, so that a second tip
    // does not take the first one's watch away.
    void InstallHooks();
    void RemoveHooks();
    QObject* m_pHooks = nullptr;
};
