#include "platform/wnd/PaintDC.h"
#include "platform/wnd/Wnd.h"

#include <QPaintEvent>
#include <QWidget>

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    if (pWnd && pWnd->IsInPaint() && pWnd->GetClientWidget()) {
        const QRect r = pWnd->CurrentPaintEvent()->rect();
        m_ps.rcPaint = CRect(r);
        AttachDevice(pWnd->GetClientWidget());
        m_baseClip = r;
    } else {
        CreateMeasuringDC();
    }
}

CPaintDC::~CPaintDC()
{
    DeleteDC();
}

CClientDC::CClientDC(CWnd*)
{
    CreateMeasuringDC();
}

CWindowDC::CWindowDC(CWnd*)
{
    CreateMeasuringDC();
}
