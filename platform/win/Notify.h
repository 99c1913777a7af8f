#pragma once
// Notifications from a control to its owner: the control fills a record that starts with
// NMHDR and calls the receiver synchronously; the receiver's answer comes back as the
// result (a negative answer can veto, as the control documents).
#include "platform/win/WinDef.h"

class QWidget;
using HWND = QWidget*;

struct NMHDR {
    HWND hwndFrom = nullptr; // the sending control's widget
    UINT_PTR idFrom = 0;     // the sending control's id
    UINT code = 0;           // notification code (negative codes are stored as UINT)
};
using LPNMHDR = NMHDR*;

// Codes shared by the controls (values of the platform's list-view and common codes).
constexpr UINT NM_FIRST = 0U;
constexpr UINT NM_CLICK = NM_FIRST - 2U;
constexpr UINT NM_DBLCLK = NM_FIRST - 3U;
constexpr UINT NM_RCLICK = NM_FIRST - 5U;
constexpr UINT LVN_FIRST = 0U - 100U;
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0U;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1U;
constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9U;
constexpr UINT LVN_ODCACHEHINT = LVN_FIRST - 13U;
constexpr UINT LVN_BEGINLABELEDITW = LVN_FIRST - 75U;
constexpr UINT LVN_ENDLABELEDITW = LVN_FIRST - 76U;
constexpr UINT LVN_GETDISPINFOW = LVN_FIRST - 77U;

// Anything that receives notifications: windows (CWnd) and the Qt dialogs and views that
// host controls (they inherit this interface next to their Qt base).
class CNotifyReceiver {
public:
    virtual ~CNotifyReceiver() = default;
    // wParam is the sender's control id; pNMHDR points at the sender's full record.
    virtual LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR)
    {
        (void)wParam;
        (void)pNMHDR;
        return 0;
    }
    // WM_COMMAND from a control: wParam is MAKEWPARAM(control id, notification code), lParam
    // the control's widget.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam)
    {
        (void)wParam;
        (void)lParam;
        return FALSE;
    }
};
