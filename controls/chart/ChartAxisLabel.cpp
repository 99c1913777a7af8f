#include "ChartAxisLabel.h"

#include "platform/gdi/DC.h"

#include <algorithm>

CChartAxisLabel::CChartAxisLabel() : m_Font(L"Microsoft Sans Serif", 100) {}

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
    // A title longer than its axis is drawn smaller rather than cut at the chart's edge.
    CChartFont fitted;
    CChartFont* font = &m_Font;
    {
        m_Font.SelectFont(pDC);
        const int length = pDC->GetTextExtent(m_strLabelText).cx;
        m_Font.UnselectFont(pDC);
        const int room = (m_bIsHorizontal ? m_LabelRect.Width() : m_LabelRect.Height()) - 4;
        if (room > 0 && length > room) {
            constexpr int kSmallest = 60; // tenths of a point
            fitted = m_Font.Resized(std::max(kSmallest, m_Font.GetPointSize() * room / length));
            font = &fitted;
        }
    }
    font->SelectFont(pDC);
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
    font->UnselectFont(pDC);
}
