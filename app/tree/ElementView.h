#pragma once
// The "Analysis Elements" pane: a one-button toolbar over the element tree. It is the
// case document's element tree (CDocElementTree) through its controller.
#include <QWidget>
#include <functional>

#include "app/tree/ElementTreeController.h"
#include "platform/win/WndMsg.h"

class QMenu;
class QToolBar;
class QAction;
class CViewTree;

class CElementView : public QWidget, public CMessageReceiver {
    Q_OBJECT
public:
    explicit CElementView(QWidget* parent = nullptr);
    ~CElementView() override;

    CElementTreeController& Controller() { return m_Controller; }
    CDocElementTree* GetDocElementTree() { return &m_Controller; }
    CViewTree* Tree() const { return m_pTree; }
    QToolBar* ToolBar() const { return m_pToolBar; }

    // The tree of no case: the categories only.
    void ShowNoCase();
    // A pane command (220 to 225) or a document command of its context menus.
    void OnCommand(int nID);
    // The tree's messages ("UWM_TREEITEMDBLCLICK", "UWM_TREEITEMSELECT",
    // "UWM_TREEITEMLABELCHANGE", "UWM_TREEITEMDRAGDROP"), each to its controller handler.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The first popup of menu 230, 231 or 232; actions carry their command id as data.
    QMenu* BuildContextMenu(int menuId, QWidget* parent) const;

    // Shows a popup and returns the chosen action; tests replace it so no menu blocks.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;
    static void SetMenuRunner(MenuRunner runner);

signals:
    // WM_ELEMENTSELECTED, also sent as a message to every window of the main window.
    void elementSelected(CElement* pElement);

private:
    void ShowContextMenu(int menuId, const QPoint& globalPos);
    void BroadcastElementSelected(CElement* pElement);

    CElementTreeController m_Controller;
    QToolBar* m_pToolBar = nullptr;
    CViewTree* m_pTree = nullptr;
};
