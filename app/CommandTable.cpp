#include "app/CommandTable.h"

#include <QStyle>
#include <algorithm>
#include <unordered_map>

#include "app/AppIds.h"
#include "app/AppLook.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/InsertMenu.h"
#include "app/QELApp.h"
#include "app/TabGroups.h"
#include "app/doc/AnalysisCommands.h"
#include "app/doc/QELDoc.h"
#include "ui/views/GridView.h"

CQELDoc* CCommandContext::Doc() const
{
    return frame.GetActiveDoc();
}

namespace {

bool HasDoc(const CCommandContext& c)
{
    return c.Doc() != nullptr;
}

// Commands that add, change or write elements wait for a running analysis, which changes
// the load models it runs.
bool CanChangeElements(const CCommandContext& c)
{
    return c.Doc() && c.Doc()->OnUpdateElementCommand();
}

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

// The view of the active child window that prints, or none.
CView* ActivePrintView(const CCommandContext& c)
{
    const CChildFrame* f = c.frame.GetActiveChild();
    return f ? CChildFrame::GetPrintView(f->GetView()) : nullptr;
}

bool CanPrint(const CCommandContext& c)
{
    return ActivePrintView(c) != nullptr;
}

CommandHandler PrintCommand(void (CView::*fn)())
{
    return [fn](CCommandContext& c) {
        if (CView* v = ActivePrintView(c))
            (v->*fn)();
    };
}

// Copy and Select All act on the table of the active grid window; before its first output
// the table has no grid, and they do nothing. (They stay enabled then: a window's table
// fills after the window has come up, with no command update in between.) Their shortcuts
// do not reach the main window while the element tree has the focus: the tree takes its
// own keys.
CGridView* ActiveGridView(const CCommandContext& c)
{
    const CChildFrame* f = c.frame.GetActiveChild();
    return f ? CChildFrame::GetGridView(f->GetView()) : nullptr;
}

CommandHandler GridCommand(int nID)
{
    return [nID](CCommandContext& c) {
        if (CGridView* v = ActiveGridView(c))
            v->OnCmdMsg(static_cast<UINT>(nID));
    };
}

bool IsTableWindow(const CCommandContext& c)
{
    return ActiveGridView(c) != nullptr;
}

// The tab-group commands, enabled while the active window's group allows them.
CommandPredicate TabGroupsAllow(unsigned flag)
{
    return [flag](const CCommandContext& c) { return (c.frame.GetTabGroups()->GetAllowedItems() & flag) != 0; };
}

CommandHandler TabGroupsCommand(bool (CTabGroups::*fn)())
{
    return [fn](CCommandContext& c) { (c.frame.GetTabGroups()->*fn)(); };
}

constexpr int kIcon(QStyle::StandardPixmap p)
{
    return static_cast<int>(p);
}

// The document's analysis, result and tools commands, from its own table.
void AddAnalysisCommands(std::vector<CCommand>& t)
{
    for (const DocAnalysisCommand& a : GetAnalysisCommands()) {
        const int nID = a.nID;
        int icon = -1;
        switch (nID) {
        case 32807: icon = kIcon(QStyle::SP_MediaPlay); break;
        case 32809: icon = kIcon(QStyle::SP_MediaSeekForward); break;
        case 32951: icon = kIcon(QStyle::SP_BrowserStop); break;
        case 32811: icon = kIcon(QStyle::SP_FileDialogDetailedView); break;
        case 32815: icon = kIcon(QStyle::SP_FileDialogListView); break;
        }
        t.push_back({nID,
                     a.pszMenu,
                     a.pszText,
                     a.pszKey,
                     a.bToolbar ? "Standard" : nullptr,
                     icon,
                     DocCommand(a.pHandler),
                     [nID](const CCommandContext& c) {
                         const DocAnalysisCommand* p = FindAnalysisCommand(nID);
                         return c.Doc() && p && IsAnalysisCommandEnabled(*c.Doc(), *p);
                     },
                     {},
                     a.pszStatusTip});
    }
}

// A command of the active case document.
std::vector<CCommand> MakeTable()
{
    std::vector<CCommand> t = {
        // File
        {ID_FILE_NEW,
         L"&File",
         L"&New",
         "Ctrl+N",
         "Standard",
         kIcon(QStyle::SP_FileIcon),
         [](CCommandContext& c) { c.app.OnFileNew(); },
         {},
         {},
         L"Create a new case"},
        {ID_FILE_OPEN,
         L"&File",
         L"&Open...",
         "Ctrl+O",
         "Standard",
         kIcon(QStyle::SP_DialogOpenButton),
         [](CCommandContext& c) { c.app.OnFileOpen(); },
         {},
         {},
         L"Open an existing case"},
        {ID_FILE_SAVE,
         L"&File",
         L"&Save",
         "Ctrl+S",
         "Standard",
         kIcon(QStyle::SP_DialogSaveButton),
         [](CCommandContext& c) { c.app.OnFileSave(); },
         CanChangeElements,
         {},
         L"Save the case"},
        {ID_FILE_SAVE_AS,
         L"&File",
         L"Save &As...",
         nullptr,
         nullptr,
         -1,
         [](CCommandContext& c) { c.app.OnFileSaveAs(); },
         CanChangeElements,
         {},
         L"Save the case under a new name"},
        {0, L"&File"},
        {ID_FILE_PRINT,
         L"&File",
         L"&Print...",
         "Ctrl+P",
         nullptr,
         -1,
         PrintCommand(&CView::OnFilePrint),
         CanPrint,
         {},
         L"Print the active window"},
        {ID_FILE_PRINT_PREVIEW,
         L"&File",
         L"Print Pre&view",
         nullptr,
         nullptr,
         -1,
         PrintCommand(&CView::OnFilePrintPreview),
         CanPrint,
         {},
         L"Show the pages of the active window as they will print"},
        {ID_FILE_PRINT_ALL, L"&File", L"Print Al&l", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnPrintAll(); }},
        {ID_FILE_PRINT_SETUP,
         L"&File",
         L"P&rint Setup...",
         nullptr,
         nullptr,
         -1,
         [](CCommandContext& c) { c.app.OnFilePrintSetup(); },
         {},
         {},
         L"Change the printer and printing options"},
        {0, L"&File"},
    };
    for (int i = 0; i < kRecentFileCount; ++i)
        t.push_back({ID_FILE_MRU_FILE1 + i, L"&File", L"Recent File", nullptr, nullptr, -1,
                     [i](CCommandContext& c) { c.app.OnOpenRecentFile(i); }});
    const std::vector<CCommand> rest = {
        {0, L"&File"},
        {CChildFrame::ID_SAVE_IMAGE, L"&File", L"Save &Image", "Ctrl+I", nullptr, -1,
         [](CCommandContext& c) {
             if (CChildFrame* f = c.frame.GetActiveChild())
                 f->OnSaveAsBitmap();
         },
         [](const CCommandContext& c) { return c.frame.GetActiveChild() != nullptr; }},
        {CChildFrame::ID_SAVE_GRID, L"&File", L"Save &Grid", "Ctrl+G", nullptr, -1,
         [](CCommandContext& c) {
             if (CChildFrame* f = c.frame.GetActiveChild())
                 f->OnSaveGridAsCSV();
         },
         [](const CCommandContext& c) {
             const CChildFrame* f = c.frame.GetActiveChild();
             return f && CChildFrame::GetViewGrid(f->GetView()) != nullptr;
         }},
        {0, L"&File"},
        {ID_APP_EXIT,
         L"&File",
         L"E&xit",
         nullptr,
         nullptr,
         -1,
         [](CCommandContext& c) { c.frame.close(); },
         {},
         {},
         L"Quit the application"},

        // Edit
        {ID_EDIT_COPY,
         L"&Edit",
         L"&Copy",
         "Ctrl+C",
         nullptr,
         -1,
         GridCommand(ID_EDIT_COPY),
         IsTableWindow,
         {},
         L"Copy the selected cells of the table"},
        {ID_EDIT_SELECT_ALL,
         L"&Edit",
         L"Select &All",
         "Ctrl+A",
         nullptr,
         -1,
         GridCommand(ID_EDIT_SELECT_ALL),
         IsTableWindow,
         {},
         L"Select every cell of the table"},

        // View
        {ID_PANE_ELEMENTS, L"&View", L"Analysis &Elements", nullptr, nullptr, -1, ShowPane(ID_PANE_ELEMENTS)},
        {ID_PANE_OUTPUT, L"&View", L"&Diagnostics", nullptr, nullptr, -1, ShowPane(ID_PANE_OUTPUT)},
        {ID_VIEW_CUSTOMIZE,
         L"&View",
         L"Customize...",
         nullptr,
         nullptr,
         -1,
         [](CCommandContext& c) { c.frame.OnViewCustomize(); },
         {},
         {},
         L"Arrange the commands of the toolbars and make toolbars of your own"},
        {0, L"&View"},

        // Case
        {ID_CASE_DATA, L"&Configuration", L"Case Data", nullptr, nullptr, -1, DocCommand(&CQELDoc::OnCaseData), HasDoc},
        {0, L"&Configuration"},
        {ID_ADD_BRIDGE, L"&Configuration", L"Add &Bridge", "Ctrl+B", "Standard", -1, DocCommand(&CQELDoc::OnAddBridge),
         CanChangeElements},
        {ID_ADD_BRIDGESET, L"&Configuration", L"Add Bridge &Set", "Ctrl+T", "Standard", -1,
         DocCommand(&CQELDoc::OnAddBridgeSet), CanChangeElements},
        {ID_ADD_LOADMODEL, L"&Configuration", L"Add &Load Model", "Ctrl+L", "Standard", -1,
         DocCommand(&CQELDoc::OnAddLoadModel), CanChangeElements},
        {ID_ADD_LOADMODELENSEMBLE, L"&Configuration", L"Add Load Model &Ensemble", "Ctrl+E", "Standard", -1,
         DocCommand(&CQELDoc::OnAddLoadModelEnsemble), CanChangeElements},
        {ID_ADD_REFCOLLECTION, L"&Configuration", L"Add &Reference Collection", "Ctrl+R", "Standard", -1,
         DocCommand(&CQELDoc::OnAddRefCollection), CanChangeElements},

        // Tools
        {ID_PANE_SETTINGS, L"&Tools", L"Options", nullptr, nullptr, -1, ShowPane(ID_PANE_SETTINGS)},

        // Window
        {ID_WINDOW_CLOSE_TAB, L"&Window", L"Close &Tab", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnCloseTab(); },
         [](const CCommandContext& c) { return c.frame.GetActiveChild() != nullptr; }},
        {ID_WINDOW_CLOSE_ALL_TABS, L"&Window", L"Close &All Tabs", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnCloseAllTabs(); }, HasDoc},
        {0, L"&Window"},
        {ID_MDI_NEW_HORZ_TAB_GROUP, L"&Window", L"New &Horizontal Tab Group", nullptr, nullptr, -1,
         TabGroupsCommand(&CTabGroups::NewHorizontalGroup), TabGroupsAllow(CTabGroups::ALLOW_NEW_HORZ_GROUP)},
        {ID_MDI_NEW_VERT_GROUP, L"&Window", L"New &Vertical Tab Group", nullptr, nullptr, -1,
         TabGroupsCommand(&CTabGroups::NewVerticalGroup), TabGroupsAllow(CTabGroups::ALLOW_NEW_VERT_GROUP)},
        {ID_MDI_MOVE_TO_NEXT_GROUP, L"&Window", L"Move to Ne&xt Tab Group", nullptr, nullptr, -1,
         TabGroupsCommand(&CTabGroups::MoveToNextGroup), TabGroupsAllow(CTabGroups::ALLOW_MOVE_NEXT)},
        {ID_MDI_MOVE_TO_PREV_GROUP, L"&Window", L"Move to P&revious Tab Group", nullptr, nullptr, -1,
         TabGroupsCommand(&CTabGroups::MoveToPrevGroup), TabGroupsAllow(CTabGroups::ALLOW_MOVE_PREV)},
        {0, L"&Window"},
        {ID_WINDOW_MANAGER, L"&Window", L"&Windows...", nullptr, nullptr, -1,
         [](CCommandContext& c) { c.frame.OnWindowManager(); }},

        // Help
        {ID_PANE_PDFHELP, L"&Help", L"PDF Help", nullptr, nullptr, -1, [](CCommandContext& c) { c.frame.OnPdfHelp(); }},
        {ID_APP_ABOUT,
         L"&Help",
         L"&About QEL...",
         nullptr,
         "Standard",
         kIcon(QStyle::SP_MessageBoxQuestion),
         [](CCommandContext& c) { c.app.OnAppAbout(); },
         {},
         {},
         L"Display program information and version"},
    };
    t.insert(t.end(), rest.begin(), rest.end());
    AddAnalysisCommands(t);
    AppendInsertCommands(t);

    for (const CAppLook& look : GetAppLooks()) {
        const int nID = look.nID;
        t.push_back({nID,
                     L"&View/&Application Look",
                     look.text,
                     nullptr,
                     nullptr,
                     -1,
                     [nID](CCommandContext& c) { c.frame.OnApplicationLook(nID); },
                     {},
                     [nID](const CCommandContext& c) { return c.app.m_nAppLook == nID; }});
    }
    return t;
}

}

const std::vector<const wchar_t*>& GetMenuOrder()
{
    static const std::vector<const wchar_t*> order = {L"&File",   L"&Edit",     L"&View",    L"&Configuration",
                                                      L"&Insert", L"&Analysis", L"&Results", L"&Tools",
                                                      L"&Window", L"&Help"};
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
