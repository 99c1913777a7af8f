#include "platform/gdi/Colour.h"
#include "platform/win/Keys.h"
#include "platform/wnd/PaintDC.h"
#include "platform/wnd/Wnd.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QWindow>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CProbeWnd : public CWnd {
public:
    std::vector<std::string> log;
    COLORREF fill = RGB(255, 0, 0);
    UINT dlgCode = 0;
    int vscrollTo = -1; // position the handler sets on a scroll message, -1 leaves it

    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, fill);
        log.push_back("paint");
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnSize(UINT, int cx, int cy) override
    {
        log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnLButtonDown(UINT nFlags, CPoint p) override { Log("ldown", nFlags, p); }
    void OnLButtonUp(UINT nFlags, CPoint p) override { Log("lup", nFlags, p); }
    void OnLButtonDblClk(UINT nFlags, CPoint p) override { Log("ldbl", nFlags, p); }
    void OnRButtonUp(UINT nFlags, CPoint p) override { Log("rup", nFlags, p); }
    void OnKeyDown(UINT nChar, UINT, UINT) override { log.push_back("key " + std::to_string(nChar)); }
    void OnChar(UINT nChar, UINT, UINT) override { log.push_back("char " + std::to_string(nChar)); }
    UINT OnGetDlgCode() override { return dlgCode; }
    void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
    void OnVScroll(UINT code, UINT pos, CScrollBar*) override
    {
        log.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos));
        if (vscrollTo >= 0)
            SetScrollPos(SB_VERT, vscrollTo);
    }
    LRESULT OnNotify(WPARAM id, NMHDR* hdr) override
    {
        log.push_back("notify " + std::to_string(id) + " " + std::to_string(static_cast<int>(hdr->code)));
        return 7;
    }
    bool Has(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }

private:
    void Log(const char* what, UINT flags, CPoint p)
    {
        log.push_back(std::string(what) + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," +
                      std::to_string(p.y));
    }
};

// A Qt widget that hosts a control and hears its notifications.
class HostWidget : public QWidget, public CNotifyReceiver {
public:
    std::vector<UINT> codes;
    LRESULT OnNotify(WPARAM, NMHDR* hdr) override
    {
        codes.push_back(hdr->code);
        return -1;
    }
};

LRESULT Notify(CWnd& from, UINT code)
{
    NMHDR hdr;
    hdr.hwndFrom = from.GetSafeHwnd();
    hdr.idFrom = static_cast<UINT_PTR>(from.GetDlgCtrlID());
    hdr.code = code;
    CNotifyReceiver* target = from.GetNotifyTarget();
    return target ? target->OnNotify(hdr.idFrom, &hdr) : 0;
}

} // namespace

TEST(Wnd, WindowExistsBetweenCreateAndDestroy)
{
    CProbeWnd wnd;
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    ASSERT_TRUE(wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 80, 60), static_cast<QWidget*>(nullptr), 42));
    ASSERT_NE(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.GetDlgCtrlID(), 42);
    EXPECT_EQ(CWnd::FromHandle(wnd.GetClientWidget()), &wnd);
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 80, 60));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    wnd.GetClientRect(&rc);
    EXPECT_TRUE(rc.IsRectEmpty());
}

TEST(Wnd, ParentDeletingTheWidgetLeavesTheObjectWithoutWindow)
{
    auto* host = new QWidget;
    CProbeWnd child;
    child.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), host, 1);
    ASSERT_NE(child.GetSafeHwnd(), nullptr);
    delete host;
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    child.Invalidate(); // harmless without a window
}

TEST(Wnd, PaintsThroughOnPaint)
{
    CProbeWnd wnd;
    wnd.fill = RGB(10, 200, 30);
    wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 40, 30), static_cast<QWidget*>(nullptr), 1);
    const QImage img = wnd.GetClientWidget()->grab().toImage();
    ASSERT_EQ(img.width(), 40);
    EXPECT_EQ(FromQRgb(img.pixel(0, 0)), RGB(10, 200, 30));
    EXPECT_EQ(FromQRgb(img.pixel(39, 29)), RGB(10, 200, 30));
    EXPECT_TRUE(wnd.Has("paint"));
}

TEST(Wnd, ClientEdgeFrameShrinksTheClientArea)
{
    CProbeWnd wnd;
    wnd.CreateEx(WS_EX_CLIENTEDGE, L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 50, 40), static_cast<QWidget*>(nullptr),
                 1);
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 46, 36));
}

TEST(Wnd, ScrollBarsFollowTheRangeSemantics)
{
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 100, 80), static_cast<QWidget*>(nullptr), 1);
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 100);

    // 0..99 with a page of 10: positions 0..90; the bar is needed and shown.
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_EQ(wnd.SetScrollInfo(SB_VERT, &si), 90);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 90);
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 90);
    EXPECT_TRUE(wnd.IsScrollBarShown(SB_VERT));
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 100 - GetSystemMetrics(SM_CXVSCROLL));

    // A page covering the range: hidden, or disabled when asked to stay.
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 9;
    si.nPage = 10;
    wnd.SetScrollInfo(SB_VERT, &si);
    EXPECT_FALSE(wnd.IsScrollBarShown(SB_VERT));
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 100);
    wnd.ShowScrollBar(SB_VERT, TRUE);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    wnd.SetScrollInfo(SB_VERT, &si);
    EXPECT_TRUE(wnd.IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(static_cast<QAbstractScrollArea*>(wnd.GetSafeHwnd())->verticalScrollBar()->isEnabled());

    // Page 0: every position up to nMax.
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 50;
    si.nPage = 0;
    wnd.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 50);
}

TEST(Wnd, BarClicksReportToTheHandlerWhichMovesTheBar)
{
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 100, 80), static_cast<QWidget*>(nullptr), 1);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 199;
    si.nPage = 50;
    si.nPos = 20;
    wnd.SetScrollInfo(SB_VERT, &si);
    QScrollBar* bar = static_cast<QAbstractScrollArea*>(wnd.GetSafeHwnd())->verticalScrollBar();

    // The handler ignores the message: the bar stays.
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(wnd.Has("vscroll 1 20"));
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 20);
    EXPECT_EQ(bar->value(), 20);

    // The handler sets a position: the bar shows it.
    wnd.vscrollTo = 35;
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_TRUE(wnd.Has("vscroll 2 20"));
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 35);
    EXPECT_EQ(bar->value(), 35);

    // Dragging reports the track position.
    wnd.vscrollTo = -1;
    bar->setSliderDown(true);
    bar->setSliderPosition(77);
    EXPECT_TRUE(wnd.Has("vscroll 5 77"));
    SCROLLINFO got;
    wnd.GetScrollInfo(SB_VERT, &got, SIF_TRACKPOS);
    EXPECT_EQ(got.nTrackPos, 77);
}

TEST(Wnd, MouseAndKeysReachTheHandlers)
{
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, WS_VISIBLE, CRect(0, 0, 100, 80), static_cast<QWidget*>(nullptr), 1);
    QWidget* client = wnd.GetClientWidget();
    QTest::mousePress(client, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 34));
    EXPECT_TRUE(wnd.Has("ldown " + std::to_string(MK_LBUTTON | MK_SHIFT) + " 12,34"));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(12, 34));
    EXPECT_TRUE(wnd.Has("lup 0 12,34"));
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_TRUE(wnd.Has("ldbl 1 5,6"));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    QTest::mouseClick(client, Qt::RightButton, Qt::NoModifier, QPoint(7, 8));
    EXPECT_TRUE(wnd.Has("rup 0 7,8"));

    QWidget* w = wnd.GetSafeHwnd();
    QTest::keyClick(w, Qt::Key_Right);
    EXPECT_TRUE(wnd.Has("key " + std::to_string(VK_RIGHT)));
    QTest::keyClick(w, Qt::Key_A);
    EXPECT_TRUE(wnd.Has("key " + std::to_string('A')));
    EXPECT_TRUE(wnd.Has("char " + std::to_string('a')));
    wnd.log.clear();
    QTest::keyClick(w, Qt::Key_Delete);
    EXPECT_TRUE(wnd.Has("key " + std::to_string(VK_DELETE)));
    EXPECT_EQ(wnd.log.size(), 1u); // Delete types no character
}

TEST(Wnd, TabReachesAWindowThatAsksForIt)
{
    QWidget host;
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &host, 1);
    CProbeWnd other;
    other.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE, CRect(50, 0, 100, 50), &host, 2);
    host.show();
    wnd.dlgCode = DLGC_WANTALLKEYS;
    QTest::keyClick(wnd.GetSafeHwnd(), Qt::Key_Tab);
    EXPECT_TRUE(wnd.Has("key " + std::to_string(VK_TAB)));
    EXPECT_TRUE(wnd.Has("char 9"));
}

namespace {
// Two windows side by side in a shown host: a at x 0..49, b at x 50..99.
struct TwoWindows {
    QWidget host;
    CProbeWnd a, b;
    TwoWindows()
    {
        host.resize(100, 50);
        a.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 50, 50), &host, 1);
        b.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(50, 0, 100, 50), &host, 2);
        host.show();
        QApplication::setActiveWindow(&host);
    }
    ~TwoWindows() { CWnd::ReleaseCapture(); }
    // A click as the windowing system delivers it: to the window, at a point of the host.
    void ClickAt(QPoint p) { QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, p); }
    static std::vector<std::string> Buttons(const CProbeWnd& w)
    {
        std::vector<std::string> v;
        for (const std::string& e : w.log)
            if (e.rfind("ldown", 0) == 0 || e.rfind("lup", 0) == 0)
                v.push_back(e);
        return v;
    }
};
} // namespace

TEST(Wnd, CaptureTakesTheMouseOfTheWholeProgramUntilReleased)
{
    TwoWindows w;
    w.a.SetCapture();
    w.ClickAt(QPoint(75, 20));
    // In a's client coordinates.
    EXPECT_EQ(TwoWindows::Buttons(w.a), (std::vector<std::string>{"ldown 1 75,20", "lup 0 75,20"}));
    EXPECT_TRUE(TwoWindows::Buttons(w.b).empty());
    CWnd::ReleaseCapture();
    w.ClickAt(QPoint(75, 20));
    EXPECT_TRUE(w.b.Has("ldown 1 25,20"));
}

TEST(Wnd, AWindowThatCannotTakeInputLosesTheCapture)
{
    {
        // Hidden under the pointer.
        TwoWindows w;
        w.a.SetCapture();
        w.a.ShowWindow(SW_HIDE);
        w.ClickAt(QPoint(75, 20));
        EXPECT_TRUE(w.b.Has("ldown 1 25,20"));
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
    }
    {
        // Blocked by a modal dialog, whose button still takes the click.
        TwoWindows w;
        w.a.SetCapture();
        QDialog modal;
        auto* button = new QPushButton(QStringLiteral("Cancel"), &modal);
        button->setGeometry(10, 10, 80, 30);
        bool clicked = false;
        QObject::connect(button, &QPushButton::clicked, [&] { clicked = true; });
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QApplication::setActiveWindow(&modal);
        QTest::mouseClick(modal.windowHandle(), Qt::LeftButton, {}, QPoint(50, 25));
        EXPECT_TRUE(clicked);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_TRUE(TwoWindows::Buttons(w.a).empty());
    }
}

TEST(Wnd, KeysTheWindowDoesNotUseGoOnToItsParent)
{
    // The host hears what its children leave.
    struct Host : QDialog {
        std::vector<int> keys;
        void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
    } host;
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 50, 50), &host, 1);
    host.show();
    // The probe's own key handler uses every key.
    QTest::keyClick(wnd.GetSafeHwnd(), Qt::Key_F5);
    EXPECT_TRUE(host.keys.empty());
    wnd.log.clear();
    // In a dialog, Escape and Enter are the dialog's unless the window asks for every key.
    QTest::keyClick(wnd.GetSafeHwnd(), Qt::Key_Escape);
    QTest::keyClick(wnd.GetSafeHwnd(), Qt::Key_Return);
    EXPECT_EQ(host.keys, (std::vector<int>{Qt::Key_Escape, Qt::Key_Return}));
    EXPECT_TRUE(wnd.log.empty());
    wnd.dlgCode = DLGC_WANTALLKEYS;
    QTest::keyClick(wnd.GetSafeHwnd(), Qt::Key_Escape);
    EXPECT_EQ(host.keys.size(), 2u);
    EXPECT_TRUE(wnd.Has("key " + std::to_string(VK_ESCAPE)));

    // A window that leaves a key to default handling passes it on when it typed nothing.
    CWnd plain;
    plain.Create(L"Plain", nullptr, WS_CHILD | WS_VISIBLE, CRect(50, 0, 100, 50), &host, 2);
    QTest::keyClick(plain.GetSafeHwnd(), Qt::Key_F5);
    EXPECT_EQ(host.keys.back(), Qt::Key_F5);
    host.keys.clear();
    QTest::keyClick(plain.GetSafeHwnd(), Qt::Key_A);
    EXPECT_TRUE(host.keys.empty());
}

TEST(Wnd, TimersCallOnTimerWithTheirId)
{
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, 0, CRect(0, 0, 10, 10), static_cast<QWidget*>(nullptr), 1);
    EXPECT_EQ(wnd.SetTimer(513, 5), 513u);
    (void)QTest::qWaitFor([&] { return wnd.Has("timer 513"); }, 2000);
    EXPECT_TRUE(wnd.Has("timer 513"));
    EXPECT_TRUE(wnd.KillTimer(513));
    EXPECT_FALSE(wnd.KillTimer(513));
}

TEST(Wnd, NotificationsGoToTheOwnerElseTheParent)
{
    HostWidget host;
    CProbeWnd parentWnd;
    parentWnd.Create(L"Probe", nullptr, WS_CHILD, CRect(0, 0, 50, 50), &host, 5);
    CProbeWnd child;
    child.Create(L"Probe", nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parentWnd, 100);

    // The parent window hears it and its answer comes back.
    EXPECT_EQ(Notify(child, NM_CLICK), 7);
    EXPECT_TRUE(parentWnd.Has("notify 100 -2"));
    EXPECT_EQ(child.GetParent(), &parentWnd);

    // With an owner set, only the owner hears it.
    CProbeWnd owner;
    child.SetOwner(&owner);
    parentWnd.log.clear();
    Notify(child, NM_DBLCLK);
    EXPECT_TRUE(owner.Has("notify 100 -3"));
    EXPECT_TRUE(parentWnd.log.empty());

    // A Qt widget that receives notifications can be the parent.
    CProbeWnd direct;
    direct.Create(L"Probe", nullptr, WS_CHILD, CRect(0, 0, 10, 10), &host, 100);
    EXPECT_EQ(Notify(direct, LVN_BEGINLABELEDITW), -1);
    ASSERT_EQ(host.codes.size(), 1u);
    EXPECT_EQ(static_cast<int>(host.codes[0]), -175);

    // No receiver anywhere: the notification counts as 0.
    CProbeWnd lonely;
    lonely.Create(L"Probe", nullptr, 0, CRect(0, 0, 10, 10), static_cast<QWidget*>(nullptr), 100);
    EXPECT_EQ(Notify(lonely, NM_CLICK), 0);
}

TEST(Wnd, PostedMessagesArriveLaterAndOnlyWhileTheWindowLives)
{
    CProbeWnd wnd;
    wnd.Create(L"Probe", nullptr, 0, CRect(0, 0, 10, 10), static_cast<QWidget*>(nullptr), 1);
    wnd.PostMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_FALSE(wnd.Has("vscroll 1 0"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd.Has("vscroll 1 0"));

    wnd.log.clear();
    wnd.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    wnd.DestroyWindow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd.log.empty());
}
