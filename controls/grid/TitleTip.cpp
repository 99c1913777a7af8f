#include "controls/grid/TitleTip.h"
#include "platform/base/Clock.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/PaintDC.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

IMPLEMENT_DYNCREATE(CTitleTip, CWnd)

// While the tip is up, a key press anywhere in the program hides it.
class CTitleTip::KeyWatcher : public QObject {
public:
    explicit KeyWatcher(CTitleTip* pTip) : m_pTip(pTip) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        bool eaten = false;
        CallHandlerGuarded([&] { eaten = Filter(watched, e); });
        return eaten;
    }

private:
    bool Filter(QObject* watched, QEvent* e)
    {
        if (!m_pTip->IsWindowVisible())
            return false;
        if (e->type() == QEvent::ApplicationDeactivate) {
            m_pTip->Hide();
            return false;
        }
        if (e->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        // Only a key sent to the tip itself goes on to the grid; any other key stays with the
        // window it was sent to (the grid, or a field the user is typing in).
        auto* ke = static_cast<QKeyEvent*>(e);
        const UINT vk = VirtualKeyFromQt(ke->key());
        const bool toTip = watched == static_cast<QObject*>(m_pTip->GetSafeHwnd()) ||
                           watched == static_cast<QObject*>(m_pTip->GetClientWidget());
        if (toTip && m_pTip->m_pParentWnd && vk) {
            m_pTip->PassKeyOn((ke->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1, 0);
            return true;
        }
        m_pTip->Hide();
        return false;
    }

private:
    CTitleTip* m_pTip;
};

CTitleTip::CTitleTip() : m_dwDblClickMsecs(GetDoubleClickTime())
{
    SetClassBackground(COLOR_INFOBK);
}

CTitleTip::~CTitleTip()
{
    if (m_pKeyWatcher)
        QCoreApplication::instance()->removeEventFilter(m_pKeyWatcher.get());
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bCreated)
        return TRUE;
    m_pParentWnd = pParentWnd;
    // Made for the grid's window, so that the tip still sees the mouse it captures when that
    // window is a modal dialog.
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"TitleTip", nullptr, WS_POPUP | WS_BORDER,
                          CRect(0, 0, 0, 0), pParentWnd, 0);
    if (m_bCreated && !m_pKeyWatcher) {
        m_pKeyWatcher = std::make_unique<KeyWatcher>(this);
        QCoreApplication::instance()->installEventFilter(m_pKeyWatcher.get());
    }
    return m_bCreated;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    if (m_pKeyWatcher) {
        QCoreApplication::instance()->removeEventFilter(m_pKeyWatcher.get());
        m_pKeyWatcher.reset();
    }
    return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int, LPRECT lpHoverRect, const LOGFONT* lpLogFont,
                     COLORREF crTextClr, COLORREF crBackClr)
{
    if (!GetSafeHwnd())
        Create(m_pParentWnd);
    if (!GetSafeHwnd() || !m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible())
        return;
    if (!CWnd::ProgramHasFocus())
        return;

    m_rectTitle = CRect(-1, -1, rectTitle.Width(), rectTitle.Height() + 1);
    CRect rectHover = lpHoverRect ? CRect(lpHoverRect) : rectTitle;
    rectHover.right++;
    rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&rectHover);
    m_pParentWnd->ClientToScreen(&rectTitle);

    m_strTitle = L" " + std::wstring(lpszTitleText ? lpszTitleText : L"") + L" ";
    CClientDC dc(this);
    CFont font;
    CFont* pOldFont = nullptr;
    m_bHasFont = false;
    if (lpLogFont) {
        font.CreateFontIndirect(lpLogFont);
        m_lf = *lpLogFont;
        m_bHasFont = true;
        pOldFont = dc.SelectObject(&font);
    } else if (CFont* pParentFont = m_pParentWnd->GetFont()) {
        pParentFont->GetLogFont(&m_lf);
        m_bHasFont = true;
        pOldFont = dc.SelectObject(pParentFont);
    }
    CSize size = dc.GetTextExtent(m_strTitle);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;
    if (pOldFont)
        dc.SelectObject(pOldFont);

    CRect rectDisplay = rectTitle;
    rectDisplay.right = rectDisplay.left + size.cx;
    // Only clipped text gets a tip.
    if (rectDisplay.right <= rectTitle.right)
        return;

    m_crText = crTextClr;
    m_crBack = crBackClr;
    SetWindowPos(nullptr, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectTitle.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // Hover area in the tip's own client coordinates, now that the tip stands where it shows.
    ScreenToClient(&rectHover);
    m_rectHover = rectHover;
    Invalidate();
    SetCapture();
}

void CTitleTip::Hide()
{
    if (!GetSafeHwnd())
        return;
    if (CWnd::GetCapture() == this)
        CWnd::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, m_crBack != CLR_DEFAULT ? m_crBack : GetSysColor(COLOR_INFOBK));
    CFont font;
    if (m_bHasFont) {
        font.CreateFontIndirect(&m_lf);
        dc.SelectObject(&font);
    }
    if (m_crText != CLR_DEFAULT)
        dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, m_strTitle);
}

void CTitleTip::PassOn(UINT message, UINT nFlags, CPoint point)
{
    ClientToScreen(&point);
    Hide();
    // The parent takes what falls on its client area; otherwise the window under the point.
    CWnd* pWnd = nullptr;
    if (m_pParentWnd && m_pParentWnd->GetSafeHwnd()) {
        CPoint local = point;
        m_pParentWnd->ScreenToClient(&local);
        CRect rc;
        m_pParentWnd->GetClientRect(&rc);
        if (rc.PtInRect(local))
            pWnd = m_pParentWnd;
    }
    if (!pWnd) {
        pWnd = CWnd::WindowFromPoint(point);
        if (pWnd == this)
            pWnd = m_pParentWnd;
    }
    if (!pWnd) {
        PassPressToWidget(message, nFlags, point);
        return;
    }
    if (!pWnd->GetSafeHwnd())
        return;
    CRect rc;
    pWnd->GetClientRect(&rc);
    pWnd->ScreenToClient(&point);
    // Only client-area input has a receiver here.
    if (!rc.PtInRect(point))
        return;
    // A press is handed over at once, ahead of the release that follows it.
    if (message == WM_MOUSEMOVE)
        pWnd->PostMessage(message, nFlags, MAKELPARAM(point.x, point.y));
    else
        pWnd->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

// A press over a plain widget (a dialog's button) is that widget's: the release that
// follows reaches it directly, so the click is whole.
void CTitleTip::PassPressToWidget(UINT message, UINT nFlags, CPoint screenPoint)
{
    QEvent::Type type = QEvent::MouseButtonPress;
    Qt::MouseButton button = Qt::LeftButton;
    switch (message) {
    case WM_LBUTTONDOWN: break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; break;
    case WM_RBUTTONDOWN: button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: button = Qt::MiddleButton; break;
    default: return;
    }
    const QPoint global(screenPoint.x, screenPoint.y);
    QWidget* pTarget = QApplication::widgetAt(global);
    if (!pTarget || CWnd::FromHandle(pTarget))
        return;
    Qt::MouseButtons buttons = button;
    if (nFlags & MK_LBUTTON)
        buttons |= Qt::LeftButton;
    if (nFlags & MK_RBUTTON)
        buttons |= Qt::RightButton;
    if (nFlags & MK_MBUTTON)
        buttons |= Qt::MiddleButton;
    QMouseEvent press(type, QPointF(pTarget->mapFromGlobal(global)), QPointF(global), button, buttons,
                      CWnd::CurrentModifiers());
    QCoreApplication::sendEvent(pTarget, &press);
}

void CTitleTip::PassKeyOn(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Hide();
    if (m_pParentWnd)
        m_pParentWnd->PostMessage(message, nChar, MAKELPARAM(static_cast<int>(nRepCnt), static_cast<int>(nFlags)));
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    PassOn(WM_MOUSEMOVE, nFlags, point);
}

void CTitleTip::OnLButtonDown(UINT nFlags, CPoint point)
{
    const DWORD now = static_cast<DWORD>(GetTickCountMs());
    const bool dblClick = m_dwLastLButtonDown != 0xFFFFFFFF && now - m_dwLastLButtonDown <= m_dwDblClickMsecs;
    m_dwLastLButtonDown = now;
    PassOn(dblClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, nFlags, point);
}

void CTitleTip::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CTitleTip::OnRButtonDown(UINT nFlags, CPoint point)
{
    PassOn(WM_RBUTTONDOWN, nFlags, point);
}

void CTitleTip::OnMButtonDown(UINT nFlags, CPoint point)
{
    PassOn(WM_MBUTTONDOWN, nFlags, point);
}

void CTitleTip::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    PassKeyOn(WM_KEYDOWN, nChar, nRepCnt, nFlags);
}

void CTitleTip::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    PassKeyOn(WM_SYSKEYDOWN, nChar, nRepCnt, nFlags);
}
