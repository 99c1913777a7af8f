#pragma once
// COLORREF <-> Qt colour, and the system colours and metrics read from the Qt palette and style.
#include "platform/win/WinDef.h"

#include <QColor>

inline QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}
// QImage::pixel() value -> COLORREF (alpha dropped).
inline COLORREF FromQRgb(unsigned int rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

// The colour of a system colour index, from the application palette
// (window: Base, window text: Text, 3-D face: Button, shadow: Dark, dark shadow: Shadow,
// highlight: Light, 3-D light: Midlight, selection: Highlight/HighlightedText, info: ToolTip*).
COLORREF GetSysColor(int nIndex);

constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;

// Scroll-bar sizes are the Qt style's scroll-bar extent, so that they match the bars the
// window base shows; borders are 1 and edges 2 as on the original platform.
int GetSystemMetrics(int nIndex);

// Milliseconds within which two presses count as a double click.
UINT GetDoubleClickTime();
