#pragma once
// Makes a grid window a drop target: Qt's drag events over the grid's client area reach the
// grid's OnDragEnter/OnDragOver/OnDragLeave/OnDrop.
#include "platform/win/WinDef.h"

#include <QObject>
#include <QPointer>

class CGridCtrl;
class QMimeData;

constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;

class CGridDropTarget : public QObject {
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;

    // FALSE when already registered, while another registration runs, or for no grid.
    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke();
    // The effect a drag that scrolls would have: copy with Ctrl held (key state 0x08).
    int OnDragScroll(DWORD dwKeyState) const;

    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool FilterDragEvent(QEvent* pEvent);
    QPointer<QObject> m_pWatched; // the grid's client area; gone with the window
};
