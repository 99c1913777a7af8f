#include "app/PaneToolBar.h"

#include <QAction>
#include <QToolBar>

QToolBar* MakePaneToolBar(QWidget* pane, int nResourceId)
{
    auto* bar = new QToolBar(pane);
    bar->setObjectName(QString::number(nResourceId));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}

QAction* AddPaneCommand(QToolBar* bar, int nID, QStyle::StandardPixmap icon, const QString& tip,
                        const QString& statusText, std::function<void()> onTriggered)
{
    QAction* a = bar->addAction(bar->style()->standardIcon(icon), tip);
    a->setData(nID);
    a->setToolTip(tip);
    a->setStatusTip(statusText);
    QObject::connect(a, &QAction::triggered, bar, std::move(onTriggered));
    return a;
}
