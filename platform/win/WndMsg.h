#pragma once
// Messages sent to any window of a dialog: a control window (CWnd) or a Qt widget that
// takes messages (a dialog answering registered messages inherits CMessageReceiver next
// to its Qt base). Controls in a dialog are found by their id: the widget's "ctrlId"
// property or, failing that, its object name.
#include "platform/win/Notify.h"
#include "platform/win/WinDef.h"

class QWidget;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
using LPMSG = MSG*;

class CMessageReceiver {
public:
    virtual ~CMessageReceiver() = default;
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Synchronous; 0 when the window takes no messages.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The child of pDialog with the id, or null.
HWND GetDlgItem(HWND pDialog, int nID);
// The id of a control, or 0.
int GetDlgCtrlID(HWND hWnd);
// The widget that holds a window's client area (a scroll area's viewport), where its
// mouse input arrives and its client coordinates count from.
QWidget* GetClientArea(HWND hWnd);
