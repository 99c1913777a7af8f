#pragma once
// Device contexts of a window.
#include "platform/gdi/DC.h"

class CWnd;

struct PAINTSTRUCT {
    RECT rcPaint; // the area to paint, client coordinates
};

// Draws on the window's client area; only inside the window's paint event (OnPaint),
// elsewhere it measures only. The clip box is the area being painted.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    CWnd* m_pWnd;
};

// Measures text as the window's screen would. Drawing on it is lost: to show something,
// invalidate the area and draw in OnPaint.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
};
