#include "controls/grid/MemoryDC.h"

CMemoryDC::CMemoryDC(CDC* pDC) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    pDC->GetClipBox(&m_rect);
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        pDC->LPtoDP(&m_rect);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        SetMapMode(pDC->GetMapMode());
        SetWindowExt(pDC->GetWindowExt());
        SetViewportExt(pDC->GetViewportExt());
        pDC->DPtoLP(&m_rect);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        AttachSharing(pDC);
    }
    FillSolidRect(&m_rect, pDC->GetBkColor());
}

CMemoryDC::~CMemoryDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    // The printing case only borrowed the printer's painter.
    DeleteDC();
}
