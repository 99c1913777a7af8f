#pragma once
// The status bar's lock-key panes: "CAP", "NUM" and "SCRL" while caps lock, num lock and
// scroll lock are on, blank while they are off or the platform does not tell. Each pane
// keeps its width either way; they follow the keyboard after every key.
#include <QObject>
#include <QString>
#include <memory>

#include "platform/win/LockKeys.h"
#include "platform/wnd/DeferredCall.h"

class QLabel;
class QStatusBar;

class CLockKeyPanes : public QObject {
    Q_OBJECT
public:
    enum Pane : int { PANE_CAPS, PANE_NUM, PANE_SCROLL, PANE_COUNT };

    // Adds the three panes at the right of the bar, reading the platform's state.
    explicit CLockKeyPanes(QStatusBar* pBar);
    ~CLockKeyPanes() override;

    // Another source of the state (tests feed one).
    void SetReader(std::unique_ptr<CLockKeyReader> pReader);
    // Reads the state now and shows it.
    void Update();
    QLabel* GetPane(Pane pane) const { return m_pPanes[pane]; }
    QString GetText(Pane pane) const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ScheduleUpdate();

    std::unique_ptr<CLockKeyReader> m_pReader;
    QLabel* m_pPanes[PANE_COUNT] = {};
    // A key reaches several widgets in turn: one reading after them all.
    CDeferredCall m_Update{this, [this] { Update(); }};
};
