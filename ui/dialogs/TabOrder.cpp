#include "ui/dialogs/TabOrder.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <tuple>
#include <vector>

namespace {

void CollectLayout(const QLayout* pLayout, std::vector<QWidget*>& out);

bool TakesTab(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void CollectWidget(QWidget* w, std::vector<QWidget*>& out)
{
    if (w->isWindow())
        return;
    // A control that takes the focus is one stop, whatever it holds inside.
    if (TakesTab(w)) {
        out.push_back(w);
        return;
    }
    if (w->layout()) {
        CollectLayout(w->layout(), out);
        return;
    }
    // Children placed by hand: as they stand.
    std::vector<QWidget*> children;
    for (QObject* o : w->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow())
            children.push_back(c);
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return std::make_tuple(a->y(), a->x()) < std::make_tuple(b->y(), b->x());
    });
    for (QWidget* c : children)
        CollectWidget(c, out);
}

void CollectItem(QLayoutItem* pItem, std::vector<QWidget*>& out)
{
    if (!pItem)
        return;
    if (QWidget* w = pItem->widget())
        CollectWidget(w, out);
    else if (QLayout* l = pItem->layout())
        CollectLayout(l, out);
}

void CollectLayout(const QLayout* pLayout, std::vector<QWidget*>& out)
{
    if (const auto* pForm = qobject_cast<const QFormLayout*>(pLayout)) {
        for (int row = 0; row < pForm->rowCount(); ++row)
            for (QFormLayout::ItemRole role :
                 {QFormLayout::LabelRole, QFormLayout::FieldRole, QFormLayout::SpanningRole})
                CollectItem(pForm->itemAt(row, role), out);
        return;
    }
    if (const auto* pGrid = qobject_cast<const QGridLayout*>(pLayout)) {
        struct Cell {
            int row, column, index;
        };
        std::vector<Cell> cells;
        for (int i = 0; i < pGrid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            pGrid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            cells.push_back({row, column, i});
        }
        std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
            return std::tie(a.row, a.column) < std::tie(b.row, b.column);
        });
        for (const Cell& c : cells)
            CollectItem(pGrid->itemAt(c.index), out);
        return;
    }
    std::vector<QLayoutItem*> items;
    for (int i = 0; i < pLayout->count(); ++i)
        items.push_back(pLayout->itemAt(i));
    if (const auto* pBox = qobject_cast<const QBoxLayout*>(pLayout))
        if (pBox->direction() == QBoxLayout::RightToLeft || pBox->direction() == QBoxLayout::BottomToTop)
            std::reverse(items.begin(), items.end());
    for (QLayoutItem* pItem : items)
        CollectItem(pItem, out);
}

std::vector<QWidget*> InLayoutOrder(QWidget* pRoot)
{
    std::vector<QWidget*> order;
    if (pRoot->layout())
        CollectLayout(pRoot->layout(), order);
    else
        CollectWidget(pRoot, order);
    return order;
}

// Enabled as the window will show it (the window itself may not be shown yet).
bool CanTakeFocus(const QWidget* w, const QWidget* pRoot)
{
    return w->isEnabled() && !w->isHidden() && w->isVisibleTo(pRoot->window());
}

} // namespace

void SetTabOrderByLayout(QWidget* pWindow)
{
    const std::vector<QWidget*> order = InLayoutOrder(pWindow);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* FirstField(QWidget* pRoot)
{
    const std::vector<QWidget*> order = InLayoutOrder(pRoot);
    QWidget* pFirstControl = nullptr;
    for (QWidget* w : order) {
        if (!CanTakeFocus(w, pRoot))
            continue;
        if (!qobject_cast<QAbstractButton*>(w))
            return w;
        if (!pFirstControl)
            pFirstControl = w;
    }
    return pFirstControl;
}
