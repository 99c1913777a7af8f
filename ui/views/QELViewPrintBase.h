#pragma once
// One printed page layout for every view of a case: a print font, a logical page of
// screen-like units (one unit is a point on a 96 dpi screen), a header band (view title
// centred, program header on the right, a rule below) and a footer band (a rule above,
// "Page %d of %d" on the left, date and time on the right).
#include "platform/print/View.h"

#include <string>

class CQELViewPrintBase : public CView {
public:
    CQELViewPrintBase();
    ~CQELViewPrintBase() override;

    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Header and footer only; a view prints its body after calling this.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);

    // The view's client area as it is on the screen, in a new memory bitmap selected into a
    // new memory DC; both go to the caller through the arguments. Returns the object the DC
    // held before (a new DC here holds none), to be selected back before both are deleted.
    // Sets m_rcClient to the client rectangle in MM_LOMETRIC units (y upwards, so bottom
    // < top). Returns null and leaves the arguments alone when the view has no window or
    // nothing could be made.
    CGdiObject* PrintWindowBitmap(CDC** ppMemDC, CBitmap** ppBitmap);

    std::wstring m_sTitle;
    CFont m_fontPrint;
    int m_nCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    int m_nPrinterWidth = 0;
    int m_nPrinterHeight = 0;
    int m_nHeaderLines = 2;
    int m_nFooterLines = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nHeaderGap = 1;
    std::wstring m_sHeader = L"Pellomar QEL";
    // What PrintWindowBitmap made for the main view's print preview; that view lets go of
    // them when printing ends.
    CGdiObject* m_pOldBitmap = nullptr;
    CBitmap* m_pBitmap = nullptr;
    CDC* m_pMemDC = nullptr;
    CRect m_rcClient{0, 0, 0, 0};

protected:
    // The page and its printer mapping, with logical (0, 0) at the left margin and originY.
    void MapPage(CDC* pDC, int originY) const;
};
