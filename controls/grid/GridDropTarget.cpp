#include "controls/grid/GridDropTarget.h"

#include "controls/grid/GridCtrl.h"
#include "platform/win/MessageBox.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QWidget>

namespace {
bool s_bRegistering = false;

DWORD KeyState(Qt::KeyboardModifiers modifiers)
{
    DWORD state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 0x04;
    if (modifiers & Qt::ControlModifier)
        state |= 0x08;
    return state;
}

Qt::DropAction ToAction(int effect)
{
    return effect == DROPEFFECT_COPY ? Qt::CopyAction : (effect == DROPEFFECT_MOVE ? Qt::MoveAction : Qt::IgnoreAction);
}
} // namespace

CGridDropTarget::~CGridDropTarget()
{
    Revoke();
}

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    // A registration whose window has gone does not count.
    if ((m_bRegistered && m_pWatched) || s_bRegistering || !pGridCtrl)
        return FALSE;
    QWidget* pClient = pGridCtrl->GetClientWidget();
    if (!pClient)
        return FALSE;
    s_bRegistering = true;
    m_pGridCtrl = pGridCtrl;
    pClient->setAcceptDrops(true);
    pClient->installEventFilter(this);
    m_pWatched = pClient;
    m_bRegistered = TRUE;
    s_bRegistering = false;
    return TRUE;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    if (m_pWatched)
        m_pWatched->removeEventFilter(this);
    m_pWatched = nullptr;
}

int CGridDropTarget::OnDragScroll(DWORD dwKeyState) const
{
    return (dwKeyState & 0x08) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

bool CGridDropTarget::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pWatched || !m_pGridCtrl || !m_bRegistered)
        return false;
    // The filter sees the drag events before the window's own guarded handlers do: what
    // fails behind a drop (a paste the owner refuses badly) is reported here.
    bool eaten = false;
    CallHandlerGuarded([&] { eaten = FilterDragEvent(pEvent); });
    return eaten;
}

bool CGridDropTarget::FilterDragEvent(QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(pEvent);
        const int effect =
            m_pGridCtrl->OnDragEnter(e->mimeData(), KeyState(e->modifiers()), CPoint(e->position().toPoint()));
        // Accepted either way, so that the moves over the cells keep coming.
        e->setDropAction(ToAction(effect));
        e->accept();
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(pEvent);
        const int effect =
            m_pGridCtrl->OnDragOver(e->mimeData(), KeyState(e->modifiers()), CPoint(e->position().toPoint()));
        if (effect == DROPEFFECT_NONE || !m_pGridCtrl->m_bAllowDragAndDrop) {
            e->ignore();
        } else {
            e->setDropAction(ToAction(effect));
            e->accept();
        }
        return true;
    }
    case QEvent::DragLeave: m_pGridCtrl->OnDragLeave(); return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(pEvent);
        const int effect = (KeyState(e->modifiers()) & 0x08) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        if (m_pGridCtrl->OnDrop(e->mimeData(), effect, CPoint(e->position().toPoint()))) {
            e->setDropAction(ToAction(effect));
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    default: return false;
    }
}
