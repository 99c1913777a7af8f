#include "controls/bitmap/WindowToBMP.h"

#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"
#include "platform/wnd/Wnd.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <climits>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace {
constexpr int kFileHeaderSize = 14;

// Colour-table entries that follow the header.
std::size_t ColourCount(const BITMAPINFOHEADER& bi)
{
    if (bi.biClrUsed != 0)
        return bi.biClrUsed;
    return bi.biBitCount <= 8 ? std::size_t{1} << bi.biBitCount : 0;
}
} // namespace

HGLOBAL CWindowToBMP::CaptureWindow(CWnd* pWnd)
{
    return pWnd ? CaptureWindow(pWnd->GetSafeHwnd()) : nullptr;
}

HGLOBAL CWindowToBMP::CaptureWindow(QWidget* pWidget)
{
    if (!pWidget)
        return nullptr;
    // The whole window: frame, scroll bars and client area, also beyond the screen's edge.
    const QSize size = pWidget->size();
    if (size.isEmpty())
        return nullptr;
    QImage image = pWidget->grab().toImage();
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(nullptr, size.width(), size.height()))
        return nullptr;
    bitmap.GetImage() = image.convertToFormat(QImage::Format_RGB32);
    return DDBToDIB(bitmap, BI_RGB, nullptr);
}

HGLOBAL CWindowToBMP::DDBToDIB(CBitmap& bitmap, DWORD dwCompression, CPalette* pPal)
{
    const QImage& image = bitmap.GetImage();
    if (!bitmap.GetSafeHandle() || image.isNull())
        return nullptr;
    // Our bitmaps hold 32 bits per pixel, which have no compressed form.
    if (dwCompression != BI_RGB)
        return nullptr;

    BITMAPINFOHEADER bi;
    bi.biWidth = image.width();
    bi.biHeight = image.height();
    bi.biPlanes = 1;
    bi.biBitCount = 32;
    bi.biCompression = dwCompression;
    const std::size_t stride = ((static_cast<std::size_t>(bi.biWidth) * bi.biBitCount + 31) & ~std::size_t{31}) / 8;
    const std::size_t imageSize = stride * static_cast<std::size_t>(bi.biHeight);
    if (imageSize > 0xFFFFFFFFu - 1024)
        return nullptr;
    bi.biSizeImage = static_cast<DWORD>(imageSize);

    const std::size_t colours = ColourCount(bi);
    const std::size_t headerAndTable = kBitmapInfoHeaderSize + 4 * colours;
    HGLOBAL hDIB = GlobalAlloc(GMEM_FIXED, headerAndTable);
    if (!hDIB)
        return nullptr;
    WriteBitmapInfoHeader(bi, static_cast<BYTE*>(GlobalLock(hDIB)));
    if (!GlobalReAlloc(hDIB, headerAndTable + imageSize, GMEM_MOVEABLE)) {
        GlobalFree(hDIB);
        return nullptr;
    }
    BYTE* p = static_cast<BYTE*>(GlobalLock(hDIB));
    // The colour table, from the palette, for bitmaps of 256 colours or fewer.
    if (colours > 0 && pPal && pPal->GetSafeHandle()) {
        const auto& entries = pPal->Entries();
        for (std::size_t i = 0; i < colours && i < entries.size(); ++i) {
            BYTE* q = p + kBitmapInfoHeaderSize + 4 * i;
            q[0] = entries[i].peBlue;
            q[1] = entries[i].peGreen;
            q[2] = entries[i].peRed;
        }
    }
    // Rows bottom-up, each pixel blue, green, red and a zero byte.
    BYTE* bits = p + headerAndTable;
    for (int y = bi.biHeight - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        BYTE* out = bits;
        for (int x = 0; x < bi.biWidth; ++x) {
            *out++ = static_cast<BYTE>(qBlue(line[x]));
            *out++ = static_cast<BYTE>(qGreen(line[x]));
            *out++ = static_cast<BYTE>(qRed(line[x]));
            *out++ = 0;
        }
        bits += stride;
    }
    GlobalUnlock(hDIB);
    return hDIB;
}

namespace {

// The bitmap file of a DIB: the 14-byte file header, then the block as it stands. False
// when the block is missing or too large for a bitmap file.
bool BitmapFileOf(HGLOBAL hDIB, std::string& out)
{
    const std::size_t dibSize = hDIB ? GlobalSize(hDIB) : 0;
    if (dibSize < static_cast<std::size_t>(kBitmapInfoHeaderSize) || dibSize > 0xFFFFFFFFu - kFileHeaderSize)
        return false;
    const BYTE* dib = static_cast<const BYTE*>(GlobalLock(hDIB));
    const BITMAPINFOHEADER bi = ReadBitmapInfoHeader(dib);
    const std::uint32_t fileSize = static_cast<std::uint32_t>(dibSize + kFileHeaderSize);
    const std::uint32_t offBits = static_cast<std::uint32_t>(kFileHeaderSize + bi.biSize + 4 * ColourCount(bi));

    BYTE header[kFileHeaderSize];
    BYTE* h = header;
    *h++ = 'B';
    *h++ = 'M';
    for (int i = 0; i < 4; ++i)
        *h++ = static_cast<BYTE>((fileSize >> (8 * i)) & 0xFF);
    for (int i = 0; i < 4; ++i)
        *h++ = 0; // two reserved words
    for (int i = 0; i < 4; ++i)
        *h++ = static_cast<BYTE>((offBits >> (8 * i)) & 0xFF);

    out.assign(reinterpret_cast<const char*>(header), kFileHeaderSize);
    out.append(reinterpret_cast<const char*>(dib), dibSize);
    GlobalUnlock(hDIB);
    return true;
}

// Written beside and renamed over: a failed write leaves the old picture whole.
BOOL ReplacePicture(LPCTSTR szFile, std::string_view data)
{
    const std::filesystem::path path = WideToPath(szFile);
    if (CheckReplaceable(path) != 0)
        return FALSE;
    try {
        ReplaceFileContents(path, data);
    } catch (const CFileWriteError&) {
        return FALSE;
    }
    return TRUE;
}
} // namespace

BOOL CWindowToBMP::WriteDIB(LPCTSTR szFile, HGLOBAL hDIB)
{
    std::string data;
    if (!szFile || !BitmapFileOf(hDIB, data))
        return FALSE;
    return ReplacePicture(szFile, data);
}

BOOL CWindowToBMP::WritePNG(LPCTSTR szFile, HGLOBAL hDIB)
{
    std::string bmp;
    if (!szFile || !BitmapFileOf(hDIB, bmp) || bmp.size() > static_cast<std::size_t>(INT_MAX))
        return FALSE;
    // Read as the bitmap file would be, so both files show the same picture.
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bmp.data()), static_cast<int>(bmp.size()), "BMP"))
        return FALSE;
    bmp.clear();
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return FALSE;
    return ReplacePicture(szFile, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}
