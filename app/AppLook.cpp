#include "app/AppLook.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

namespace {

// The look's palette: window and button colour, highlight, and whether text is light.
struct Tint {
    QColor window;
    QColor button;
    QColor highlight;
    bool bDark = false;
};

QPalette Tinted(const QPalette& base, const Tint& t)
{
    QPalette p = base;
    p.setColor(QPalette::Window, t.window);
    p.setColor(QPalette::Button, t.button);
    p.setColor(QPalette::Highlight, t.highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    if (t.bDark) {
        p.setColor(QPalette::WindowText, Qt::white);
        p.setColor(QPalette::ButtonText, Qt::white);
        p.setColor(QPalette::Text, Qt::white);
        p.setColor(QPalette::Base, QColor(0x25, 0x25, 0x25));
        p.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
        p.setColor(QPalette::ToolTipBase, QColor(0x35, 0x35, 0x35));
        p.setColor(QPalette::ToolTipText, Qt::white);
        p.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    }
    return p;
}

// The style the desktop gave the program, kept before the first look replaces it.
const QString& DesktopStyle()
{
    static const QString s = QApplication::style() ? QApplication::style()->name() : QStringLiteral("Fusion");
    return s;
}

}

const std::vector<CAppLook>& GetAppLooks()
{
    // Each look is the nearest Qt style and palette to the one its menu text names.
    static const std::vector<CAppLook> looks = {
        {205, L"Windows &2000"},       {206, L"Office &XP"},          {207, L"&Windows XP"}, {208, L"Office 200&3"},
        {209, L"Visual Studio 200&5"}, {210, L"Visual Studio 200&8"}, {215, L"&Blue Style"}, {216, L"B&lack Style"},
        {217, L"&Silver Style"},       {218, L"&Aqua Style"},         {219, L"Win&dows 7"},
    };
    return looks;
}

void ApplyAppLook(int nLook)
{
    const auto& looks = GetAppLooks();
    if (std::none_of(looks.begin(), looks.end(), [&](const CAppLook& l) { return l.nID == nLook; }))
        nLook = kDefaultAppLook;

    const QString desktop = DesktopStyle();
    QString styleName = QStringLiteral("Fusion");
    if (nLook == 205)
        styleName = QStringLiteral("Windows");
    else if (nLook == 219)
        styleName = desktop;

    QStyle* style = QStyleFactory::create(styleName);
    if (!style)
        style = QStyleFactory::create(QStringLiteral("Fusion"));
    const QPalette base = style->standardPalette();
    QApplication::setStyle(style); // the application takes the style

    QPalette palette = base;
    switch (nLook) {
    case 206:
        palette = Tinted(base, {QColor(0xF0, 0xEE, 0xE8), QColor(0xF7, 0xF6, 0xF3), QColor(0x31, 0x6A, 0xC5)});
        break;
    case 208:
        palette = Tinted(base, {QColor(0xE3, 0xEF, 0xFF), QColor(0xEC, 0xF3, 0xFF), QColor(0x31, 0x6A, 0xC5)});
        break;
    case 209:
        palette = Tinted(base, {QColor(0xEC, 0xE9, 0xD8), QColor(0xF5, 0xF4, 0xEA), QColor(0x31, 0x6A, 0xC5)});
        break;
    case 210:
        palette = Tinted(base, {QColor(0xEE, 0xEE, 0xF2), QColor(0xF5, 0xF5, 0xF8), QColor(0x33, 0x99, 0xFF)});
        break;
    case 215:
        palette = Tinted(base, {QColor(0xD5, 0xE4, 0xF2), QColor(0xE3, 0xEE, 0xF9), QColor(0x3D, 0x7E, 0xBF)});
        break;
    case 216:
        palette = Tinted(base, {QColor(0x35, 0x35, 0x35), QColor(0x45, 0x45, 0x45), QColor(0x2A, 0x82, 0xDA), true});
        break;
    case 217:
        palette = Tinted(base, {QColor(0xE4, 0xE7, 0xEC), QColor(0xEE, 0xF0, 0xF3), QColor(0x6E, 0x80, 0x99)});
        break;
    case 218:
        palette = Tinted(base, {QColor(0xD8, 0xEC, 0xEF), QColor(0xE6, 0xF4, 0xF6), QColor(0x2A, 0x9D, 0xA8)});
        break;
    default: break;
    }
    QApplication::setPalette(palette);
}
