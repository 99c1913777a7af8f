#pragma once
// The main window: MDI area with the case and result windows, menus and toolbars built from
// the command table, the status bar with its progress, the docking panes, and the one
// receiver of the messages that worker threads post.
#include <QMainWindow>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/base/Messages.h"

class CQELApp;
class CQELDoc;
class CChildFrame;
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

// "%d/%m/%y %H:%M:%S| " in local time, then the text.
std::wstring FormatStatusLine(std::chrono::system_clock::time_point when, const std::wstring& sText);

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CQELApp& app);
    ~CMainFrame() override;

    // Status log and status bar.
    void AddStatus(const std::wstring& sText);
    void SetStatusClock(StatusClock clock) { m_Clock = std::move(clock); }
    void SetStatusText(const std::wstring& sText);
    std::wstring GetStatusText() const;
    COutputWnd* GetOutputWnd() const { return m_pOutputWnd; }
    // The caps, num and scroll lock panes of the status bar.
    CLockKeyPanes* GetLockKeyPanes() const { return m_pLockKeys; }

    // Progress of the running analysis: the launchers set the range.
    int m_nProgressMin = 0;
    int m_nProgressMax = 0;
    int m_nProgressSteps = 0;
    int GetProgressPos() const;

    // Posted messages, on the user-interface thread. The handlers take the message, which
    // owns its payload until it is destroyed.
    void OnPostedMessage(CPostedMessage& message);
    void OnAddStatus(CPostedMessage& message);
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
    // Case files dropped on the window; false when none of them is a case file.
    bool OnDropFiles(const QList<QUrl>& urls);

    // Runs a command as its menu item does; false when it is unknown or disabled.
    bool ExecuteCommand(int nID);
    QAction* GetCommandAction(int nID) const;
    QToolBar* GetToolBar(const char* name) const;
    void UpdateCommandUI();
    void UpdateFrameTitle();
    void RestoreFrameState();
    void SaveFrameState();

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
    std::map<std::string, QToolBar*> m_ToolBars;
    StatusClock m_Clock;
};
