#include "ui/gridDlg/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {
PopupMenuAnswerer& Answerer()
{
    static PopupMenuAnswerer s_answerer;
    return s_answerer;
}
} // namespace

PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer)
{
    PopupMenuAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}

UINT TrackPopupMenu(const std::vector<PopupMenuItem>& items, QPoint ptScreen, QWidget* pOwner)
{
    if (Answerer())
        return Answerer()(items);
    QMenu menu(pOwner);
    for (const PopupMenuItem& item : items) {
        QAction* pAction = menu.addAction(item.sText);
        pAction->setData(item.nID);
        pAction->setEnabled(item.bEnabled);
    }
    const QAction* pChosen = menu.exec(ptScreen);
    return pChosen ? pChosen->data().toUInt() : 0;
}
