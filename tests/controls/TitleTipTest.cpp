#include "GridTestUtil.h"

#include "platform/win/Keys.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using qeltest::CRecordingGrid;

namespace {
// A grid in an active window with a narrow column 1 (cells x 60..89 in row 1).
struct TipFixture {
    QWidget host;
    CRecordingGrid grid;
    TipFixture()
    {
        host.resize(300, 200);
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.Create(CRect(0, 0, 300, 200), &host);
        grid.SetColumnWidth(0, 60);
        grid.SetColumnWidth(1, 30);
        grid.SetColumnWidth(2, 60);
        host.show();
        QApplication::setActiveWindow(&host);
        grid.SetFocus();
        grid.SetItemText(1, 1, L"Moment (kNm) at the second support");
        grid.SetItemText(1, 2, L"1");
    }
    CRect CellRect(int row, int col)
    {
        CRect r;
        grid.GetCellRect(row, col, &r);
        return r;
    }
    void ShowTip(int row, int col)
    {
        grid.m_TitleTip.Show(CellRect(row, col), grid.GetCell(row, col)->GetTipText(), 0, nullptr,
                             grid.GetCell(row, col)->GetFont(), grid.m_crTTipTextClr, grid.m_crTTipBackClr);
    }
    bool Logged(const std::string& s) const { return std::find(grid.log.begin(), grid.log.end(), s) != grid.log.end(); }
};
} // namespace

TEST(TitleTip, ShownOnlyForClippedText)
{
    TipFixture f;
    ASSERT_TRUE(CWnd::ProgramHasFocus());
    f.ShowTip(1, 2);
    EXPECT_FALSE(f.grid.m_TitleTip.IsWindowVisible());

    f.ShowTip(1, 1);
    CTitleTip& tip = f.grid.m_TitleTip;
    ASSERT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), &tip);
    // Placed over the cell, wider than it, as high as the cell.
    CRect cellOnScreen = f.CellRect(1, 1);
    f.grid.ClientToScreen(&cellOnScreen);
    CRect tipRect;
    tip.GetWindowRect(&tipRect);
    EXPECT_EQ(tipRect.TopLeft(), cellOnScreen.TopLeft());
    EXPECT_GT(tipRect.Width(), cellOnScreen.Width());
    EXPECT_EQ(tipRect.Height(), cellOnScreen.Height());
    // Painted in the tip colours (the class background when none is given).
    const QImage img = tip.GetClientWidget()->grab().toImage();
    EXPECT_EQ(qeltest::PixelAt(img, img.width() - 1, 0), GetSysColor(COLOR_INFOBK));

    // Moving within the cell keeps it; leaving the cell hides it.
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(tipRect.Width() - 3, 3));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(TitleTip, AKeyHidesTheTipAndReachesTheGrid)
{
    TipFixture f;
    f.ShowTip(1, 1);
    ASSERT_TRUE(f.grid.m_TitleTip.IsWindowVisible());
    QTest::keyClick(f.grid.GetSafeHwnd(), Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.grid.m_TitleTip.IsWindowVisible());
    EXPECT_TRUE(f.Logged("key " + std::to_string(VK_DOWN)));
}

TEST(TitleTip, AKeyTypedElsewhereStaysWhereItWasTyped)
{
    // A tip shows on hover, whatever has the focus: typing into a field next to the grid
    // hides the tip, and the key goes into the field, not into the grid.
    TipFixture f;
    QLineEdit edit(&f.host);
    edit.setGeometry(0, 170, 100, 25);
    edit.show();
    edit.setFocus();
    f.ShowTip(1, 1);
    ASSERT_TRUE(f.grid.m_TitleTip.IsWindowVisible());
    QTest::keyClick(&edit, Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.grid.m_TitleTip.IsWindowVisible());
    EXPECT_EQ(edit.text(), QString("a"));
    EXPECT_FALSE(f.Logged("key " + std::to_string('A')));
}

TEST(TitleTip, AClickReachesTheCellUnderTheTip)
{
    TipFixture f;
    const CRect cell = f.CellRect(1, 1);
    f.ShowTip(1, 1);
    CTitleTip& tip = f.grid.m_TitleTip;
    ASSERT_TRUE(tip.IsWindowVisible());
    // The tip's client area starts one pixel in from the cell's corner (its border).
    QTest::mousePress(tip.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 4));
    EXPECT_FALSE(tip.IsWindowVisible());
    QCoreApplication::processEvents();
    const std::string down = "ldown " + std::to_string(cell.left + 6) + "," + std::to_string(cell.top + 5);
    EXPECT_TRUE(f.Logged(down));
    QTest::mouseRelease(tip.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 4));

    // A second press soon after reaches the grid as a double click.
    f.ShowTip(1, 1);
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 4));
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.Logged("ldbl " + std::to_string(cell.left + 6) + "," + std::to_string(cell.top + 5)));
}

TEST(TitleTip, ScrollingHidesTheTip)
{
    TipFixture f;
    f.ShowTip(1, 1);
    ASSERT_TRUE(f.grid.m_TitleTip.IsWindowVisible());
    f.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_FALSE(f.grid.m_TitleTip.IsWindowVisible());
}
