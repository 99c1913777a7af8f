#pragma once
// The element pane's tree control: a Qt tree that mirrors the controller's item model and
// hands the user's clicks, keys, label edits and drops to the controller.
#include <QTreeWidget>
#include <map>

#include "app/tree/TreeModel.h"

class CElementTreeController;

class CViewTree : public QTreeWidget, public CTreeModelObserver {
    Q_OBJECT
public:
    explicit CViewTree(CElementTreeController& controller, QWidget* parent = nullptr);
    ~CViewTree() override;

    QTreeWidgetItem* ItemOf(TreeItem item) const;
    TreeItem HandleOf(const QTreeWidgetItem* item) const;
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    // Whether the pane shows the item's name cut short (elided or past its edge).
    bool IsLabelCut(const QTreeWidgetItem* qi) const;
    // The tip at a point of the viewport: the whole name of an item shown cut short, else none.
    QString TipAt(const QPoint& pos) const;
    // Starts editing the selected item's label (the rename command has checked it).
    void EditSelectedLabel();

    // The end of a drag of the item over the point (viewport coordinates): the
    // controller's paste rules; returns the new item, which is then selected.
    TreeItem DropOn(TreeItem dragged, const QPoint& pos);

    static QIcon ImageIcon(int image);

signals:
    // A command key of the pane (Ctrl+E, Del, F2, Ctrl+C, Ctrl+X, Ctrl+V).
    void commandKey(int nID);
    // A context menu for a right click (item may be TI_NONE) or the keyboard.
    void contextMenuWanted(int menuId, const QPoint& globalPos);

protected:
    // CTreeModelObserver
    void OnItemInserted(TreeItem item) override;
    void OnItemDeleting(TreeItem item) override;
    void OnItemChanged(TreeItem item) override;
    void OnSelectionChanged(TreeItem item) override;

    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void ApplyNode(QTreeWidgetItem* qi, TreeItem item);
    int CommandForKey(const QKeyEvent* e) const;
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnExpansion(QTreeWidgetItem* qi, bool bExpanded);
    void SetDropHighlight(TreeItem item);

    CElementTreeController& m_Controller;
    std::map<TreeItem, QTreeWidgetItem*> m_Items;
    int m_nProgramChange = 0; // > 0 while the tree follows the model, not the user
    TreeItem m_hDragged = TI_NONE;
    TreeItem m_hDropTarget = TI_NONE; // shown highlighted while a drag is over it
};
