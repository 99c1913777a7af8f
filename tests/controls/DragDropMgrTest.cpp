#include "controls/dragdrop/DragDropMgr.h"
#include "controls/dragdrop/DragDropText.h"
#include "platform/win/Keys.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
int g_liveTexts = 0;

class CCountedText : public CDragDropText {
public:
    explicit CCountedText(std::wstring text) : CDragDropText(std::move(text)) { ++g_liveTexts; }
    ~CCountedText() override { --g_liveTexts; }
};

struct Received {
    UINT message;
    WPARAM wParam;
    HWND source;
    HWND target;
    std::wstring data; // the dragged text as the owner saw it, or "-" without data
    QPoint pt;
};

// Two lists and an edit: list 1001 is source and target, list 1002 target only, edit 1003
// source only. The dialog answers a drag start with the selected row's text.
class CDragDialog : public QWidget, public CMessageReceiver {
public:
    enum Answer { Accept, Refuse, RefuseWithData, AcceptWithoutData };
    Answer answer = Accept;
    std::vector<Received> received;
    QListWidget from{this};
    QListWidget to{this};
    QLineEdit edit{this};
    CDragDropMgr mgr;

    CDragDialog()
    {
        resize(400, 300);
        from.setGeometry(10, 10, 150, 200);
        to.setGeometry(200, 10, 150, 200);
        edit.setGeometry(10, 250, 150, 25);
        from.setProperty("ctrlId", 1001);
        to.setProperty("ctrlId", 1002);
        edit.setProperty("ctrlId", 1003);
        for (const char* s : {"1 - HA lane", "2 - HB 45 units", "3 - Proposed vehicle"})
            from.addItem(s);
        static const DRAGDROPWND table[] = {
            {1001, DDW_SOURCE | DDW_TARGET}, {1002, DDW_TARGET}, {1003, DDW_SOURCE}, {0, 0}};
        mgr.Install(this, table);
        show();
        QApplication::setActiveWindow(this);
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto* info = reinterpret_cast<DRAGDROPINFO*>(lParam);
        if (message == WM_DD_DRAGENTER) {
            if (answer == Accept || answer == RefuseWithData)
                info->pData = new CCountedText(from.currentItem() ? from.currentItem()->text().toStdWString() : L"");
        }
        received.push_back({message, wParam, info->hwndSource, info->hwndTarget,
                            info->pData ? info->pData->GetText() : std::wstring(L"-"), QPoint(info->pt.x, info->pt.y)});
        if (message == WM_DD_DRAGENTER)
            return answer == Accept || answer == AcceptWithoutData ? 1 : 0;
        return 0;
    }

    // A point of another window in the source list's client coordinates (where the mouse is held).
    QPoint FromPoint(QWidget* w, QPoint p) const { return from.viewport()->mapFrom(this, w->mapTo(this, p)); }
    QPoint RowPoint(int row) const { return from.visualItemRect(from.item(row)).center(); }
    void Press(QPoint p) { QTest::mousePress(from.viewport(), Qt::LeftButton, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(from.viewport(), p); }
    void Release(QPoint p) { QTest::mouseRelease(from.viewport(), Qt::LeftButton, {}, p); }
    void StartDrag()
    {
        const QPoint p = RowPoint(1);
        Press(p);
        Move(p + QPoint(20, 0));
    }
};
} // namespace

TEST(DragDropMgr, ClickWithinTheThresholdIsAnOrdinaryClick)
{
    CDragDialog dlg;
    QSignalSpy clicked(&dlg.from, &QListWidget::itemClicked);
    const QPoint p = dlg.RowPoint(2);
    dlg.Press(p);
    dlg.Move(p + QPoint(GetSystemMetrics(SM_CXDRAG) - 1, GetSystemMetrics(SM_CYDRAG)));
    EXPECT_EQ(dlg.mgr.GetState(), 1);
    dlg.Release(p);
    EXPECT_TRUE(dlg.received.empty());
    EXPECT_EQ(dlg.mgr.GetState(), 0);
    EXPECT_EQ(dlg.from.currentRow(), 2);
    EXPECT_EQ(clicked.count(), 1); // the list had both the press and the release
}

TEST(DragDropMgr, DragFromOneListAndDropOnTheOther)
{
    CDragDialog dlg;
    const QPoint press = dlg.RowPoint(1);
    dlg.Press(press);
    EXPECT_EQ(dlg.from.currentRow(), 1);
    dlg.Move(press + QPoint(0, GetSystemMetrics(SM_CYDRAG) + 1));
    ASSERT_EQ(dlg.received.size(), 1u);
    const Received& enter = dlg.received[0];
    EXPECT_EQ(enter.message, WM_DD_DRAGENTER);
    EXPECT_EQ(enter.wParam, 1001u);
    EXPECT_EQ(enter.source, &dlg.from);
    EXPECT_EQ(enter.target, nullptr);
    EXPECT_EQ(enter.pt, press);
    ASSERT_TRUE(dlg.mgr.IsDragging());
    ASSERT_NE(CImageList::GetDragImageWindow(), nullptr);
    EXPECT_TRUE(CImageList::GetDragImageWindow()->isVisible());

    // Over the other list: the arrow cursor, the point in the dialog's coordinates.
    const QPoint overTo = dlg.FromPoint(dlg.to.viewport(), QPoint(30, 40));
    dlg.Move(overTo);
    const Received& over = dlg.received.back();
    EXPECT_EQ(over.message, WM_DD_DRAGOVER);
    EXPECT_EQ(over.wParam, 0u);
    EXPECT_EQ(over.target, &dlg.to);
    EXPECT_EQ(over.pt, dlg.to.viewport()->mapTo(&dlg, QPoint(30, 40)));
    EXPECT_EQ(dlg.from.viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(CImageList::GetDragImageWindow()->pos(), dlg.from.viewport()->mapToGlobal(overTo));
    // Over the edit, a source only: no drop there.
    dlg.Move(dlg.FromPoint(&dlg.edit, QPoint(5, 5)));
    EXPECT_EQ(dlg.received.back().target, &dlg.edit);
    EXPECT_EQ(dlg.from.viewport()->cursor().shape(), Qt::ForbiddenCursor);

    dlg.Move(overTo);
    dlg.Release(overTo);
    const Received& drop = dlg.received.back();
    EXPECT_EQ(drop.message, WM_DD_DRAGDROP);
    EXPECT_EQ(drop.wParam, 1002u);
    EXPECT_EQ(drop.data, L"2 - HB 45 units");
    EXPECT_EQ(drop.pt, QPoint(30, 40)); // in the target's client coordinates
    EXPECT_EQ(dlg.mgr.GetState(), 0);
    EXPECT_EQ(CImageList::GetDragImageWindow(), nullptr);
    EXPECT_FALSE(dlg.from.viewport()->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(g_liveTexts, 0);
}

TEST(DragDropMgr, ReleaseAwayFromADropTargetAborts)
{
    CDragDialog dlg;
    for (QPoint where : {dlg.FromPoint(&dlg.edit, QPoint(5, 5)), dlg.FromPoint(&dlg, QPoint(380, 280))}) {
        dlg.received.clear();
        dlg.StartDrag();
        ASSERT_TRUE(dlg.mgr.IsDragging());
        dlg.Move(where);
        dlg.Release(where);
        ASSERT_FALSE(dlg.received.empty());
        EXPECT_EQ(dlg.received.back().message, WM_DD_DRAGABORT);
        EXPECT_EQ(dlg.received.back().wParam, 1001u);
        EXPECT_EQ(dlg.received.back().data, L"2 - HB 45 units");
        EXPECT_EQ(dlg.mgr.GetState(), 0);
        EXPECT_EQ(g_liveTexts, 0);
    }
}

TEST(DragDropMgr, EscapeAbortsBeforeAndDuringTheDrag)
{
    CDragDialog dlg;
    const QPoint p = dlg.RowPoint(0);
    dlg.Press(p);
    QTest::keyClick(&dlg.from, Qt::Key_Escape);
    ASSERT_EQ(dlg.received.size(), 1u);
    EXPECT_EQ(dlg.received[0].message, WM_DD_DRAGABORT);
    EXPECT_EQ(dlg.received[0].data, L"-");
    EXPECT_EQ(dlg.mgr.GetState(), 0);
    dlg.Release(p);

    dlg.received.clear();
    dlg.StartDrag();
    QTest::keyClick(&dlg.from, Qt::Key_Escape);
    EXPECT_EQ(dlg.received.back().message, WM_DD_DRAGABORT);
    EXPECT_EQ(dlg.mgr.GetState(), 0);
    EXPECT_EQ(CImageList::GetDragImageWindow(), nullptr);
    EXPECT_EQ(g_liveTexts, 0);
    // Escape when nothing is tracked is the dialog's.
    MSG escape{&dlg.from, WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_FALSE(dlg.mgr.PreTranslateMessage(&escape));
}

TEST(DragDropMgr, OwnerRefusingTheDragEndsTracking)
{
    for (CDragDialog::Answer answer :
         {CDragDialog::Refuse, CDragDialog::RefuseWithData, CDragDialog::AcceptWithoutData}) {
        CDragDialog dlg;
        dlg.answer = answer;
        dlg.StartDrag();
        ASSERT_EQ(dlg.received.size(), 1u) << answer;
        EXPECT_EQ(dlg.mgr.GetState(), 0) << answer;
        EXPECT_EQ(g_liveTexts, 0) << answer;
        // Further moves and the release are the list's again.
        dlg.Move(dlg.RowPoint(2));
        dlg.Release(dlg.RowPoint(2));
        EXPECT_EQ(dlg.received.size(), 1u);
    }
}

TEST(DragDropMgr, DragImageOfTextIsAtMost64PixelsWide)
{
    QListWidget source;
    const QFontMetrics fm(source.font());
    CDragDropText shortText(L"HA");
    CRect rc;
    std::unique_ptr<CImageList> list(shortText.CreateDragImage(&source, &rc));
    ASSERT_TRUE(list);
    EXPECT_EQ(rc.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(rc.Width(), fm.horizontalAdvance("HA"));
    EXPECT_EQ(rc.Height(), fm.height());
    const QImage img = list->GetImage(0);
    ASSERT_EQ(img.size(), QSize(rc.Width(), rc.Height()));
    // The background is the highlight colour.
    int highlight = 0;
    for (int x = 0; x < img.width(); ++x)
        highlight += FromQRgb(img.pixel(x, 0)) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(highlight, 0);

    CDragDropText longText(L"3 - Proposed vehicle with a long description");
    std::unique_ptr<CImageList> wide(longText.CreateDragImage(&source, &rc));
    EXPECT_EQ(rc.Width(), 64);
    EXPECT_EQ(wide->GetImage(0).width(), 64);
}
