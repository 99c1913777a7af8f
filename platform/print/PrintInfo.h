#pragma once
// What a print job tells the code that prints its pages: the page range of the print
// dialog, the page being printed and the rectangle to draw in (logical units).
#include "platform/gdi/Rect.h"
#include "platform/win/WinDef.h"

class CPrintInfo
{
public:
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }

    UINT m_nCurPage = 1;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    CRect m_rectDraw;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
