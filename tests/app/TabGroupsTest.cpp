// The main window's tab groups: the four Window commands, the tab-drop menu, and the
// active window and document wherever it stands.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QSplitter>
#include <QTabBar>
#include <QTest>
#include <gmock/gmock.h>

#include "AppTestUtil.h"
#include "ModalAnswer.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/TabGroups.h"
#include "app/doc/QELDoc.h"

using namespace qeltest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class TabGroups : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        for (int i = 1; i <= 3; ++i)
            AddResult(i);
        ProcessEvents();
    }
    void TearDown() override
    {
        CTabGroups::SetMenuRunner(nullptr);
        AppFixture::TearDown();
    }

    CChildFrame* AddResult(int i)
    {
        return Frame().AddChildFrame(app->GetDocument(), new QLabel(QStringLiteral("Result %1").arg(i)), false,
                                     std::to_wstring(i) + L" - result");
    }
    CTabGroups& Groups() { return *Frame().GetTabGroups(); }
    CChildFrame* Window(const QString& title)
    {
        for (CChildFrame* f : Frame().GetChildFrames(app->GetDocument()))
            if (f->windowTitle() == title)
                return f;
        ADD_FAILURE() << "no window " << title.toStdString();
        return nullptr;
    }
    // The windows' titles, group by group.
    std::vector<QStringList> Layout()
    {
        ProcessEvents();
        std::vector<QStringList> layout;
        for (QMdiArea* group : Groups().Groups()) {
            QStringList titles;
            for (QMdiSubWindow* w : Groups().OpenWindows(group))
                titles << w->windowTitle();
            layout.push_back(titles);
            // The window in front fills its group, without a frame of its own.
            if (QMdiSubWindow* front = group->currentSubWindow()) {
                EXPECT_TRUE(front->isMaximized()) << front->windowTitle().toStdString();
            }
        }
        return layout;
    }
    // Which of the four commands the Window menu offers now.
    std::vector<int> Enabled()
    {
        Frame().UpdateCommandUI();
        std::vector<int> ids;
        for (int nID :
             {ID_MDI_NEW_HORZ_TAB_GROUP, ID_MDI_NEW_VERT_GROUP, ID_MDI_MOVE_TO_NEXT_GROUP, ID_MDI_MOVE_TO_PREV_GROUP})
            if (Frame().GetCommandAction(nID)->isEnabled())
                ids.push_back(nID);
        return ids;
    }
    void Activate(const QString& title) { Groups().SetActiveSubWindow(Window(title)); }
    QString ActiveTitle() { return Frame().GetActiveChild() ? Frame().GetActiveChild()->windowTitle() : QString(); }
};

const QString kCase = QStringLiteral("QEL_config1");

}

TEST_F(TabGroups, WindowsMoveBetweenGroupsAsTheCommandsAllow)
{
    ASSERT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result", "2 - result", "3 - result"}}));
    EXPECT_EQ(ActiveTitle(), "3 - result");
    // One group of four: a new group either way, nowhere to move to.
    EXPECT_THAT(Enabled(), ElementsAre(ID_MDI_NEW_HORZ_TAB_GROUP, ID_MDI_NEW_VERT_GROUP));
    EXPECT_FALSE(Frame().ExecuteCommand(ID_MDI_MOVE_TO_NEXT_GROUP));

    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_VERT_GROUP));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result", "2 - result"}, {"3 - result"}}));
    EXPECT_EQ(Groups().Splitter()->orientation(), Qt::Horizontal); // side by side
    EXPECT_EQ(ActiveTitle(), "3 - result");
    EXPECT_EQ(Frame().GetActiveDoc(), app->GetDocument());
    EXPECT_EQ(Frame().GetMdiArea(), Groups().Groups()[1]);
    // Alone in the last group: it can only go back.
    EXPECT_THAT(Enabled(), ElementsAre(ID_MDI_MOVE_TO_PREV_GROUP));

    // The groups stand one way: from the first group only another vertical group.
    Activate("2 - result");
    EXPECT_THAT(Enabled(), ElementsAre(ID_MDI_NEW_VERT_GROUP, ID_MDI_MOVE_TO_NEXT_GROUP));
    EXPECT_FALSE(Frame().ExecuteCommand(ID_MDI_NEW_HORZ_TAB_GROUP));

    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_MOVE_TO_NEXT_GROUP));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result"}, {"3 - result", "2 - result"}}));
    EXPECT_EQ(ActiveTitle(), "2 - result");

    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_VERT_GROUP));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result"}, {"3 - result"}, {"2 - result"}}));
    Activate("3 - result");
    EXPECT_THAT(Enabled(), ElementsAre(ID_MDI_MOVE_TO_NEXT_GROUP, ID_MDI_MOVE_TO_PREV_GROUP));
    SaveScreenshot(&Frame(), "tab-groups.png");

    // A group that loses its last window goes.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_MOVE_TO_PREV_GROUP));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result", "3 - result"}, {"2 - result"}}));
    Activate("2 - result");
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_MOVE_TO_PREV_GROUP));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result", "3 - result", "2 - result"}}));
    EXPECT_EQ(Groups().GetAlignment(), CTabGroups::ALIGN_NONE);

    // One group again: horizontal groups, one above another, are offered once more.
    EXPECT_THAT(Enabled(), ElementsAre(ID_MDI_NEW_HORZ_TAB_GROUP, ID_MDI_NEW_VERT_GROUP));
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_HORZ_TAB_GROUP));
    EXPECT_EQ(Groups().Splitter()->orientation(), Qt::Vertical);
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "1 - result", "3 - result"}, {"2 - result"}}));
    SaveScreenshot(&Frame(), "tab-groups-horizontal.png");
}

TEST_F(TabGroups, TheActiveCaseIsFoundInAnyGroup)
{
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_HORZ_TAB_GROUP));
    Activate("1 - result");
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_HORZ_TAB_GROUP));
    ASSERT_EQ(Layout(), (std::vector<QStringList>{{kCase, "2 - result"}, {"1 - result"}, {"3 - result"}}));

    // A click in a group makes it the active one, even on a tab that is current there.
    QTabBar* tabs = Groups().Groups()[2]->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(ActiveTitle(), "3 - result");
    EXPECT_EQ(Frame().GetActiveDoc(), app->GetDocument());

    // A new result window opens in the active group.
    AddResult(4);
    EXPECT_EQ(Layout(),
              (std::vector<QStringList>{{kCase, "2 - result"}, {"1 - result"}, {"3 - result", "4 - result"}}));

    // "Close All Tabs" reaches the case's windows in every group; the emptied groups go.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_WINDOW_CLOSE_ALL_TABS));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase}}));
    EXPECT_EQ(ActiveTitle(), kCase);
    EXPECT_THAT(Enabled(), IsEmpty());
}

TEST_F(TabGroups, ATabDroppedOffItsBarOffersWhatIsAllowed)
{
    std::vector<QStringList> offered;
    QString choose;
    CTabGroups::SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        QStringList texts;
        QAction* chosen = nullptr;
        for (QAction* a : menu.actions()) {
            texts << a->text();
            if (a->text() == choose)
                chosen = a;
        }
        offered.push_back(texts);
        return chosen;
    });
    const auto dropTab = [&](int group, int tab) {
        QTabBar* tabs = Groups().Groups()[group]->findChild<QTabBar*>();
        ASSERT_NE(tabs, nullptr);
        const QPoint from = tabs->tabRect(tab).center();
        const QPoint to = from + QPoint(0, tabs->height() + 120);
        QTest::mousePress(tabs, Qt::LeftButton, {}, from);
        QTest::mouseMove(tabs, to);
        QTest::mouseRelease(tabs, Qt::LeftButton, {}, to);
        ProcessEvents(); // the menu comes once the bar is done with the drag
        ProcessEvents(); // and the command once the menu is
    };

    choose = QStringLiteral("New &Vertical Tab Group");
    dropTab(0, 1);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], (QStringList{"New &Horizontal Tab Group", "New &Vertical Tab Group"}));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "2 - result", "3 - result"}, {"1 - result"}}));

    // Alone in the last group, the dropped tab can only go back.
    choose = QStringLiteral("Move to P&revious Tab Group");
    dropTab(1, 0);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], (QStringList{"Move to P&revious Tab Group"}));
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "2 - result", "3 - result", "1 - result"}}));

    // A tab let go on its own bar is no drop; nothing chosen leaves the windows as they were.
    QTabBar* tabs = Groups().Groups()[0]->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    ProcessEvents();
    EXPECT_EQ(offered.size(), 2u);
    choose.clear();
    dropTab(0, 2);
    EXPECT_EQ(offered.size(), 3u);
    EXPECT_EQ(Layout(), (std::vector<QStringList>{{kCase, "2 - result", "3 - result", "1 - result"}}));
}

TEST_F(TabGroups, TheWindowsDialogListsEveryGroup)
{
    ASSERT_TRUE(Frame().ExecuteCommand(ID_MDI_NEW_VERT_GROUP));
    QStringList listed;
    ModalAnswer answer([&](QDialog& dlg) {
        if (auto* list = dlg.findChild<QListWidget*>())
            for (int i = 0; i < list->count(); ++i)
                listed << list->item(i)->text();
        dlg.accept();
    });
    Frame().OnWindowManager();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(listed, (QStringList{kCase, "1 - result", "2 - result", "3 - result"}));
}
