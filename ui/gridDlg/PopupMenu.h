#pragma once
// A context menu that returns the chosen command instead of sending it (TPM_RETURNCMD).
// Tests install an answerer, so no menu ever waits for a click in a test.
#include "platform/win/WinDef.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

struct PopupMenuItem {
    UINT nID;
    QString sText; // "&" marks the shortcut letter, "\t" starts the accelerator text
    bool bEnabled = true;
};

// Gets the items, returns the chosen command or 0.
using PopupMenuAnswerer = std::function<UINT(const std::vector<PopupMenuItem>& items)>;

// Installs an answerer (an empty one restores the real menu); returns the previous one.
PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer);

// Shows the menu at a screen point; the command chosen, or 0 when it was dismissed.
UINT TrackPopupMenu(const std::vector<PopupMenuItem>& items, QPoint ptScreen, QWidget* pOwner);
