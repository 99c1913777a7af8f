#include "app/TabGroups.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppIds.h"
#include "app/ChildFrame.h"

namespace {

CTabGroups::MenuRunner& Runner()
{
    static CTabGroups::MenuRunner runner;
    return runner;
}

// A window closed and waiting to be deleted is no longer one of its group's tabs.
bool IsOpen(const QMdiSubWindow* pWindow)
{
    const auto* pFrame = qobject_cast<const CChildFrame*>(pWindow);
    return pWindow && (!pFrame || !pFrame->IsClosed());
}

}

CTabGroups::CTabGroups(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabGroups"));
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName(QStringLiteral("TabGroupSplitter"));
    m_pSplitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pSplitter);
    InsertGroup(MakeGroup(), 0);
    m_pActive = m_vGroups.front();

    // The group the user works in is the active one, whether a click or the keyboard took
    // him there; a click on a tab that is current already activates no window.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (QMdiArea* group = GroupOfWidget(now))
            SetActiveGroup(group);
    });
}

CTabGroups::~CTabGroups()
{
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // The groups (removed ones waiting to be deleted among them), their tab bars and their
    // windows go after this part is gone: nothing of theirs may reach back here.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void CTabGroups::SetMenuRunner(MenuRunner runner)
{
    Runner() = std::move(runner);
}

QMdiArea* CTabGroups::MakeGroup()
{
    auto* group = new QMdiArea;
    group->setObjectName(QStringLiteral("MdiArea"));
    group->setViewMode(QMdiArea::TabbedView);
    group->setTabsClosable(true);
    group->setTabsMovable(true);
    group->setDocumentMode(true);
    connect(group, &QMdiArea::subWindowActivated, this, [this, group](QMdiSubWindow* pWindow) {
        if (pWindow)
            m_pActive = group;
        else
            ScheduleRemoveEmptyGroups(); // its last window may have closed
        emit subWindowActivated(ActiveSubWindow());
    });
    if (auto* tabs = group->findChild<QTabBar*>()) {
        // Menu 400: "Close Tab" and "Close All Tabs".
        tabs->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tabs, &QTabBar::customContextMenuRequested, this,
                [this, tabs](const QPoint& pos) { ShowTabMenu(tabs, pos); });
    }
    return group;
}

void CTabGroups::InsertGroup(QMdiArea* pGroup, int index)
{
    m_pSplitter->insertWidget(index, pGroup);
    m_vGroups.insert(m_vGroups.begin() + index, pGroup);
}

QMdiArea* CTabGroups::ActiveGroup() const
{
    if (m_pActive && std::find(m_vGroups.begin(), m_vGroups.end(), m_pActive.data()) != m_vGroups.end())
        return m_pActive;
    return m_vGroups.front();
}

int CTabGroups::GroupOf(const QMdiSubWindow* pWindow) const
{
    for (size_t i = 0; i < m_vGroups.size(); ++i)
        if (m_vGroups[i]->subWindowList().contains(pWindow))
            return static_cast<int>(i);
    return -1;
}

QMdiArea* CTabGroups::GroupOfWidget(const QWidget* pWidget) const
{
    for (const QWidget* w = pWidget; w; w = w->parentWidget())
        if (w == this)
            break;
        else if (auto it = std::find(m_vGroups.begin(), m_vGroups.end(), w); it != m_vGroups.end())
            return *it;
    return nullptr;
}

void CTabGroups::SetActiveGroup(QMdiArea* pGroup)
{
    if (!pGroup || pGroup == m_pActive)
        return;
    m_pActive = pGroup;
    emit subWindowActivated(ActiveSubWindow());
}

void CTabGroups::AddSubWindow(QMdiSubWindow* pWindow)
{
    ActiveGroup()->addSubWindow(pWindow);
    connect(pWindow, &QObject::destroyed, this, &CTabGroups::ScheduleRemoveEmptyGroups, Qt::UniqueConnection);
}

void CTabGroups::SetActiveSubWindow(QMdiSubWindow* pWindow)
{
    const int index = GroupOf(pWindow);
    if (index < 0)
        return;
    m_pActive = m_vGroups[index];
    m_vGroups[index]->setActiveSubWindow(pWindow);
    emit subWindowActivated(ActiveSubWindow());
}

QMdiSubWindow* CTabGroups::ActiveSubWindow() const
{
    std::vector<QMdiArea*> order{ActiveGroup()};
    for (QMdiArea* group : m_vGroups)
        if (group != order.front())
            order.push_back(group);
    for (QMdiArea* group : order) {
        if (QMdiSubWindow* current = group->currentSubWindow(); IsOpen(current))
            return current;
        const QList<QMdiSubWindow*> history = group->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = history.rbegin(); it != history.rend(); ++it)
            if (IsOpen(*it))
                return *it;
    }
    return nullptr;
}

QList<QMdiSubWindow*> CTabGroups::SubWindows() const
{
    QList<QMdiSubWindow*> windows;
    for (QMdiArea* group : m_vGroups)
        windows += group->subWindowList();
    return windows;
}

QList<QMdiSubWindow*> CTabGroups::OpenWindows(const QMdiArea* pGroup) const
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : pGroup->subWindowList())
        if (IsOpen(w))
            windows.push_back(w);
    return windows;
}

// ---------------------------------------------------------------- the commands

unsigned CTabGroups::GetAllowedItems() const
{
    QMdiArea* group = ActiveGroup();
    QMdiSubWindow* active = ActiveSubWindow();
    if (!active || GroupOf(active) < 0 || m_vGroups[GroupOf(active)] != group)
        return 0;
    unsigned allowed = 0;
    // A new group takes a tab of a group that keeps one; all groups stand one way.
    if (OpenWindows(group).size() > 1) {
        if (m_Alignment != ALIGN_HORZ)
            allowed |= ALLOW_NEW_VERT_GROUP;
        if (m_Alignment != ALIGN_VERT)
            allowed |= ALLOW_NEW_HORZ_GROUP;
    }
    const int index = GroupOf(active);
    if (index > 0)
        allowed |= ALLOW_MOVE_PREV;
    if (index + 1 < GroupCount())
        allowed |= ALLOW_MOVE_NEXT;
    return allowed;
}

bool CTabGroups::NewHorizontalGroup()
{
    return (GetAllowedItems() & ALLOW_NEW_HORZ_GROUP) && NewGroup(ALIGN_HORZ);
}

bool CTabGroups::NewVerticalGroup()
{
    return (GetAllowedItems() & ALLOW_NEW_VERT_GROUP) && NewGroup(ALIGN_VERT);
}

bool CTabGroups::MoveToNextGroup()
{
    return (GetAllowedItems() & ALLOW_MOVE_NEXT) && MoveTo(GroupOf(ActiveSubWindow()) + 1);
}

bool CTabGroups::MoveToPrevGroup()
{
    return (GetAllowedItems() & ALLOW_MOVE_PREV) && MoveTo(GroupOf(ActiveSubWindow()) - 1);
}

bool CTabGroups::NewGroup(Alignment alignment)
{
    QMdiSubWindow* window = ActiveSubWindow();
    const int index = GroupOf(window);
    if (index < 0)
        return false;
    if (m_Alignment == ALIGN_NONE) {
        m_Alignment = alignment;
        // Horizontal groups lie one above another, vertical ones side by side.
        m_pSplitter->setOrientation(alignment == ALIGN_HORZ ? Qt::Vertical : Qt::Horizontal);
    }
    QMdiArea* group = MakeGroup();
    InsertGroup(group, index + 1);
    // Every group gets the same share of the room, before the window moves: a maximised
    // window in a group that is still too small for it would come out as a plain one.
    const int room = m_pSplitter->orientation() == Qt::Horizontal ? m_pSplitter->width() : m_pSplitter->height();
    m_pSplitter->setSizes(QList<int>(GroupCount(), std::max(1, room / GroupCount())));
    MoveWindow(window, group);
    return true;
}

bool CTabGroups::MoveTo(int groupIndex)
{
    QMdiSubWindow* window = ActiveSubWindow();
    if (!window || groupIndex < 0 || groupIndex >= GroupCount())
        return false;
    MoveWindow(window, m_vGroups[groupIndex]);
    RemoveEmptyGroups();
    return true;
}

void CTabGroups::MoveWindow(QMdiSubWindow* pWindow, QMdiArea* pTo)
{
    const int from = GroupOf(pWindow);
    if (from < 0 || m_vGroups[from] == pTo)
        return;
    // Taken out, the window is a hidden window of its own until the other group takes it.
    QMdiArea* pFrom = m_vGroups[from];
    pFrom->removeSubWindow(pWindow);
    pTo->addSubWindow(pWindow);
    // A group passes its maximised state from one active window to the next; with its
    // active window gone, the next one would come up as a plain window with a frame.
    if (QMdiSubWindow* next = pFrom->currentSubWindow() ? pFrom->currentSubWindow() : pFrom->subWindowList().value(0)) {
        for (QMdiSubWindow* w : OpenWindows(pFrom))
            w->showMaximized();
        pFrom->setActiveSubWindow(next);
    }
    for (QMdiSubWindow* w : OpenWindows(pTo))
        w->showMaximized();
    m_pActive = pTo;
    pTo->setActiveSubWindow(pWindow);

    if (QWidget* view = pWindow->widget())
        view->setFocus();
    emit subWindowActivated(ActiveSubWindow());
}

void CTabGroups::ScheduleRemoveEmptyGroups()
{
    m_RemoveEmptyGroups.Schedule();
}

void CTabGroups::RemoveEmptyGroups()
{
    bool bRemoved = false;
    for (size_t i = 0; i < m_vGroups.size() && m_vGroups.size() > 1;) {
        QMdiArea* group = m_vGroups[i];
        if (!OpenWindows(group).isEmpty()) {
            ++i;
            continue;
        }
        // Closed windows still in it go with it; it may be inside one of its own events.
        disconnect(group, nullptr, this, nullptr);
        if (QTabBar* tabs = group->findChild<QTabBar*>())
            disconnect(tabs, nullptr, this, nullptr);
        m_vGroups.erase(m_vGroups.begin() + static_cast<std::ptrdiff_t>(i));
        if (m_pActive == group)
            m_pActive = m_vGroups[i > 0 ? i - 1 : 0];
        group->hide();
        group->deleteLater();
        bRemoved = true;
    }
    if (m_vGroups.size() == 1)
        m_Alignment = ALIGN_NONE;
    if (bRemoved)
        emit subWindowActivated(ActiveSubWindow());
}

// ---------------------------------------------------------------- the tab menus

QMdiSubWindow* CTabGroups::WindowOfTab(const QTabBar* pTabs, int index) const
{
    for (QMdiArea* group : m_vGroups)
        if (group->findChild<QTabBar*>() == pTabs) {
            const QList<QMdiSubWindow*> windows = group->subWindowList();
            return index >= 0 && index < windows.size() ? windows[index] : nullptr;
        }
    return nullptr;
}

QAction* CTabGroups::RunMenu(QMenu& menu, const QPoint& globalPos)
{
    return Runner() ? Runner()(menu, globalPos) : menu.exec(globalPos);
}

namespace {

// The menu's items copy the commands' texts and states; the chosen command runs once the
// menu and the event that opened it are done.
// A command not allowed now is left out of the menu, not greyed.
void AddItem(QMenu& menu, QAction* pCommand, int nID, const char* fallback)
{
    if (pCommand && !pCommand->isEnabled())
        return;
    QAction* item = menu.addAction(pCommand ? pCommand->text() : QString::fromLatin1(fallback));
    item->setData(nID);
}

}

void CTabGroups::ShowTabMenu(QTabBar* pTabs, const QPoint& pos)
{
    QMdiSubWindow* window = WindowOfTab(pTabs, pTabs->tabAt(pos));
    if (!window)
        return;
    SetActiveSubWindow(window);
    if (m_fnUpdateCommands)
        m_fnUpdateCommands();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("400"));
    const auto action = [this](int nID) { return m_fnAction ? m_fnAction(nID) : nullptr; };
    AddItem(menu, action(ID_WINDOW_CLOSE_TAB), ID_WINDOW_CLOSE_TAB, "Close &Tab");
    AddItem(menu, action(ID_WINDOW_CLOSE_ALL_TABS), ID_WINDOW_CLOSE_ALL_TABS, "Close &All Tabs");
    if (menu.isEmpty())
        return;
    QAction* chosen = RunMenu(menu, pTabs->mapToGlobal(pos));
    if (const int nID = chosen ? chosen->data().toInt() : 0; nID && m_fnRunCommand)
        QTimer::singleShot(0, this, [this, nID] { m_fnRunCommand(nID); });
}

void CTabGroups::ShowTabDropMenu(const QPoint& globalPos)
{
    // Only what may be done now is offered.
    const unsigned allowed = GetAllowedItems();
    if (!allowed)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("401"));
    const auto action = [this](int nID) { return m_fnAction ? m_fnAction(nID) : nullptr; };
    const struct {
        unsigned flag;
        int nID;
        const char* text;
    } items[] = {
        {ALLOW_NEW_HORZ_GROUP, ID_MDI_NEW_HORZ_TAB_GROUP, "New &Horizontal Tab Group"},
        {ALLOW_NEW_VERT_GROUP, ID_MDI_NEW_VERT_GROUP, "New &Vertical Tab Group"},
        {ALLOW_MOVE_NEXT, ID_MDI_MOVE_TO_NEXT_GROUP, "Move to Ne&xt Tab Group"},
        {ALLOW_MOVE_PREV, ID_MDI_MOVE_TO_PREV_GROUP, "Move to P&revious Tab Group"},
    };
    for (const auto& item : items)
        if (allowed & item.flag) {
            QAction* a = menu.addAction(action(item.nID) ? action(item.nID)->text() : QString::fromLatin1(item.text));
            a->setData(item.nID);
        }
    QAction* chosen = RunMenu(menu, globalPos);
    if (const int nID = chosen ? chosen->data().toInt() : 0; nID && m_fnRunCommand)
        QTimer::singleShot(0, this, [this, nID] { m_fnRunCommand(nID); });
}

void CTabGroups::ScheduleMaximize()
{
    m_Maximize.Schedule();
}

void CTabGroups::MaximizeCurrentWindows()
{
    for (QMdiArea* group : m_vGroups)
        if (QMdiSubWindow* current = group->currentSubWindow(); IsOpen(current) && !current->isMaximized())
            current->showMaximized();
}

bool CTabGroups::eventFilter(QObject* watched, QEvent* e)
{
    const QEvent::Type type = e->type();
    // A group that shrinks lets its window out of the maximised state (Qt's area does so
    // when a group is made smaller): once the sizes have settled it fills its group again.
    if (type == QEvent::Resize) {
        if (std::find(m_vGroups.begin(), m_vGroups.end(), watched) != m_vGroups.end())
            ScheduleMaximize();
        return QWidget::eventFilter(watched, e);
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, e);
    auto* widget = qobject_cast<QWidget*>(watched);
    QMdiArea* group = widget ? GroupOfWidget(widget) : nullptr;
    if (!group)
        return QWidget::eventFilter(watched, e);
    const auto* mouse = static_cast<QMouseEvent*>(e);
    auto* tabs = qobject_cast<QTabBar*>(widget);
    if (type == QEvent::MouseButtonPress) {
        SetActiveGroup(group);
        m_pPressedTabs = nullptr;
        // Only a press on a tab that shows: a tab scrolled off the bar cannot be taken.
        if (const QPoint at = mouse->position().toPoint();
            tabs && mouse->button() == Qt::LeftButton && tabs->rect().contains(at)) {
            m_pPressedTabs = tabs;
            m_nPressedTab = tabs->tabAt(at);
        }
    } else if (tabs && tabs == m_pPressedTabs && mouse->button() == Qt::LeftButton) {
        m_pPressedTabs = nullptr;
        // A tab dragged off its bar and let go: the bar ends its own drag first, then the
        // dropped tab's window is the active one and the tab-drop menu asks what to do.
        const int margin = QApplication::startDragDistance();
        if (m_nPressedTab >= 0 &&
            !tabs->rect().adjusted(-margin, -margin, margin, margin).contains(mouse->position().toPoint())) {
            const QPoint globalPos = mouse->globalPosition().toPoint();
            QPointer<QTabBar> dropped = tabs;
            QTimer::singleShot(0, this, [this, dropped, globalPos] {
                QMdiSubWindow* window = dropped ? WindowOfTab(dropped, dropped->currentIndex()) : nullptr;
                if (!window)
                    return;
                SetActiveSubWindow(window);
                if (m_fnUpdateCommands)
                    m_fnUpdateCommands();
                ShowTabDropMenu(globalPos);
            });
        }
    }
    return QWidget::eventFilter(watched, e);
}
