#include "controls/dragdrop/DragDropMgr.h"

#include "platform/base/Messages.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

const UINT WM_DD_DRAGENTER = RegisterWindowMessage(L"WM_DD_DRAGENTER");
const UINT WM_DD_DRAGOVER = RegisterWindowMessage(L"WM_DD_DRAGOVER");
const UINT WM_DD_DRAGDROP = RegisterWindowMessage(L"WM_DD_DRAGDROP");
const UINT WM_DD_DRAGABORT = RegisterWindowMessage(L"WM_DD_DRAGABORT");

namespace {
QPoint ToQ(POINT p)
{
    return {p.x, p.y};
}

CPoint PointOf(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}
} // namespace

// Turns the registered source controls' Qt input into the messages the manager reads.
class CDragDropMgr::CInputWatch : public QObject {
public:
    explicit CInputWatch(CDragDropMgr* mgr) : m_mgr(mgr) {}

    void Watch(HWND hWnd)
    {
        hWnd->installEventFilter(this);
        QWidget* client = GetClientArea(hWnd);
        if (client != hWnd)
            client->installEventFilter(this);
        m_clients[client] = hWnd;
        m_clients[hWnd] = hWnd;
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (m_mgr->m_bDelivering)
            return false;
        const auto it = m_clients.find(static_cast<QWidget*>(watched));
        if (it == m_clients.end() || !watched->isWidgetType())
            return false;
        MSG msg;
        msg.hwnd = it->second;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (e->type() != QEvent::MouseMove && me->button() != Qt::LeftButton)
                return false;
            // Mouse points count in the client area, wherever the event arrived.
            const QPoint p = GetClientArea(msg.hwnd)->mapFromGlobal(me->globalPosition().toPoint());
            msg.message = e->type() == QEvent::MouseButtonPress     ? WM_LBUTTONDOWN
                          : e->type() == QEvent::MouseButtonRelease ? WM_LBUTTONUP
                                                                    : WM_MOUSEMOVE;
            msg.wParam = (me->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
            msg.lParam = MAKELPARAM(p.x(), p.y());
            break;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() != Qt::Key_Escape)
                return false;
            msg.message = WM_KEYDOWN;
            msg.wParam = VK_ESCAPE;
            break;
        default: return false;
        }
        BOOL consumed = FALSE;
        CallHandlerGuarded([&] { consumed = m_mgr->PreTranslateMessage(&msg); });
        return consumed != FALSE;
    }

private:
    CDragDropMgr* m_mgr;
    std::unordered_map<QWidget*, HWND> m_clients;
};

CDragDropMgr::CDragDropMgr()
    : m_hCursorDrop(CWnd::LoadStandardCursor(IDC_ARROW)), m_hCursorNo(CWnd::LoadStandardCursor(IDC_NO))
{
}

CDragDropMgr::~CDragDropMgr()
{
    // A drag cut short by the dialog closing leaves nothing behind.
    if (m_iState != 0)
        EndTracking();
    delete m_info.pData;
    m_info.pData = nullptr;
    m_mapHwnd.clear();
}

BOOL CDragDropMgr::Install(HWND pWnd, const DRAGDROPWND* pTable)
{
    m_pWnd = pWnd;
    if (!m_pWatch)
        m_pWatch = std::make_unique<CInputWatch>(this);
    for (const DRAGDROPWND* p = pTable; p && p->id != 0; ++p) {
        HWND hWnd = GetDlgItem(pWnd, static_cast<int>(p->id));
        if (!hWnd)
            continue;
        m_mapHwnd[hWnd] = p->type;
        if (p->type & DDW_SOURCE)
            m_pWatch->Watch(hWnd);
    }
    return TRUE;
}

UINT CDragDropMgr::Flags(HWND hWnd) const
{
    const auto it = m_mapHwnd.find(hWnd);
    return it == m_mapHwnd.end() ? 0 : it->second;
}

BOOL CDragDropMgr::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg || !(Flags(pMsg->hwnd) & DDW_SOURCE))
        return FALSE;
    switch (pMsg->message) {
    case WM_LBUTTONDOWN: return OnLButtonDown(*pMsg);
    case WM_MOUSEMOVE: return OnMouseMove(*pMsg);
    case WM_LBUTTONUP: return OnLButtonUp(*pMsg);
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_ESCAPE && m_iState != 0) {
            Abort();
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

LRESULT CDragDropMgr::SendToOwner(UINT message, WPARAM wParam)
{
    return ::SendMessage(m_pWnd.data(), message, wParam, reinterpret_cast<LPARAM>(&m_info));
}

void CDragDropMgr::DeliverToControl(const MSG& msg)
{
    QWidget* client = GetClientArea(msg.hwnd);
    if (!client)
        return;
    const QPoint local = ToQ(PointOf(msg));
    QMouseEvent press(QEvent::MouseButtonPress, local, client->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                      QApplication::keyboardModifiers());
    m_bDelivering = true;
    QApplication::sendEvent(client, &press);
    m_bDelivering = false;
}

BOOL CDragDropMgr::OnLButtonDown(const MSG& msg)
{
    DeliverToControl(msg);
    m_hwndTracking = msg.hwnd;
    m_ptOrg = PointOf(msg);
    // The button now belongs to the control until it is released.
    if (m_iState != 1)
        m_iState = 1;
    return TRUE;
}

BOOL CDragDropMgr::OnMouseMove(const MSG& msg)
{
    if (m_iState == 0)
        return FALSE;
    const CPoint pt = PointOf(msg);
    QWidget* source = m_hwndTracking ? GetClientArea(m_hwndTracking) : nullptr;
    if (m_iState == 1) {
        static const int cxDrag = GetSystemMetrics(SM_CXDRAG);
        static const int cyDrag = GetSystemMetrics(SM_CYDRAG);
        if (std::abs(pt.x - m_ptOrg.x) < cxDrag && std::abs(pt.y - m_ptOrg.y) <= cyDrag)
            return TRUE;
        m_info.hwndSource = m_hwndTracking;
        m_info.hwndTarget = nullptr;
        m_info.pData = nullptr;
        m_info.pt = m_ptOrg;
        const LRESULT answer = SendToOwner(WM_DD_DRAGENTER, static_cast<WPARAM>(GetDlgCtrlID(m_hwndTracking)));
        if (answer != 0 && m_info.pData && source) {
            m_iState = 2;
            const QPoint screen = source->mapToGlobal(ToQ(pt));
            CRect rc;
            m_pDragImage = m_info.pData->CreateDragImage(m_hwndTracking, &rc);
            if (m_pDragImage && m_pDragImage->BeginDrag(0, rc.TopLeft()))
                CImageList::DragEnter(nullptr, CPoint(screen.x(), screen.y()));
        } else {
            // Refused: whatever the owner left in pData is not kept.
            delete m_info.pData;
            m_info.pData = nullptr;
            EndTracking();
            m_hwndTracking = nullptr;
        }
        return TRUE;
    }
    // Dragging.
    if (!source || !m_pWnd) {
        Abort();
        return TRUE;
    }
    const QPoint screen = source->mapToGlobal(ToQ(pt));
    CImageList::DragMove(CPoint(screen.x(), screen.y()));
    const QPoint inDialog = m_pWnd->mapFromGlobal(screen);
    m_info.pt = POINT{inDialog.x(), inDialog.y()};
    // The registered control under the pointer, else the dialog's child window there.
    HWND target = nullptr;
    if (QWidget* w = m_pWnd->childAt(inDialog)) {
        for (QWidget* p = w; p && p != m_pWnd; p = p->parentWidget()) {
            if (m_mapHwnd.count(p)) {
                target = p;
                break;
            }
            if (p->parentWidget() == m_pWnd)
                target = p;
        }
    }
    m_info.hwndTarget = target;
    SendToOwner(WM_DD_DRAGOVER, 0);
    SetDragCursor((Flags(target) & DDW_TARGET) ? m_hCursorDrop : m_hCursorNo);
    return TRUE;
}

BOOL CDragDropMgr::OnLButtonUp(const MSG& msg)
{
    if (m_iState == 0)
        return FALSE;
    if (m_iState == 1) {
        // A click without a drag: the control sees the release.
        EndTracking();
        return FALSE;
    }
    HWND target = m_info.hwndTarget;
    if (target && (Flags(target) & DDW_TARGET) && m_hwndTracking) {
        const QPoint screen = GetClientArea(m_hwndTracking)->mapToGlobal(ToQ(PointOf(msg)));
        const QPoint inTarget = GetClientArea(target)->mapFromGlobal(screen);
        m_info.pt = POINT{inTarget.x(), inTarget.y()};
        SendToOwner(WM_DD_DRAGDROP, static_cast<WPARAM>(GetDlgCtrlID(target)));
    } else {
        SendToOwner(WM_DD_DRAGABORT, static_cast<WPARAM>(GetDlgCtrlID(m_hwndTracking)));
    }
    delete m_info.pData;
    m_info.pData = nullptr;
    EndTracking();
    return TRUE;
}

void CDragDropMgr::Abort()
{
    SendToOwner(WM_DD_DRAGABORT, static_cast<WPARAM>(GetDlgCtrlID(m_hwndTracking)));
    EndTracking();
    delete m_info.pData;
    m_info.pData = nullptr;
}

void CDragDropMgr::SetDragCursor(HCURSOR hCursor)
{
    QWidget* source = m_hwndTracking ? GetClientArea(m_hwndTracking) : nullptr;
    if (!source)
        return;
    if (!m_bCursorSaved) {
        m_bCursorSaved = true;
        m_bHadCursor = source->testAttribute(Qt::WA_SetCursor);
        m_hCursorSave = source->cursor().shape();
    }
    source->setCursor(static_cast<Qt::CursorShape>(hCursor));
}

void CDragDropMgr::EndTracking()
{
    if (m_bCursorSaved) {
        if (QWidget* source = m_hwndTracking ? GetClientArea(m_hwndTracking) : nullptr) {
            if (m_bHadCursor)
                source->setCursor(static_cast<Qt::CursorShape>(m_hCursorSave));
            else
                source->unsetCursor();
        }
        m_bCursorSaved = false;
    }
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    m_iState = 0;
}
