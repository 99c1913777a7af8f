#pragma once
// Every menu item, toolbar button and accelerator of the main window comes from one table
// of commands. A feature adds its rows here; the main frame builds its menus, toolbars and
// shortcuts from the table and routes each command to its handler.
#include <functional>
#include <vector>

class CQELApp;
class CMainFrame;
class CQELDoc;

// What a handler works on.
struct CCommandContext {
    CQELApp& app;
    CMainFrame& frame;
    // The document of the active child window, or none.
    CQELDoc* Doc() const;
};

using CommandHandler = std::function<void(CCommandContext&)>;
using CommandPredicate = std::function<bool(const CCommandContext&)>;

struct CCommand {
    CCommand(int id, const wchar_t* menuPath, const wchar_t* itemText = nullptr, const char* keys = nullptr,
             const char* toolbarName = nullptr, int iconId = -1, CommandHandler handler = {},
             CommandPredicate enabled = {}, CommandPredicate checked = {}, const wchar_t* tip = nullptr)
        : nID(id),
          menu(menuPath),
          text(itemText),
          shortcut(keys),
          toolbar(toolbarName),
          icon(iconId),
          onCommand(std::move(handler)),
          isEnabled(std::move(enabled)),
          isChecked(std::move(checked)),
          statusTip(tip)
    {
    }

    int nID = 0;                    // 0: a separator in its menu
    const wchar_t* menu = nullptr;  // top-level menu text; "/" separates a sub-menu: L"&View/Application &Look"
    const wchar_t* text = nullptr;  // item text with its mnemonic
    const char* shortcut = nullptr; // as QKeySequence reads it ("Ctrl+N"), or none
    const char* toolbar = nullptr;  // "Standard" or "Insert" for a button, or none
    int icon = -1;                  // QStyle::StandardPixmap of the button, -1 for a text button
    CommandHandler onCommand;
    CommandPredicate isEnabled; // none: always enabled
    CommandPredicate isChecked; // none: not a check or radio item
    const wchar_t* statusTip = nullptr;
};

// The top-level menus in menu-bar order; a menu without rows is left out.
const std::vector<const wchar_t*>& GetMenuOrder();

const std::vector<CCommand>& GetCommandTable();
// The row of a command id, or none.
const CCommand* FindCommand(int nID);
