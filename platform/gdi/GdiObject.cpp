#include "platform/gdi/GdiObject.h"
#include "platform/gdi/DC.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cwchar>

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    m_nStyle = nPenStyle;
    m_nWidth = nWidth < 0 ? 0 : nWidth;
    m_crColor = crColor;
    m_bCreated = true;
    return TRUE;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush)
{
    return CreatePen(nPenStyle, nWidth, pLogBrush ? pLogBrush->lbColor : 0);
}

QPen CPen::ToQPen() const
{
    const int style = m_nStyle & PS_STYLE_MASK;
    if (style == PS_NULL)
        return QPen(Qt::NoPen);
    QPen pen(ToQColor(m_crColor));
    switch (style) {
    case PS_DASH: pen.setStyle(Qt::DashLine); break;
    case PS_DOT: pen.setStyle(Qt::DotLine); break;
    case PS_DASHDOT: pen.setStyle(Qt::DashDotLine); break;
    case PS_DASHDOTDOT: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    if (m_nWidth <= 1) {
        // One-pixel lines: a flat cap leaves out the end pixel exactly as the platform does.
        pen.setWidth(0);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }
    pen.setWidth(m_nWidth);
    switch (m_nStyle & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE: pen.setCapStyle(Qt::SquareCap); break;
    case PS_ENDCAP_FLAT: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (m_nStyle & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL: pen.setJoinStyle(Qt::BevelJoin); break;
    case PS_JOIN_MITER: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    m_crColor = crColor;
    m_nHatch = -1;
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    m_crColor = crColor;
    m_nHatch = nIndex;
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::CreateNullBrush()
{
    m_nHatch = -2;
    m_bCreated = true;
    return TRUE;
}

QBrush CBrush::ToQBrush() const
{
    if (m_nHatch == -2)
        return QBrush(Qt::NoBrush);
    const QColor c = ToQColor(m_crColor);
    switch (m_nHatch) {
    case HS_HORIZONTAL: return QBrush(c, Qt::HorPattern);
    case HS_VERTICAL: return QBrush(c, Qt::VerPattern);
    case HS_FDIAGONAL: return QBrush(c, Qt::FDiagPattern);
    case HS_BDIAGONAL: return QBrush(c, Qt::BDiagPattern);
    case HS_CROSS: return QBrush(c, Qt::CrossPattern);
    case HS_DIAGCROSS: return QBrush(c, Qt::DiagCrossPattern);
    default: return QBrush(c);
    }
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (!lpLogFont)
        return FALSE;
    m_lf = *lpLogFont;
    m_lf.lfFaceName[LF_FACESIZE - 1] = 0;
    m_bCreated = true;
    return TRUE;
}

namespace {
int ScreenDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}
} // namespace

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    LOGFONT lf = *lpLogFont;
    const int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : ScreenDpiY();
    // Tenths of a point to logical units, rounded as the platform's MulDiv does.
    const long long num = static_cast<long long>(dpi) * lf.lfHeight;
    int px = static_cast<int>((std::llabs(num) + 360) / 720);
    if (pDC)
        px = std::abs(pDC->ScaleDeviceHeightToLogical(px));
    lf.lfHeight = -px;
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf{};
    lf.lfHeight = nPointSize;
    lf.lfWeight = FW_NORMAL;
    if (lpszFaceName)
        std::wcsncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    if (!m_bCreated || !pLogFont)
        return 0;
    *pLogFont = m_lf;
    return static_cast<int>(sizeof(LOGFONT));
}

QFont CFont::QFontFromLogFont(const LOGFONT& lf)
{
    QFont font = QGuiApplication::font();
    if (lf.lfFaceName[0])
        font.setFamily(QString::fromWCharArray(lf.lfFaceName, static_cast<int>(std::wcslen(lf.lfFaceName))));
    if (lf.lfHeight < 0) {
        font.setPixelSize(-lf.lfHeight);
    } else if (lf.lfHeight > 0) {
        // A positive height is the whole cell (ascent + descent).
        QFont probe = font;
        probe.setPixelSize(100);
        const double cell = QFontMetricsF(probe).height();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(lf.lfHeight * 100.0 / (cell > 0 ? cell : 100.0)))));
    } else {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * ScreenDpiY() / 72.0))));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

void GetMessageFont(LOGFONT* pLogFont)
{
    if (!pLogFont)
        return;
    *pLogFont = LOGFONT{};
    const QFont font = QGuiApplication::font();
    int px = font.pixelSize();
    if (px <= 0)
        px = static_cast<int>(std::lround(font.pointSizeF() * ScreenDpiY() / 72.0));
    pLogFont->lfHeight = -px;
    pLogFont->lfWeight = font.bold() ? FW_BOLD : FW_NORMAL;
    pLogFont->lfItalic = font.italic() ? 1 : 0;
    const std::wstring face = font.family().toStdWString();
    std::wcsncpy(pLogFont->lfFaceName, face.c_str(), LF_FACESIZE - 1);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    (void)pDC;
    m_image = QImage(std::max(1, nWidth), std::max(1, nHeight), QImage::Format_RGB32);
    m_image.fill(Qt::black);
    m_bCreated = true;
    return TRUE;
}

CBitmap::~CBitmap()
{
    if (m_pSelectedIn)
        m_pSelectedIn->SelectObject(static_cast<CBitmap*>(nullptr));
}

BOOL CBitmap::DeleteObject()
{
    if (m_pSelectedIn)
        m_pSelectedIn->SelectObject(static_cast<CBitmap*>(nullptr));
    m_image = QImage();
    return CGdiObject::DeleteObject();
}
