#include "ui/draw/DrawCtrl.h"

#include "platform/gdi/GdiObject.h"
#include "platform/wnd/PaintDC.h"

#include <cmath>

CDrawCtrl::CDrawCtrl() : m_crBackground(GetSysColor(COLOR_BTNFACE)), m_nEdgeType(EDGE_RAISED) {}

void CDrawCtrl::Redraw()
{
    if (!GetSafeHwnd())
        return;
    GetClientRect(&m_rcClient);
    Invalidate(TRUE);
}

void CDrawCtrl::Render(CDC* pDC, const CRect& rcClient)
{
    m_rcClient = rcClient;
    PrepareDC(pDC);
    DrawBackground(pDC);
    Draw(pDC);
}

void CDrawCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Render(&dc, rc);
}

BOOL CDrawCtrl::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CDrawCtrl::Draw(CDC* pDC)
{
    pDC->TextOut(5, 5, L"Base draw");
}

void CDrawCtrl::DrawBackground(CDC* pDC)
{
    // Texts drawn later are set on this colour, so a caption over a line stays readable.
    pDC->SetBkColor(m_crBackground);
    WithDeviceMapping(pDC, [&] {
        CBrush brush(m_crBackground);
        pDC->FillRect(&m_rcClient, &brush);
    });
    if (m_bDrawEdge)
        DrawClientEdge(pDC);
}

void CDrawCtrl::DrawClientEdge(CDC* pDC)
{
    WithDeviceMapping(pDC, [&] {
        CRect rc = m_rcClient;
        pDC->DrawEdge(&rc, static_cast<UINT>(m_nEdgeType), BF_RECT);
    });
}

void CDrawCtrl::DrawArrow(CDC* pDC, int x1, int y1, int x2, int y2, double a, double b)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    const double theta = std::atan2(static_cast<double>(y1 - y2), static_cast<double>(x1 - x2));
    const double c = std::cos(theta), s = std::sin(theta);
    const POINT head[3] = {
        {x2, y2},
        {x2 + static_cast<int>(c * a - s * b), y2 + static_cast<int>(c * b + s * a)},
        {x2 + static_cast<int>(c * a + s * b), y2 - static_cast<int>(c * b - s * a)},
    };
    pDC->Polygon(head, 3);
}
