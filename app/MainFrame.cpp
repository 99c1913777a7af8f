#include "app/MainFrame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/AppIds.h"
#include "app/AppLook.h"
#include "app/ChildFrame.h"
#include "app/CommandTable.h"
#include "app/LockKeyPanes.h"
#include "app/OutputWnd.h"
#include "app/PaneContents.h"
#include "app/QELApp.h"
#include "app/ToolbarCustomize.h"
#include "app/TabGroups.h"
#include "app/doc/QELDoc.h"
#include "core/settings/Settings.h"
#include "platform/profile/Profile.h"
#include "platform/win/MessageBox.h"
#include "ui/views/QELViewBase.h"

namespace {

const wchar_t* const kAppTitle = L"Pellomar QEL";

// Wakes the user-interface thread to deliver the messages posted from any thread.
class CPostedWakeEvent : public QEvent {
public:
    static QEvent::Type TypeId()
    {
        static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
        return t;
    }
    CPostedWakeEvent() : QEvent(TypeId()) {}
};

// One delivery's turn: a burst of status lines is taken in slices, so the window paints
// and answers between them.
constexpr auto kDeliverySlice = std::chrono::milliseconds(50);
constexpr int kMessagesBetweenClockReads = 256;
// Waiting status lines looked through for the same text.
constexpr int kQueuedLinesLooked = 8;

struct PaneInfo {
    int nID;
    const char* title;
};

constexpr PaneInfo kPanes[] = {
    {ID_PANE_ELEMENTS, "Analysis Elements"},
    {ID_PANE_OUTPUT, "Diagnostics"},
    {ID_PANE_SETTINGS, "Settings"},
    {ID_PANE_PDFHELP, "PDF Help"},
};

QString PaneTitle(int nPaneId)
{
    for (const PaneInfo& p : kPanes)
        if (p.nID == nPaneId)
            return QString::fromLatin1(p.title);
    return {};
}

bool IsCaseFile(const QUrl& url)
{
    return url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".qel"), Qt::CaseInsensitive);
}

// "&Windows...": the open windows, to activate or close.
class CWindowsDlg : public QDialog {
public:
    CWindowsDlg(CTabGroups* groups, QWidget* parent)
        : QDialog(parent), m_pGroups(groups), m_pList(new QListWidget(this))
    {
        setWindowTitle(QStringLiteral("Windows"));
        m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
        auto* activate = new QPushButton(QStringLiteral("&Activate"), this);
        auto* closeWnd = new QPushButton(QStringLiteral("&Close Window(s)"), this);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        auto* side = new QVBoxLayout;
        side->addWidget(activate);
        side->addWidget(closeWnd);
        side->addStretch();
        side->addWidget(buttons);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(m_pList, 1);
        layout->addLayout(side);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(activate, &QPushButton::clicked, this, [this] {
            if (QMdiSubWindow* w = Selected().value(0)) {
                m_pGroups->SetActiveSubWindow(w);
                accept();
            }
        });
        connect(closeWnd, &QPushButton::clicked, this, [this] {
            for (QMdiSubWindow* w : Selected())
                w->close();
            Fill();
        });
        Fill();
    }

private:
    void Fill()
    {
        m_pList->clear();
        m_vWindows = m_pGroups->SubWindows();
        for (QMdiSubWindow* w : m_vWindows)
            m_pList->addItem(w->windowTitle());
        if (!m_vWindows.isEmpty())
            m_pList->setCurrentRow(std::max(0, static_cast<int>(m_vWindows.indexOf(m_pGroups->ActiveSubWindow()))));
    }
    QList<QMdiSubWindow*> Selected() const
    {
        QList<QMdiSubWindow*> result;
        for (const QModelIndex& i : m_pList->selectionModel()->selectedRows())
            if (i.row() < m_vWindows.size())
                result.push_back(m_vWindows[i.row()]);
        return result;
    }

    CTabGroups* m_pGroups;
    QListWidget* m_pList;
    QList<QMdiSubWindow*> m_vWindows;
};

}

CMainFrame::CMainFrame(CQELApp& app) : m_App(app), m_Clock([] { return std::chrono::system_clock::now(); })
{
    setObjectName(QStringLiteral("MainFrame"));
    OnCreate();
    // A result view paints only while the active child window belongs to a case.
    CQELViewBase::SetActiveCaseTest([this] { return GetActiveDoc() != nullptr; });
    // Worker threads reach the frame only through this sink.
    SetMainWindowMessageSink([this](CPostedMessage&& m) { QueuePosted(std::move(m)); });
}

CMainFrame::~CMainFrame()
{
    // No post may reach the frame once it is going; messages still queued die with it.
    SetMainWindowMessageSink(nullptr);
    CQELViewBase::SetActiveCaseTest(nullptr);
    // The base class closes the child windows after this frame's members are gone: their
    // activation must no longer reach the command update.
    if (m_pTabGroups) {
        disconnect(m_pTabGroups, nullptr, this, nullptr);
        m_pTabGroups->m_fnAction = nullptr;
        m_pTabGroups->m_fnRunCommand = nullptr;
        m_pTabGroups->m_fnUpdateCommands = nullptr;
    }
}

void CMainFrame::OnCreate()
{
    m_pTabGroups = new CTabGroups(this);
    setCentralWidget(m_pTabGroups);
    m_pTabGroups->m_fnAction = [this](int nID) { return GetCommandAction(nID); };
    m_pTabGroups->m_fnRunCommand = [this](int nID) { ExecuteCommand(nID); };
    m_pTabGroups->m_fnUpdateCommands = [this] { UpdateCommandUI(); };
    connect(m_pTabGroups, &CTabGroups::subWindowActivated, this, [this] {
        UpdateFrameTitle();
        UpdateCommandUI();
    });

    CreateMenusAndToolBars();
    CreateStatusBar();

    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks);
    MakePane(ID_PANE_ELEMENTS, Qt::LeftDockWidgetArea)->setAllowedAreas(Qt::LeftDockWidgetArea);
    MakePane(ID_PANE_OUTPUT, Qt::BottomDockWidgetArea);
    m_pToolbars->LoadUserImages(FindUserImagesFile());

    ApplyAppLook(m_App.m_nAppLook);
    setAcceptDrops(true);
    UpdateFrameTitle();
    UpdateCommandUI();
}

QMenu* CMainFrame::MenuFor(const std::wstring& path)
{
    if (auto it = m_Menus.find(path); it != m_Menus.end())
        return it->second;
    const size_t slash = path.rfind(L'/');
    QMenu* menu = nullptr;
    if (slash == std::wstring::npos) {
        menu = menuBar()->addMenu(QString::fromStdWString(path));
    } else {
        menu = MenuFor(path.substr(0, slash))->addMenu(QString::fromStdWString(path.substr(slash + 1)));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    m_Menus.emplace(path, menu);
    return menu;
}

void CMainFrame::CreateMenusAndToolBars()
{
    const auto& table = GetCommandTable();
    const auto topOf = [](const CCommand& c) {
        const std::wstring m = c.menu;
        return m.substr(0, m.find(L'/'));
    };
    // Top-level menus in their fixed order, then any that the order does not list.
    for (const wchar_t* name : GetMenuOrder())
        if (std::any_of(table.begin(), table.end(), [&](const CCommand& c) { return c.menu && topOf(c) == name; }))
            MenuFor(name);

    for (const CCommand& c : table) {
        if (!c.menu)
            continue;
        QMenu* menu = MenuFor(c.menu);
        if (c.nID == 0) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(QString::fromWCharArray(c.text ? c.text : L""), this);
        action->setObjectName(QString::number(c.nID));
        action->setData(c.nID);
        if (c.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        if (c.isChecked)
            action->setCheckable(true);
        const auto& looks = GetAppLooks();
        if (std::any_of(looks.begin(), looks.end(), [&](const CAppLook& l) { return l.nID == c.nID; })) {
            // The looks take a radio mark: one of them is the current look.
            auto* group = findChild<QActionGroup*>(QStringLiteral("looks"));
            if (!group) {
                group = new QActionGroup(this);
                group->setObjectName(QStringLiteral("looks"));
            }
            action->setActionGroup(group);
        }
        if (c.icon >= 0)
            action->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(c.icon)));
        if (c.statusTip) {
            // "status text\ntooltip", as the string table gives prompts.
            const QString tip = QString::fromWCharArray(c.statusTip);
            action->setStatusTip(tip.section(QLatin1Char('\n'), 0, 0));
            if (tip.contains(QLatin1Char('\n')))
                action->setToolTip(tip.section(QLatin1Char('\n'), 1));
        }
        const int nID = c.nID;
        connect(action, &QAction::triggered, this, [this, nID] { RunCommand(nID); });
        menu->addAction(action);
        m_Actions.emplace(nID, action);
    }
    // "Standard", "Insert" and the user's toolbars, as the profile keeps them. A button
    // without an icon shows its text.
    m_pToolbars = std::make_unique<CFrameToolbars>(*this);
}

void CMainFrame::CreateStatusBar()
{
    m_pStatusText = new QLabel(QStringLiteral("Ready"), this);
    m_pStatusText->setMinimumWidth(300);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("StatusProgress"));
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(true);
    m_pProgress->setMinimumWidth(200);
    // Menu help replaces the text of pane 0 for a moment; the progress stays in view.
    statusBar()->addWidget(m_pStatusText);
    statusBar()->addPermanentWidget(m_pProgress, 1);
    m_pLockKeys = new CLockKeyPanes(statusBar());
}

QDockWidget* CMainFrame::MakePane(int nPaneId, Qt::DockWidgetArea area)
{
    auto* dock = new QDockWidget(PaneTitle(nPaneId), this);
    dock->setObjectName(QStringLiteral("Pane%1").arg(nPaneId));
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    QWidget* content = nullptr;
    switch (nPaneId) {
    case ID_PANE_ELEMENTS: content = CreateElementPaneContent(dock); break;
    case ID_PANE_OUTPUT: content = m_pOutputWnd = new COutputWnd(m_StatusLog, dock); break;
    case ID_PANE_SETTINGS: content = CreateSettingsPaneContent(dock); break;
    case ID_PANE_PDFHELP: content = CreatePdfPaneContent(dock); break;
    default: content = new QWidget(dock); break;
    }
    dock->setWidget(content);
    addDockWidget(area, dock);
    if (nPaneId == ID_PANE_PDFHELP)
        resizeDocks({dock}, {PdfPaneWidth()}, Qt::Horizontal);
    else if (nPaneId == ID_PANE_ELEMENTS || nPaneId == ID_PANE_SETTINGS)
        resizeDocks({dock}, {200}, Qt::Horizontal);
    else
        resizeDocks({dock}, {100}, Qt::Vertical);
    m_Panes.emplace(nPaneId, dock);
    return dock;
}

int CMainFrame::PdfPaneWidth() const
{
    // A manual page fitted to the pane stays readable from about 600 px on; a small window
    // still keeps the element pane and some of the case window beside it.
    const QDockWidget* elements = GetPane(ID_PANE_ELEMENTS);
    const int left = elements && elements->isVisible() ? elements->width() : 0;
    const int room = width() - left - kCaseWindowKeeps;
    return std::max(200, std::min(std::max(kPdfPaneMinWidth, width() / 2), room));
}

QDockWidget* CMainFrame::GetPane(int nPaneId) const
{
    auto it = m_Panes.find(nPaneId);
    return it == m_Panes.end() ? nullptr : it->second;
}

QWidget* CMainFrame::GetPaneContent(int nPaneId) const
{
    QDockWidget* dock = GetPane(nPaneId);
    return dock ? dock->widget() : nullptr;
}

QDockWidget* CMainFrame::ShowPane(int nPaneId)
{
    QDockWidget* dock = GetPane(nPaneId);
    if (!dock) {
        dock = MakePane(nPaneId, Qt::RightDockWidgetArea);
        // A pane made after start-up takes the place the user last gave it.
        const bool bRestored = restoreDockWidget(dock);
        dock->show();
        // A docked pane takes its width only once it is laid out beside the others.
        if (nPaneId == ID_PANE_PDFHELP && !bRestored && !dock->isFloating())
            resizeDocks({dock}, {PdfPaneWidth()}, Qt::Horizontal);
    }
    dock->show();
    dock->raise();
    if (dock->widget())
        dock->widget()->setFocus();
    return dock;
}

QToolBar* CMainFrame::GetToolBar(const char* name) const
{
    return m_pToolbars ? m_pToolbars->GetToolBar(name) : nullptr;
}

QMenu* CMainFrame::createPopupMenu()
{
    QMenu* menu = QMainWindow::createPopupMenu();
    if (!menu)
        menu = new QMenu(this);
    m_pToolbars->AddCustomizeItem(menu);
    return menu;
}

QAction* CMainFrame::GetCommandAction(int nID) const
{
    auto it = m_Actions.find(nID);
    return it == m_Actions.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- commands

void CMainFrame::RunCommand(int nID)
{
    const CCommand* c = FindCommand(nID);
    if (!c || !c->onCommand)
        return;
    CallHandlerGuarded([&] {
        CCommandContext ctx{m_App, *this};
        if (!c->isEnabled || c->isEnabled(ctx))
            c->onCommand(ctx);
    });
    UpdateCommandUI();
}

bool CMainFrame::ExecuteCommand(int nID)
{
    QAction* action = GetCommandAction(nID);
    if (!action)
        return false;
    UpdateCommandUI();
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void CMainFrame::UpdateCommandUI()
{
    CCommandContext ctx{m_App, *this};
    const auto& recent = m_App.GetRecentFileList().GetFiles();
    for (const auto& [nID, action] : m_Actions) {
        const CCommand* c = FindCommand(nID);
        if (!c)
            continue;
        if (nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileCount) {
            const size_t i = static_cast<size_t>(nID - ID_FILE_MRU_FILE1);
            action->setVisible(i < recent.size());
            // An ampersand of the name is shown as it stands, not taken as a shortcut mark.
            if (i < recent.size())
                action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                    QString::fromStdWString(recent[i]).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        }
        bool bEnabled = true;
        CallHandlerGuarded([&] {
            bEnabled = !c->isEnabled || c->isEnabled(ctx);
            if (c->isChecked)
                action->setChecked(c->isChecked(ctx));
        });
        action->setEnabled(bEnabled);
    }
}

void CMainFrame::UpdateFrameTitle()
{
    // "[*]" is where the mark of unsaved changes goes.
    const CQELDoc* pDoc = m_App.GetDocument();
    const std::wstring& doc = m_App.GetDocumentTitle();
    setWindowTitle(QString::fromStdWString(pDoc ? doc + L"[*] - " + kAppTitle : kAppTitle));
    setWindowModified(pDoc && pDoc->IsModified());
}

void CMainFrame::OnCloseTab()
{
    if (CChildFrame* child = GetActiveChild())
        child->close();
}

void CMainFrame::OnCloseAllTabs()
{
    CQELDoc* pDoc = GetActiveDoc();
    if (!pDoc)
        return;
    // Collected first: each close changes the window list.
    std::vector<QPointer<CChildFrame>> results;
    for (CChildFrame* f : GetChildFrames(pDoc))
        if (!f->IsCaseWindow())
            results.emplace_back(f);
    for (const QPointer<CChildFrame>& f : results)
        if (f)
            f->close();
}

void CMainFrame::OnApplicationLook(int nLook)
{
    m_App.SetAppLook(nLook);
    if (m_pOutputWnd)
        m_pOutputWnd->UpdateFonts();
}

void CMainFrame::OnPrintAll()
{
    AfxMessageBox(L"This function is not yet supported", MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnPdfHelp()
{
    ShowPane(ID_PANE_PDFHELP);
    if (!LoadUserManual(GetPaneContent(ID_PANE_PDFHELP), g_pSettings->General.HELPFILEPATH))
        AfxMessageBox(L"Cannot load QEL User Manual - please verify the file path.", MB_OK | MB_ICONWARNING);
}

void CMainFrame::OnViewCustomize()
{
    m_pToolbars->OnViewCustomize();
}

void CMainFrame::OnWindowManager()
{
    CWindowsDlg dlg(m_pTabGroups, this);
    dlg.exec();
}

// ---------------------------------------------------------------- child windows

CChildFrame* CMainFrame::AddChildFrame(CQELDoc* pDoc, QWidget* pView, bool bCaseWindow, const std::wstring& sTitle)
{
    auto* frame = new CChildFrame(m_App, pDoc, pView, bCaseWindow);
    frame->setWindowTitle(QString::fromStdWString(sTitle));
    m_pTabGroups->AddSubWindow(frame);
    frame->showMaximized();
    m_pTabGroups->SetActiveSubWindow(frame);
    return frame;
}

QMdiArea* CMainFrame::GetMdiArea() const
{
    return m_pTabGroups->ActiveGroup();
}

CChildFrame* CMainFrame::GetActiveChild() const
{
    // The current window of the active tab group counts even while the main window itself
    // is not active, and so does the one activated last before Qt has a current one.
    return qobject_cast<CChildFrame*>(m_pTabGroups->ActiveSubWindow());
}

CQELDoc* CMainFrame::GetActiveDoc() const
{
    CChildFrame* child = GetActiveChild();
    return child ? child->GetDocument() : nullptr;
}

std::vector<CChildFrame*> CMainFrame::GetChildFrames(const CQELDoc* pDoc) const
{
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_pTabGroups->SubWindows())
        if (auto* f = qobject_cast<CChildFrame*>(w); f && !f->IsClosed() && f->GetDocument() == pDoc)
            frames.push_back(f);
    return frames;
}

// ---------------------------------------------------------------- status log and progress

void CMainFrame::AddStatus(const std::wstring& sText, std::uint64_t nTimes)
{
    m_StatusLog.Add(m_Clock(), sText, nTimes);
    if (!m_pOutputWnd)
        return;
    // Posted lines come in bursts: shown together once the burst is delivered.
    if (m_nDelivering > 0)
        m_pOutputWnd->GetList()->ScheduleSync();
    else
        m_pOutputWnd->GetList()->Sync();
}

void CMainFrame::SetStatusText(const std::wstring& sText)
{
    m_pStatusText->setText(QString::fromStdWString(sText));
    m_pStatusText->repaint();
}

std::wstring CMainFrame::GetStatusText() const
{
    return m_pStatusText->text().toStdWString();
}

int CMainFrame::GetProgressPos() const
{
    // An empty range shows 0; a count past the range shows a full bar.
    const double range = static_cast<double>(m_nProgressMax) - static_cast<double>(m_nProgressMin);
    if (!(range > 0.0))
        return 0;
    const double percent = m_nProgressSteps * 100.0 / range;
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

bool CMainFrame::event(QEvent* e)
{
    if (e->type() == CPostedWakeEvent::TypeId()) {
        DeliverPosted();
        return true;
    }
    // The desktop's fonts changed: the status log takes the regular font again.
    if (e->type() == QEvent::ApplicationFontChange && m_pOutputWnd)
        m_pOutputWnd->UpdateFonts();
    return QMainWindow::event(e);
}

// Any thread; the sink runs one call at a time.
void CMainFrame::QueuePosted(CPostedMessage&& message)
{
    static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    std::lock_guard lock(m_PostedMutex);
    // The same text among the last lines waiting, with nothing but lines and progress after
    // it: the log would count it on that line.
    if (const std::wstring* text = message.message == UWM_ADD_STATUS ? message.Payload<std::wstring>() : nullptr) {
        int nLines = 0;
        for (auto it = m_Posted.rbegin(); it != m_Posted.rend() && nLines < kQueuedLinesLooked; ++it) {
            if (it->message.message == UWM_PBAR_UPDATE)
                continue;
            if (it->message.message != UWM_ADD_STATUS)
                break;
            ++nLines;
            if (const std::wstring* queued = it->message.Payload<std::wstring>(); queued && *queued == *text) {
                ++it->nRepeats;
                return;
            }
        }
    }
    m_Posted.push_back({std::move(message), 1});
    if (!m_bPostedWake)
        PostWake();
}

// With m_PostedMutex held. postEvent is thread-safe.
void CMainFrame::PostWake()
{
    m_bPostedWake = true;
    QCoreApplication::postEvent(this, new CPostedWakeEvent);
}

void CMainFrame::DeliverPosted()
{
    static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    {
        std::lock_guard lock(m_PostedMutex);
        m_bPostedWake = false; // the event that brought us here
    }
    const auto until = std::chrono::steady_clock::now() + kDeliverySlice;
    for (int n = 1;; ++n) {
        CPostedMessage message;
        std::uint64_t nRepeats = 1;
        {
            std::lock_guard lock(m_PostedMutex);
            if (m_Posted.empty())
                return;
            message = std::move(m_Posted.front().message);
            nRepeats = m_Posted.front().nRepeats;
            m_Posted.pop_front();
            // A completion may open a window of its own (a question, a message) whose
            // event loop must go on delivering what follows, as a worker it started posts.
            const bool bQuick = message.message == UWM_ADD_STATUS || message.message == UWM_PBAR_UPDATE;
            if (!bQuick && !m_bPostedWake)
                PostWake();
        }
        ++m_nDelivering;
        CallHandlerGuarded([&] { OnPostedMessage(message, nRepeats); });
        --m_nDelivering;
        if (n % kMessagesBetweenClockReads == 0 && std::chrono::steady_clock::now() >= until) {
            std::lock_guard lock(m_PostedMutex);
            if (!m_Posted.empty() && !m_bPostedWake)
                PostWake();
            return;
        }
    }
}

void CMainFrame::OnPostedMessage(CPostedMessage& message, std::uint64_t nRepeats)
{
    static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");

    const unsigned int m = message.message;
    if (m == UWM_ADD_STATUS)
        OnAddStatus(message, nRepeats);
    else if (m == UWM_PBAR_UPDATE)
        OnProgressUpdate(message);
    else
        OnAnalysisCompletion(message);
}

void CMainFrame::OnAddStatus(CPostedMessage& message, std::uint64_t nRepeats)
{
    if (const std::wstring* text = message.Payload<std::wstring>())
        AddStatus(*text, nRepeats);
}

void CMainFrame::OnProgressUpdate(CPostedMessage& message)
{
    if (message.wParam == 1)
        ++m_nProgressSteps;
    else
        m_nProgressSteps = 0;
    // The bar repaints itself at once when its value changes; most steps leave the percent as it was.
    m_pProgress->setValue(GetProgressPos());
}

// The document that waits for the run takes the block; a completion of an abandoned run
// is dropped with its message.
void CMainFrame::OnAnalysisCompletion(CPostedMessage& message)
{
    if (!CQELDoc::DeliverAnalysisCompletion(message))
        return; // not a completion
    // The actions keep the states of the launch until told otherwise: without this the
    // keys and toolbar buttons of every analysis and element command stayed off, and Stop
    // on, after a run ended, until a menu happened to be opened.
    UpdateCommandUI();
}

// ---------------------------------------------------------------- closing, drops, state

void CMainFrame::closeEvent(QCloseEvent* e)
{
    bool bAccept = true;
    CallHandlerGuarded([&] {
        if (!m_App.CanCloseDocument()) {
            bAccept = false;
            return;
        }
        SaveFrameState();
        m_App.CloseDocument();
    });
    if (bAccept)
        e->accept();
    else
        e->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e)
{
    const QList<QUrl> urls = e->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), IsCaseFile))
        e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e)
{
    if (OnDropFiles(e->mimeData()->urls()))
        e->acceptProposedAction();
}

bool CMainFrame::OnDropFiles(const QList<QUrl>& urls)
{
    // One case at a time: the first case file dropped is opened.
    const auto it = std::find_if(urls.begin(), urls.end(), IsCaseFile);
    if (it == urls.end())
        return false;
    const std::wstring path = it->toLocalFile().toStdWString();
    CallHandlerGuarded([&] { m_App.OpenDocumentFile(path); });
    UpdateCommandUI();
    return true;
}

void CMainFrame::SaveFrameState()
{
    CProfile::WriteBinary(L"Workspace", L"Geometry", saveGeometry());
    CProfile::WriteBinary(L"Workspace", L"State", saveState());
}

void CMainFrame::RestoreFrameState()
{
    const QByteArray geometry = CProfile::GetBinary(L"Workspace", L"Geometry");
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QByteArray state = CProfile::GetBinary(L"Workspace", L"State");
    if (!state.isEmpty())
        restoreState(state);
}
