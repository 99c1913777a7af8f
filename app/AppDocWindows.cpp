#include "app/AppDocWindows.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMdiArea>

#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/tree/ElementView.h"
#include "app/QELApp.h"
#include "app/ResultViewLinks.h"
#include "platform/win/MessageBox.h"

void CAppDocWindows::AddStatus(const std::wstring& sText)
{
    if (CMainFrame* frame = m_App.GetMainFrame())
        frame->AddStatus(sText);
}

void CAppDocWindows::SetStatusText(const std::wstring& sText)
{
    if (CMainFrame* frame = m_App.GetMainFrame())
        frame->SetStatusText(sText);
}

void CAppDocWindows::ShowError(const std::wstring& sText)
{
    AfxMessageBox(sText, MB_OK | MB_ICONERROR);
}

bool CAppDocWindows::AskYesNo(const std::wstring& sText)
{
    return AfxMessageBox(sText, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CAppDocWindows::ShowWarning(const std::wstring& sText)
{
    AfxMessageBox(sText, MB_OK | MB_ICONWARNING);
}

void CAppDocWindows::OnModifiedChanged(const CQELDoc& doc)
{
    CMainFrame* frame = m_App.GetMainFrame();
    if (frame && m_App.GetDocument() == &doc)
        frame->UpdateFrameTitle();
}

void CAppDocWindows::SetProgressRange(int nMin, int nMax)
{
    if (CMainFrame* frame = m_App.GetMainFrame()) {
        frame->m_nProgressMin = nMin;
        frame->m_nProgressMax = nMax;
        frame->m_nProgressSteps = 0;
    }
}

void CAppDocWindows::SetLongFileTask(bool bRunning)
{
    if (bRunning)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

// Paint events and posted messages (the progress steps among them) are handled; input
// from the user stays queued until the open or save has ended.
void CAppDocWindows::KeepPainting()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

CDocElementTree* CAppDocWindows::GetElementTree()
{
    CMainFrame* frame = m_App.GetMainFrame();
    auto* pane = frame ? qobject_cast<CElementView*>(frame->GetPaneContent(ID_PANE_ELEMENTS)) : nullptr;
    return pane ? pane->GetDocElementTree() : nullptr;
}

namespace {

// A new result window of the case holding a fresh view; none when the view cannot be made.
template <class Link, class View>
Link* OpenResultWindow(CMainFrame* pFrame, CQELDoc& doc)
{
    if (!pFrame)
        return nullptr;
    auto pView = std::make_unique<View>();
    if (!pView->CreateView(pFrame->GetMdiArea()))
        return nullptr;
    QWidget* pWidget = pView->GetSafeHwnd();
    pWidget->setProperty("viewKind", pView->GetViewKind()); // Save Grid reads it
    CChildFrame* pChild = pFrame->AddChildFrame(&doc, pWidget, false, L"");
    pView->OnInitialUpdate();
    return new Link(std::move(pView), pChild);
}

}

CDocPlotView* CAppDocWindows::CreatePlotView(CQELDoc& doc)
{
    return OpenResultWindow<CPlotViewLink, CPlotView>(m_App.GetMainFrame(), doc);
}

CDocGridView* CAppDocWindows::CreateGridView(CQELDoc& doc)
{
    return OpenResultWindow<CGridViewLink, CGridView>(m_App.GetMainFrame(), doc);
}

CDocMainView* CAppDocWindows::FindMainView(const CQELDoc& doc)
{
    CMainFrame* frame = m_App.GetMainFrame();
    if (!frame)
        return nullptr;
    for (CChildFrame* f : frame->GetChildFrames(&doc))
        if (auto* pView = qobject_cast<CQELView*>(f->GetView())) {
            m_MainView.SetView(pView);
            return &m_MainView;
        }
    return nullptr;
}

CQELDoc* CAppDocWindows::GetActiveDoc()
{
    CMainFrame* frame = m_App.GetMainFrame();
    return frame ? frame->GetActiveDoc() : nullptr;
}
