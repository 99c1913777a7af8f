#pragma once
#include <string>
#include <vector>

#include "ChartFont.h"
#include "platform/gdi/Rect.h"

class CDC;

// The chart's title: lines of text centred over the chart. Without lines it is 0 pixels
// high and draws nothing.
class CChartTitle {
public:
    CChartTitle() = default;
    virtual ~CChartTitle() = default;

    void AddString(const std::wstring& line) { m_vStrings.push_back(line); }
    void RemoveAll() { m_vStrings.clear(); }
    std::size_t GetStringCount() const { return m_vStrings.size(); }
    const std::wstring& GetString(std::size_t i) const { return m_vStrings.at(i); }

    int GetHeight(CDC* pDC);
    void SetRect(const CRect& rect) { m_ObjectRect = rect; }
    void Draw(CDC* pDC);

    bool m_bIsVisible = true;
    CRect m_ObjectRect;
    CChartFont m_Font{L"Microsoft Sans Serif", 90};
    COLORREF m_Color = 0;

private:
    std::vector<std::wstring> m_vStrings;
};
