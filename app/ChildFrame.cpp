#include "app/ChildFrame.h"

#include <QCloseEvent>

#include "app/QELApp.h"
#include "platform/win/MessageBox.h"
#include "ui/mainview/QELView.h"

CChildFrame::CChildFrame(CQELApp& app, CQELDoc* pDoc, QWidget* pView, bool bCaseWindow)
    : m_App(app), m_pDoc(pDoc), m_bCaseWindow(bCaseWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(pView);
    // The main view names the load model it shows.
    if (auto* pMainView = qobject_cast<CQELView*>(pView))
        connect(pMainView, &CQELView::titleChanged, this, &QWidget::setWindowTitle);
}

void CChildFrame::closeEvent(QCloseEvent* e)
{
    bool bAccept = true;
    CallHandlerGuarded([&] {
        // The last window of the case closes the case, after the save question.
        if (m_pDoc && m_App.IsLastFrameOf(this)) {
            if (!m_App.CanCloseDocument()) {
                bAccept = false;
                return;
            }
            m_App.CloseDocument();
        }
    });
    if (bAccept) {
        m_bClosed = true;
        QMdiSubWindow::closeEvent(e);
    }
    else
        e->ignore();
}
