#pragma once
// Device-independent bitmaps: the header of a packed DIB and its compression codes, and
// the logical palette that goes with a bitmap of 256 colours or fewer.
#include "platform/gdi/GdiObject.h"

#include <vector>

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// Laid out in a DIB as 40 little-endian bytes in this order.
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
constexpr int kBitmapInfoHeaderSize = 40;

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

class CPalette : public CGdiObject {
public:
    BOOL CreatePalette(const std::vector<PALETTEENTRY>& entries)
    {
        m_entries = entries;
        m_bCreated = true;
        return TRUE;
    }
    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }

private:
    std::vector<PALETTEENTRY> m_entries;
};

// Writes and reads a header as the 40 bytes of a DIB.
void WriteBitmapInfoHeader(const BITMAPINFOHEADER& bi, BYTE* out);
BITMAPINFOHEADER ReadBitmapInfoHeader(const BYTE* in);
