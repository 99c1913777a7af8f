#include "ChartLegend.h"

#include <algorithm>

#include "ChartCtrl.h"
#include "ChartSerie.h"
#include "platform/gdi/DC.h"

std::vector<CChartLegend::Entry> CChartLegend::GetEntries() const
{
    std::vector<Entry> entries;
    if (!m_pParent)
        return entries;
    for (const auto& [id, pSerie] : m_pParent->m_mapSeries) {
        if (!pSerie || !pSerie->m_bIsVisible || pSerie->m_strSerieName.empty())
            continue;
        const bool bKnown = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
            return e.name == pSerie->m_strSerieName && e.pSerie->m_SerieColor == pSerie->m_SerieColor;
        });
        if (!bKnown)
            entries.push_back({pSerie->m_strSerieName, pSerie});
    }
    return entries;
}

std::vector<std::wstring> CChartLegend::GetShownLines() const
{
    std::vector<std::wstring> lines;
    for (const Item& item : m_vItems)
        lines.push_back(item.text);
    return lines;
}

int CChartLegend::Flow(std::vector<Item>& items, CDC* pDC, int left, int top, int width) const
{
    int rows = 0, x = left, y = top;
    for (Item& item : items) {
        const int textWidth =
            std::min(static_cast<int>(pDC->GetTextExtent(item.text).cx), std::max(0, width - m_nSample - m_nPad));
        const int itemWidth = m_nSample + m_nPad + textWidth;
        if (rows == 0 || (x > left && x + itemWidth > left + width)) {
            if (rows > 0)
                y += m_nLineHeight;
            x = left;
            ++rows;
        }
        item.rect.SetRect(x, y, x + itemWidth, y + m_nLineHeight);
        x += itemWidth + 3 * m_nPad;
    }
    return rows;
}

void CChartLegend::ClipArea(CRect& rcControl, CDC* pDC)
{
    m_ObjectRect.SetRectEmpty();
    m_vItems.clear();
    const std::vector<Entry> entries = GetEntries();
    if (!m_bIsVisible || entries.empty() || !pDC || !pDC->GetSafeHdc())
        return;

    m_Font.SelectFont(pDC);
    const int textHeight = pDC->GetTextExtent(std::wstring(L"Xg")).cy;
    m_nLineHeight = textHeight + textHeight / 4;
    m_nSample = 2 * textHeight;
    m_nPad = std::max(2, textHeight / 3);
    const int width = rcControl.Width() - 4 * m_nPad;
    const int maxRows = rcControl.Height() * m_nMaxHeightPercent / 100 / std::max(1, m_nLineHeight);
    if (maxRows < 1 || width < m_nSample + m_nPad + 4 * textHeight) {
        m_Font.UnselectFont(pDC);
        return;
    }
    // As many entries as fit in the rows allowed, the last place counting the others.
    for (std::size_t shown = entries.size();; --shown) {
        std::vector<Item> items;
        for (std::size_t i = 0; i < shown; ++i)
            items.push_back({entries[i].name, entries[i].pSerie, CRect()});
        if (shown < entries.size())
            items.push_back({L"+ " + std::to_wstring(entries.size() - shown) + L" more", nullptr, CRect()});
        const int rows = Flow(items, pDC, 0, 0, width);
        if (rows <= maxRows || shown == 0) {
            m_vItems = std::move(items);
            break;
        }
    }
    m_Font.UnselectFont(pDC);

    // Each row centred over the chart.
    int rows = 0;
    for (std::size_t i = 0; i < m_vItems.size();) {
        std::size_t end = i;
        int right = 0;
        while (end < m_vItems.size() && m_vItems[end].rect.top == m_vItems[i].rect.top)
            right = m_vItems[end++].rect.right;
        const int shift = rcControl.left + (rcControl.Width() - right) / 2;
        for (std::size_t k = i; k < end; ++k)
            m_vItems[k].rect.OffsetRect(shift, rcControl.top + m_nPad);
        i = end;
        ++rows;
    }
    m_ObjectRect.SetRect(rcControl.left, rcControl.top, rcControl.right, rcControl.top + m_nPad + rows * m_nLineHeight);
    rcControl.top = m_ObjectRect.bottom;
}

void CChartLegend::Draw(CDC* pDC)
{
    if (m_vItems.empty() || !pDC || !pDC->GetSafeHdc())
        return;
    m_Font.SelectFont(pDC);
    const COLORREF oldColor = pDC->SetTextColor(m_TextColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    for (const Item& item : m_vItems) {
        const CRect sample(item.rect.left, item.rect.top + 2, item.rect.left + m_nSample, item.rect.bottom - 2);
        if (item.pSerie)
            item.pSerie->DrawLegend(pDC, sample);
        CRect text(sample.right + m_nPad, item.rect.top, item.rect.right, item.rect.bottom);
        if (!item.pSerie)
            text.left = item.rect.left;
        pDC->DrawText(item.text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    m_Font.UnselectFont(pDC);
}
