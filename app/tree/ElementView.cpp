#include "app/tree/ElementView.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>
#include <iterator>

#include "app/PaneToolBar.h"
#include "app/doc/AnalysisCommands.h"
#include "app/doc/QELDoc.h"
#include "app/tree/ViewTree.h"
#include "platform/base/Messages.h"
#include "platform/win/MessageBox.h"
#include "ui/mainview/QELView.h"
#include "platform/win/WndMsg.h"

namespace {

const unsigned int UWM_TREEITEMDBLCLICK = RegisterWindowMessage(L"UWM_TREEITEMDBLCLICK");
const unsigned int UWM_TREEITEMSELECT = RegisterWindowMessage(L"UWM_TREEITEMSELECT");
const unsigned int UWM_TREEITEMLABELCHANGE = RegisterWindowMessage(L"UWM_TREEITEMLABELCHANGE");
const unsigned int UWM_TREEITEMDRAGDROP = RegisterWindowMessage(L"UWM_TREEITEMDRAGDROP");

CElementView::MenuRunner& Runner()
{
    static CElementView::MenuRunner runner;
    return runner;
}

// The document's add commands offered by the context menus.
constexpr int ID_ADD_BRIDGE = 32791;
constexpr int ID_ADD_BRIDGESET = 32792;
constexpr int ID_ADD_LOADMODEL = 32793;
constexpr int ID_ADD_LME = 32794;
constexpr int ID_ADD_REFSET = 32795; // offered by menu 232, handled by nothing
constexpr int ID_ADD_REFCOLLECTION = 32805;

struct MenuEntry {
    int nID; // 0: separator; -1: start of the "Add" submenu; -2: its end
    const char* text;
};

const MenuEntry kCategoryMenu[] = {
    {-1, "Add"},
    {ID_ADD_BRIDGE, "Add &Bridge"},
    {ID_ADD_BRIDGESET, "Add Bridge &Set"},
    {ID_ADD_LOADMODEL, "Add &Load Model"},
    {ID_ADD_LME, "Add Load &Model Ensemble"},
    {ID_ADD_REFCOLLECTION, "Add &Reference Collection"},
    {-2, nullptr},
    {0, nullptr},
    {ID_ELEMENT_PASTE, "Paste\tCtrl+V"},
    {0, nullptr},
    {ID_EXPAND_ALL, "&Expand All\tCtrl+E"},
};

const MenuEntry kEnsembleMenu[] = {
    {ID_ADD_LOADMODEL, "Add &Load Model"},
    {0, nullptr},
    {ID_ELEMENT_RENAME, "&Rename\tF2"},
    {ID_ELEMENT_DELETE, "&Delete\tDel"},
    {0, nullptr},
    {ID_ELEMENT_COPY, "&Copy\tCtrl+C"},
    {ID_ELEMENT_CUT, "Cu&t\tCtrl+X"},
    {ID_ELEMENT_PASTE, "&Paste\tCtrl+V"},
    {0, nullptr},
    {ID_EXPAND_ALL, "&Expand All\tCtrl+E"},
};

const MenuEntry kElementMenu[] = {
    {-1, "&Add"},
    {ID_ADD_BRIDGE, "&Bridge"},
    {ID_ADD_BRIDGESET, "Bridge &Set"},
    {ID_ADD_LOADMODEL, "&Load Model"},
    {ID_ADD_LME, "Load &Model Ensemble"},
    {ID_ADD_REFSET, "&Reference Set"},
    {-2, nullptr},
    {0, nullptr},
    {ID_ELEMENT_RENAME, "&Rename\tF2"},
    {ID_ELEMENT_DELETE, "&Delete\tDel"},
    {0, nullptr},
    {ID_ELEMENT_COPY, "&Copy\tCtrl+C"},
    {ID_ELEMENT_CUT, "Cu&t\tCtrl+X"},
    {ID_ELEMENT_PASTE, "&Paste\tCtrl+V"},
    {0, nullptr},
    {ID_EXPAND_ALL, "&Expand All\tCtrl+E"},
};

// The "View" menu's result commands behind the analysis items, in their order; a double
// click obeys the command's enabling, so a result a worker is writing stays shut.
void ShowResults(CQELDoc& doc, int index)
{
    static constexpr int kCommands[] = {32779, 32780, 32782, 32858, 32830};
    if (index < 0 || index >= static_cast<int>(std::size(kCommands)))
        return;
    const DocAnalysisCommand* pCommand = FindAnalysisCommand(kCommands[index]);
    if (pCommand && IsAnalysisCommandEnabled(doc, *pCommand))
        (doc.*pCommand->pHandler)();
}

// What waits for a running analysis, as the main frame's element commands do.
bool ChangesElements(int nID)
{
    switch (nID) {
    case ID_ELEMENT_RENAME:
    case ID_ELEMENT_DELETE:
    case ID_ELEMENT_PASTE:
    case ID_ADD_BRIDGE:
    case ID_ADD_BRIDGESET:
    case ID_ADD_LOADMODEL:
    case ID_ADD_LME:
    case ID_ADD_REFCOLLECTION: return true;
    default: return false;
    }
}

template <std::size_t N>
void AddEntries(QMenu* menu, const MenuEntry (&entries)[N], bool bBusy)
{
    QMenu* target = menu;
    for (const MenuEntry& e : entries) {
        if (e.nID == -1) {
            target = menu->addMenu(QString::fromUtf8(e.text));
        } else if (e.nID == -2) {
            target = menu;
        } else if (e.nID == 0) {
            target->addSeparator();
        } else {
            QAction* a = target->addAction(QString::fromUtf8(e.text));
            a->setData(e.nID);
            a->setEnabled(e.nID != ID_ADD_REFSET && (!bBusy || !ChangesElements(e.nID)));
        }
    }
}

}

CElementView::CElementView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ElementView"));
    m_pToolBar = MakePaneToolBar(this, 228);
    AddPaneCommand(m_pToolBar, ID_EXPAND_ALL, QStyle::SP_ToolBarVerticalExtensionButton, tr("Expand/Collapse"),
                   tr("Toggle expand or collapse all elements"), [this] { OnCommand(ID_EXPAND_ALL); });

    m_pTree = new CViewTree(m_Controller, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 0, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_pToolBar);
    layout->addWidget(m_pTree, 1);
    setFocusProxy(m_pTree);

    m_Controller.m_fnElementSelected = [this](CElement* p) { BroadcastElementSelected(p); };
    m_Controller.m_fnShowResults = &ShowResults;
    connect(m_pTree, &CViewTree::commandKey, this, &CElementView::OnCommand);
    connect(m_pTree, &CViewTree::contextMenuWanted, this, &CElementView::ShowContextMenu);
}

CElementView::~CElementView()
{
    m_Controller.m_fnElementSelected = nullptr;
    delete m_pTree; // before the controller it observes
    m_pTree = nullptr;
}

void CElementView::ShowNoCase()
{
    m_Controller.ClearTree();
    m_Controller.Populate(nullptr);
}

void CElementView::SetMenuRunner(MenuRunner runner)
{
    Runner() = std::move(runner);
}

void CElementView::BroadcastElementSelected(CElement* pElement)
{
    emit elementSelected(pElement);
    // Every window of the main window, however deep, as the selection message reaches them:
    // the main window, not this pane's own window when the pane floats.
    QWidget* top = this;
    while (top->parentWidget())
        top = top->parentWidget();
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (auto* view = qobject_cast<CQELView*>(w))
            view->OnShowLoadModel(0, reinterpret_cast<LPARAM>(pElement));
        else
            SendMessage(w, WM_ELEMENTSELECTED, 0, reinterpret_cast<LPARAM>(pElement));
    }
}

void CElementView::OnCommand(int nID)
{
    CallHandlerGuarded([&] {
        if (nID == ID_ELEMENT_RENAME) {
            if (m_Controller.OnRename())
                m_pTree->EditSelectedLabel();
            return;
        }
        if (nID >= ID_EXPAND_ALL && nID <= ID_ELEMENT_PASTE) {
            m_Controller.OnCommand(nID);
            return;
        }
        CQELDoc* pDoc = CQELDoc::GetDoc();
        if (!pDoc)
            return;
        switch (nID) {
        case ID_ADD_BRIDGE: pDoc->OnAddBridge(); break;
        case ID_ADD_BRIDGESET: pDoc->OnAddBridgeSet(); break;
        case ID_ADD_LOADMODEL: pDoc->OnAddLoadModel(); break;
        case ID_ADD_LME: pDoc->OnAddLoadModelEnsemble(); break;
        case ID_ADD_REFCOLLECTION: pDoc->OnAddRefCollection(); break;
        default: break;
        }
    });
}

LRESULT CElementView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto item = [](auto value) { return static_cast<TreeItem>(value); };
    LRESULT result = 0;
    CallHandlerGuarded([&] {
        if (message == UWM_TREEITEMDBLCLICK) {
            m_Controller.OnTreeItemDblClick(item(wParam), item(lParam));
        } else if (message == UWM_TREEITEMSELECT) {
            m_Controller.OnTreeItemSelect(item(lParam));
        } else if (message == UWM_TREEITEMLABELCHANGE) {
            const auto* text = reinterpret_cast<const std::wstring*>(wParam);
            result = text && m_Controller.OnTreeItemLabelChange(item(lParam), *text) ? 1 : 0;
        } else if (message == UWM_TREEITEMDRAGDROP) {
            result = m_Controller.OnTreeItemDragDrop(item(wParam), item(lParam));
        }
    });
    return result;
}

QMenu* CElementView::BuildContextMenu(int menuId, QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    const bool bBusy = CElementTreeController::IsCaseBusy();
    switch (menuId) {
    case IDR_POPUP_ENSEMBLE: AddEntries(menu, kEnsembleMenu, bBusy); break;
    case IDR_POPUP_ELEMENT: AddEntries(menu, kElementMenu, bBusy); break;
    default: AddEntries(menu, kCategoryMenu, bBusy); break;
    }
    return menu;
}

void CElementView::ShowContextMenu(int menuId, const QPoint& globalPos)
{
    QMenu* menu = BuildContextMenu(menuId, this);
    QAction* chosen = Runner() ? Runner()(*menu, globalPos) : menu->exec(globalPos);
    const int nID = chosen ? chosen->data().toInt() : 0;
    delete menu;
    if (nID)
        OnCommand(nID);
}
