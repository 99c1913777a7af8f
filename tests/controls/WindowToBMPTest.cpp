#include "FileSizeLimit.h"

#include "controls/bitmap/WindowToBMP.h"

#include "platform/wnd/PaintDC.h"
#include "platform/wnd/Wnd.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// Left half red, right half blue.
class CTwoColourWnd : public CWnd {
public:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(0, 0, r.Width() / 2, r.Height(), RGB(255, 0, 0));
        dc.FillSolidRect(r.Width() / 2, 0, r.Width() - r.Width() / 2, r.Height(), RGB(0, 0, 255));
    }
};

std::uint32_t U32(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}
std::uint16_t U16(const QByteArray& b, int at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

QByteArray ReadAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Dib {
    HGLOBAL h;
    explicit Dib(HGLOBAL handle) : h(handle) {}
    ~Dib() { GlobalFree(h); }
};

// A bordered two-colour child window in a shown host.
class WindowToBMPShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.resize(200, 150);
        // An odd width shows that 32-bit rows need no padding.
        ASSERT_TRUE(
            wnd.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 5 + 61, 5 + 40), &host, 3));
        host.show();
    }

    QWidget host;
    CTwoColourWnd wnd;
};
} // namespace

TEST_F(WindowToBMPShown, CaptureIsWrittenAsA32BitFileWithTheWindowsPixels)
{
    CRect wr;
    wnd.GetWindowRect(&wr);
    const int W = wr.Width(), H = wr.Height();
    ASSERT_EQ(W, 61);
    ASSERT_EQ(H, 40);

    Dib dib(CWindowToBMP::CaptureWindow(&wnd));
    ASSERT_NE(dib.h, nullptr);
    EXPECT_EQ(GlobalSize(dib.h), 40u + 4u * W * H);

    QTemporaryDir dir;
    const QString name = dir.filePath("window.bmp");
    ASSERT_TRUE(CWindowToBMP::WriteDIB(name.toStdWString().c_str(), dib.h));
    const QByteArray b = ReadAll(name);
    ASSERT_EQ(b.size(), 54 + 4 * W * H);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(b, 2), static_cast<std::uint32_t>(b.size())); // bfSize
    EXPECT_EQ(U32(b, 6), 0u);                                   // reserved words
    EXPECT_EQ(U32(b, 10), 54u);                                 // bfOffBits
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), static_cast<std::uint32_t>(W));
    EXPECT_EQ(U32(b, 22), static_cast<std::uint32_t>(H)); // positive: bottom-up
    EXPECT_EQ(U16(b, 26), 1);
    EXPECT_EQ(U16(b, 28), 32);
    EXPECT_EQ(U32(b, 30), 0u); // BI_RGB
    EXPECT_EQ(U32(b, 34), static_cast<std::uint32_t>(4 * W * H));
    for (int at : {38, 42, 46, 50})
        EXPECT_EQ(U32(b, at), 0u);
    // Rows are stored bottom-up: the second row stored is the one just above the bottom
    // border, and its second pixel lies inside the border, in the red half.
    const int secondPixelOfSecondRow = 54 + 4 * W + 4 * 1;
    EXPECT_EQ(static_cast<unsigned char>(b[secondPixelOfSecondRow + 2]), 255); // red
    EXPECT_EQ(static_cast<unsigned char>(b[secondPixelOfSecondRow + 0]), 0);
    EXPECT_EQ(static_cast<unsigned char>(b[secondPixelOfSecondRow + 3]), 0);

    // Read back: the window's own pixels, frame included.
    const QImage back(name);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), QSize(W, H));
    const QImage shown = wnd.GetSafeHwnd()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, shown.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(back.pixelColor(10, 20), QColor(255, 0, 0));
    EXPECT_EQ(back.pixelColor(W - 10, 20), QColor(0, 0, 255));
    EXPECT_NE(back.pixelColor(0, 20), QColor(255, 0, 0)); // the border
}

TEST(WindowToBMP, WindowReachingBeyondTheScreenIsCapturedWhole)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    CTwoColourWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, WS_VISIBLE, CRect(-20, -20, screen.width() + 40, 50),
                           static_cast<QWidget*>(nullptr), 0));
    CRect wr;
    wnd.GetWindowRect(&wr);
    Dib dib(CWindowToBMP::CaptureWindow(&wnd));
    ASSERT_NE(dib.h, nullptr);
    const BITMAPINFOHEADER bi = ReadBitmapInfoHeader(static_cast<const BYTE*>(GlobalLock(dib.h)));
    EXPECT_EQ(bi.biWidth, wr.Width());
    EXPECT_GT(bi.biWidth, screen.width());
    EXPECT_EQ(bi.biHeight, wr.Height());
}

TEST(WindowToBMP, FailuresGiveNullOrFalse)
{
    EXPECT_EQ(CWindowToBMP::CaptureWindow(static_cast<CWnd*>(nullptr)), nullptr);
    CWnd noWindow;
    EXPECT_EQ(CWindowToBMP::CaptureWindow(&noWindow), nullptr);
    CBitmap empty;
    EXPECT_EQ(CWindowToBMP::DDBToDIB(empty, BI_RGB, nullptr), nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(nullptr, 3, 2);
    EXPECT_EQ(CWindowToBMP::DDBToDIB(bmp, BI_RLE8, nullptr), nullptr);

    Dib dib(CWindowToBMP::DDBToDIB(bmp, BI_RGB, nullptr));
    ASSERT_NE(dib.h, nullptr);
    QTemporaryDir dir;
    const QString missing = dir.filePath("no such folder/picture.bmp");
    EXPECT_FALSE(CWindowToBMP::WriteDIB(missing.toStdWString().c_str(), dib.h));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(CWindowToBMP::WriteDIB(dir.filePath("x.bmp").toStdWString().c_str(), nullptr));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.bmp")));
}

TEST(WindowToBMP, AWriteThatFailsLeavesTheOldPicture)
{
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(nullptr, 8, 8);
    Dib dib(CWindowToBMP::DDBToDIB(bmp, BI_RGB, nullptr));
    ASSERT_NE(dib.h, nullptr);
    QTemporaryDir dir;
    const QString name = dir.filePath("chart.bmp");
    const QByteArray old("BM old picture");
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    {
        // 54 + 8 x 8 x 4 bytes do not fit under the limit: the disk is full.
        qeltest::FileSizeLimit limit(64);
        EXPECT_FALSE(CWindowToBMP::WriteDIB(name.toStdWString().c_str(), dib.h));
    }
    EXPECT_EQ(ReadAll(name), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("chart.bmp")});
    // With room, the picture replaces the old one.
    EXPECT_TRUE(CWindowToBMP::WriteDIB(name.toStdWString().c_str(), dib.h));
    EXPECT_EQ(ReadAll(name).left(2), QByteArray("BM"));
    EXPECT_EQ(ReadAll(name).size(), 14 + static_cast<int>(GlobalSize(dib.h)));
}

TEST(WindowToBMP, EightBitDibCarriesItsColourTable)
{
    // A 3 x 2 picture of 8 bits per pixel: rows padded to 4 bytes, 256 table entries.
    BITMAPINFOHEADER bi;
    bi.biWidth = 3;
    bi.biHeight = 2;
    bi.biBitCount = 8;
    bi.biSizeImage = 8;
    Dib dib(GlobalAlloc(GHND, 40 + 256 * 4 + 8));
    BYTE* p = static_cast<BYTE*>(GlobalLock(dib.h));
    WriteBitmapInfoHeader(bi, p);
    p[40 + 4 * 1 + 1] = 200; // entry 1: green
    p[40 + 4 * 2 + 0] = 150; // entry 2: blue
    BYTE* rows = p + 40 + 1024;
    rows[0] = 1;     // bottom-left green
    rows[4 + 2] = 2; // top-right blue

    QTemporaryDir dir;
    const QString name = dir.filePath("eight.bmp");
    ASSERT_TRUE(CWindowToBMP::WriteDIB(name.toStdWString().c_str(), dib.h));
    const QByteArray b = ReadAll(name);
    EXPECT_EQ(U32(b, 2), static_cast<std::uint32_t>(14 + 40 + 1024 + 8));
    EXPECT_EQ(U32(b, 10), 1078u);
    const QImage back(name);
    ASSERT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixelColor(0, 1), QColor(0, 200, 0));
    EXPECT_EQ(back.pixelColor(2, 0), QColor(0, 0, 150));
    EXPECT_EQ(back.pixelColor(1, 0), QColor(0, 0, 0));
}

TEST_F(WindowToBMPShown, PngHoldsTheSamePictureAsTheBitmapAndFailsAsItDoes)
{
    Dib dib(CWindowToBMP::CaptureWindow(&wnd));
    ASSERT_NE(dib.h, nullptr);

    QTemporaryDir dir;
    const QString bmp = dir.filePath("window.bmp");
    const QString png = dir.filePath("window.png");
    ASSERT_TRUE(CWindowToBMP::WriteDIB(bmp.toStdWString().c_str(), dib.h));
    ASSERT_TRUE(CWindowToBMP::WritePNG(png.toStdWString().c_str(), dib.h));
    EXPECT_TRUE(ReadAll(png).startsWith("\x89PNG\r\n\x1a\n"));
    const QImage fromBmp(bmp, "BMP");
    const QImage fromPng(png, "PNG");
    ASSERT_EQ(fromPng.size(), QSize(61, 40));
    EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32), fromBmp.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(fromPng.pixelColor(10, 20), QColor(255, 0, 0));
    EXPECT_EQ(fromPng.pixelColor(50, 20), QColor(0, 0, 255));

    const QString missing = dir.filePath("no such folder/picture.png");
    EXPECT_FALSE(CWindowToBMP::WritePNG(missing.toStdWString().c_str(), dib.h));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(CWindowToBMP::WritePNG(dir.filePath("x.png").toStdWString().c_str(), nullptr));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
    // A block too short for its header is refused, not read past its end.
    Dib scrap(GlobalAlloc(GHND, 16));
    EXPECT_FALSE(CWindowToBMP::WritePNG(dir.filePath("y.png").toStdWString().c_str(), scrap.h));
}
