#pragma once
// A small owner-drawn child window: it fills its background, optionally draws a 3-D edge,
// and leaves the content to a derived class (PrepareDC, Draw, DrawBackground).
#include "platform/gdi/Colour.h"
#include "platform/wnd/Wnd.h"

class CDrawCtrl : public CWnd {
public:
    CDrawCtrl();

    // Repaints the whole control from its current state.
    void Redraw();
    // Draws the control's picture on any DC whose device is a client area of that size:
    // the paint event draws through it, and so can an image or a printer.
    void Render(CDC* pDC, const CRect& rcClient);

    virtual void PrepareDC(CDC* pDC) { (void)pDC; }
    virtual void Draw(CDC* pDC);
    virtual void DrawBackground(CDC* pDC);

    // The line with a filled triangular head at (x2, y2), in the DC's current pen and brush.
    static void DrawArrow(CDC* pDC, int x1, int y1, int x2, int y2, double dHeadLength, double dHeadHalfWidth);

    CRect m_rcClient;
    COLORREF m_crBackground;
    int m_nEdgeType;
    bool m_bDrawEdge = true;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    // The 3-D edge about the client area, in device units.
    void DrawClientEdge(CDC* pDC);
};

// Runs fn with the DC mapped 1:1 to the device (text and edges keep their pixel size
// whatever the mapping of the drawing around them).
template <class F>
void WithDeviceMapping(CDC* pDC, F&& fn)
{
    pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    fn();
    pDC->RestoreDC(-1);
}
