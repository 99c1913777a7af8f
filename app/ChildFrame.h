#pragma once
// A child window of the main frame's MDI area: the case window or a result window of the
// open case. It keeps the title its creator gives it.
#include <QMdiSubWindow>

class CQELDoc;
class CQELApp;
class CGridCtrl;
class CGridView;
class CView;
class QCloseEvent;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // bCaseWindow: the window of the case's main view (it stays on "Close All Tabs").
    CChildFrame(CQELApp& app, CQELDoc* pDoc, QWidget* pView, bool bCaseWindow);

    CQELDoc* GetDocument() const { return m_pDoc; }
    bool IsCaseWindow() const { return m_bCaseWindow; }
    QWidget* GetView() const { return widget(); }
    // The document is closing: the window closes without asking again.
    void DetachDocument() { m_pDoc = nullptr; }
    // Closed and waiting to be deleted: no longer one of the case's windows.
    bool IsClosed() const { return m_bClosed; }

    // Save Image (32818) and Save Grid (32942) of the File menu. A failed save leaves any
    // old file as it was.
    enum : int { ID_SAVE_IMAGE = 32818, ID_SAVE_GRID = 32942 };
    void OnSaveAsBitmap();
    void OnSaveGridAsCSV();
    // The grid of a grid view (a view whose "viewKind" property is 1), none for any other.
    static CGridCtrl* GetViewGrid(QWidget* pView);
    // The view that prints this window (a table, a graph or the case's main view), none for
    // any other window.
    static CView* GetPrintView(QWidget* pView);
    // The table view of a grid window, none for any other window.
    static CGridView* GetGridView(QWidget* pView);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    CQELApp& m_App;
    CQELDoc* m_pDoc;
    bool m_bCaseWindow;
    bool m_bClosed = false;
};
