#pragma once
// Drags an item with the left button from one control of a dialog to another, inside the
// dialog. The dialog registers its controls with Install and answers four registered
// messages, sent to it with a DRAGDROPINFO as lParam:
//   "WM_DD_DRAGENTER" (wParam: source id) when the pointer first leaves the drag threshold;
//       answer non-zero with pData set to start the drag, anything else refuses it;
//   "WM_DD_DRAGOVER"  (wParam: 0) on every move while dragging;
//   "WM_DD_DRAGDROP"  (wParam: target id) when the button is released over a drop target;
//   "WM_DD_DRAGABORT" (wParam: source id) when it is released elsewhere, or on Escape
//       (pData null when the drag never began).
// The dialog receives them through CMessageReceiver (platform/win/WndMsg.h). The manager
// owns pData from the answer to "WM_DD_DRAGENTER" and deletes it when the drag ends.
//
// Install watches the registered source controls' input, so the dialog need not hand its
// messages on; PreTranslateMessage takes them as the dialog would.
#include "controls/dragdrop/DragDropData.h"
#include "platform/win/WndMsg.h"
#include "platform/wnd/Wnd.h"

#include <QPointer>
#include <memory>
#include <unordered_map>

extern const UINT WM_DD_DRAGENTER;
extern const UINT WM_DD_DRAGOVER;
extern const UINT WM_DD_DRAGDROP;
extern const UINT WM_DD_DRAGABORT;

struct DRAGDROPINFO {
    HWND hwndSource = nullptr; // the control where the drag began
    HWND hwndTarget = nullptr; // the dialog's control under the pointer, or null
    CDragDropData* pData = nullptr;
    // DRAGENTER: button-down point in the source's client coordinates; DRAGOVER: pointer in
    // the dialog's; DRAGDROP: drop point in the target's.
    POINT pt{};
};

constexpr UINT DDW_SOURCE = 0x01;
constexpr UINT DDW_TARGET = 0x02;

struct DRAGDROPWND {
    UINT id;   // 0 ends a table
    UINT type; // DDW_SOURCE and/or DDW_TARGET
};

class CDragDropMgr {
public:
    CDragDropMgr();
    CDragDropMgr(const CDragDropMgr&) = delete;
    CDragDropMgr& operator=(const CDragDropMgr&) = delete;
    virtual ~CDragDropMgr();

    BOOL Install(HWND pWnd, const DRAGDROPWND* pTable);
    // TRUE when the message was consumed.
    BOOL PreTranslateMessage(MSG* pMsg);
    BOOL IsDragging() const { return m_iState == 2; }
    int GetState() const { return m_iState; }

protected:
    virtual BOOL OnLButtonDown(const MSG& msg);
    virtual BOOL OnMouseMove(const MSG& msg);
    virtual BOOL OnLButtonUp(const MSG& msg);

    QPointer<QWidget> m_pWnd;
    std::unordered_map<HWND, UINT> m_mapHwnd;
    HCURSOR m_hCursorDrop;
    HCURSOR m_hCursorNo;
    DRAGDROPINFO m_info;
    int m_iState = 0;
    HWND m_hwndTracking = nullptr;
    CPoint m_ptOrg;
    CImageList* m_pDragImage = nullptr;
    HCURSOR m_hCursorSave = 0;

private:
    class CInputWatch;
    UINT Flags(HWND hWnd) const;
    LRESULT SendToOwner(UINT message, WPARAM wParam);
    void SetDragCursor(HCURSOR hCursor);
    // Capture released, cursor restored, drag picture gone, idle.
    void EndTracking();
    void Abort();
    // Hands a button-down to the control itself, as it would have had it.
    void DeliverToControl(const MSG& msg);

    std::unique_ptr<CInputWatch> m_pWatch;
    bool m_bCursorSaved = false;
    bool m_bHadCursor = false;
    bool m_bDelivering = false;
};
