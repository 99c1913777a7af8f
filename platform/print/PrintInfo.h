#pragma once
// What a print job tells the code that prints its pages: the page range of the print
// dialog, the page being printed and the rectangle to draw in (logical units).
#include "platform/gdi/Rect.h"
#include "platform/win/WinDef.h"

class QPrinter;
class QWidget;

class CPrintInfo {
public:
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The pages the user chose in the print dialog; all pages until then.
    UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }

    UINT m_nCurPage = 1;
    BOOL m_bPreview = FALSE;
    // Printing without the print dialog (a direct print, a file for tests).
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    CRect m_rectDraw;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
    // The printer of the job and the window that owns its dialogs; set by the print driver.
    QPrinter* m_pPrinter = nullptr;
    QWidget* m_pDialogParent = nullptr;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
