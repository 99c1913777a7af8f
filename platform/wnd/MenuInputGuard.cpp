#include "platform/wnd/MenuInputGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <utility>

namespace {
CMenuInputGuard* g_pGuard = nullptr;
}

CMenuInputGuard::CMenuInputGuard(QObject* parent) : QObject(parent) {}

void CMenuInputGuard::Install()
{
    if (g_pGuard || !QCoreApplication::instance())
        return;
    g_pGuard = new CMenuInputGuard(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(g_pGuard);
}

bool CMenuInputGuard::IsInstalled()
{
    return g_pGuard != nullptr;
}

bool CMenuInputGuard::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (m_bDropping)
            return true;
        break;
    case QEvent::KeyPress: break;
    default: return false;
    }
    // A press, release or key that a shown menu takes may close it and run its command.
    // The menu gets it here, so that what follows its handling can be seen to.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (e == m_pDelivering || !menu || !menu->isVisible() || e->type() == QEvent::MouseButtonDblClick)
        return false;
    const QPointer<QMenu> guard(menu);
    QEvent* const outer = std::exchange(m_pDelivering, e);
    QCoreApplication::sendEvent(menu, e);
    m_pDelivering = outer;
    if (!guard || !guard->isVisible())
        DropClicksMadeMeanwhile();
    return true;
}

void CMenuInputGuard::DropClicksMadeMeanwhile()
{
    // What the window system collected while the command ran is delivered now, its clicks
    // dropped; the next turn of the event loop finds only input made after the command.
    m_bDropping = true;
    QCoreApplication::processEvents();
    m_bDropping = false;
}
