#pragma once
// Clicks made on a menu while its command runs go nowhere.
//
// A menu's command runs inside the click (or key) that chose it. The menu is hidden first,
// but the screen shows it until the command returns and the window paints again: a command
// that takes a while (the user manual loading) leaves the menu in view. A click made on it
// in that time was meant for the menu, yet the window receives it only afterwards and hands
// it to whatever lies under the menu: a second click on "PDF Help" opened the dialog of the
// toolbar button beneath. The original platform's menu loop takes such clicks itself. Here,
// once the event that closed a menu has been handled, command and all, the mouse buttons
// pressed and released meanwhile are dropped; keys typed meanwhile still count, and so does
// every click made after it.
#include <QObject>

class CMenuInputGuard : public QObject {
public:
    // On the application, once; later calls do nothing.
    static void Install();
    static bool IsInstalled();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit CMenuInputGuard(QObject* parent);
    void DropClicksMadeMeanwhile();

    QEvent* m_pDelivering = nullptr; // the event we hand a menu ourselves
    bool m_bDropping = false;
};
