#pragma once
#include <string>

#include "ChartFont.h"
#include "platform/gdi/Rect.h"

class CDC;
class CChartCtrl;

// The title of an axis; on a vertical axis it reads upwards.
class CChartAxisLabel {
    friend class CChartAxis;

public:
    CChartAxisLabel();
    virtual ~CChartAxisLabel() = default;

    // Text extent plus 4 each way, width and height swapped for vertical text; (0, 0) when
    // there is nothing to show.
    CSize GetSize(CDC* pDC);
    void Draw(CDC* pDC);

    CChartCtrl* m_pParentCtrl = nullptr;
    bool m_bIsVisible = true;
    CRect m_LabelRect;
    COLORREF m_TextColor = 0;
    bool m_bIsHorizontal = true;
    CChartFont m_Font;
    std::wstring m_strLabelText;

protected:
    void SetHorizontal(bool bHorizontal);
};
