#include "ChartTitle.h"

#include "platform/gdi/DC.h"

int CChartTitle::GetHeight(CDC* pDC)
{
    if (!m_bIsVisible || m_vStrings.empty() || !pDC || !pDC->GetSafeHdc())
        return 0;
    m_Font.SelectFont(pDC);
    int height = 4;
    for (const std::wstring& line : m_vStrings)
        height += pDC->GetTextExtent(line.empty() ? std::wstring(L" ") : line).cy;
    m_Font.UnselectFont(pDC);
    return height;
}

void CChartTitle::Draw(CDC* pDC)
{
    if (!m_bIsVisible || m_vStrings.empty() || !pDC || !pDC->GetSafeHdc())
        return;
    m_Font.SelectFont(pDC);
    const COLORREF oldColor = pDC->SetTextColor(m_Color);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    int top = m_ObjectRect.top + 2;
    for (const std::wstring& line : m_vStrings) {
        const int height = pDC->GetTextExtent(line.empty() ? std::wstring(L" ") : line).cy;
        CRect rect(m_ObjectRect.left, top, m_ObjectRect.right, top + height);
        pDC->DrawText(line, &rect, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        top += height;
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    m_Font.UnselectFont(pDC);
}
