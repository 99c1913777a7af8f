#include "app/CommandTable.h"

#include <QStyle>
#include <algorithm>
#include <unordered_map>

#include "app/AppIds.h"
#include "app/AppLook.h"
#include "app/MainFrame.h"
#include "app/QELApp.h"
#include "app/doc/QELDoc.h"

CQELDoc* CCommandContext::Doc() const { return frame.GetActiveDoc(); }

namespace {

bool HasDoc(const CCommandContext& c) { return c.Doc() != nullptr; }

// A command of the active case document.
CommandHandler DocCommand(void (CQELDoc::*fn)())
{
    return [fn](CCommandContext& c) {
        if (CQELDoc* d = c.Doc())
            (d->*fn)();
    };
}

CommandHandler ShowPane(int nPaneId)
{
    return [nPaneId](CCommandContext& c) { c.frame.ShowPane(nPaneId); };
}

// Qt's MDI area has one tab group: the tab-group commands have nothing to act on.
bool Never(const CCommandContext&) { return false; }

constexpr int kIcon(QStyle::StandardPixmap p) { return static_cast<int>(p); }

std::vector<CCommand> MakeTable()
{
    std::vector<CCommand> t = {
        // File
        {ID_FILE_NEW, L"&File", L"&New", "Ctrl+N", "Standard", kIcon(QStyle::SP_FileIcon),
         [](CCommandContext& c) { c.app.OnFileNew(); }, {}, {}, L"Create a new case"},
        {ID_FILE_OPEN, L"&File", L"&Open...", "Ctrl+O", "Standard", kIcon(QStyle::SP_DialogOpenButton),
         [](CCommandContext& c) { c.app.OnFileOpen(); }, {}, {}, L"Open an existing case"},
        {ID_FILE_SAVE, L"&File", L"&Save", "Ctrl+S", "Standard", kIcon(QStyle::SP_DialogSaveButton),
         [](CCommandContext& c) { c.app.OnFileSave(); }, HasDoc, {}, L"Save the case"},
        {ID_FILE_SAVE_AS, L"&File", L"Save &As...", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.app.OnFileSaveAs(); }, HasDoc, {}, L"Save the case under a new name"},
        {0, L"&File"},
        {ID_FILE_PRINT_ALL, L"&File", L"Print Al&l", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnPrintAll(); }},
        {ID_FILE_PRINT_SETUP, L"&File", L"P&rint Setup...", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.app.OnFilePrintSetup(); }, {}, {}, L"Change the printer and printing options"},
        {0, L"&File"},
    };
    for (int i = 0; i < kRecentFileCount; ++i)
        t.push_back({ID_FILE_MRU_FILE1 + i, L"&File", L"Recent File", nullptr, nullptr, -1,
                     [i](CCommandContext& c) { c.app.OnOpenRecentFile(i); }});
    const std::vector<CCommand> rest = {
        {0, L"&File"},
        {ID_APP_EXIT, L"&File", L"E&xit", nullptr, nullptr, -1, [](CCommandContext& c) { c.frame.close(); }, {}, {},
         L"Quit the application"},

        // View
        {ID_PANE_ELEMENTS, L"&View", L"Analysis &Elements", nullptr, nullptr, -1, ShowPane(ID_PANE_ELEMENTS)},
        {ID_PANE_OUTPUT, L"&View", L"&Diagnostics", nullptr, nullptr, -1, ShowPane(ID_PANE_OUTPUT)},

        // Case
        {ID_CASE_DATA, L"&Configuration", L"Case Data", nullptr, nullptr, -1, DocCommand(&CQELDoc::OnCaseData),
         HasDoc},
        {0, L"&Configuration"},
        {ID_ADD_BRIDGE, L"&Configuration", L"Add &Bridge", "Ctrl+B", "Standard", -1,
         DocCommand(&CQELDoc::OnAddBridge), HasDoc},
        {ID_ADD_BRIDGESET, L"&Configuration", L"Add Bridge &Set", "Ctrl+T", "Standard", -1,
         DocCommand(&CQELDoc::OnAddBridgeSet), HasDoc},
        {ID_ADD_LOADMODEL, L"&Configuration", L"Add &Load Model", "Ctrl+L", "Standard", -1,
         DocCommand(&CQELDoc::OnAddLoadModel), HasDoc},
        {ID_ADD_LOADMODELENSEMBLE, L"&Configuration", L"Add Load Model &Ensemble", "Ctrl+E", "Standard", -1,
         DocCommand(&CQELDoc::OnAddLoadModelEnsemble), HasDoc},
        {ID_ADD_REFCOLLECTION, L"&Configuration", L"Add &Reference Collection", "Ctrl+R", "Standard", -1,
         DocCommand(&CQELDoc::OnAddRefCollection), HasDoc},

        // Tools
        {ID_PANE_SETTINGS, L"&Tools", L"Options", nullptr, nullptr, -1, ShowPane(ID_PANE_SETTINGS)},

        // Window
        {ID_WINDOW_CLOSE_TAB, L"&Window", L"Close &Tab", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnCloseTab(); }, [](const CCommandContext& c) { return c.frame.GetActiveChild() != nullptr; }},
        {ID_WINDOW_CLOSE_ALL_TABS, L"&Window", L"Close &All Tabs", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnCloseAllTabs(); }, HasDoc},
        {0, L"&Window"},
        {ID_MDI_NEW_HORZ_TAB_GROUP, L"&Window", L"New &Horizontal Tab Group", nullptr, nullptr, -1, {}, Never},
        {ID_MDI_NEW_VERT_GROUP, L"&Window", L"New &Vertical Tab Group", nullptr, nullptr, -1, {}, Never},
        {ID_MDI_MOVE_TO_NEXT_GROUP, L"&Window", L"Move to Ne&xt Tab Group", nullptr, nullptr, -1, {}, Never},
        {ID_MDI_MOVE_TO_PREV_GROUP, L"&Window", L"Move to P&revious Tab Group", nullptr, nullptr, -1, {}, Never},
        {0, L"&Window"},
        {ID_WINDOW_MANAGER, L"&Window", L"&Windows...", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnWindowManager(); }},

        // Help
        {ID_PANE_PDFHELP, L"&Help", L"PDF Help", nullptr, nullptr, -1, [](CCommandContext& c) { c.frame.OnPdfHelp(); }},
        {ID_APP_ABOUT, L"&Help", L"&About QEL...", nullptr, "Standard", kIcon(QStyle::SP_MessageBoxQuestion),
         [](CCommandContext& c) { c.app.OnAppAbout(); }, {}, {}, L"Display program information and version"},
    };
    t.insert(t.end(), rest.begin(), rest.end());

    for (const CAppLook& look : GetAppLooks()) {
        const int nID = look.nID;
        t.push_back({nID, L"&View/&Application Look", look.text, nullptr, nullptr, -1,
                     [nID](CCommandContext& c) { c.frame.OnApplicationLook(nID); }, {},
                     [nID](const CCommandContext& c) { return c.app.m_nAppLook == nID; }});
    }
    return t;
}

}

const std::vector<const wchar_t*>& GetMenuOrder()
{
    static const std::vector<const wchar_t*> order = {L"&File",  L"&Edit",  L"&View", L"&Configuration",
                                                      L"&Analysis", L"&Results", L"&Tools", L"&Window",
                                                      L"&Help"};
    return order;
}

const std::vector<CCommand>& GetCommandTable()
{
    static const std::vector<CCommand> table = MakeTable();
    return table;
}

const CCommand* FindCommand(int nID)
{
    static const std::unordered_map<int, const CCommand*> index = [] {
        std::unordered_map<int, const CCommand*> m;
        for (const CCommand& c : GetCommandTable())
            if (c.nID != 0)
                m.emplace(c.nID, &c);
        return m;
    }();
    auto it = index.find(nID);
    return it == index.end() ? nullptr : it->second;
}
