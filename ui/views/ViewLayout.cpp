#include "ui/views/ViewLayout.h"

#include "platform/wnd/Wnd.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWidget>

void ApplyPendingGeometry(CWnd* pWnd)
{
    QWidget* pWidget = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (!pWidget || !pWidget->testAttribute(Qt::WA_PendingResizeEvent))
        return;
    QResizeEvent event(pWidget->size(), QSize(-1, -1));
    QCoreApplication::sendEvent(pWidget, &event);
    pWidget->setAttribute(Qt::WA_PendingResizeEvent, false);
}
