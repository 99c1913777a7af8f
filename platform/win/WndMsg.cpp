#include "platform/win/WndMsg.h"

#include "platform/wnd/Wnd.h"

#include <QAbstractScrollArea>
#include <QVariant>
#include <QWidget>

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hWnd)
        return 0;
    if (auto* receiver = dynamic_cast<CMessageReceiver*>(hWnd))
        return receiver->OnMessage(message, wParam, lParam);
    if (CWnd* wnd = CWnd::FromHandle(hWnd))
        return wnd->SendMessage(message, wParam, lParam);
    return 0;
}

int GetDlgCtrlID(HWND hWnd)
{
    if (!hWnd)
        return 0;
    const QVariant id = hWnd->property("ctrlId");
    if (id.isValid())
        return id.toInt();
    bool ok = false;
    const int fromName = hWnd->objectName().toInt(&ok);
    return ok ? fromName : 0;
}

HWND GetDlgItem(HWND pDialog, int nID)
{
    if (!pDialog)
        return nullptr;
    for (QWidget* w : pDialog->findChildren<QWidget*>())
        if (GetDlgCtrlID(w) == nID)
            return w;
    return nullptr;
}

QWidget* GetClientArea(HWND hWnd)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(hWnd))
        return area->viewport();
    return hWnd;
}
