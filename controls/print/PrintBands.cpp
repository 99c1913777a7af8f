#include "controls/print/PrintBands.h"

#include <ctime>
#include <cwchar>

namespace {

void MakeBoldFont(const CFont& from, CFont& bold)
{
    LOGFONT lf{};
    from.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
}

void DrawRule(CDC* pDC, int left, int right, int y)
{
    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(left, y);
    pDC->LineTo(right, y);
    if (pOldPen)
        pDC->SelectGdiObject(pOldPen);
}

} // namespace

void PrintHeaderBand(CDC* pDC, const CRect& band, const CFont& font, const std::wstring& title,
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
    DrawRule(pDC, band.left, band.right, band.bottom);
}

void PrintFooterBand(CDC* pDC, const CRect& band, const CFont& font, int nPage, int nPages)
{
    wchar_t page[64];
    std::swprintf(page, 64, L"Page %d of %d", nPage, nPages);
    wchar_t date[128] = L"";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local) || std::wcsftime(date, 128, L"%c", &local) == 0)
        std::wcsncpy(date, L"Invalid DateTime", 127);

    DrawRule(pDC, band.left, band.right, band.top);

    CFont bold;
    MakeBoldFont(font, bold);
    CFont* pOldFont = pDC->SelectObject(&bold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(RGB(0, 0, 0));
    CRect rect(band);
    pDC->DrawText(page, -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    rect = band;
    pDC->DrawText(date, -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
