#include "platform/gdi/Dib.h"

namespace {
void Put(BYTE*& p, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *p++ = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Get(const BYTE*& p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint32_t>(*p++) << (8 * i);
    return v;
}
} // namespace

void WriteBitmapInfoHeader(const BITMAPINFOHEADER& bi, BYTE* out)
{
    Put(out, bi.biSize, 4);
    Put(out, static_cast<std::uint32_t>(bi.biWidth), 4);
    Put(out, static_cast<std::uint32_t>(bi.biHeight), 4);
    Put(out, bi.biPlanes, 2);
    Put(out, bi.biBitCount, 2);
    Put(out, bi.biCompression, 4);
    Put(out, bi.biSizeImage, 4);
    Put(out, static_cast<std::uint32_t>(bi.biXPelsPerMeter), 4);
    Put(out, static_cast<std::uint32_t>(bi.biYPelsPerMeter), 4);
    Put(out, bi.biClrUsed, 4);
    Put(out, bi.biClrImportant, 4);
}

BITMAPINFOHEADER ReadBitmapInfoHeader(const BYTE* in)
{
    BITMAPINFOHEADER bi;
    bi.biSize = Get(in, 4);
    bi.biWidth = static_cast<LONG>(Get(in, 4));
    bi.biHeight = static_cast<LONG>(Get(in, 4));
    bi.biPlanes = static_cast<WORD>(Get(in, 2));
    bi.biBitCount = static_cast<WORD>(Get(in, 2));
    bi.biCompression = Get(in, 4);
    bi.biSizeImage = Get(in, 4);
    bi.biXPelsPerMeter = static_cast<LONG>(Get(in, 4));
    bi.biYPelsPerMeter = static_cast<LONG>(Get(in, 4));
    bi.biClrUsed = Get(in, 4);
    bi.biClrImportant = Get(in, 4);
    return bi;
}
