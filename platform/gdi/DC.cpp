#include "platform/gdi/DC.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QString ToQString(const std::wstring& s)
{
    return QString::fromWCharArray(s.data(), static_cast<qsizetype>(s.size()));
}

CPen& StockPen(int index)
{
    static CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    static CPen white(PS_SOLID, 0, RGB(255, 255, 255));
    static CPen null(PS_NULL, 0, 0);
    return index == WHITE_PEN ? white : index == NULL_PEN ? null : black;
}

CBrush& StockBrush(int index)
{
    static CBrush white(RGB(255, 255, 255));
    static CBrush black(RGB(0, 0, 0));
    static CBrush null = [] {
        CBrush b;
        b.CreateNullBrush();
        return b;
    }();
    return index == BLACK_BRUSH ? black : index == NULL_BRUSH ? null : white;
}

CFont& StockFont()
{
    static CFont font = [] {
        CFont f;
        LOGFONT lf;
        GetMessageFont(&lf);
        f.CreateFontIndirect(&lf);
        return f;
    }();
    return font;
}

// '&' marks a mnemonic unless DT_NOPREFIX: it is dropped, "&&" shows one '&'.
QString StripPrefix(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size() && s[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    return out;
}

// Greedy word wrap at blanks; a word wider than the width stands alone on its line.
QStringList WrapLine(const QString& line, const QFontMetrics& fm, int width)
{
    QStringList out;
    if (line.isEmpty()) {
        out << QString();
        return out;
    }
    QString current;
    const QStringList words = line.split(u' ');
    for (const QString& word : words) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            out << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    out << current;
    return out;
}

// Points mapped in place, rounded to whole units.
void MapPoints(const QTransform& t, LPPOINT lpPoints, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        const QPointF p = t.map(QPointF(lpPoints[i].x, lpPoints[i].y));
        lpPoints[i].x = static_cast<LONG>(std::lround(p.x()));
        lpPoints[i].y = static_cast<LONG>(std::lround(p.y()));
    }
}
} // namespace

CDC::CDC()
{
    Reset();
}

CDC::~CDC()
{
    DeleteDC();
}

void CDC::Reset()
{
    m_s = State{};
    m_s.pen = StockPen(BLACK_PEN).ToQPen();
    m_s.pPen = &StockPen(BLACK_PEN);
    m_s.brush = StockBrush(WHITE_BRUSH).ToQBrush();
    m_s.pBrush = &StockBrush(WHITE_BRUSH);
    m_s.lf = StockFont().GetLogFontRef();
    m_s.font = StockFont().ToQFont();
    m_s.pFont = &StockFont();
    m_saved.clear();
}

void CDC::EndPainter()
{
    if (m_ownPainter) {
        if (m_ownPainter->isActive())
            m_ownPainter->end();
        m_ownPainter.reset();
    }
    m_pPainter = nullptr;
    m_pDevice = nullptr;
}

void CDC::BeginOn(QPaintDevice* pDevice)
{
    EndPainter();
    m_pDevice = pDevice;
    m_ownPainter = std::make_unique<QPainter>();
    if (!m_ownPainter->begin(pDevice)) {
        m_ownPainter.reset();
        m_pDevice = nullptr;
        return;
    }
    m_pPainter = m_ownPainter.get();
    ApplyAll();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    DeleteDC();
    Reset();
    m_bPrinting = FALSE;
    (void)pDC;
    m_scratch = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    m_scratch->fill(Qt::black);
    BeginOn(m_scratch.get());
    m_bCreated = m_pPainter != nullptr;
    return m_bCreated;
}

BOOL CDC::CreateMeasuringDC()
{
    return CreateCompatibleDC(nullptr);
}

BOOL CDC::DeleteDC()
{
    const bool was = m_bCreated;
    CDC* const pSharedFrom = m_pSharedFrom;
    m_pSharedFrom = nullptr;
    EndPainter();
    // The borrowed painter carries this DC's pen, clip and origin: give it back as its
    // owner left it.
    if (pSharedFrom)
        pSharedFrom->ApplyAll();
    if (m_pBitmap)
        m_pBitmap->m_pSelectedIn = nullptr;
    m_pBitmap = nullptr;
    m_scratch.reset();
    m_baseClip = QRect();
    m_bCreated = false;
    return was;
}

BOOL CDC::AttachDevice(QPaintDevice* pDevice, bool bPrinting)
{
    DeleteDC();
    Reset();
    m_bPrinting = bPrinting;
    if (!pDevice)
        return FALSE;
    BeginOn(pDevice);
    m_bCreated = m_pPainter != nullptr;
    return m_bCreated;
}

BOOL CDC::AttachPainter(QPainter* pPainter, const QRect& baseClip, bool bPrinting)
{
    DeleteDC();
    Reset();
    m_bPrinting = bPrinting;
    if (!pPainter || !pPainter->isActive())
        return FALSE;
    m_pPainter = pPainter;
    m_pDevice = pPainter->device();
    m_baseClip = baseClip;
    ApplyAll();
    m_bCreated = true;
    return TRUE;
}

BOOL CDC::AttachSharing(CDC* pDC)
{
    DeleteDC();
    Reset();
    if (!pDC || !pDC->m_pPainter)
        return FALSE;
    m_s = pDC->m_s;
    m_pPainter = pDC->m_pPainter;
    m_pDevice = pDC->m_pDevice;
    m_baseClip = pDC->m_baseClip;
    m_bPrinting = pDC->m_bPrinting;
    m_pSharedFrom = pDC;
    m_bCreated = true;
    return TRUE;
}

const void* CDC::GetSafeHdc() const
{
    return m_bCreated && m_pPainter ? this : nullptr;
}

void CDC::ApplyAll()
{
    if (!m_pPainter)
        return;
    m_pPainter->setRenderHint(QPainter::Antialiasing, false);
    m_pPainter->setRenderHint(QPainter::TextAntialiasing, true);
    m_pPainter->setPen(m_s.pen);
    m_pPainter->setBrush(m_s.brush);
    m_pPainter->setFont(CurrentQFont());
    ApplyClip();
    ApplyTransform();
}

QTransform CDC::Transform() const
{
    double sx = 1.0, sy = 1.0;
    if (m_s.mapMode != MM_TEXT && m_s.winExt.cx != 0 && m_s.winExt.cy != 0) {
        sx = static_cast<double>(m_s.vpExt.cx) / m_s.winExt.cx;
        sy = static_cast<double>(m_s.vpExt.cy) / m_s.winExt.cy;
    }
    return QTransform(sx, 0, 0, sy, m_s.vpOrg.x - m_s.winOrg.x * sx, m_s.vpOrg.y - m_s.winOrg.y * sy);
}

void CDC::ApplyTransform()
{
    if (m_pPainter)
        m_pPainter->setWorldTransform(Transform());
}

void CDC::ApplyClip()
{
    if (!m_pPainter)
        return;
    m_pPainter->setWorldTransform(QTransform());
    if (m_s.clip)
        m_pPainter->setClipRegion(*m_s.clip);
    else
        m_pPainter->setClipping(false);
    m_pPainter->setWorldTransform(Transform());
}

QRect CDC::DeviceBounds() const
{
    if (m_pBitmap)
        return QRect(0, 0, m_pBitmap->Width(), m_pBitmap->Height());
    if (m_pDevice)
        return QRect(0, 0, m_pDevice->width(), m_pDevice->height());
    return QRect();
}

QRegion CDC::EffectiveClip() const
{
    QRegion r(m_baseClip.isEmpty() ? DeviceBounds() : m_baseClip);
    if (m_s.clip)
        r &= *m_s.clip;
    return r;
}

QFont CDC::CurrentQFont() const
{
    return m_s.font;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(SelectGdiObject(pPen));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(SelectGdiObject(pBrush));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(SelectGdiObject(pFont));
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    if (!pObject)
        return nullptr;
    if (auto* pen = dynamic_cast<CPen*>(pObject)) {
        CGdiObject* old = m_s.pPen;
        m_s.pen = pen->ToQPen();
        m_s.pPen = pen;
        if (m_pPainter)
            m_pPainter->setPen(m_s.pen);
        return old;
    }
    if (auto* brush = dynamic_cast<CBrush*>(pObject)) {
        CGdiObject* old = m_s.pBrush;
        m_s.brush = brush->ToQBrush();
        m_s.pBrush = brush;
        if (m_pPainter)
            m_pPainter->setBrush(m_s.brush);
        return old;
    }
    if (auto* font = dynamic_cast<CFont*>(pObject)) {
        CGdiObject* old = m_s.pFont;
        m_s.lf = font->GetLogFontRef();
        m_s.font = font->ToQFont();
        m_s.pFont = font;
        if (m_pPainter)
            m_pPainter->setFont(m_s.font);
        return old;
    }
    if (auto* bitmap = dynamic_cast<CBitmap*>(pObject))
        return SelectObject(bitmap);
    return nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (!m_bCreated || (pBitmap && pBitmap->GetImage().isNull()))
        return nullptr;
    CBitmap* old = m_pBitmap;
    // The painter moves to the new picture (or back to the scratch one for null); the DC's
    // attributes stay as they are.
    EndPainter();
    if (old)
        old->m_pSelectedIn = nullptr;
    m_pBitmap = pBitmap;
    QPaintDevice* device = nullptr;
    if (pBitmap) {
        if (pBitmap->m_pSelectedIn && pBitmap->m_pSelectedIn != this)
            pBitmap->m_pSelectedIn->SelectObject(static_cast<CBitmap*>(nullptr));
        pBitmap->m_pSelectedIn = this;
        device = &pBitmap->GetImage();
    } else {
        if (!m_scratch) {
            m_scratch = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
            m_scratch->fill(Qt::black);
        }
        device = m_scratch.get();
    }
    m_pDevice = device;
    m_ownPainter = std::make_unique<QPainter>();
    if (m_ownPainter->begin(device)) {
        m_pPainter = m_ownPainter.get();
        ApplyAll();
    } else {
        m_ownPainter.reset();
        m_pDevice = nullptr;
    }
    return old;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    switch (nIndex) {
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN: return SelectGdiObject(&StockPen(nIndex));
    case WHITE_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH: return SelectGdiObject(&StockBrush(nIndex));
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return SelectGdiObject(&StockFont());
    default: return nullptr;
    }
}

void CDC::GetCurrentLogFont(LOGFONT* pLogFont) const
{
    if (pLogFont)
        *pLogFont = m_s.lf;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    const COLORREF old = m_s.textColor;
    m_s.textColor = crColor;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    const COLORREF old = m_s.bkColor;
    m_s.bkColor = crColor;
    return old;
}

int CDC::SetBkMode(int nBkMode)
{
    const int old = m_s.bkMode;
    m_s.bkMode = nBkMode;
    return old;
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    const UINT old = m_s.textAlign;
    m_s.textAlign = nFlags;
    return old;
}

int CDC::SaveDC()
{
    m_saved.push_back(m_s);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    if (m_saved.empty())
        return FALSE;
    std::size_t level = nSavedDC < 0 ? m_saved.size() : static_cast<std::size_t>(nSavedDC);
    if (level == 0 || level > m_saved.size())
        return FALSE;
    m_s = m_saved[level - 1];
    m_saved.resize(level - 1);
    ApplyAll();
    return TRUE;
}

int CDC::SetMapMode(int nMapMode)
{
    const int old = m_s.mapMode;
    m_s.mapMode = nMapMode;
    const int dpiX = GetDeviceCaps(LOGPIXELSX);
    const int dpiY = GetDeviceCaps(LOGPIXELSY);
    switch (nMapMode) {
    case MM_LOMETRIC: // 0.1 mm, y upwards
        m_s.winExt = CSize(254, 254);
        m_s.vpExt = CSize(dpiX, -dpiY);
        break;
    case MM_HIMETRIC: // 0.01 mm, y upwards
        m_s.winExt = CSize(2540, 2540);
        m_s.vpExt = CSize(dpiX, -dpiY);
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC: break;
    default:
        m_s.mapMode = MM_TEXT;
        m_s.winExt = CSize(1, 1);
        m_s.vpExt = CSize(1, 1);
        break;
    }
    ApplyTransform();
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint old = m_s.winOrg;
    m_s.winOrg = CPoint(x, y);
    ApplyTransform();
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    const CPoint old = m_s.vpOrg;
    m_s.vpOrg = CPoint(x, y);
    ApplyTransform();
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const CSize old = m_s.winExt;
    if (m_s.mapMode == MM_ISOTROPIC || m_s.mapMode == MM_ANISOTROPIC) {
        if (cx == 0 || cy == 0)
            return old;
        m_s.winExt = CSize(cx, cy);
        ApplyTransform();
    }
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    const CSize old = m_s.vpExt;
    if (m_s.mapMode == MM_ISOTROPIC || m_s.mapMode == MM_ANISOTROPIC) {
        if (cx == 0 || cy == 0)
            return old;
        if (m_s.mapMode == MM_ISOTROPIC && m_s.winExt.cx != 0 && m_s.winExt.cy != 0) {
            // Same scale on both axes: the smaller one wins, signs kept.
            const double sx = std::abs(static_cast<double>(cx) / m_s.winExt.cx);
            const double sy = std::abs(static_cast<double>(cy) / m_s.winExt.cy);
            const double s = std::min(sx, sy);
            cx = static_cast<int>(std::lround((cx < 0 ? -1 : 1) * s * std::abs(m_s.winExt.cx)));
            cy = static_cast<int>(std::lround((cy < 0 ? -1 : 1) * s * std::abs(m_s.winExt.cy)));
        }
        m_s.vpExt = CSize(cx, cy);
        ApplyTransform();
    }
    return old;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    MapPoints(Transform(), lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(SIZE* lpSize) const
{
    const QTransform t = Transform();
    lpSize->cx = static_cast<LONG>(std::lround(std::abs(lpSize->cx * t.m11())));
    lpSize->cy = static_cast<LONG>(std::lround(std::abs(lpSize->cy * t.m22())));
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    MapPoints(Transform().inverted(), lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(SIZE* lpSize) const
{
    const QTransform t = Transform();
    lpSize->cx = t.m11() != 0 ? static_cast<LONG>(std::lround(std::abs(lpSize->cx / t.m11()))) : 0;
    lpSize->cy = t.m22() != 0 ? static_cast<LONG>(std::lround(std::abs(lpSize->cy / t.m22()))) : 0;
}

int CDC::ScaleDeviceHeightToLogical(int nDevice) const
{
    SIZE s{0, nDevice};
    DPtoLP(&s);
    return s.cy;
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    const QRegion clip = EffectiveClip();
    if (clip.isEmpty()) {
        *lpRect = CRect();
        return NULLREGION;
    }
    // Device box back to logical units.
    const QRect box = clip.boundingRect();
    const QRectF logical = Transform().inverted().mapRect(QRectF(box.left(), box.top(), box.width(), box.height()));
    CRect r(static_cast<int>(std::floor(logical.left() + 1e-9)), static_cast<int>(std::floor(logical.top() + 1e-9)),
            static_cast<int>(std::ceil(logical.right() - 1e-9)), static_cast<int>(std::ceil(logical.bottom() - 1e-9)));
    *lpRect = r;
    return clip.rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    const QRect dev = Transform().mapRect(QRectF(r.left, r.top, r.Width(), r.Height())).toAlignedRect();
    QRegion current = m_s.clip ? *m_s.clip : QRegion(m_baseClip.isEmpty() ? DeviceBounds() : m_baseClip);
    m_s.clip = current & QRegion(dev);
    ApplyClip();
    return m_s.clip->isEmpty() ? NULLREGION : (m_s.clip->rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    const QRect dev = Transform().mapRect(QRectF(r.left, r.top, r.Width(), r.Height())).toAlignedRect();
    QRegion current = m_s.clip ? *m_s.clip : QRegion(m_baseClip.isEmpty() ? DeviceBounds() : m_baseClip);
    m_s.clip = current - QRegion(dev);
    ApplyClip();
    return m_s.clip->isEmpty() ? NULLREGION : (m_s.clip->rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION);
}

int CDC::SelectClipRgn(std::nullptr_t)
{
    m_s.clip.reset();
    ApplyClip();
    return SIMPLEREGION;
}

BOOL CDC::PtVisible(int x, int y) const
{
    const QPointF p = Transform().map(QPointF(x, y));
    return EffectiveClip().contains(QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    const CRect r(lpRect);
    const QRect dev = Transform().mapRect(QRectF(r.left, r.top, r.Width(), r.Height())).toAlignedRect();
    return EffectiveClip().intersects(dev);
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_s.cur;
    m_s.cur = CPoint(x, y);
    return old;
}

bool CDC::IsPixelPen() const
{
    return m_s.pen.isCosmetic() && m_s.pen.style() == Qt::SolidLine && m_s.mapMode == MM_TEXT;
}

void CDC::PixelLine(int x0, int y0, int x1, int y1)
{
    // Bresenham from the start up to, not including, the end pixel. Pixel j (0 .. major - 1)
    // lies j steps along the main axis and q(j) = round(j * minor / major) steps along the
    // other, halves rounded towards the start:
    //   q(j) = floor((2 j minor + major - 1) / (2 major)).
    // Only the steps whose main coordinate falls inside the clip box are visited, so a line
    // to a far point costs what its visible part costs. Differences of two ints need 64 bits
    // and the products above 128.
    __extension__ typedef __int128 Wide;
    const long long dx = std::llabs(static_cast<long long>(x1) - x0);
    const long long dy = std::llabs(static_cast<long long>(y1) - y0);
    if (dx == 0 && dy == 0)
        return;
    const bool alongX = dx >= dy;
    const long long major = alongX ? dx : dy;
    const long long minor = alongX ? dy : dx;
    const long long m0 = alongX ? x0 : y0, c0 = alongX ? y0 : x0;
    const long long ms = (alongX ? x1 > x0 : y1 > y0) ? 1 : -1;
    const long long cs = (alongX ? y1 > y0 : x1 > x0) ? 1 : -1;

    // The visible box in logical units (a pixel pen draws only in MM_TEXT: a translation).
    QRect box = EffectiveClip().boundingRect();
    if (box.isEmpty())
        return;
    const QTransform t = Transform();
    box.translate(-static_cast<int>(std::lround(t.dx())), -static_cast<int>(std::lround(t.dy())));
    const long long mLo = alongX ? box.left() : box.top(), mHi = alongX ? box.right() : box.bottom();
    const long long cLo = alongX ? box.top() : box.left(), cHi = alongX ? box.bottom() : box.right();

    // Steps whose main coordinate m0 + ms j lies in [mLo, mHi].
    long long jFirst = ms > 0 ? mLo - m0 : m0 - mHi;
    long long jLast = ms > 0 ? mHi - m0 : m0 - mLo;
    jFirst = std::max(jFirst, 0LL);
    jLast = std::min(jLast, major - 1);

    const QColor colour = m_s.pen.color();
    long long runStart = 0, runLen = 0, runC = 0;
    auto flush = [&] {
        if (runLen == 0)
            return;
        const long long first = ms > 0 ? runStart : runStart - runLen + 1;
        if (alongX)
            m_pPainter->fillRect(QRect(static_cast<int>(first), static_cast<int>(runC), static_cast<int>(runLen), 1),
                                 colour);
        else
            m_pPainter->fillRect(QRect(static_cast<int>(runC), static_cast<int>(first), 1, static_cast<int>(runLen)),
                                 colour);
        runLen = 0;
    };
    for (long long j = jFirst; j <= jLast; ++j) {
        const long long q =
            static_cast<long long>((2 * static_cast<Wide>(j) * minor + major - 1) / (2 * static_cast<Wide>(major)));
        const long long c = c0 + cs * q;
        const long long m = m0 + ms * j;
        if (c < cLo || c > cHi) {
            flush();
            continue;
        }
        if (runLen > 0 && c != runC)
            flush();
        if (runLen == 0) {
            runStart = m;
            runC = c;
        }
        ++runLen;
    }
    flush();
}

BOOL CDC::LineTo(int x, int y)
{
    const CPoint from = m_s.cur;
    m_s.cur = CPoint(x, y);
    if (!m_pPainter || m_s.pen.style() == Qt::NoPen || (from.x == x && from.y == y))
        return TRUE;
    if (IsPixelPen())
        PixelLine(from.x, from.y, x, y);
    else
        m_pPainter->drawLine(QPoint(from.x, from.y), QPoint(x, y));
    return TRUE;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return FALSE;
    if (!m_pPainter || m_s.pen.style() == Qt::NoPen)
        return TRUE;
    if (IsPixelPen()) {
        for (int i = 1; i < nCount; ++i)
            PixelLine(lpPoints[i - 1].x, lpPoints[i - 1].y, lpPoints[i].x, lpPoints[i].y);
        return TRUE;
    }
    QPolygon poly(nCount);
    for (int i = 0; i < nCount; ++i)
        poly.setPoint(i, lpPoints[i].x, lpPoints[i].y);
    m_pPainter->drawPolyline(poly);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return FALSE;
    if (m_pPainter) {
        QPolygon poly(nCount);
        for (int i = 0; i < nCount; ++i)
            poly.setPoint(i, lpPoints[i].x, lpPoints[i].y);
        m_pPainter->drawPolygon(poly, Qt::OddEvenFill);
    }
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    if (m_pPainter && r.Width() > 1 && r.Height() > 1)
        m_pPainter->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    if (m_pPainter && r.Width() > 1 && r.Height() > 1)
        m_pPainter->drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    return TRUE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    const CRect r(lpRect);
    if (m_pPainter && pBrush && !r.IsRectEmpty())
        m_pPainter->fillRect(r.ToQRect(), pBrush->ToQBrush());
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    SetBkColor(clr);
    const CRect r(lpRect);
    if (m_pPainter && !r.IsRectEmpty())
        m_pPainter->fillRect(r.ToQRect(), ToQColor(clr));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect r(x, y, x + cx, y + cy);
    r.NormalizeRect();
    FillSolidRect(&r, clr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    const CRect r(lpRect);
    if (!m_pPainter || !pBrush || r.IsRectEmpty())
        return;
    const QBrush b = pBrush->ToQBrush();
    m_pPainter->fillRect(QRect(r.left, r.top, r.Width(), 1), b);
    m_pPainter->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), b);
    m_pPainter->fillRect(QRect(r.left, r.top, 1, r.Height()), b);
    m_pPainter->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), b);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const CRect r(lpRect);
    Draw3dRect(r.left, r.top, r.Width(), r.Height(), clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    CRect r(lpRect);
    // Outer ring first, then the inner one, each one pixel wide: top and left in the first
    // colour, bottom and right in the second.
    struct Ring {
        UINT raised, sunken;
        int tlRaised, brRaised, tlSunken, brSunken;
    };
    const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Ring& ring : rings) {
        int tl = -1, br = -1;
        if (nEdge & ring.raised) {
            tl = ring.tlRaised;
            br = ring.brRaised;
        } else if (nEdge & ring.sunken) {
            tl = ring.tlSunken;
            br = ring.brSunken;
        }
        if (tl < 0 || r.IsRectEmpty())
            continue;
        if (m_pPainter) {
            const QColor ctl = ToQColor(GetSysColor(tl));
            const QColor cbr = ToQColor(GetSysColor(br));
            if (nFlags & BF_TOP)
                m_pPainter->fillRect(QRect(r.left, r.top, r.Width() - 1, 1), ctl);
            if (nFlags & BF_LEFT)
                m_pPainter->fillRect(QRect(r.left, r.top, 1, r.Height() - 1), ctl);
            if (nFlags & BF_BOTTOM)
                m_pPainter->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), cbr);
            if (nFlags & BF_RIGHT)
                m_pPainter->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), cbr);
        }
        r.DeflateRect((nFlags & BF_LEFT) ? 1 : 0, (nFlags & BF_TOP) ? 1 : 0, (nFlags & BF_RIGHT) ? 1 : 0,
                      (nFlags & BF_BOTTOM) ? 1 : 0);
    }
    if ((nFlags & BF_MIDDLE) && m_pPainter && !r.IsRectEmpty())
        m_pPainter->fillRect(r.ToQRect(), ToQColor(GetSysColor(COLOR_3DFACE)));
    if (nFlags & BF_ADJUST)
        *lpRect = r;
    return TRUE;
}

BOOL CDC::GradientFill(LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, ULONG ulMode)
{
    const CRect r(lpRect);
    if (r.IsRectEmpty())
        return FALSE;
    if (!m_pPainter)
        return TRUE;
    const bool horizontal = ulMode == GRADIENT_FILL_RECT_H;
    const int n = horizontal ? r.Width() : r.Height();
    for (int i = 0; i < n; ++i) {
        const double t = n > 1 ? static_cast<double>(i) / (n - 1) : 0.0;
        auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
        const QColor c(mix(GetRValue(crFrom), GetRValue(crTo)), mix(GetGValue(crFrom), GetGValue(crTo)),
                       mix(GetBValue(crFrom), GetBValue(crTo)));
        if (horizontal)
            m_pPainter->fillRect(QRect(r.left + i, r.top, 1, r.Height()), c);
        else
            m_pPainter->fillRect(QRect(r.left, r.top + i, r.Width(), 1), c);
    }
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    if (m_pPainter)
        m_pPainter->fillRect(QRect(x, y, 1, 1), ToQColor(crColor));
    return crColor;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_pBitmap)
        return CLR_NONE;
    const QPointF p = Transform().map(QPointF(x, y));
    const int px = static_cast<int>(std::floor(p.x())), py = static_cast<int>(std::floor(p.y()));
    const QImage& img = m_pBitmap->GetImage();
    if (!img.valid(px, py))
        return CLR_NONE;
    return FromQRgb(img.pixel(px, py));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (dwRop != SRCCOPY || !pSrcDC || !pSrcDC->m_pBitmap || !m_pPainter)
        return FALSE;
    // Both rectangles to device units; the copy itself is pixel for pixel.
    CRect dst(x, y, x + nWidth, y + nHeight);
    LPtoDP(&dst);
    dst.NormalizeRect();
    CRect src(xSrc, ySrc, xSrc + nWidth, ySrc + nHeight);
    pSrcDC->LPtoDP(&src);
    src.NormalizeRect();
    m_pPainter->save();
    m_pPainter->setWorldTransform(QTransform());
    m_pPainter->drawImage(dst.ToQRect(), pSrcDC->m_pBitmap->GetImage(), src.ToQRect());
    m_pPainter->restore();
    return TRUE;
}

void CDC::DrawTextLine(int x, int y, const QString& text, UINT align, int escapement)
{
    if (!m_pPainter)
        return;
    const QFontMetrics fm(m_s.font, m_pDevice);
    const int w = fm.horizontalAdvance(text);
    int dx = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -w / 2;
    else if (align & TA_RIGHT)
        dx = -w;
    int baseline = fm.ascent();
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -fm.descent();
    m_pPainter->save();
    m_pPainter->translate(x, y);
    if (escapement != 0)
        m_pPainter->rotate(-escapement / 10.0);
    if (m_s.bkMode == OPAQUE)
        m_pPainter->fillRect(QRect(dx, baseline - fm.ascent(), w, fm.height()), ToQColor(m_s.bkColor));
    m_pPainter->setPen(ToQColor(m_s.textColor));
    m_pPainter->setFont(m_s.font);
    m_pPainter->drawText(QPoint(dx, baseline), text);
    m_pPainter->restore();
}

BOOL CDC::TextOut(int x, int y, const std::wstring& str)
{
    DrawTextLine(x, y, ToQString(str), m_s.textAlign, m_s.lf.lfEscapement);
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const std::wstring& str)
{
    if (!m_pPainter)
        return TRUE;
    const bool clipped = lpRect && (nOptions & ETO_CLIPPED);
    if (lpRect && (nOptions & ETO_OPAQUE)) {
        const CRect r(lpRect);
        if (!r.IsRectEmpty())
            m_pPainter->fillRect(r.ToQRect(), ToQColor(m_s.bkColor));
    }
    if (clipped) {
        m_pPainter->save();
        m_pPainter->setClipRect(CRect(lpRect).ToQRect(), Qt::IntersectClip);
    }
    DrawTextLine(x, y, ToQString(str), m_s.textAlign, m_s.lf.lfEscapement);
    if (clipped)
        m_pPainter->restore();
    return TRUE;
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!lpszString)
        return 0;
    const std::wstring s =
        nCount < 0 ? std::wstring(lpszString) : std::wstring(lpszString, static_cast<std::size_t>(nCount));
    return DrawText(s, lpRect, nFormat);
}

int CDC::DrawText(const std::wstring& str, LPRECT lpRect, UINT nFormat)
{
    if (!lpRect || !m_pDevice)
        return 0;
    const QFontMetrics fm(m_s.font, m_pDevice);
    QString text = ToQString(str);
    if (!(nFormat & DT_NOPREFIX))
        text = StripPrefix(text);
    if (nFormat & DT_EXPANDTABS)
        text.replace(u'\t', QString(8, u' '));
    text.remove(u'\r');

    CRect r(lpRect);
    QStringList lines;
    if (nFormat & DT_SINGLELINE) {
        lines << QString(text).replace(u'\n', u' ');
    } else {
        for (const QString& para : text.split(u'\n')) {
            if (nFormat & DT_WORDBREAK)
                lines << WrapLine(para, fm, r.Width());
            else
                lines << para;
        }
    }
    const int lineHeight = fm.height();
    const int total = lineHeight * static_cast<int>(lines.size());

    if (nFormat & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        lpRect->right = lpRect->left + widest;
        lpRect->bottom = lpRect->top + total;
        return total;
    }
    if (!m_pPainter)
        return total;

    int y = r.top;
    if (nFormat & DT_SINGLELINE) {
        if (nFormat & DT_VCENTER)
            y = r.top + (r.Height() - lineHeight) / 2;
        else if (nFormat & DT_BOTTOM)
            y = r.bottom - lineHeight;
    }
    m_pPainter->save();
    if (!(nFormat & DT_NOCLIP))
        m_pPainter->setClipRect(r.ToQRect(), Qt::IntersectClip);
    for (QString line : lines) {
        if ((nFormat & DT_END_ELLIPSIS) && fm.horizontalAdvance(line) > r.Width())
            line = fm.elidedText(line, Qt::ElideRight, r.Width());
        const int w = fm.horizontalAdvance(line);
        int x = r.left;
        if (nFormat & DT_CENTER)
            x = r.left + (r.Width() - w) / 2;
        else if (nFormat & DT_RIGHT)
            x = r.right - w;
        DrawTextLine(x, y, line, TA_LEFT | TA_TOP, 0);
        y += lineHeight;
    }
    m_pPainter->restore();
    return total;
}

CSize CDC::GetTextExtent(const std::wstring& str) const
{
    if (!m_pDevice)
        return CSize();
    const QFontMetrics fm(m_s.font, m_pDevice);
    return CSize(fm.horizontalAdvance(ToQString(str)), fm.height());
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    if (!lpszString)
        return CSize();
    return GetTextExtent(nCount < 0 ? std::wstring(lpszString)
                                    : std::wstring(lpszString, static_cast<std::size_t>(nCount)));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* lpMetrics) const
{
    if (!lpMetrics || !m_pDevice)
        return FALSE;
    const QFontMetrics fm(m_s.font, m_pDevice);
    *lpMetrics = TEXTMETRIC{};
    lpMetrics->tmHeight = fm.height();
    lpMetrics->tmAscent = fm.ascent();
    lpMetrics->tmDescent = fm.descent();
    lpMetrics->tmInternalLeading =
        std::max(0, fm.height() - (m_s.font.pixelSize() > 0 ? m_s.font.pixelSize() : fm.height()));
    lpMetrics->tmExternalLeading = fm.leading();
    lpMetrics->tmAveCharWidth = fm.averageCharWidth();
    lpMetrics->tmMaxCharWidth = fm.maxWidth();
    lpMetrics->tmWeight = m_s.font.weight();
    lpMetrics->tmOverhang = 0;
    return TRUE;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    const QPaintDevice* dev = m_pDevice;
    switch (nIndex) {
    case LOGPIXELSX: return dev ? dev->logicalDpiX() : 96;
    case LOGPIXELSY: return dev ? dev->logicalDpiY() : 96;
    case HORZRES: return dev ? dev->width() : 0;
    case VERTRES: return dev ? dev->height() : 0;
    case HORZSIZE: return dev ? dev->widthMM() : 0;
    case VERTSIZE: return dev ? dev->heightMM() : 0;
    case BITSPIXEL: return dev ? dev->depth() : 32;
    case NUMCOLORS: return dev && dev->depth() == 1 ? 2 : -1;
    default: return 0;
    }
}
