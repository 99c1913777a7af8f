#include "app/InsertMenu.h"

#include <algorithm>
#include <deque>
#include <string>

#include "app/doc/InsertCommands.h"
#include "app/doc/QELDoc.h"

namespace {

constexpr const wchar_t* kInsertMenu = L"&Insert";
constexpr const char* kInsertToolbar = "Insert";

// Menu paths live as long as the table: one stored string per submenu.
const wchar_t* SubmenuPath(const wchar_t* submenu)
{
    static std::deque<std::wstring> paths; // grows without moving what it holds
    const std::wstring path = std::wstring(kInsertMenu) + L"/" + submenu;
    auto it = std::find(paths.begin(), paths.end(), path);
    if (it == paths.end()) {
        paths.push_back(path);
        return paths.back().c_str();
    }
    return it->c_str();
}

bool OnToolbar(int nID)
{
    const auto bar = GetInsertToolbar();
    return std::find(bar.begin(), bar.end(), nID) != bar.end();
}

// The toolbar's separator follows the submenu of the button before it.
bool ToolbarSeparatorAfter(const wchar_t* submenu)
{
    const auto bar = GetInsertToolbar();
    for (std::size_t i = 1; i < bar.size(); ++i) {
        if (bar[i] != 0)
            continue;
        for (const InsertCommand& c : GetInsertCommands())
            if (c.nID == bar[i - 1] && std::wstring(c.sSubmenu) == submenu)
                return true;
    }
    return false;
}

}

void AppendInsertCommands(std::vector<CCommand>& table)
{
    const wchar_t* previousSubmenu = nullptr;
    for (const InsertCommand& c : GetInsertCommands()) {
        if (previousSubmenu && std::wstring(previousSubmenu) != c.sSubmenu && IsSeparatorAfterSubmenu(previousSubmenu))
            table.push_back(
                {0, kInsertMenu, nullptr, nullptr, ToolbarSeparatorAfter(previousSubmenu) ? kInsertToolbar : nullptr});
        previousSubmenu = c.sSubmenu;
        const wchar_t* path = SubmenuPath(c.sSubmenu);
        if (c.bSeparatorBefore)
            table.push_back({0, path});
        auto handler = c.pHandler;
        // Enabled at all times, also while an analysis runs; without a case it does nothing.
        table.push_back({c.nID,
                         path,
                         c.sText,
                         nullptr,
                         OnToolbar(c.nID) ? kInsertToolbar : nullptr,
                         -1,
                         [handler](CCommandContext& ctx) {
                             if (CQELDoc* pDoc = ctx.Doc())
                                 (pDoc->*handler)();
                         },
                         {},
                         {},
                         c.sPrompt});
    }
}
