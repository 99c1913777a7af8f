#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A handler that throws must not take the program down: the text reaches the user in a
// box captioned "QEL", and the window keeps working.
class CThrowingWnd : public CWnd {
public:
    int clicks = 0;
    void OnLButtonDown(UINT, CPoint) override
    {
        ++clicks;
        throw std::runtime_error("Cannot have zero rows or columns");
    }
    void OnTimer(UINT_PTR) override { throw std::out_of_range("invalid vector<T> subscript"); }
};

struct Box {
    std::wstring text, caption;
    UINT type;
};

class HandlerExceptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetMessageBoxAnswerer([this](const std::wstring& t, const std::wstring& c, UINT type) {
            boxes.push_back({t, c, type});
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxAnswerer(m_previous); }

    std::vector<Box> boxes;

private:
    MessageBoxAnswerer m_previous;
};

TEST_F(HandlerExceptions, AThrowingMouseHandlerShowsItsTextAndTheWindowLivesOn)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 60, 40), static_cast<QWidget*>(nullptr), 1));
    QTest::mouseClick(wnd.GetClientWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(wnd.GetClientWidget(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(wnd.clicks, 2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Cannot have zero rows or columns");
    EXPECT_EQ(boxes[0].caption, L"QEL");
    EXPECT_EQ(boxes[0].type & 0xF0, MB_ICONERROR);
}

TEST_F(HandlerExceptions, AThrowingMouseHandlerLeavesNoWindowBehindAsTheCursorTarget)
{
    // The cursor set outside any mouse event (and without capture) goes to no window; a
    // mouse handler that threw must not leave its window standing in as the target.
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 60, 40), static_cast<QWidget*>(nullptr), 1));
    QTest::mouseClick(wnd.GetClientWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(CWnd::GetCapture(), nullptr);
    const Qt::CursorShape before = wnd.GetClientWidget()->cursor().shape();
    CWnd::SetCursor(before == Qt::CrossCursor ? IDC_WAIT : IDC_CROSS);
    EXPECT_EQ(wnd.GetClientWidget()->cursor().shape(), before);
}

TEST_F(HandlerExceptions, APostedMessageWhoseHandlerThrowsIsReported)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 60, 40), static_cast<QWidget*>(nullptr), 1));
    wnd.PostMessage(WM_TIMER, 1, 0);
    QTest::qWait(20);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"invalid vector<T> subscript");
}

TEST(HandlerExceptionBoxes, AHandlerFailingWhileABoxIsUpOpensNoBoxInsideIt)
{
    // A box runs its own event loop: a window whose click handler failed is repainted while
    // the box is up, and its paint handler, failing on the same broken state, must not open
    // a box inside the box (each closing would expose the window and open the next).
    struct CBrokenWnd : CThrowingWnd {
        bool broken = false;
        void OnPaint() override
        {
            if (broken)
                throw std::runtime_error("Drawing failed");
            CWnd::OnPaint();
        }
    } wnd;
    ASSERT_TRUE(wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 60, 40), static_cast<QWidget*>(nullptr), 1));
    QTest::qWait(10);
    int depth = 0, deepest = 0;
    std::vector<std::wstring> texts;
    const MessageBoxAnswerer previous = SetMessageBoxAnswerer([&](const std::wstring& text, const std::wstring&, UINT) {
        texts.push_back(text);
        deepest = std::max(deepest, ++depth);
        if (depth < 4) {
            // What the box's own loop does with the window beneath it.
            wnd.Invalidate();
            wnd.UpdateWindow();
        }
        --depth;
        return IDOK;
    });
    wnd.broken = true;
    QTest::mouseClick(wnd.GetClientWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    wnd.broken = false;
    QTest::qWait(10);
    SetMessageBoxAnswerer(previous);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], L"Cannot have zero rows or columns");
    EXPECT_EQ(deepest, 1);
}

}
