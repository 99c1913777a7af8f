#pragma once
// A document's view: a window that draws itself with OnDraw, on the screen and on the
// printer, and prints through the print driver. A frame (an MDI child window) holds the
// view's window; the frame calls OnInitialUpdate once the view is in place.
#include "platform/print/PrintDriver.h"
#include "platform/wnd/Wnd.h"

class CView : public CWnd, public CPrintable {
public:
    CView() = default;

    // The view's window, a child of pParent (none: a window of its own until a frame
    // takes it in).
    BOOL CreateView(QWidget* pParent, const CRect& rect = CRect(0, 0, 640, 480));
    virtual void OnInitialUpdate() {}
    virtual void OnDraw(CDC* pDC) = 0;

    // Printing. The base prints OnDraw on one page without asking for a printer.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // The print dialog for the pages the view set in pInfo; FALSE when it is cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo) { return qelprint::DoPreparePrinting(pInfo); }

    // The commands Print (ID_FILE_PRINT, ID_FILE_PRINT_DIRECT) and Print Preview.
    void OnFilePrint();
    virtual void OnFilePrintPreview();

protected:
    // The window that owns the print and preview dialogs: the view's own window, or the
    // widget of a view that is a Qt widget itself.
    virtual QWidget* GetPrintDialogParent() const { return GetSafeHwnd(); }
    void OnPaint() override;
};
