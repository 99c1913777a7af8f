#pragma once
// The main window: MDI area with the case and result windows, menus and toolbars built from
// the command table, the status bar with its progress, the docking panes, and the one
// receiver of the messages that worker threads post.
#include <QMainWindow>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/StatusLog.h"
#include "platform/base/Messages.h"

class CQELApp;
class CQELDoc;
class CChildFrame;
class CFrameToolbars;
class CLockKeyPanes;
class COutputWnd;
class CTabGroups;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QProgressBar;
class QToolBar;
class QUrl;

// The local time of a status-log line.
using StatusClock = std::function<std::chrono::system_clock::time_point()>;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CQELApp& app);
    ~CMainFrame() override;

    // Status log and status bar.
    // nTimes: the same line that many times over (counted on one line of the log).
    void AddStatus(const std::wstring& sText, std::uint64_t nTimes = 1);
    void SetStatusClock(StatusClock clock) { m_Clock = std::move(clock); }
    void SetStatusText(const std::wstring& sText);
    std::wstring GetStatusText() const;
    COutputWnd* GetOutputWnd() const { return m_pOutputWnd; }
    const CStatusLog& GetStatusLog() const { return m_StatusLog; }
    // The caps, num and scroll lock panes of the status bar.
    CLockKeyPanes* GetLockKeyPanes() const { return m_pLockKeys; }

    // Progress of the running analysis: the launchers set the range.
    int m_nProgressMin = 0;
    int m_nProgressMax = 0;
    int m_nProgressSteps = 0;
    int GetProgressPos() const;

    // Posted messages, on the user-interface thread. The handlers take the message, which
    // owns its payload until it is destroyed.
    // nRepeats: the times the same message was posted in a row (status lines only).
    void OnPostedMessage(CPostedMessage& message, std::uint64_t nRepeats = 1);
    // Handles what was posted, in order, for a moment at most; what is left waits for the
    // next turn of the event loop.
    void DeliverPosted();
    void OnAddStatus(CPostedMessage& message, std::uint64_t nRepeats = 1);
    void OnProgressUpdate(CPostedMessage& message);
    // Hands a worker's completion to the case and brings the commands' states up to date;
    // any other message is left alone.
    void OnAnalysisCompletion(CPostedMessage& message);

    // Panes by id (133, 149, 160, 196). ShowPane makes a pane on first use.
    QDockWidget* ShowPane(int nPaneId);
    // The width "PDF Help" opens at: half the window, never narrower than a readable page
    // unless the window is too small to leave the case window kCaseWindowKeeps beside it.
    static constexpr int kPdfPaneMinWidth = 600;
    static constexpr int kCaseWindowKeeps = 300;
    int PdfPaneWidth() const;
    QDockWidget* GetPane(int nPaneId) const;
    // The widget inside a pane, none while the pane is not made.
    QWidget* GetPaneContent(int nPaneId) const;

    // Child windows, in one or more tab groups. GetMdiArea: the active group, where new
    // windows open.
    CTabGroups* GetTabGroups() const { return m_pTabGroups; }
    QMdiArea* GetMdiArea() const;
    CChildFrame* AddChildFrame(CQELDoc* pDoc, QWidget* pView, bool bCaseWindow, const std::wstring& sTitle);
    CChildFrame* GetActiveChild() const;
    CQELDoc* GetActiveDoc() const;
    std::vector<CChildFrame*> GetChildFrames(const CQELDoc* pDoc) const;

    // Commands of the frame.
    void OnCloseTab();
    void OnCloseAllTabs();
    void OnApplicationLook(int nLook);
    void OnPrintAll();
    void OnPdfHelp();
    void OnWindowManager();
    // "Customize...": the toolbar customisation dialog.
    void OnViewCustomize();
    CFrameToolbars& GetToolbars() const { return *m_pToolbars; }
    // Case files dropped on the window; false when none of them is a case file.
    bool OnDropFiles(const QList<QUrl>& urls);

    // Runs a command as its menu item does; false when it is unknown or disabled.
    bool ExecuteCommand(int nID);
    QAction* GetCommandAction(int nID) const;
    // A toolbar by its object name: "Standard", "Insert", "UserToolbar1"...
    QToolBar* GetToolBar(const char* name) const;
    void UpdateCommandUI();
    void UpdateFrameTitle();
    void RestoreFrameState();
    void SaveFrameState();

    // The pane menu: toolbars and panes to show or hide, then "Customize...".
    QMenu* createPopupMenu() override;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void OnCreate();
    void CreateMenusAndToolBars();
    void CreateStatusBar();
    QDockWidget* MakePane(int nPaneId, Qt::DockWidgetArea area);
    QMenu* MenuFor(const std::wstring& path);
    void RunCommand(int nID);

    CQELApp& m_App;
    CTabGroups* m_pTabGroups = nullptr;
    CLockKeyPanes* m_pLockKeys = nullptr;
    COutputWnd* m_pOutputWnd = nullptr;
    QLabel* m_pStatusText = nullptr;
    QProgressBar* m_pProgress = nullptr;
    std::map<int, QDockWidget*> m_Panes;
    std::map<int, QAction*> m_Actions;
    std::map<std::wstring, QMenu*> m_Menus;
    std::unique_ptr<CFrameToolbars> m_pToolbars;
    StatusClock m_Clock;
    CStatusLog m_StatusLog;

    // Posted messages wait here for the user-interface thread, which one event wakes: a
    // worker posting a line at every load position put an event per line into the queue,
    // and the window had no turn to paint or take a click until the run ended.
    // A status line posted again while the first is still waiting is counted on it, so a
    // window slower than the workers does not collect their lines.
    struct CQueuedMessage {
        CPostedMessage message;
        std::uint64_t nRepeats = 1;
    };
    std::mutex m_PostedMutex;
    std::deque<CQueuedMessage> m_Posted;
    bool m_bPostedWake = false; // an event that delivers m_Posted is on its way
    int m_nDelivering = 0;      // handlers of posted messages under way
    void QueuePosted(CPostedMessage&& message);
    void PostWake();
};
