#include "platform/print/View.h"

#include "platform/wnd/PaintDC.h"

BOOL CView::CreateView(QWidget* pParent, const CRect& rect)
{
    return Create(L"View", L"", WS_CHILD | WS_VISIBLE, rect, pParent, 0xE900);
}

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint()
{
    qelprint::Print(*this, GetPrintDialogParent());
}

void CView::OnFilePrintPreview()
{
    qelprint::PrintPreview(*this, GetPrintDialogParent());
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}
