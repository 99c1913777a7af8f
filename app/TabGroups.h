#pragma once
// The main window's child windows as tab groups: each group is a tabbed MDI area, and the
// groups stand side by side (vertical groups) or one above another (horizontal groups)
// in a splitter. New windows open in the active group; the commands of the Window menu
// and of the tab-drop menu move the active window into a new group or a neighbouring
// one, and a group that loses its last window goes.
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/wnd/DeferredCall.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTabBar;

class CTabGroups : public QWidget {
    Q_OBJECT
public:
    // What the tab commands may do at the moment.
    enum Allowed : unsigned {
        ALLOW_NEW_HORZ_GROUP = 1,
        ALLOW_NEW_VERT_GROUP = 2,
        ALLOW_MOVE_NEXT = 4,
        ALLOW_MOVE_PREV = 8,
    };
    // How the groups stand; none while there is one group.
    enum Alignment { ALIGN_NONE, ALIGN_HORZ, ALIGN_VERT };

    explicit CTabGroups(QWidget* parent = nullptr);
    ~CTabGroups() override;

    // The commands the tab menus offer: the action of a command id, how a command is run
    // (after the menu has closed), and the update of the commands' states.
    std::function<QAction*(int)> m_fnAction;
    std::function<void(int)> m_fnRunCommand;
    std::function<void()> m_fnUpdateCommands;

    const std::vector<QMdiArea*>& Groups() const { return m_vGroups; }
    int GroupCount() const { return static_cast<int>(m_vGroups.size()); }
    // The group of the active window, where new windows open.
    QMdiArea* ActiveGroup() const;
    // The group holding the window, -1 when none does.
    int GroupOf(const QMdiSubWindow* pWindow) const;
    Alignment GetAlignment() const { return m_Alignment; }
    QSplitter* Splitter() const { return m_pSplitter; }

    void AddSubWindow(QMdiSubWindow* pWindow);
    // Activates the window in its group and makes that group the active one.
    void SetActiveSubWindow(QMdiSubWindow* pWindow);
    // The active window: the current window of the active group, else the one activated
    // last there that is still open (Qt has no current window before the main window is
    // first activated), else the same in the other groups.
    QMdiSubWindow* ActiveSubWindow() const;
    // Every window, group by group, each group in its tab order.
    QList<QMdiSubWindow*> SubWindows() const;
    // The open windows of a group (closed ones wait to be deleted).
    QList<QMdiSubWindow*> OpenWindows(const QMdiArea* pGroup) const;

    unsigned GetAllowedItems() const;
    // "New &Horizontal Tab Group", "New &Vertical Tab Group", "Move to Ne&xt Tab Group",
    // "Move to P&revious Tab Group": false when the command is not allowed now.
    bool NewHorizontalGroup();
    bool NewVerticalGroup();
    bool MoveToNextGroup();
    bool MoveToPrevGroup();

    // The tab-drop menu (401): the commands allowed now, for a tab dropped at the point.
    void ShowTabDropMenu(const QPoint& globalPos);
    // Shows a popup and returns the chosen action; tests replace it so no menu blocks.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;
    static void SetMenuRunner(MenuRunner runner);

signals:
    // A window of some group was activated (none: a group has no active window now).
    void subWindowActivated(QMdiSubWindow* pWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QMdiArea* MakeGroup();
    void InsertGroup(QMdiArea* pGroup, int index);
    bool NewGroup(Alignment alignment);
    bool MoveTo(int groupIndex);
    void MoveWindow(QMdiSubWindow* pWindow, QMdiArea* pTo);
    void RemoveEmptyGroups();
    void ScheduleRemoveEmptyGroups();
    void ScheduleMaximize();
    void MaximizeCurrentWindows();
    void SetActiveGroup(QMdiArea* pGroup);
    QMdiArea* GroupOfWidget(const QWidget* pWidget) const;
    QMdiSubWindow* WindowOfTab(const QTabBar* pTabs, int index) const;
    void ShowTabMenu(QTabBar* pTabs, const QPoint& pos);
    QAction* RunMenu(QMenu& menu, const QPoint& globalPos);

    QSplitter* m_pSplitter = nullptr;
    std::vector<QMdiArea*> m_vGroups;
    QPointer<QMdiArea> m_pActive;
    Alignment m_Alignment = ALIGN_NONE;
    CDeferredCall m_RemoveEmptyGroups{this, [this] { RemoveEmptyGroups(); }};
    CDeferredCall m_Maximize{this, [this] { MaximizeCurrentWindows(); }};
    // A press on a tab that may end as a drop outside its bar.
    QPointer<QTabBar> m_pPressedTabs;
    int m_nPressedTab = -1;
};
