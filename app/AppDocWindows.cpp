#include "app/AppDocWindows.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
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

CDocElementTree* CAppDocWindows::GetElementTree() { return nullptr; }

CDocPlotView* CAppDocWindows::CreatePlotView(CQELDoc&) { return nullptr; }

CDocGridView* CAppDocWindows::CreateGridView(CQELDoc&) { return nullptr; }

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
