#include "platform/gdi/Colour.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

COLORREF GetSysColor(int nIndex)
{
    const QPalette pal = QApplication::palette();
    switch (nIndex) {
    case COLOR_WINDOW: return FromQColor(pal.color(QPalette::Base));
    case COLOR_WINDOWFRAME: return FromQColor(pal.color(QPalette::WindowText));
    case COLOR_WINDOWTEXT: return FromQColor(pal.color(QPalette::Text));
    case COLOR_HIGHLIGHT: return FromQColor(pal.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT: return FromQColor(pal.color(QPalette::HighlightedText));
    case COLOR_3DFACE: return FromQColor(pal.color(QPalette::Button));
    case COLOR_3DSHADOW: return FromQColor(pal.color(QPalette::Dark));
    case COLOR_GRAYTEXT: return FromQColor(pal.color(QPalette::Disabled, QPalette::Text));
    case COLOR_BTNTEXT: return FromQColor(pal.color(QPalette::ButtonText));
    case COLOR_3DHIGHLIGHT: return FromQColor(pal.color(QPalette::Light));
    case COLOR_3DDKSHADOW: return FromQColor(pal.color(QPalette::Shadow));
    case COLOR_3DLIGHT: return FromQColor(pal.color(QPalette::Midlight));
    case COLOR_INFOTEXT: return FromQColor(pal.color(QPalette::ToolTipText));
    case COLOR_INFOBK: return FromQColor(pal.color(QPalette::ToolTipBase));
    default: return 0;
    }
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDRAG:
    case SM_CYDRAG: return QApplication::startDragDistance();
    default: return 0;
    }
}

UINT GetDoubleClickTime()
{
    return static_cast<UINT>(QApplication::doubleClickInterval());
}
