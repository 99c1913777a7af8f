#include "ui/views/QELViewPrintBase.h"

#include "platform/wnd/PaintDC.h"

#include <ctime>
#include <cwchar>

CQELViewPrintBase::CQELViewPrintBase() = default;

CQELViewPrintBase::~CQELViewPrintBase() = default;

void CQELViewPrintBase::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CClientDC screen(this);
    if (!screen.GetSafeHdc())
        return;
    const int nPrinterY = pDC->GetDeviceCaps(LOGPIXELSY);
    const int nPrinterX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nScreenY = screen.GetDeviceCaps(LOGPIXELSY);
    const int nScreenX = screen.GetDeviceCaps(LOGPIXELSX);
    if (nPrinterX <= 0 || nPrinterY <= 0)
        return;

    LOGFONT lf{};
    lf.lfHeight = -10;
    lf.lfWeight = 400;
    lf.lfCharSet = 1;
    lf.lfOutPrecision = 2;
    lf.lfClipPrecision = 1;
    std::wcsncpy(lf.lfFaceName, L"Arial", LF_FACESIZE - 1);
    m_fontPrint.DeleteObject();
    m_fontPrint.CreateFontIndirect(&lf);

    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    const CSize letters = pDC->GetTextExtent(std::wstring(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    m_nLineHeight = letters.cy;
    m_nCharWidth = letters.cx / 52;
    m_nPrinterWidth = pDC->GetDeviceCaps(HORZRES);
    m_nPrinterHeight = pDC->GetDeviceCaps(VERTRES);
    m_nPageWidth = m_nPrinterWidth * nScreenX / nPrinterX * 3 / 4;
    m_nPageHeight = m_nPrinterHeight * nScreenY / nPrinterY * 3 / 4;
    pDC->SelectObject(pOldFont);
}

void CQELViewPrintBase::MapPage(CDC* pDC, int originY) const
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_nPageWidth, m_nPageHeight);
    pDC->SetViewportExt(m_nPrinterWidth, m_nPrinterHeight);
    pDC->SetWindowOrg(-(m_nCharWidth * m_nLeftMargin), originY);
}

void CQELViewPrintBase::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    MapPage(pDC, 0);
    pInfo->m_rectDraw.SetRect(0, 0, m_nPageWidth - (m_nLeftMargin + m_nRightMargin) * m_nCharWidth,
                              m_nHeaderLines * m_nLineHeight);
    PrintHeader(pDC, pInfo);

    pInfo->m_rectDraw.bottom = m_nFooterLines * m_nLineHeight;
    pDC->SetWindowOrg(-(m_nCharWidth * m_nLeftMargin), m_nFooterLines * m_nLineHeight - m_nPageHeight);
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CQELViewPrintBase::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fontPrint.DeleteObject();
    CView::OnEndPrinting(pDC, pInfo);
}

void CQELViewPrintBase::MakeBoldFont(const CFont& from, CFont& bold)
{
    LOGFONT lf{};
    from.GetLogFont(&lf);
    lf.lfWeight = 700;
    bold.CreateFontIndirect(&lf);
}

void CQELViewPrintBase::PrintHeaderBand(CDC* pDC, const CRect& band, const CFont& font, const std::wstring& title,
                                        const std::wstring& right)
{
    CFont bold;
    MakeBoldFont(font, bold);
    CFont* pOldFont = pDC->SelectObject(&bold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (!title.empty()) {
        // Kept as far from both edges as the right text reaches in, so it stays centred.
        const int inset = right.empty() ? 0 : pDC->GetTextExtent(right + L"  ").cx;
        CRect rect(band.left + inset, band.top, band.right - inset, band.bottom);
        if (rect.Width() <= 0)
            rect = band;
        pDC->DrawText(title, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (!right.empty()) {
        CRect rect(band);
        pDC->DrawText(right, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(band.left, band.bottom);
    pDC->LineTo(band.right, band.bottom);
    if (pOldPen)
        pDC->SelectGdiObject(pOldPen);
}

void CQELViewPrintBase::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    PrintHeaderBand(pDC, pInfo->m_rectDraw, m_fontPrint, m_sTitle, m_sHeader);
}

void CQELViewPrintBase::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    wchar_t page[64];
    std::swprintf(page, 64, L"Page %d of %d", static_cast<int>(pInfo->m_nCurPage),
                  static_cast<int>(pInfo->GetMaxPage()));
    wchar_t date[128] = L"";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local) || std::wcsftime(date, 128, L"%c", &local) == 0)
        std::wcsncpy(date, L"Invalid DateTime", 127);

    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(pInfo->m_rectDraw.left, pInfo->m_rectDraw.top);
    pDC->LineTo(pInfo->m_rectDraw.right, pInfo->m_rectDraw.top);
    if (pOldPen)
        pDC->SelectGdiObject(pOldPen);

    CFont bold;
    MakeBoldFont(m_fontPrint, bold);
    CFont* pOldFont = pDC->SelectObject(&bold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(0);
    CRect rect(pInfo->m_rectDraw);
    if (page[0])
        pDC->DrawText(page, -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    rect = pInfo->m_rectDraw;
    if (date[0])
        pDC->DrawText(date, -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
