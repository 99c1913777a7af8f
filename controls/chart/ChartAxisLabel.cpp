#include "ChartAxisLabel.h"

#include "platform/gdi/DC.h"

CChartAxisLabel::CChartAxisLabel()
    : m_Font(L"Microsoft Sans Serif", 100)
{
}

void CChartAxisLabel::SetHorizontal(bool bHorizontal)
{
    m_bIsHorizontal = bHorizontal;
    m_Font.SetVertical(!bHorizontal);
}

CSize CChartAxisLabel::GetSize(CDC* pDC)
{
    if (!m_bIsVisible || m_strLabelText.empty() || !pDC || !pDC->GetSafeHdc())
        return CSize(0, 0);
    m_Font.SelectFont(pDC);
    const CSize text = pDC->GetTextExtent(m_strLabelText);
    m_Font.UnselectFont(pDC);
    if (m_bIsHorizontal)
        return CSize(text.cx + 4, text.cy + 4);
    return CSize(text.cy + 4, text.cx + 4);
}

void CChartAxisLabel::Draw(CDC* pDC)
{
    if (!m_bIsVisible || m_strLabelText.empty() || !pDC || !pDC->GetSafeHdc())
        return;
    m_Font.SelectFont(pDC);
    const COLORREF oldColor = pDC->SetTextColor(m_TextColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    if (m_bIsHorizontal) {
        pDC->ExtTextOut(m_LabelRect.left, m_LabelRect.top + 2, 0, nullptr, m_strLabelText);
    } else {
        // Upward text starts at its bottom end: half its length below the middle.
        const CSize text = pDC->GetTextExtent(m_strLabelText);
        const int middle = (m_LabelRect.top + m_LabelRect.bottom) / 2;
        pDC->ExtTextOut(m_LabelRect.left + 2, middle + text.cx / 2, 0, nullptr, m_strLabelText);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    m_Font.UnselectFont(pDC);
}
