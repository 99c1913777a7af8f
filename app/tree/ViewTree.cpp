#include "app/tree/ViewTree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

#include "app/tree/ElementTreeController.h"
#include "platform/base/Messages.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WndMsg.h"

namespace {

constexpr int kHandleRole = Qt::UserRole + 1;

// What the tree tells its parent, the element pane; sent, so pointers hold for the call.
const unsigned int UWM_TREEITEMDBLCLICK = RegisterWindowMessage(L"UWM_TREEITEMDBLCLICK");
const unsigned int UWM_TREEITEMSELECT = RegisterWindowMessage(L"UWM_TREEITEMSELECT");
const unsigned int UWM_TREEITEMLABELCHANGE = RegisterWindowMessage(L"UWM_TREEITEMLABELCHANGE");
const unsigned int UWM_TREEITEMDRAGDROP = RegisterWindowMessage(L"UWM_TREEITEMDRAGDROP");

// Label edits go through the controller, which decides whether the text is taken.
class CLabelDelegate : public QStyledItemDelegate {
public:
    CLabelDelegate(CViewTree& tree, CElementTreeController& controller)
        : QStyledItemDelegate(&tree), m_Tree(tree), m_Controller(controller)
    {
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit)
            return;
        const TreeItem item = m_Tree.HandleOf(m_Tree.itemFromIndex(index));
        // An accepted text reaches the item through the model; a refused one leaves the old label.
        const std::wstring text = edit->text().toStdWString();
        CallHandlerGuarded([&] {
            SendMessage(m_Tree.parentWidget(), UWM_TREEITEMLABELCHANGE, reinterpret_cast<WPARAM>(&text), item);
        });
    }

    bool eventFilter(QObject* editor, QEvent* e) override
    {
        const bool bEnter = e->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return ||
                                                              static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter);
        const bool handled = QStyledItemDelegate::eventFilter(editor, e);
        if (bEnter)
            CallHandlerGuarded([&] { m_Controller.OnLabelEditEnter(); });
        return handled;
    }

    // Where the label's text of the item is drawn.
    QRect TextRect(QStyleOptionViewItem opt, const QModelIndex& index) const
    {
        initStyleOption(&opt, index);
        const QWidget* w = opt.widget;
        return (w ? w->style() : QApplication::style())->subElementRect(QStyle::SE_ItemViewItemText, &opt, w);
    }

private:
    CViewTree& m_Tree;
    CElementTreeController& m_Controller;
};

QPixmap Glyph(const std::function<void(QPainter&)>& draw)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    return pm;
}

}

QIcon CViewTree::ImageIcon(int image)
{
    QStyle* style = QApplication::style();
    switch (image) {
    case IMG_CATEGORY: return style->standardIcon(QStyle::SP_DirIcon);
    case IMG_REFCOLLECTION: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case IMG_BRIDGE:
        return QIcon(Glyph([](QPainter& p) {
            p.fillRect(0, 4, 16, 3, QColor(90, 90, 90)); // deck
            p.fillRect(2, 7, 2, 8, QColor(130, 130, 130));
            p.fillRect(12, 7, 2, 8, QColor(130, 130, 130));
            p.fillRect(7, 7, 2, 8, QColor(130, 130, 130));
        }));
    case IMG_LOADMODEL:
        return QIcon(Glyph([](QPainter& p) {
            p.fillRect(1, 4, 10, 7, QColor(200, 40, 40)); // trailer
            p.fillRect(11, 6, 4, 5, QColor(60, 60, 160)); // cab
            p.setBrush(Qt::black);
            p.setPen(Qt::NoPen);
            p.drawEllipse(2, 11, 4, 4);
            p.drawEllipse(10, 11, 4, 4);
        }));
    default: return style->standardIcon(QStyle::SP_FileIcon);
    }
}

CViewTree::CViewTree(CElementTreeController& controller, QWidget* parent)
    : QTreeWidget(parent), m_Controller(controller)
{
    setObjectName(QStringLiteral("40"));
    setProperty("ctrlId", 40);
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setItemDelegate(new CLabelDelegate(*this, controller));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setIconSize(QSize(16, 16));

    m_Controller.m_fnIsEditing = [this] { return IsEditing(); };
    m_Controller.m_fnSetRedraw = [this](bool b) { setUpdatesEnabled(b); };
    m_Controller.m_fnInvalidate = [this] { viewport()->update(); };

    // Mirror what the model already holds, then follow it.
    const std::function<void(TreeItem)> mirror = [&](TreeItem parentItem) {
        for (TreeItem item : m_Controller.Tree().GetChildren(parentItem)) {
            OnItemInserted(item);
            mirror(item);
            OnItemChanged(item);
        }
    };
    mirror(TI_NONE);
    m_Controller.Tree().SetObserver(this);

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* qi) { OnExpansion(qi, true); });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* qi) { OnExpansion(qi, false); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* qi, int) {
        const TreeItem item = HandleOf(qi);
        if (item == TI_NONE)
            return;
        const TreeItem parentItem = m_Controller.Tree().GetParentItem(item);
        CallHandlerGuarded(
            [&] { SendMessage(parentWidget(), UWM_TREEITEMDBLCLICK, static_cast<WPARAM>(parentItem), item); });
    });
}

CViewTree::~CViewTree()
{
    // The base class empties the tree after this part is gone: nothing may reach back here.
    disconnect(this, nullptr, this, nullptr);
    ++m_nProgramChange;
    clear();
    m_Controller.Tree().SetObserver(nullptr);
    m_Controller.m_fnIsEditing = nullptr;
    m_Controller.m_fnSetRedraw = nullptr;
    m_Controller.m_fnInvalidate = nullptr;
}

QTreeWidgetItem* CViewTree::ItemOf(TreeItem item) const
{
    auto it = m_Items.find(item);
    return it == m_Items.end() ? nullptr : it->second;
}

TreeItem CViewTree::HandleOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kHandleRole).toInt() : TI_NONE;
}

// ---------------------------------------------------------------- following the model

void CViewTree::ApplyNode(QTreeWidgetItem* qi, TreeItem item)
{
    const CTreeModel& tree = m_Controller.Tree();
    qi->setText(0, QString::fromStdWString(tree.GetItemText(item)));
    QFont font = qi->font(0);
    font.setBold(tree.IsBold(item));
    qi->setFont(0, font);
    qi->setExpanded(tree.IsExpanded(item));
}

void CViewTree::OnItemInserted(TreeItem item)
{
    ++m_nProgramChange;
    const CTreeModel& tree = m_Controller.Tree();
    auto* qi = new QTreeWidgetItem();
    qi->setData(0, kHandleRole, item);
    qi->setIcon(0, ImageIcon(tree.GetItemImage(item)));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (tree.GetParentItem(item) != TI_NONE)
        flags |= Qt::ItemIsEditable; // the controller still decides
    qi->setFlags(flags);
    if (QTreeWidgetItem* parentItem = ItemOf(tree.GetParentItem(item)))
        parentItem->addChild(qi);
    else
        addTopLevelItem(qi);
    m_Items[item] = qi;
    ApplyNode(qi, item);
    --m_nProgramChange;
}

void CViewTree::OnItemDeleting(TreeItem item)
{
    ++m_nProgramChange;
    if (QTreeWidgetItem* qi = ItemOf(item)) {
        m_Items.erase(item);
        delete qi;
    }
    if (m_hDragged == item)
        m_hDragged = TI_NONE;
    if (m_hDropTarget == item)
        m_hDropTarget = TI_NONE;
    --m_nProgramChange;
}

void CViewTree::OnItemChanged(TreeItem item)
{
    ++m_nProgramChange;
    if (QTreeWidgetItem* qi = ItemOf(item))
        ApplyNode(qi, item);
    --m_nProgramChange;
}

void CViewTree::OnSelectionChanged(TreeItem item)
{
    ++m_nProgramChange;
    if (QTreeWidgetItem* qi = ItemOf(item)) {
        setCurrentItem(qi);
        scrollToItem(qi);
    } else {
        setCurrentItem(nullptr);
        clearSelection();
    }
    --m_nProgramChange;
}

// ---------------------------------------------------------------- the user

void CViewTree::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    if (m_nProgramChange)
        return;
    const TreeItem item = HandleOf(current);
    ++m_nProgramChange;
    m_Controller.Tree().SelectItem(item);
    --m_nProgramChange;
    if (item != TI_NONE)
        CallHandlerGuarded([&] { SendMessage(parentWidget(), UWM_TREEITEMSELECT, 0, item); });
}

void CViewTree::OnExpansion(QTreeWidgetItem* qi, bool bExpanded)
{
    if (m_nProgramChange)
        return;
    ++m_nProgramChange;
    m_Controller.Tree().Expand(HandleOf(qi), bExpanded);
    --m_nProgramChange;
}

int CViewTree::CommandForKey(const QKeyEvent* e) const
{
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mods == Qt::NoModifier) {
        if (e->key() == Qt::Key_Delete)
            return ID_ELEMENT_DELETE;
        if (e->key() == Qt::Key_F2)
            return ID_ELEMENT_RENAME;
    } else if (mods == Qt::ControlModifier) {
        switch (e->key()) {
        case Qt::Key_E: return ID_EXPAND_ALL;
        case Qt::Key_C: return ID_ELEMENT_COPY;
        case Qt::Key_X: return ID_ELEMENT_CUT;
        case Qt::Key_V: return ID_ELEMENT_PASTE;
        default: break;
        }
    }
    return 0;
}

bool CViewTree::IsLabelCut(const QTreeWidgetItem* qi) const
{
    const auto* delegate = dynamic_cast<const CLabelDelegate*>(itemDelegate());
    if (!qi || !delegate)
        return false;
    const QModelIndex index = indexFromItem(qi);
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.rect = visualRect(index);
    const QRect text = delegate->TextRect(opt, index);
    // The style keeps a margin on either side of the text; the pane's edge may cut it too.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int shown = std::min(text.right(), viewport()->rect().right()) - text.left() + 1 - 2 * margin;
    return QFontMetrics(qi->font(0)).horizontalAdvance(qi->text(0)) > shown;
}

QString CViewTree::TipAt(const QPoint& pos) const
{
    const QTreeWidgetItem* qi = itemAt(pos);
    return qi && IsLabelCut(qi) ? qi->text(0) : QString();
}

bool CViewTree::viewportEvent(QEvent* e)
{
    // A name the narrow pane cuts short shows whole in a tip; a name shown whole needs none.
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = TipAt(help->pos());
        if (!tip.isEmpty())
            QToolTip::showText(help->globalPos(), tip, viewport(), visualItemRect(itemAt(help->pos())));
        else
            QToolTip::hideText();
        return true;
    }
    return QTreeWidget::viewportEvent(e);
}

bool CViewTree::event(QEvent* e)
{
    // The pane's keys win over the main window's shortcuts while the tree has the focus.
    if (e->type() == QEvent::ShortcutOverride && CommandForKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QTreeWidget::event(e);
}

void CViewTree::keyPressEvent(QKeyEvent* e)
{
    if (const int nID = CommandForKey(e)) {
        e->accept();
        emit commandKey(nID);
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

void CViewTree::EditSelectedLabel()
{
    if (QTreeWidgetItem* qi = ItemOf(m_Controller.Tree().GetSelectedItem())) {
        setFocus();
        setCurrentItem(qi);
        editItem(qi, 0);
    }
}

bool CViewTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A click on a selected label renames under the same test as F2, without its message:
    // clicking about among locked standard vehicles is no mistake. Every trigger still
    // reaches the base, which remembers a double click and so opens no editor after it.
    if (trigger == QAbstractItemView::SelectedClicked) {
        bool ok = false;
        CallHandlerGuarded([&] { ok = m_Controller.CanEditLabel(HandleOf(itemFromIndex(index)), false); });
        if (!ok)
            return false;
    }
    return QTreeWidget::edit(index, trigger, event);
}

void CViewTree::contextMenuEvent(QContextMenuEvent* e)
{
    const bool bKeyboard = e->reason() == QContextMenuEvent::Keyboard;
    const TreeItem hit = bKeyboard ? TI_NONE : HandleOf(itemAt(e->pos()));
    int menuId = IDR_POPUP_CATEGORY;
    CallHandlerGuarded([&] { menuId = m_Controller.OnContextMenu(hit, bKeyboard); });
    emit contextMenuWanted(menuId, e->globalPos());
    e->accept();
}

// ---------------------------------------------------------------- drag and drop

void CViewTree::startDrag(Qt::DropActions supportedActions)
{
    m_hDragged = HandleOf(currentItem());
    if (m_hDragged != TI_NONE)
        QTreeWidget::startDrag(supportedActions);
    m_hDragged = TI_NONE;
}

void CViewTree::dragEnterEvent(QDragEnterEvent* e)
{
    // Only this tree's own drags: nothing else can be dropped on the case.
    if (m_hDragged != TI_NONE)
        e->acceptProposedAction();
    else
        e->ignore();
}

void CViewTree::dragMoveEvent(QDragMoveEvent* e)
{
    QTreeWidgetItem* over = itemAt(e->position().toPoint());
    if (m_hDragged == TI_NONE || !over) {
        e->ignore();
        return;
    }
    // Scrolls near the edges and shows the target.
    if (QTreeWidgetItem* above = itemAbove(over))
        scrollToItem(above);
    if (QTreeWidgetItem* below = itemBelow(over))
        scrollToItem(below);
    SetDropHighlight(HandleOf(over));
    e->setDropAction(Qt::CopyAction);
    e->accept();
}

void CViewTree::dragLeaveEvent(QDragLeaveEvent* e)
{
    SetDropHighlight(TI_NONE);
    QTreeWidget::dragLeaveEvent(e);
}

void CViewTree::SetDropHighlight(TreeItem item)
{
    if (item == m_hDropTarget)
        return;
    if (QTreeWidgetItem* old = ItemOf(m_hDropTarget)) {
        old->setData(0, Qt::BackgroundRole, QVariant());
        old->setData(0, Qt::ForegroundRole, QVariant());
    }
    m_hDropTarget = item;
    if (QTreeWidgetItem* qi = ItemOf(item)) {
        qi->setBackground(0, palette().brush(QPalette::Highlight));
        qi->setForeground(0, palette().brush(QPalette::HighlightedText));
    }
}

void CViewTree::dropEvent(QDropEvent* e)
{
    if (m_hDragged == TI_NONE) {
        e->ignore();
        return;
    }
    // Qt never moves the items itself: the controller pastes and the model grows.
    SetDropHighlight(TI_NONE);
    e->setDropAction(Qt::CopyAction);
    e->accept();
    DropOn(m_hDragged, e->position().toPoint());
}

TreeItem CViewTree::DropOn(TreeItem dragged, const QPoint& pos)
{
    const TreeItem target = HandleOf(itemAt(pos));
    TreeItem dropped = TI_NONE;
    if (dragged != TI_NONE && target != TI_NONE)
        CallHandlerGuarded([&] {
            dropped = static_cast<TreeItem>(
                SendMessage(parentWidget(), UWM_TREEITEMDRAGDROP, static_cast<WPARAM>(dragged), target));
        });
    return dropped;
}
