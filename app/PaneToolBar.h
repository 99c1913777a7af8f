#pragma once
// The small locked toolbar along the top of a pane, and its buttons.
#include <QStyle>
#include <functional>

class QAction;
class QString;
class QToolBar;
class QWidget;

// A toolbar that cannot be moved or floated, named by its resource id.
QToolBar* MakePaneToolBar(QWidget* pane, int nResourceId);

// A button with a standard icon; its command id is the action's data.
QAction* AddPaneCommand(QToolBar* bar, int nID, QStyle::StandardPixmap icon, const QString& tip,
                        const QString& statusText, std::function<void()> onTriggered);
