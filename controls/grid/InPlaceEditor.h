#pragma once
// What the in-place editors of the grid share.
#include "controls/grid/InPlaceEdit.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QEvent>
#include <QKeyEvent>

// Key presses go to onKey (Tab is a key of the editor, not a focus move), other events to
// onOther. An editor is a widget of its own: what fails in the grid or its owner behind it is
// reported here, as for a window's handlers, never thrown through the event loop.
template <class OnKey, class OnOther>
bool DispatchEditorEvent(QEvent* e, OnKey onKey, OnOther onOther)
{
    bool handled = true;
    CallHandlerGuarded([&] {
        if (e->type() == QEvent::KeyPress)
            onKey(static_cast<QKeyEvent*>(e));
        else
            handled = onOther(e);
    });
    return handled;
}

// Tells the grid (pParent, if still there) that the edit of one cell ended with this text
// and last key.
inline void SendEndLabelEdit(CWnd* pParent, HWND hwndFrom, UINT nID, int nRow, int nCol, std::wstring text,
                             UINT nLastChar)
{
    GRID_DISPINFO dispinfo;
    dispinfo.hdr.hwndFrom = hwndFrom;
    dispinfo.hdr.idFrom = nID;
    dispinfo.hdr.code = LVN_ENDLABELEDITW;
    dispinfo.item.mask = GVIF_TEXT | GVIF_PARAM;
    dispinfo.item.row = nRow;
    dispinfo.item.col = nCol;
    dispinfo.item.strText = std::move(text);
    dispinfo.item.lParam = static_cast<LPARAM>(nLastChar);
    if (pParent && pParent->GetSafeHwnd())
        pParent->SendMessage(WM_NOTIFY, nID, reinterpret_cast<LPARAM>(&dispinfo));
}
