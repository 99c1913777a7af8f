#pragma once
// Pens, brushes, fonts and bitmaps for CDC. A device context copies the value of an object
// when it is selected, so an object may be changed or destroyed while "selected" without
// harm; SelectObject still hands back the previously selected object for restoring.
#include "platform/gdi/Colour.h"
#include "platform/gdi/Rect.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>

class CDC;

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    // Non-null once the object has been created.
    const void* GetSafeHandle() const { return m_bCreated ? this : nullptr; }
    virtual BOOL DeleteObject()
    {
        const BOOL was = m_bCreated;
        m_bCreated = false;
        return was;
    }

protected:
    bool m_bCreated = false;
};

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_STYLE_MASK = 0x0000000F;
constexpr int PS_ENDCAP_ROUND = 0x00000000;
constexpr int PS_ENDCAP_SQUARE = 0x00000100;
constexpr int PS_ENDCAP_FLAT = 0x00000200;
constexpr int PS_ENDCAP_MASK = 0x00000F00;
constexpr int PS_JOIN_ROUND = 0x00000000;
constexpr int PS_JOIN_BEVEL = 0x00001000;
constexpr int PS_JOIN_MITER = 0x00002000;
constexpr int PS_JOIN_MASK = 0x0000F000;
constexpr int PS_COSMETIC = 0x00000000;
constexpr int PS_GEOMETRIC = 0x00010000;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HATCHED = 2;
struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    UINT_PTR lbHatch;
};

// Width 0 and 1 draw one-pixel lines that leave out their end pixel; wider pens have
// round ends and joins unless the style says otherwise.
class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush);
    int GetStyle() const { return m_nStyle; }
    int GetWidth() const { return m_nWidth; }
    COLORREF GetColor() const { return m_crColor; }
    QPen ToQPen() const;

private:
    int m_nStyle = PS_SOLID;
    int m_nWidth = 0;
    COLORREF m_crColor = 0;
};

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreateNullBrush();
    COLORREF GetColor() const { return m_crColor; }
    QBrush ToQBrush() const;

private:
    COLORREF m_crColor = 0;
    int m_nHatch = -1; // -1 solid, -2 null
};

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight; // < 0: character height in logical units; > 0: cell height; 0: default
    LONG lfWidth;
    LONG lfEscapement; // tenths of a degree; 900 is text reading upwards
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    wchar_t lfFaceName[LF_FACESIZE];
};
using LPLOGFONT = LOGFONT*;

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    // nPointSize in tenths of a point, converted with the DC's vertical resolution
    // (the screen's when pDC is null).
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    // As CreateFontIndirect, with lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
    // Returns sizeof(LOGFONT) when the font exists, 0 otherwise.
    int GetLogFont(LOGFONT* pLogFont) const;
    const LOGFONT& GetLogFontRef() const { return m_lf; }
    // The Qt font (size in pixels) and the rotation held in lfEscapement.
    QFont ToQFont() const { return QFontFromLogFont(m_lf); }

    static QFont QFontFromLogFont(const LOGFONT& lf);

private:
    LOGFONT m_lf{};
};

// The font the system uses for message text (the application font), as a LOGFONT.
void GetMessageFont(LOGFONT* pLogFont);

// An off-screen picture; select it into a memory DC (CDC::CreateCompatibleDC) to draw on it.
class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap() override;
    // A black picture of the given size (at least 1 x 1).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL DeleteObject() override;
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // The picture itself (Format_RGB32); tests read pixels from it.
    const QImage& GetImage() const { return m_image; }
    QImage& GetImage() { return m_image; }

private:
    friend class CDC;
    QImage m_image;
    CDC* m_pSelectedIn = nullptr; // the memory DC drawing on it
};

// Stock objects for CDC::SelectStockObject.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;
