#include "app/AppDocWindows.h"

#include "app/AppIds.h"
#include "app/MainFrame.h"
#include "app/tree/ElementView.h"
#include "app/QELApp.h"
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

void CAppDocWindows::ShowError(const std::wstring& sText) { AfxMessageBox(sText, MB_OK | MB_ICONERROR); }

bool CAppDocWindows::AskYesNo(const std::wstring& sText)
{
    return AfxMessageBox(sText, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CAppDocWindows::ShowWarning(const std::wstring& sText) { AfxMessageBox(sText, MB_OK | MB_ICONWARNING); }

void CAppDocWindows::SetProgressRange(int nMin, int nMax)
{
    if (CMainFrame* frame = m_App.GetMainFrame()) {
        frame->m_nProgressMin = nMin;
        frame->m_nProgressMax = nMax;
        frame->m_nProgressSteps = 0;
    }
}

CDocElementTree* CAppDocWindows::GetElementTree()
{
    CMainFrame* frame = m_App.GetMainFrame();
    auto* pane = frame ? qobject_cast<CElementView*>(frame->GetPaneContent(ID_PANE_ELEMENTS)) : nullptr;
    return pane ? pane->GetDocElementTree() : nullptr;
}

CDocPlotView* CAppDocWindows::CreatePlotView(CQELDoc&) { return nullptr; }

CDocGridView* CAppDocWindows::CreateGridView(CQELDoc&) { return nullptr; }

CDocMainView* CAppDocWindows::FindMainView(const CQELDoc&) { return nullptr; }

CQELDoc* CAppDocWindows::GetActiveDoc()
{
    CMainFrame* frame = m_App.GetMainFrame();
    return frame ? frame->GetActiveDoc() : nullptr;
}
