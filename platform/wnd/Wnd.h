#pragma once
// Window base over Qt. A CWnd is a plain C++ object; its window is a widget made by Create
// and gone after DestroyWindow (or when a Qt parent deletes it), so "has a window" is
// GetSafeHwnd() != nullptr, as the controls expect. The widget is a QAbstractScrollArea:
// its viewport is the client area (GetClientWidget, what tests grab), its two scroll bars
// are the window's standard bars with the original range semantics (see SetScrollInfo).
//
// Qt events become the handlers below, called with client coordinates:
//   paint            -> OnEraseBkgnd(dc), then OnPaint() (build a CPaintDC there)
//   viewport resize  -> OnSize(SIZE_RESTORED, cx, cy)
//   mouse            -> OnLButtonDown/Up/DblClk, OnRButtonDown/Up, OnMButtonDown, OnMouseMove
//                       (OnSetCursor(this, HTCLIENT, message) first), OnMouseWheel (screen point)
//   keys             -> OnKeyDown/OnSysKeyDown (virtual-key codes, platform/win/Keys.h), OnKeyUp,
//                       then OnChar for each character the key typed; a key that typed
//                       nothing and reached the default OnKeyDown goes on to the parent
//                       widgets, and in a dialog Escape and Enter go to the dialog unless
//                       OnGetDlgCode asks for DLGC_WANTALLKEYS
//   scroll bars      -> OnHScroll/OnVScroll(code, track position, nullptr)
//   timers, focus    -> OnTimer, OnSetFocus, OnKillFocus; capture loss -> OnCaptureChanged
//   palette change   -> OnSysColorChange
// Painting happens only inside the paint event: code that wants to show something at once
// calls Invalidate/InvalidateRect (and UpdateWindow to have it painted now).
#include "platform/gdi/DC.h"
#include "platform/gdi/Rect.h"
#include "platform/win/Notify.h"
#include "platform/win/Object.h"
#include "platform/win/WinDef.h"

#include <QPointer>
#include <map>
#include <string>

class QAbstractScrollArea;
class QPaintEvent;
class CWndWidget;
class CScrollBar;

// Cursors are Qt cursor shapes.
using HCURSOR = int;
constexpr HCURSOR IDC_ARROW = Qt::ArrowCursor;
constexpr HCURSOR IDC_IBEAM = Qt::IBeamCursor;
constexpr HCURSOR IDC_WAIT = Qt::WaitCursor;
constexpr HCURSOR IDC_CROSS = Qt::CrossCursor;
constexpr HCURSOR IDC_SIZEWE = Qt::SizeHorCursor;
constexpr HCURSOR IDC_SIZENS = Qt::SizeVerCursor;
constexpr HCURSOR IDC_SIZEALL = Qt::SizeAllCursor;
constexpr HCURSOR IDC_NO = Qt::ForbiddenCursor;
constexpr HCURSOR IDC_HAND = Qt::PointingHandCursor;

class CWnd : public CObject, public CNotifyReceiver {
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // --- Creation -----------------------------------------------------------------------
    // Makes the window. pParentWnd may be null (a top-level window), a CWnd (via the
    // overload) or any Qt widget (a dialog or view hosting the control). Styles used:
    // WS_CHILD/WS_POPUP, WS_VISIBLE, WS_DISABLED, WS_BORDER, WS_TABSTOP (reached by Tab;
    // without it only a click gives the focus), WS_HSCROLL/WS_VSCROLL (bars shown from the
    // start); extended WS_EX_CLIENTEDGE (sunken 2-pixel frame), WS_EX_TOPMOST. A pop-up
    // belongs to the window of pParentWnd when one is given. The class name and window name are kept for reference only.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  QWidget* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        QWidget* pParentWnd, UINT nID);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID);
    virtual BOOL DestroyWindow();

    // The window's widget, or null when there is no window.
    HWND GetSafeHwnd() const;
    // The client-area widget (the viewport), or null.
    QWidget* GetClientWidget() const;
    // The CWnd whose widget (or client area) this is, or null.
    static CWnd* FromHandle(QWidget* pWidget);
    // The window under a screen point (a title tip or similar stands for itself).
    static CWnd* WindowFromPoint(POINT screenPoint);

    // --- Identity and relations -----------------------------------------------------------
    int GetDlgCtrlID() const { return static_cast<int>(m_nID); }
    int SetDlgCtrlID(int nID);
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    // The parent window when it is a CWnd, else null; GetParentWidget gives any Qt parent.
    CWnd* GetParent() const;
    QWidget* GetParentWidget() const;
    void SetOwner(CNotifyReceiver* pOwner) { m_pOwner = pOwner; }
    CNotifyReceiver* GetOwner() const { return m_pOwner; }
    // Where WM_NOTIFY goes: the owner when set, else the nearest parent widget that
    // receives notifications (a CWnd, or a Qt widget deriving from CNotifyReceiver).
    CNotifyReceiver* GetNotifyTarget() const;

    // --- Geometry -------------------------------------------------------------------------
    void GetClientRect(LPRECT lpRect) const;
    // Screen coordinates.
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    // Child windows: parent client coordinates; top-level windows: screen coordinates.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(const std::wstring& text);
    std::wstring GetWindowText() const;

    // --- Painting -------------------------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    // Paints pending invalid areas now.
    void UpdateWindow();
    // The colour index that the default OnEraseBkgnd fills with (COLOR_WINDOW unless set).
    void SetClassBackground(int nSysColorIndex) { m_nClassBackground = nSysColorIndex; }
    // True while a paint event of this window is being handled (CPaintDC draws only then).
    bool IsInPaint() const { return m_pPaintEvent != nullptr; }
    const QPaintEvent* CurrentPaintEvent() const { return m_pPaintEvent; }

    // --- Input state ------------------------------------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    // True when any widget of the program has the keyboard focus.
    static bool ProgramHasFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static BOOL ReleaseCapture();
    // Timer nIDEvent calls OnTimer(nIDEvent) every nElapse ms until KillTimer; returns the id.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // Modifiers and buttons of the input event handled last (GetKeyState reads these).
    static Qt::KeyboardModifiers CurrentModifiers();
    static Qt::MouseButtons CurrentButtons();
    // Standard cursor by id, and setting it on the window handling the current mouse event
    // (or the window under the pointer).
    static HCURSOR LoadStandardCursor(HCURSOR id) { return id; }
    static HCURSOR SetCursor(HCURSOR hCursor);

    // --- Scroll bars (SB_HORZ, SB_VERT) -------------------------------------------------------
    // Range semantics of the original platform: positions run from nMin to nMax - nPage + 1
    // (nMax when nPage is 0); a bar is needed when nMax > nMin and the page is smaller than
    // the range. SetScrollInfo shows a needed bar; an unneeded one is hidden, or disabled
    // with SIF_DISABLENOSCROLL. The bars never move by themselves: a click or drag reports
    // OnHScroll/OnVScroll and the handler sets the position (SIF_TRACKPOS has the drag
    // position).
    int SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, int* lpMinPos, int* lpMaxPos) const;
    int GetScrollLimit(int nBar) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE) { ShowScrollBar(static_cast<UINT>(nBar), bEnable); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    // Whether the bar is shown (for tests and layout code).
    bool IsScrollBarShown(int nBar) const;

    // --- Font -----------------------------------------------------------------------------
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) { OnSetFont(pFont, bRedraw); }
    CFont* GetFont() { return OnGetFont(); }

    // --- Messages ---------------------------------------------------------------------------
    // Delivers WM_HSCROLL/WM_VSCROLL (wParam: code | position << 16), WM_KEYDOWN/UP,
    // WM_SYSKEYDOWN, WM_CHAR, mouse messages (lParam: MAKELPARAM(x, y) in client
    // coordinates, wParam: MK_* flags), WM_MOUSEWHEEL, WM_TIMER, WM_NOTIFY (lParam: NMHDR*)
    // and WM_SETFONT/WM_GETFONT (CFont*) to the handler. Other messages answer 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // The same, delivered later from the event loop (dropped if the window is gone by then).
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // --- Handlers (override as needed) -----------------------------------------------------
    virtual void PreSubclassWindow() {}
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual UINT OnGetDlgCode();
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnSysColorChange();
    virtual void OnSetFont(CFont* pFont, BOOL bRedraw);
    virtual CFont* OnGetFont();
    virtual void OnDestroy();

protected:
    QAbstractScrollArea* Area() const;

private:
    friend class CWndWidget;
    struct Bar {
        SCROLLINFO info;
        bool shown = false;
        bool enabled = true;
        int trackPos = 0;
    };
    void ApplyBar(int nBar);
    void ApplyFrame();
    void DispatchPaint(QPaintEvent* e);
    void HandleBarAction(int nBar, int action);
    void WidgetGone();
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    QPointer<CWndWidget> m_pWidget;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    std::wstring m_strClassName;
    CNotifyReceiver* m_pOwner = nullptr;
    CFont* m_pFont = nullptr;
    int m_nClassBackground = 5; // COLOR_WINDOW
    QPaintEvent* m_pPaintEvent = nullptr;
    Bar m_bars[2];
    bool m_bApplyingBar = false;
    // The key-down handler handed the key to default handling (nothing used it).
    bool m_bKeyLeftToDefault = false;
    std::map<int, UINT_PTR> m_timers; // Qt timer id -> our id
};

BOOL ReleaseCapture();
CWnd* GetCapture();
HCURSOR SetCursor(HCURSOR hCursor);
inline BOOL IsWindow(HWND hWnd)
{
    return hWnd != nullptr;
}
