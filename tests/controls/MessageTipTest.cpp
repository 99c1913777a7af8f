#include "controls/tip/ExListBox.h"
#include "controls/tip/MessageTip.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {
// A red host window with a chart-like child control whose client point the tip is shown at.
struct TipFixture {
    QWidget host;
    QLineEdit other{&host};
    CWnd parent;
    CMessageTip tip;
    TipFixture()
    {
        host.setGeometry(100, 100, 400, 300);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(200, 0, 0));
        host.setPalette(pal);
        host.setAutoFillBackground(true);
        other.setGeometry(300, 250, 80, 20);
        parent.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 250, 200), &host, 5);
        parent.SetClassBackground(COLOR_WINDOW);
        host.show();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        EXPECT_TRUE(tip.Create(&parent));
        QCursor::setPos(0, 0);
    }
    CRect TipRect() const
    {
        CRect r;
        tip.GetWindowRect(&r);
        return r;
    }
    void Settle() { QCoreApplication::processEvents(); }
};
} // namespace

TEST(MessageTip, OpensAboveAndRightOfThePointWithTheMeasuredSize)
{
    TipFixture f;
    const CPoint at(50, 120);
    f.tip.Show(&at, L"x = 12.50 m\ny = -3.25 kNm");
    ASSERT_TRUE(f.tip.IsWindowVisible());
    CRect size;
    f.tip.MeasureText(size);
    // Two lines of text, margins 6 + 8 and 4 + 4, shadow 6 each way.
    const int line = QFontMetrics(f.tip.m_font.ToQFont()).height();
    EXPECT_EQ(size.Height(), 2 * line + 8 + 6);
    EXPECT_GT(size.Width(), 14 + 6);
    CPoint screen(at.x - 6, at.y);
    f.parent.ClientToScreen(&screen);
    const CRect r = f.TipRect();
    EXPECT_EQ(r.left, screen.x);
    EXPECT_EQ(r.bottom, screen.y);
    EXPECT_EQ(r.Size(), size.Size());

    // Without the shadow the point moves 2 up and the size shrinks by the depth.
    f.tip.m_bShadow = FALSE;
    f.tip.Show(&at, L"x");
    CRect small;
    f.tip.MeasureText(small);
    EXPECT_EQ(f.TipRect().bottom, screen.y - 2);
    EXPECT_EQ(f.TipRect().left, screen.x + 6);
    EXPECT_EQ(small.Height(), line + 8);
}

TEST(MessageTip, NullTextDoesNothingAndEmptyTextShowsABlankTip)
{
    TipFixture f;
    const CPoint at(50, 120);
    f.tip.Show(&at, nullptr);
    EXPECT_FALSE(f.tip.IsWindowVisible());
    f.tip.Show(static_cast<const POINT*>(nullptr), L"text");
    EXPECT_FALSE(f.tip.IsWindowVisible());
    f.tip.Show(&at, L"");
    ASSERT_TRUE(f.tip.IsWindowVisible());
    const QImage img = f.tip.GetClientWidget()->grab().toImage();
    for (const QPoint p : {QPoint(1, 1), QPoint(img.width() / 2, img.height() / 2)})
        EXPECT_EQ(FromQRgb(img.pixel(p)), f.tip.m_clrBack);
}

TEST(MessageTip, StaysOnTheScreen)
{
    TipFixture f;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    CRect size(0, 0, 120, 40), r;
    f.tip.PositionWindow(r, CPoint(screen.right() - 10, 20), size);
    EXPECT_EQ(r, CRect(screen.right() + 1 - 120, 0, screen.right() + 1, 40));
    f.tip.PositionWindow(r, CPoint(-30, 300), size);
    EXPECT_EQ(r, CRect(0, 260, 120, 300));
}

TEST(MessageTip, PaintsTextBorderAndAShadowOfWhatLiesBehind)
{
    TipFixture f;
    // Behind the tip's right edge lies the host's red background.
    const CPoint at(240, 150);
    f.tip.Show(&at, L"Moment 1234.5 kNm");
    ASSERT_TRUE(f.tip.IsWindowVisible());
    const QImage img = f.tip.GetClientWidget()->grab().toImage();
    const int w = img.width(), h = img.height(), d = f.tip.m_nShadowDepth;
    EXPECT_EQ(FromQRgb(img.pixel(0, 0)), RGB(0, 0, 0)); // border
    EXPECT_EQ(FromQRgb(img.pixel(w - d - 1, h / 2)), RGB(0, 0, 0));
    EXPECT_EQ(FromQRgb(img.pixel(2, h - d - 2)), f.tip.m_clrBack); // inside the margin
    // Shadow: the red behind at 50 % next to the tip, unchanged at the outer edge; the
    // square above the right strip is left as it was.
    const QColor inner = img.pixelColor(w - d, h / 2), outer = img.pixelColor(w - 1, h / 2);
    EXPECT_EQ(inner, QColor(100, 0, 0));
    EXPECT_EQ(outer, QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(w - 1, 1), QColor(200, 0, 0));
    // Some text pixels are drawn in the text colour's darkness.
    int dark = 0;
    for (int y = 4; y < h - d - 4; ++y)
        for (int x = 6; x < w - d - 8; ++x)
            dark += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(dark, 10);
}

TEST(MessageTip, KeysAndButtonsAnywhereCloseItButReturnDoesNot)
{
    TipFixture f;
    const CPoint at(50, 120);
    f.tip.Show(&at, L"tip");
    QTest::keyClick(&f.other, Qt::Key_Return);
    f.Settle();
    EXPECT_TRUE(f.tip.IsWindowVisible());
    QTest::keyClick(&f.other, Qt::Key_A);
    f.Settle();
    EXPECT_FALSE(f.tip.IsWindowVisible());

    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        f.tip.Show(&at, L"tip");
        QTest::mousePress(&f.other, b);
        QTest::mouseRelease(&f.other, b);
        f.Settle();
        EXPECT_FALSE(f.tip.IsWindowVisible()) << b;
    }
    // Once hidden, presses no longer reach it.
    f.tip.Show(&at, L"tip");
    f.tip.Hide();
    f.tip.Show(&at, L"tip");
    EXPECT_TRUE(f.tip.IsWindowVisible());
}

TEST(MessageTip, TwoTipsEachCloseOnTheNextPress)
{
    // Two charts of one view each show a tip: the second must not leave the first up.
    TipFixture f;
    CMessageTip second;
    ASSERT_TRUE(second.Create(&f.parent));
    const CPoint at(50, 120);
    const CPoint there(150, 120);
    for (const bool key : {true, false}) {
        f.tip.Show(&at, L"first");
        second.Show(&there, L"second");
        ASSERT_TRUE(f.tip.IsWindowVisible());
        ASSERT_TRUE(second.IsWindowVisible());
        if (key) {
            QTest::keyClick(&f.other, Qt::Key_A);
        } else {
            QTest::mousePress(&f.other, Qt::LeftButton);
            QTest::mouseRelease(&f.other, Qt::LeftButton);
        }
        f.Settle();
        EXPECT_FALSE(f.tip.IsWindowVisible()) << (key ? "key" : "click");
        EXPECT_FALSE(second.IsWindowVisible()) << (key ? "key" : "click");
    }
    // Hiding one leaves the other watching.
    f.tip.Show(&at, L"first");
    second.Show(&there, L"second");
    second.Hide();
    QTest::keyClick(&f.other, Qt::Key_A);
    f.Settle();
    EXPECT_FALSE(f.tip.IsWindowVisible());
}

TEST(MessageTip, TimesOutUnlessThePointerRestsOnIt)
{
    TipFixture f;
    const CPoint at(50, 120);
    f.tip.Show(&at, L"tip");
    // Cursor away: hidden at the tick that reaches 5 s.
    for (int tick = 1; tick < 10; ++tick) {
        f.tip.OnTimer(1);
        ASSERT_TRUE(f.tip.IsWindowVisible()) << tick;
    }
    f.tip.OnTimer(1);
    EXPECT_FALSE(f.tip.IsWindowVisible());

    f.tip.Show(&at, L"tip");
    EXPECT_EQ(f.tip.m_nElapsed, 0);
    const CRect r = f.TipRect();
    QCursor::setPos(r.left + 3, r.top + 3);
    for (int tick = 0; tick < 14; ++tick)
        f.tip.OnTimer(1);
    EXPECT_TRUE(f.tip.IsWindowVisible());
    // On the shadow is not on the tip.
    QCursor::setPos(r.right - 2, r.bottom - 2);
    f.tip.OnTimer(1);
    EXPECT_FALSE(f.tip.IsWindowVisible());
}

TEST(MessageTip, HidesAtOnceWhenTheProgramHasNoActiveWindow)
{
    TipFixture f;
    const CPoint at(50, 120);
    f.tip.Show(&at, L"tip");
    ASSERT_TRUE(f.tip.IsWindowVisible());
    QApplication::setActiveWindow(nullptr);
    if (QApplication::activeWindow())
        GTEST_SKIP() << "the platform keeps an active window";
    f.tip.OnTimer(1);
    EXPECT_FALSE(f.tip.IsWindowVisible());
}

TEST(ExListBox, RowTooltipShowsTheRowTextUpTo79Characters)
{
    CExListBox list;
    list.resize(120, 100);
    const std::wstring longText(100, L'w');
    list.AddString(L"1 - Short");
    list.AddString(longText);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    TOOLINFO ti;
    CRect row1;
    list.GetItemRect(1, &row1);
    EXPECT_EQ(list.OnToolHitTest(row1.CenterPoint(), &ti), 1);
    EXPECT_EQ(ti.uId, 1u);
    EXPECT_EQ(CRect(ti.rect), row1);
    EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_EQ(list.OnToolHitTest(CPoint(5, 95), &ti), -1); // below the rows

    TOOLTIPTEXTW ttt;
    ttt.hdr.idFrom = 1;
    ttt.hdr.code = TTN_NEEDTEXTW;
    LRESULT result = 7;
    EXPECT_TRUE(list.OnToolTipText(0, &ttt.hdr, &result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::wstring(ttt.lpszText), longText.substr(0, 79));
    ttt.hdr.idFrom = 0;
    list.OnToolTipText(0, &ttt.hdr, &result);
    EXPECT_EQ(std::wstring(ttt.lpszText), L"1 - Short");

    // The pointer resting on a row shows its tooltip.
    QHelpEvent help(QEvent::ToolTip, row1.CenterPoint().ToQPoint(),
                    list.viewport()->mapToGlobal(row1.CenterPoint().ToQPoint()));
    QApplication::sendEvent(list.viewport(), &help);
    EXPECT_EQ(QToolTip::text().toStdWString(), longText.substr(0, 79));
    QToolTip::hideText();
}
