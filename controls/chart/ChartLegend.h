#pragma once
#include <string>
#include <vector>

#include "ChartFont.h"
#include "platform/gdi/Rect.h"

class CDC;
class CChartCtrl;
class CChartSerie;

// The chart's legend: a sample of each named series' line beside its name, in rows over
// the plotting area (outside it, so it never covers the data). Series without a name (the
// beam) are not listed; series of one name and one colour share an entry. The legend takes
// at most a quarter of the chart's height: what does not fit is counted in a last entry
// "+ n more". A chart too small for one row shows none.
class CChartLegend {
public:
    explicit CChartLegend(CChartCtrl* pParent = nullptr) : m_pParent(pParent) {}
    virtual ~CChartLegend() = default;

    struct Entry {
        std::wstring name;
        const CChartSerie* pSerie; // the first series of the entry: its look is shown
    };
    // One entry per name and colour, in the order the series were added.
    std::vector<Entry> GetEntries() const;

    // Takes the legend's rows from the top of the remaining area (nothing when it is not shown).
    void ClipArea(CRect& rcControl, CDC* pDC);
    void Draw(CDC* pDC);

    // What the last layout shows: entry names, then "+ n more" when some did not fit.
    std::vector<std::wstring> GetShownLines() const;

    bool m_bIsVisible = false;
    CRect m_ObjectRect;
    CChartFont m_Font{L"Microsoft Sans Serif", 80};
    COLORREF m_TextColor = 0;
    int m_nMaxHeightPercent = 25; // of the chart's height

private:
    struct Item {
        std::wstring text;
        const CChartSerie* pSerie; // null for "+ n more"
        CRect rect;                // sample and text
    };
    // Places the items in rows within width; the number of rows used.
    int Flow(std::vector<Item>& items, CDC* pDC, int left, int top, int width) const;

    CChartCtrl* m_pParent;
    std::vector<Item> m_vItems;
    int m_nLineHeight = 0;
    int m_nSample = 0;
    int m_nPad = 0;
};
