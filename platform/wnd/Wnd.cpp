#include "platform/wnd/Wnd.h"
#include "platform/wnd/PaintDC.h"
#include "platform/wnd/ScrollBar.h"
#include "platform/wnd/WndWidget.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

IMPLEMENT_DYNCREATE(CWnd, CObject)

namespace {
CWnd* g_pCapture = nullptr;
CWnd* g_pMouseWnd = nullptr; // window handling the current mouse event
Qt::KeyboardModifiers g_modifiers;
Qt::MouseButtons g_buttons;

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    UINT f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

QScrollBar* QtBar(QAbstractScrollArea* area, int nBar)
{
    return nBar == SB_HORZ ? area->horizontalScrollBar() : area->verticalScrollBar();
}

// Largest position the bar can take.
int MaxPos(const SCROLLINFO& si)
{
    const int page = static_cast<int>(si.nPage);
    return std::max(si.nMin, page > 0 ? si.nMax - page + 1 : si.nMax);
}

bool Needed(const SCROLLINFO& si)
{
    return si.nMax > si.nMin && (si.nPage == 0 || static_cast<int>(si.nPage) <= si.nMax - si.nMin);
}
} // namespace

// ---------------------------------------------------------------------------------------
// CWndWidget

CWndWidget::CWndWidget(CWnd* pWnd, QWidget* parent, Qt::WindowFlags flags) : QAbstractScrollArea(parent), m_pWnd(pWnd)
{
    setWindowFlags(flags);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // The window paints every pixel itself (its erase handler included).
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        CallHandlerGuarded([&] {
            if (m_pWnd)
                m_pWnd->HandleBarAction(SB_HORZ, action);
        });
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        CallHandlerGuarded([&] {
            if (m_pWnd)
                m_pWnd->HandleBarAction(SB_VERT, action);
        });
    });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        CallHandlerGuarded([&] {
            if (m_pWnd)
                m_pWnd->HandleBarAction(SB_HORZ, -1);
        });
    });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        CallHandlerGuarded([&] {
            if (m_pWnd)
                m_pWnd->HandleBarAction(SB_VERT, -1);
        });
    });
}

CWndWidget::~CWndWidget()
{
    if (m_pWnd)
        m_pWnd->WidgetGone();
}

bool CWndWidget::event(QEvent* e)
{
    bool handled = true;
    CallHandlerGuarded([&] { handled = QAbstractScrollArea::event(e); });
    return handled;
}

bool CWndWidget::viewportEvent(QEvent* e)
{
    bool handled = true;
    CallHandlerGuarded([&] { handled = DispatchViewportEvent(e); });
    return handled;
}

bool CWndWidget::DispatchViewportEvent(QEvent* e)
{
    if (!m_pWnd)
        return QAbstractScrollArea::viewportEvent(e);
    switch (e->type()) {
    case QEvent::Paint: m_pWnd->DispatchPaint(static_cast<QPaintEvent*>(e)); return true;
    case QEvent::Resize: {
        const QSize s = static_cast<QResizeEvent*>(e)->size();
        m_pWnd->OnSize(SIZE_RESTORED, s.width(), s.height());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: MouseEvent(e); return true;
    default: return QAbstractScrollArea::viewportEvent(e);
    }
}

void CWndWidget::MouseEvent(QEvent* e)
{
    CWnd* wnd = m_pWnd;
    // The window stands as the cursor target for this event only, even when a handler throws.
    struct MouseWndScope {
        CWnd* previous = g_pMouseWnd;
        ~MouseWndScope() { g_pMouseWnd = previous; }
    } scope;
    g_pMouseWnd = wnd;
    if (e->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(e);
        g_modifiers = we->modifiers();
        g_buttons = we->buttons();
        const QPoint global = we->globalPosition().toPoint();
        const int delta = we->angleDelta().y() != 0 ? we->angleDelta().y() : we->angleDelta().x();
        // An unhandled wheel turn goes on to the parent.
        const BOOL handled =
            wnd->OnMouseWheel(MouseFlags(we->buttons(), we->modifiers()), static_cast<short>(delta), CPoint(global));
        e->setAccepted(handled != FALSE);
        return;
    }
    auto* me = static_cast<QMouseEvent*>(e);
    g_modifiers = me->modifiers();
    g_buttons = me->buttons();
    const CPoint pt(me->position().toPoint());
    const UINT flags = MouseFlags(me->buttons(), me->modifiers());
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        wnd->OnSetCursor(wnd, HTCLIENT, me->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN);
        if (me->button() == Qt::LeftButton)
            wnd->OnLButtonDown(flags, pt);
        else if (me->button() == Qt::RightButton)
            wnd->OnRButtonDown(flags, pt);
        else if (me->button() == Qt::MiddleButton)
            wnd->OnMButtonDown(flags, pt);
        break;
    case QEvent::MouseButtonRelease:
        if (me->button() == Qt::LeftButton)
            wnd->OnLButtonUp(flags, pt);
        else if (me->button() == Qt::RightButton)
            wnd->OnRButtonUp(flags, pt);
        break;
    case QEvent::MouseButtonDblClick:
        if (me->button() == Qt::LeftButton)
            wnd->OnLButtonDblClk(flags, pt);
        else if (me->button() == Qt::RightButton)
            wnd->OnRButtonDblClk(flags, pt);
        break;
    case QEvent::MouseMove:
        wnd->OnSetCursor(wnd, HTCLIENT, WM_MOUSEMOVE);
        wnd->OnMouseMove(flags, pt);
        break;
    default: break;
    }
    e->accept();
}

namespace {
bool IsDialogKey(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}
} // namespace

void CWndWidget::keyPressEvent(QKeyEvent* e)
{
    if (!m_pWnd) {
        e->ignore();
        return;
    }
    CWnd* wnd = m_pWnd;
    g_modifiers = e->modifiers();
    // In a dialog, Escape and Enter are the dialog's (Cancel and the default button) unless
    // the window asks for every key.
    if (IsDialogKey(e) && !(wnd->OnGetDlgCode() & DLGC_WANTALLKEYS) && qobject_cast<QDialog*>(window())) {
        e->ignore();
        return;
    }
    // Tab that the window does not want (Ctrl+Tab out of a grid) moves the focus on.
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
        !(wnd->OnGetDlgCode() & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
        QAbstractScrollArea::focusNextPrevChild(e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier));
        e->accept();
        return;
    }
    QPointer<CWndWidget> self(this);
    UINT vk = VirtualKeyFromQt(e->key());
    if (e->key() == Qt::Key_Plus && (e->modifiers() & Qt::KeypadModifier))
        vk = VK_ADD;
    const UINT flags = e->isAutoRepeat() ? 0x4000u : 0u;
    wnd->m_bKeyLeftToDefault = false;
    if (vk) {
        if (e->modifiers() & Qt::AltModifier)
            wnd->OnSysKeyDown(vk, 1, flags | 0x2000u);
        else
            wnd->OnKeyDown(vk, 1, flags);
    }
    // A key the window left to default handling and that types nothing goes on to the
    // windows around it (Tab excepted: it would move the focus a second time).
    const QString text = e->text();
    const bool bPassOn = (!vk || (self && self->m_pWnd == wnd && wnd->m_bKeyLeftToDefault)) && text.isEmpty() &&
                         e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab;
    // Characters typed by the key; Delete types none here, as on the original platform.
    for (QChar c : text) {
        if (!self || self->m_pWnd != wnd)
            break;
        if (c.unicode() == 0x7F || (e->modifiers() & Qt::AltModifier))
            continue;
        wnd->OnChar(c.unicode(), 1, flags);
    }
    e->setAccepted(!bPassOn);
}

void CWndWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (!m_pWnd)
        return;
    g_modifiers = e->modifiers();
    if (const UINT vk = VirtualKeyFromQt(e->key()))
        m_pWnd->OnKeyUp(vk, 1, 0xC000u);
    e->accept();
}

void CWndWidget::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    if (m_pWnd)
        m_pWnd->OnSetFocus(nullptr);
}

void CWndWidget::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    if (m_pWnd)
        m_pWnd->OnKillFocus(CWnd::FromHandle(QApplication::focusWidget()));
}

void CWndWidget::timerEvent(QTimerEvent* e)
{
    if (!m_pWnd)
        return;
    const auto it = m_pWnd->m_timers.find(e->timerId());
    if (it != m_pWnd->m_timers.end())
        m_pWnd->OnTimer(it->second);
}

void CWndWidget::changeEvent(QEvent* e)
{
    QAbstractScrollArea::changeEvent(e);
    if (m_pWnd && e->type() == QEvent::PaletteChange)
        m_pWnd->OnSysColorChange();
}

bool CWndWidget::focusNextPrevChild(bool next)
{
    // A window that wants Tab gets it as a key instead of losing the focus.
    if (m_pWnd && (m_pWnd->OnGetDlgCode() & (DLGC_WANTTAB | DLGC_WANTALLKEYS)))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---------------------------------------------------------------------------------------
// CWnd

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (g_pCapture == this)
        g_pCapture = nullptr;
    if (g_pMouseWnd == this)
        g_pMouseWnd = nullptr;
    if (m_pWidget) {
        CWndWidget* w = m_pWidget;
        w->Detach();
        m_pWidget = nullptr;
        delete w;
    }
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect,
                    pParentWnd ? pParentWnd->GetClientWidget() : nullptr, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    QWidget* pParentWnd, UINT nID)
{
    if (m_pWidget)
        return FALSE;
    // A CWnd parent's children live in its client area.
    if (auto* parentWnd = dynamic_cast<CWndWidget*>(pParentWnd))
        pParentWnd = parentWnd->viewport();
    m_dwStyle = dwStyle;
    m_dwExStyle = dwExStyle;
    m_nID = nID;
    m_strClassName = lpszClassName ? lpszClassName : L"";

    Qt::WindowFlags flags = Qt::Widget;
    QWidget* parent = pParentWnd;
    if (dwStyle & WS_POPUP) {
        // A pop-up is a window of its own, without frame and without taking the focus. It
        // belongs to the window it was made for: a modal dialog blocks the input of every
        // window outside it, and a pop-up that cannot see the mouse never lets go of it.
        flags = Qt::ToolTip | Qt::FramelessWindowHint;
        if (dwExStyle & WS_EX_TOPMOST)
            flags |= Qt::WindowStaysOnTopHint;
        parent = parent ? parent->window() : nullptr;
    } else if (!parent) {
        flags = Qt::Window;
    }
    auto* w = new CWndWidget(this, parent, flags);
    m_pWidget = w;
    if (dwStyle & WS_POPUP) {
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setFocusPolicy(Qt::NoFocus);
    } else {
        // Only a tab stop is reached by Tab; any window takes the focus when clicked.
        w->setFocusPolicy((dwStyle & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (lpszWindowName)
        w->setWindowTitle(QString::fromWCharArray(lpszWindowName));
    w->setObjectName(QString::number(nID));
    w->setProperty("ctrlId", nID);
    ApplyFrame();
    const CRect r(rect);
    w->setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    m_bars[0] = Bar{};
    m_bars[1] = Bar{};
    if (dwStyle & WS_HSCROLL)
        ShowScrollBar(SB_HORZ, TRUE);
    if (dwStyle & WS_VSCROLL)
        ShowScrollBar(SB_VERT, TRUE);
    w->setEnabled(!(dwStyle & WS_DISABLED));
    PreSubclassWindow();
    if (m_pWidget && (dwStyle & WS_VISIBLE))
        m_pWidget->show();
    return m_pWidget ? TRUE : FALSE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, QWidget* pParentWnd,
                  UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID)
{
    return Create(lpszClassName, lpszWindowName, dwStyle, rect,
                  pParentWnd ? pParentWnd->GetClientWidget() : static_cast<QWidget*>(nullptr), nID);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_pWidget)
        return FALSE;
    OnDestroy();
    if (g_pCapture == this)
        g_pCapture = nullptr;
    CWndWidget* w = m_pWidget;
    for (const auto& t : m_timers)
        w->killTimer(t.first);
    m_timers.clear();
    w->Detach();
    m_pWidget = nullptr;
    delete w;
    return TRUE;
}

void CWnd::WidgetGone()
{
    // A Qt parent deleted the window: the CWnd lives on without one.
    m_timers.clear();
    if (g_pCapture == this)
        g_pCapture = nullptr;
    m_pWidget = nullptr;
}

HWND CWnd::GetSafeHwnd() const
{
    return m_pWidget.data();
}

QAbstractScrollArea* CWnd::Area() const
{
    return m_pWidget.data();
}

QWidget* CWnd::GetClientWidget() const
{
    return m_pWidget ? m_pWidget->viewport() : nullptr;
}

CWnd* CWnd::FromHandle(QWidget* pWidget)
{
    for (QWidget* w = pWidget; w; w = w->parentWidget()) {
        if (auto* ww = dynamic_cast<CWndWidget*>(w))
            return ww->Wnd();
        // Only the widget itself or its viewport belong to the window.
        if (w != pWidget)
            break;
    }
    return nullptr;
}

CWnd* CWnd::WindowFromPoint(POINT screenPoint)
{
    return FromHandle(QApplication::widgetAt(QPoint(screenPoint.x, screenPoint.y)));
}

int CWnd::SetDlgCtrlID(int nID)
{
    const int old = static_cast<int>(m_nID);
    m_nID = static_cast<UINT>(nID);
    if (m_pWidget) {
        m_pWidget->setObjectName(QString::number(nID));
        m_pWidget->setProperty("ctrlId", nID);
    }
    return old;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD old = m_dwStyle;
    m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    ApplyFrame();
    return old != m_dwStyle;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD old = m_dwExStyle;
    m_dwExStyle = (m_dwExStyle & ~dwRemove) | dwAdd;
    ApplyFrame();
    return old != m_dwExStyle;
}

void CWnd::ApplyFrame()
{
    if (!m_pWidget)
        return;
    if (m_dwExStyle & WS_EX_CLIENTEDGE) {
        m_pWidget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_pWidget->setLineWidth(2);
    } else if (m_dwStyle & WS_BORDER) {
        m_pWidget->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_pWidget->setLineWidth(1);
    } else {
        m_pWidget->setFrameStyle(QFrame::NoFrame);
    }
}

QWidget* CWnd::GetParentWidget() const
{
    if (!m_pWidget)
        return nullptr;
    QWidget* p = m_pWidget->parentWidget();
    // Our own children sit in the parent's viewport; report the parent window.
    if (p && p->parentWidget() && dynamic_cast<CWndWidget*>(p->parentWidget()))
        return p->parentWidget();
    return p;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(GetParentWidget());
}

CNotifyReceiver* CWnd::GetNotifyTarget() const
{
    if (m_pOwner)
        return m_pOwner;
    for (QWidget* w = GetParentWidget(); w; w = w->parentWidget()) {
        if (auto* ww = dynamic_cast<CWndWidget*>(w))
            return ww->Wnd();
        if (auto* r = dynamic_cast<CNotifyReceiver*>(w))
            return r;
    }
    return nullptr;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!m_pWidget) {
        *lpRect = CRect();
        return;
    }
    const QWidget* vp = m_pWidget->viewport();
    *lpRect = CRect(0, 0, vp->width(), vp->height());
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!m_pWidget) {
        *lpRect = CRect();
        return;
    }
    const QPoint tl = m_pWidget->mapToGlobal(QPoint(0, 0));
    *lpRect = CRect(tl.x(), tl.y(), tl.x() + m_pWidget->width(), tl.y() + m_pWidget->height());
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->viewport()->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->viewport()->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (!m_pWidget)
        return;
    m_pWidget->setGeometry(x, y, std::max(0, nWidth), std::max(0, nHeight));
    if (bRepaint)
        m_pWidget->update();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    const CRect r(lpRect);
    MoveWindow(r.left, r.top, r.Width(), r.Height(), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!m_pWidget)
        return FALSE;
    if (!(nFlags & SWP_NOMOVE))
        m_pWidget->move(x, y);
    if (!(nFlags & SWP_NOSIZE))
        m_pWidget->resize(std::max(0, cx), std::max(0, cy));
    if (!(nFlags & SWP_NOZORDER))
        m_pWidget->raise();
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow((nFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (nFlags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasVisible = m_pWidget->isVisible();
    if (nCmdShow == SW_HIDE) {
        m_pWidget->hide();
        m_dwStyle &= ~WS_VISIBLE;
    } else {
        if (nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE)
            m_pWidget->setAttribute(Qt::WA_ShowWithoutActivating);
        m_pWidget->show();
        m_dwStyle |= WS_VISIBLE;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_pWidget && m_pWidget->isVisible();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasDisabled = !m_pWidget->isEnabled();
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_pWidget && m_pWidget->isEnabled();
}

void CWnd::SetWindowText(const std::wstring& text)
{
    if (m_pWidget)
        m_pWidget->setWindowTitle(QString::fromStdWString(text));
}

std::wstring CWnd::GetWindowText() const
{
    return m_pWidget ? m_pWidget->windowTitle().toStdWString() : std::wstring();
}

void CWnd::Invalidate(BOOL)
{
    if (m_pWidget)
        m_pWidget->viewport()->update();
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (!m_pWidget)
        return;
    if (!lpRect) {
        Invalidate(bErase);
        return;
    }
    const CRect r(lpRect);
    if (!r.IsRectEmpty())
        m_pWidget->viewport()->update(r.ToQRect());
}

void CWnd::UpdateWindow()
{
    if (!m_pWidget)
        return;
    if (QWidget* top = m_pWidget->window())
        QCoreApplication::sendPostedEvents(top, QEvent::UpdateRequest);
    if (QWindow* handle = m_pWidget->window()->windowHandle())
        QCoreApplication::sendPostedEvents(handle, QEvent::UpdateRequest);
}

void CWnd::DispatchPaint(QPaintEvent* e)
{
    m_pPaintEvent = e;
    {
        CDC dc;
        dc.AttachDevice(m_pWidget->viewport());
        OnEraseBkgnd(&dc);
    }
    OnPaint();
    m_pPaintEvent = nullptr;
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (m_pWidget)
        m_pWidget->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(QApplication::focusWidget());
}

bool CWnd::ProgramHasFocus()
{
    return QApplication::focusWidget() != nullptr || QApplication::activeWindow() != nullptr;
}

// Capture as the original platform has it: while a window holds it, the mouse input that
// reaches any window of the program goes to that window (with a button held, the window
// pressed also keeps the input from outside, as Qt does by itself). The pointer itself is
// never grabbed: a grab held by a window that a modal dialog blocks, or that hides under
// the pointer, takes every click of the program with it.
class CCaptureRouter : public QObject {
public:
    static void Install()
    {
        static CCaptureRouter* s_pRouter = nullptr;
        if (!s_pRouter && QCoreApplication::instance()) {
            s_pRouter = new CCaptureRouter(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(s_pRouter);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!g_pCapture || !watched->isWidgetType())
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: break;
        default: return false;
        }
        QWidget* target = g_pCapture->GetClientWidget();
        if (watched == target)
            return false;
        // A window that cannot take input any more loses the capture, as a disabled one does.
        if (!target || !target->isVisible() || BlockedByModal(target)) {
            CallHandlerGuarded([] { CWnd::ReleaseCapture(); });
            return false;
        }
        auto* me = static_cast<QMouseEvent*>(e);
        const QPointF global = me->globalPosition();
        QMouseEvent routed(e->type(), target->mapFromGlobal(global), global, me->button(), me->buttons(),
                           me->modifiers());
        QCoreApplication::sendEvent(target, &routed);
        return true;
    }

private:
    explicit CCaptureRouter(QObject* parent) : QObject(parent) {}

    static bool BlockedByModal(const QWidget* w)
    {
        const QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return false;
        for (const QWidget* p = w->window(); p; p = p->parentWidget())
            if (p == modal)
                return false;
        return true;
    }
};

CWnd* CWnd::SetCapture()
{
    CWnd* old = g_pCapture;
    g_pCapture = this;
    if (old && old != this)
        old->OnCaptureChanged(this);
    CCaptureRouter::Install();
    return old;
}

CWnd* CWnd::GetCapture()
{
    return g_pCapture;
}

BOOL CWnd::ReleaseCapture()
{
    CWnd* old = g_pCapture;
    if (!old)
        return TRUE;
    g_pCapture = nullptr;
    old->OnCaptureChanged(nullptr);
    return TRUE;
}

BOOL ReleaseCapture()
{
    return CWnd::ReleaseCapture();
}

CWnd* GetCapture()
{
    return CWnd::GetCapture();
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (!m_pWidget)
        return 0;
    KillTimer(nIDEvent);
    const int qtId = m_pWidget->startTimer(static_cast<int>(nElapse));
    if (qtId == 0)
        return 0;
    m_timers[qtId] = nIDEvent;
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second == nIDEvent) {
            if (m_pWidget)
                m_pWidget->killTimer(it->first);
            m_timers.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

Qt::KeyboardModifiers CWnd::CurrentModifiers()
{
    return g_modifiers;
}

Qt::MouseButtons CWnd::CurrentButtons()
{
    return g_buttons;
}

HCURSOR CWnd::SetCursor(HCURSOR hCursor)
{
    CWnd* target = g_pMouseWnd ? g_pMouseWnd : g_pCapture;
    if (!target || !target->m_pWidget)
        return IDC_ARROW;
    QWidget* vp = target->m_pWidget->viewport();
    const HCURSOR old = vp->cursor().shape();
    vp->setCursor(QCursor(static_cast<Qt::CursorShape>(hCursor)));
    return old;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    return CWnd::SetCursor(hCursor);
}

// --- Scroll bars -------------------------------------------------------------------------

bool CWnd::IsScrollBarShown(int nBar) const
{
    return (nBar == SB_HORZ || nBar == SB_VERT) && m_bars[nBar].shown;
}

void CWnd::ApplyBar(int nBar)
{
    if (!m_pWidget)
        return;
    Bar& bar = m_bars[nBar];
    QScrollBar* q = QtBar(m_pWidget, nBar);
    m_bApplyingBar = true;
    const QSignalBlocker block(q);
    q->setRange(bar.info.nMin, MaxPos(bar.info));
    q->setPageStep(std::max(1, static_cast<int>(bar.info.nPage)));
    q->setSingleStep(1);
    q->setValue(bar.info.nPos);
    q->setEnabled(bar.enabled);
    const Qt::ScrollBarPolicy policy = bar.shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (nBar == SB_HORZ) {
        if (m_pWidget->horizontalScrollBarPolicy() != policy)
            m_pWidget->setHorizontalScrollBarPolicy(policy);
    } else if (m_pWidget->verticalScrollBarPolicy() != policy) {
        m_pWidget->setVerticalScrollBarPolicy(policy);
    }
    m_bApplyingBar = false;
}

int CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL)
{
    if ((nBar != SB_HORZ && nBar != SB_VERT) || !lpScrollInfo)
        return 0;
    Bar& bar = m_bars[nBar];
    SCROLLINFO& si = bar.info;
    const UINT mask = lpScrollInfo->fMask;
    if (mask & SIF_RANGE) {
        si.nMin = lpScrollInfo->nMin;
        si.nMax = lpScrollInfo->nMax;
    }
    if (mask & SIF_PAGE) {
        const int range = si.nMax - si.nMin + 1;
        si.nPage = static_cast<UINT>(std::clamp(static_cast<int>(lpScrollInfo->nPage), 0, std::max(0, range)));
    }
    if (mask & SIF_POS)
        si.nPos = lpScrollInfo->nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, MaxPos(si));
    if (mask & (SIF_RANGE | SIF_PAGE)) {
        if (Needed(si)) {
            bar.shown = true;
            bar.enabled = true;
        } else if (mask & SIF_DISABLENOSCROLL) {
            bar.enabled = false;
        } else {
            bar.shown = false;
        }
    }
    ApplyBar(nBar);
    return si.nPos;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    if ((nBar != SB_HORZ && nBar != SB_VERT) || !lpScrollInfo)
        return FALSE;
    const Bar& bar = m_bars[nBar];
    lpScrollInfo->fMask = nMask;
    if (nMask & SIF_RANGE) {
        lpScrollInfo->nMin = bar.info.nMin;
        lpScrollInfo->nMax = bar.info.nMax;
    }
    if (nMask & SIF_PAGE)
        lpScrollInfo->nPage = bar.info.nPage;
    if (nMask & SIF_POS)
        lpScrollInfo->nPos = bar.info.nPos;
    if (nMask & SIF_TRACKPOS)
        lpScrollInfo->nTrackPos = bar.trackPos;
    return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return 0;
    const int old = m_bars[nBar].info.nPos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(nBar, &si, bRedraw);
    return old;
}

int CWnd::GetScrollPos(int nBar) const
{
    return (nBar == SB_HORZ || nBar == SB_VERT) ? m_bars[nBar].info.nPos : 0;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMinPos;
    si.nMax = nMaxPos;
    SetScrollInfo(nBar, &si, bRedraw);
}

void CWnd::GetScrollRange(int nBar, int* lpMinPos, int* lpMaxPos) const
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return;
    if (lpMinPos)
        *lpMinPos = m_bars[nBar].info.nMin;
    if (lpMaxPos)
        *lpMaxPos = m_bars[nBar].info.nMax;
}

int CWnd::GetScrollLimit(int nBar) const
{
    return (nBar == SB_HORZ || nBar == SB_VERT) ? MaxPos(m_bars[nBar].info) : 0;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (nBar == SB_HORZ || nBar == static_cast<UINT>(SB_BOTH))
        m_bars[SB_HORZ].shown = bShow != FALSE;
    if (nBar == SB_VERT || nBar == static_cast<UINT>(SB_BOTH))
        m_bars[SB_VERT].shown = bShow != FALSE;
    if (nBar == SB_HORZ || nBar == static_cast<UINT>(SB_BOTH))
        ApplyBar(SB_HORZ);
    if (nBar == SB_VERT || nBar == static_cast<UINT>(SB_BOTH))
        ApplyBar(SB_VERT);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    const bool enable = nArrowFlags != ESB_DISABLE_BOTH;
    if (nSBFlags == SB_HORZ || nSBFlags == SB_BOTH) {
        m_bars[SB_HORZ].enabled = enable;
        ApplyBar(SB_HORZ);
    }
    if (nSBFlags == SB_VERT || nSBFlags == SB_BOTH) {
        m_bars[SB_VERT].enabled = enable;
        ApplyBar(SB_VERT);
    }
    return TRUE;
}

void CWnd::HandleBarAction(int nBar, int action)
{
    if (!m_pWidget || m_bApplyingBar)
        return;
    QScrollBar* q = QtBar(m_pWidget, nBar);
    Bar& bar = m_bars[nBar];
    UINT code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    case -1: code = SB_THUMBPOSITION; break;
    default: return;
    }
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        bar.trackPos = q->sliderPosition();
    } else {
        // The bar does not move by itself: the handler decides the new position.
        q->setSliderPosition(bar.info.nPos);
        bar.trackPos = bar.info.nPos;
    }
    const UINT pos = static_cast<UINT>(bar.trackPos);
    if (nBar == SB_HORZ)
        OnHScroll(code, pos, nullptr);
    else
        OnVScroll(code, pos, nullptr);
    if (code == SB_THUMBPOSITION) {
        if (nBar == SB_HORZ)
            OnHScroll(SB_ENDSCROLL, 0, nullptr);
        else
            OnVScroll(SB_ENDSCROLL, 0, nullptr);
    }
    // What the handler decided is where the bar stands.
    if (m_pWidget && code != SB_THUMBTRACK)
        q->setSliderPosition(m_bars[nBar].info.nPos);
}

// --- Messages ----------------------------------------------------------------------------

LRESULT CWnd::Deliver(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    // A key message's repeat count and key flags.
    const UINT nRepCnt = LOWORD(static_cast<std::uintptr_t>(lParam));
    const UINT nKeyFlags = HIWORD(static_cast<std::uintptr_t>(lParam));
    switch (message) {
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), nullptr); return 0;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), nullptr); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), nRepCnt, nKeyFlags); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(static_cast<UINT>(wParam), nRepCnt, nKeyFlags); return 0;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), nRepCnt, nKeyFlags); return 0;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), nRepCnt, nKeyFlags); return 0;
    case WM_MOUSEMOVE: OnMouseMove(flags, pt); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(flags, pt); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, pt); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(flags, pt); return 0;
    case WM_RBUTTONUP: OnRButtonUp(flags, pt); return 0;
    case WM_MBUTTONDOWN: OnMButtonDown(flags, pt); return 0;
    case WM_MOUSEWHEEL: return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), pt);
    case WM_TIMER: OnTimer(static_cast<UINT_PTR>(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_SETFONT: OnSetFont(reinterpret_cast<CFont*>(wParam), static_cast<BOOL>(lParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(OnGetFont());
    default: return 0;
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Deliver(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pWidget)
        return FALSE;
    QPointer<CWndWidget> target(m_pWidget);
    QTimer::singleShot(0, m_pWidget, [target, message, wParam, lParam] {
        CallHandlerGuarded([&] {
            if (target && target->Wnd())
                target->Wnd()->Deliver(message, wParam, lParam);
        });
    });
    return TRUE;
}

// --- Default handlers ----------------------------------------------------------------------

void CWnd::OnPaint()
{
    CPaintDC dc(this);
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect box;
    pDC->GetClipBox(&box);
    pDC->FillSolidRect(&box, GetSysColor(m_nClassBackground));
    return TRUE;
}

void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return FALSE;
}
void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnLButtonDblClk(UINT, CPoint) {}
void CWnd::OnRButtonDown(UINT, CPoint) {}
void CWnd::OnRButtonUp(UINT, CPoint) {}
void CWnd::OnRButtonDblClk(UINT, CPoint) {}
void CWnd::OnMButtonDown(UINT, CPoint) {}
void CWnd::OnMouseMove(UINT, CPoint) {}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return FALSE;
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    m_bKeyLeftToDefault = true;
}

void CWnd::OnKeyUp(UINT, UINT, UINT) {}

void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    m_bKeyLeftToDefault = true;
}

void CWnd::OnChar(UINT, UINT, UINT) {}

UINT CWnd::OnGetDlgCode()
{
    return 0;
}

void CWnd::OnTimer(UINT_PTR) {}
void CWnd::OnSetFocus(CWnd*) {}
void CWnd::OnKillFocus(CWnd*) {}
void CWnd::OnCaptureChanged(CWnd*) {}
void CWnd::OnSysColorChange() {}

void CWnd::OnSetFont(CFont* pFont, BOOL bRedraw)
{
    m_pFont = pFont;
    if (bRedraw)
        Invalidate();
}

CFont* CWnd::OnGetFont()
{
    return m_pFont;
}

void CWnd::OnDestroy() {}
