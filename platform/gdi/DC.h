#pragma once
// Device context over QPainter, keeping the drawing rules the controls were written for:
// - fills (FillRect, FillSolidRect, region fills) cover left..right-1 and top..bottom-1;
// - LineTo and Polyline draw 1-pixel pens without their end pixel;
// - Rectangle/Ellipse are bounded by left..right-1, top..bottom-1 (a null-pen Rectangle one
//   pixel less, as on the original platform);
// - text is placed by its cell top (TA_TOP) unless the text alignment says otherwise.
// No anti-aliasing. Coordinates are logical: device = (logical - window origin) *
// viewport extent / window extent + viewport origin (MM_TEXT: extents 1:1).
//
// Kinds of DC:
// - memory DC: CreateCompatibleDC(any DC) then SelectObject(&bitmap); draws into the bitmap;
//   without a bitmap it measures only.
// - paint DC (CPaintDC, platform/wnd/PaintDC.h): draws on a window inside its paint event.
// - measuring DC (CClientDC/CWindowDC, or a memory DC without bitmap): text metrics are
//   right, drawing goes nowhere. Painting happens only in paint events: a control that wants
//   to show something at once invalidates the area instead.
// - any QPaintDevice or QPainter (printing): AttachDevice / AttachPainter.
#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Rect.h"

#include <QRegion>
#include <QTransform>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPaintDevice;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment for TextOut/ExtTextOut.
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// DrawText formats.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Clip region kinds.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Raster operation of BitBlt (only a plain copy is used).
constexpr DWORD SRCCOPY = 0x00CC0020;

// Device capabilities.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// DrawEdge.
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_ADJUST = 0x2000;

// GradientFill of a rectangle: colour runs left to right (H) or top to bottom (V).
constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;

struct TEXTMETRIC {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // --- Creation -----------------------------------------------------------------------
    // A memory DC; pDC may be null. Draws once a bitmap is selected.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Ends drawing and lets go of the device (a selected bitmap keeps its picture).
    BOOL DeleteDC();
    // Draw on any paint device with an own painter (for example a printer or an image).
    BOOL AttachDevice(QPaintDevice* pDevice, bool bPrinting = false);
    // Draw through a painter owned by the caller; baseClip (device units) is what GetClipBox
    // reports when no clip has been set (the paint event's rectangle, for example).
    BOOL AttachPainter(QPainter* pPainter, const QRect& baseClip, bool bPrinting = false);
    // Draws on the same output as pDC, starting from its attributes (a pass-through DC,
    // as a memory DC uses on a printer). pDC must outlive this DC's use.
    BOOL AttachSharing(CDC* pDC);
    // A DC that measures text the way the screen does; drawing on it is lost.
    BOOL CreateMeasuringDC();
    // Non-null while the DC can draw or measure.
    const void* GetSafeHdc() const;
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL m_bPrinting = FALSE;

    // --- Objects and attributes -----------------------------------------------------------
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    // Memory DCs: draw into this bitmap from now on; returns the previous one.
    CBitmap* SelectObject(CBitmap* pBitmap);
    // A stock pen, brush or font; returns the previously selected object of that kind.
    CGdiObject* SelectStockObject(int nIndex);
    // Restores an object returned by SelectObject/SelectStockObject.
    CGdiObject* SelectGdiObject(CGdiObject* pObject);
    CBitmap* GetCurrentBitmap() const { return m_pBitmap; }
    // The LOGFONT of the selected font (zero height means the default font).
    void GetCurrentLogFont(LOGFONT* pLogFont) const;

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const { return m_s.textColor; }
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const { return m_s.bkColor; }
    int SetBkMode(int nBkMode);
    int GetBkMode() const { return m_s.bkMode; }
    UINT SetTextAlign(UINT nFlags);
    UINT GetTextAlign() const { return m_s.textAlign; }

    int SaveDC();
    // nSavedDC from SaveDC, or -1 for the last saved state.
    BOOL RestoreDC(int nSavedDC);

    // --- Coordinates ----------------------------------------------------------------------
    int SetMapMode(int nMapMode);
    int GetMapMode() const { return m_s.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_s.winOrg; }
    CPoint OffsetWindowOrg(int dx, int dy) { return SetWindowOrg(m_s.winOrg.x + dx, m_s.winOrg.y + dy); }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_s.vpOrg; }
    CPoint OffsetViewportOrg(int dx, int dy) { return SetViewportOrg(m_s.vpOrg.x + dx, m_s.vpOrg.y + dy); }
    // Extents count only in MM_ISOTROPIC and MM_ANISOTROPIC.
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_s.winExt; }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_s.vpExt; }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void LPtoDP(SIZE* lpSize) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;
    void DPtoLP(SIZE* lpSize) const;
    // Logical height of a device height (for font sizes under mapping modes).
    int ScaleDeviceHeightToLogical(int nDevice) const;

    // --- Clipping -------------------------------------------------------------------------
    int GetClipBox(LPRECT lpRect) const;
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect)
    {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect)
    {
        return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    // Only the reset form (null region) is offered.
    int SelectClipRgn(std::nullptr_t);
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT lpRect) const;

    // --- Drawing --------------------------------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_s.cur; }
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    // Also makes clr the background colour, as on the original platform.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL GradientFill(LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, ULONG ulMode);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    // Memory DCs only (CLR_NONE elsewhere or outside the bitmap).
    COLORREF GetPixel(int x, int y) const;
    // Copies a block from a memory DC (both positions logical in their own DC).
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);

    // --- Text -----------------------------------------------------------------------------
    BOOL TextOut(int x, int y, const std::wstring& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const std::wstring& str);
    // Returns the height of the text; DT_CALCRECT measures into lpRect and draws nothing.
    int DrawText(const std::wstring& str, LPRECT lpRect, UINT nFormat);
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const std::wstring& str) const;
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const std::wstring& str) const { return GetTextExtent(str); }
    BOOL GetTextMetrics(TEXTMETRIC* lpMetrics) const;

    int GetDeviceCaps(int nIndex) const;

    // The painter behind the DC (null when it cannot draw), for code that needs Qt directly.
    QPainter* GetPainter() const { return m_pPainter; }

protected:
    struct State {
        QPen pen;
        CGdiObject* pPen = nullptr;
        QBrush brush;
        CGdiObject* pBrush = nullptr;
        LOGFONT lf{};
        QFont font;
        CGdiObject* pFont = nullptr;
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        UINT textAlign = 0;
        CPoint cur;
        int mapMode = MM_TEXT;
        CPoint winOrg;
        CPoint vpOrg;
        CSize winExt{1, 1};
        CSize vpExt{1, 1};
        std::optional<QRegion> clip; // device units
    };

    void Reset();
    void BeginOn(QPaintDevice* pDevice);
    void EndPainter();
    void ApplyAll();
    void ApplyTransform();
    void ApplyClip();
    QTransform Transform() const;
    QRect DeviceBounds() const;
    QRegion EffectiveClip() const; // device units
    QFont CurrentQFont() const;
    void DrawTextLine(int x, int y, const QString& text, UINT align, int escapement);
    bool IsPixelPen() const;
    void PixelLine(int x0, int y0, int x1, int y1);

    State m_s;
    std::vector<State> m_saved;
    QPainter* m_pPainter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    QPaintDevice* m_pDevice = nullptr;
    QRect m_baseClip; // device units; empty = the whole device
    CBitmap* m_pBitmap = nullptr;
    CDC* m_pSharedFrom = nullptr; // the DC whose painter this one borrows (AttachSharing)
    std::unique_ptr<QImage> m_scratch;
    bool m_bCreated = false;
};
