#include "app/QELApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <filesystem>
#include <system_error>

#include "app/AboutDlg.h"
#include "app/AppDialogs.h"
#include "app/AppDocWindows.h"
#include "app/AppIds.h"
#include "app/AppLook.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PaneContents.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "app/tree/ElementView.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/print/AppPrinter.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/MenuInputGuard.h"

namespace {

CQELApp* g_pApp = nullptr;

const wchar_t* const kSettingsFileName = L"QEL.xml";
const wchar_t* const kCaseFilter = L"QEL Files (*.qel)";

}

CQELApp* GetQELApp()
{
    return g_pApp;
}

void AddStatusMessage(const std::wstring& sText)
{
    if (g_pApp && g_pApp->GetMainFrame())
        g_pApp->GetMainFrame()->AddStatus(sText);
}

CQELApp::CQELApp() : m_nAppLook(kDefaultAppLook), m_RecentFiles(kRecentFileCount)
{
    g_pApp = this;
}

CQELApp::~CQELApp()
{
    // The case goes before the windows it talks to.
    if (m_pMainFrame)
        for (CChildFrame* f : m_pMainFrame->GetChildFrames(m_pDoc.get()))
            f->DetachDocument();
    m_pDoc.reset();
    DocHost host = GetDocHost();
    if (host.pWindows == m_pDocWindows.get())
        host.pWindows = nullptr;
    if (host.pDialogs == m_pDialogs.get())
        host.pDialogs = nullptr;
    if (host.pAnalysisDialogs == m_pDialogs.get())
        host.pAnalysisDialogs = nullptr;
    SetDocHost(host);
    m_pMainFrame.reset();
    SetAppPrinter(nullptr);
    if (g_pApp == this)
        g_pApp = nullptr;
}

bool CQELApp::InitInstance(const QStringList& args)
{
    m_nUseCount = CProfile::GetInt(kUsesSection, kUsesEntry, 0) + 1;
    m_RecentFiles.ReadList();
    LoadSettings();

    m_nAppLook = CProfile::GetInt(L"Workspace", L"ApplicationLook", kDefaultAppLook);
    m_pPrinter = std::make_unique<QPrinter>();
    SetAppPrinter(m_pPrinter.get());

    m_pDocWindows = std::make_unique<CAppDocWindows>(*this);
    m_pDialogs = std::make_unique<CAppDialogs>(*this);
    DocHost host = GetDocHost();
    host.pWindows = m_pDocWindows.get();
    // Dialogs that a test installed before the start stay in place.
    if (!host.pDialogs)
        host.pDialogs = m_pDialogs.get();
    host.pAnalysisDialogs = m_pDialogs.get();
    SetDocHost(host);

    // Clicks made on a menu whose command still holds the window reach nothing under it.
    CMenuInputGuard::Install();
    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    m_pMainFrame->RestoreFrameState();
    for (std::size_t b = 0, e; b < m_sSettingsNotes.size(); b = e + 1) {
        e = m_sSettingsNotes.find(L'\n', b);
        if (e == std::wstring::npos)
            e = m_sSettingsNotes.size();
        AddStatusMessage(m_sSettingsNotes.substr(b, e - b));
    }
    m_sSettingsNotes.clear();

    bool bOk = true;
    if (args.isEmpty())
        OnFileNew();
    else
        bOk = OpenDocumentFile(args.front().toStdWString()) != nullptr;
    if (!bOk)
        return false;

    m_pMainFrame->showMaximized();
    m_pMainFrame->UpdateCommandUI();
    SetPrinterDefaults();
    return true;
}

void CQELApp::LoadSettings()
{
    const std::wstring folder = CSettings::GetAppDataFolder();
    m_sSettingsPath = folder.empty() ? std::wstring() : folder + L"/QEL/" + kSettingsFileName;
    if (m_nUseCount == 1) {
        // The very first start under this profile: nothing to read yet.
        g_pSettings->SetDefaults();
        return;
    }
    std::wstring sMessage;
    if (!CSettings::Load(m_sSettingsPath, sMessage))
        AfxMessageBox(sMessage, MB_OK | MB_ICONERROR);
    else
        m_sSettingsNotes = sMessage; // logged once the main frame is up
}

int CQELApp::ExitInstance()
{
    // The settings folder may not exist yet on a new machine.
    const std::filesystem::path folder = WideToPath(m_sSettingsPath).parent_path();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    if (ec)
        AddStatusMessage(L"Cannot create the settings folder " + PathToWide(folder) + L": " + Utf8ToWide(ec.message()));
    std::wstring sMessage;
    if (!CSettings::Save(m_sSettingsPath, sMessage))
        AfxMessageBox(sMessage, MB_OK | MB_ICONERROR);

    CProfile::WriteInt(kUsesSection, kUsesEntry, m_nUseCount);
    m_RecentFiles.WriteList();
    CProfile::Flush();
    return 0;
}

void CQELApp::SetPrinterDefaults()
{
    if (m_pPrinter)
        m_pPrinter->setPageOrientation(QPageLayout::Landscape);
}

void CQELApp::SetAppLook(int nLook)
{
    m_nAppLook = nLook;
    ApplyAppLook(nLook);
    CProfile::WriteInt(L"Workspace", L"ApplicationLook", nLook);
    if (m_pMainFrame)
        m_pMainFrame->update();
}

// ---------------------------------------------------------------- one case at a time

void CQELApp::StopAnalysisAndWait()
{
    if (m_pDoc)
        m_pDoc->StopAnalysisAndWait();
}

bool CQELApp::CanCloseDocument()
{
    if (!m_pDoc)
        return true;
    // An open or a save keeps the window painting; it must end before anything else.
    if (m_pDoc->IsFileBusy())
        return false;
    StopAnalysisAndWait();
    return SaveModified();
}

bool CQELApp::SaveModified()
{
    if (!m_pDoc || !m_pDoc->IsModified())
        return true;
    const std::wstring name = m_pDoc->GetPathName().empty() ? m_sDocTitle : m_pDoc->GetPathName();
    switch (AfxMessageBox(L"Save changes to " + name + L"?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return OnFileSave();
    case IDNO: return true;
    default: return false;
    }
}

void CQELApp::CloseDocument()
{
    if (!m_pDoc)
        return;
    m_pDoc->OnCloseDocument();
    if (m_pMainFrame)
        for (CChildFrame* f : m_pMainFrame->GetChildFrames(m_pDoc.get())) {
            f->DetachDocument();
            f->close();
        }
    m_pDoc.reset();
    m_sDocTitle.clear();
    if (m_pMainFrame) {
        m_pMainFrame->UpdateFrameTitle();
        // The element pane lets go of the closed case's elements.
        if (auto* pane = qobject_cast<CElementView*>(m_pMainFrame->GetPaneContent(ID_PANE_ELEMENTS)))
            pane->ShowNoCase();
    }
}

bool CQELApp::IsLastFrameOf(const CChildFrame* pFrame) const
{
    if (!m_pMainFrame || !pFrame->GetDocument())
        return false;
    const auto frames = m_pMainFrame->GetChildFrames(pFrame->GetDocument());
    return frames.size() == 1 && frames.front() == pFrame;
}

void CQELApp::CreateCaseWindow()
{
    if (!m_pMainFrame || !m_pDoc)
        return;
    QWidget* view = CreateCaseMainView(*m_pDoc, nullptr);
    m_pMainFrame->AddChildFrame(m_pDoc.get(), view, true, m_sDocTitle);
    m_pMainFrame->UpdateFrameTitle();
}

void CQELApp::SetDocumentPath(const std::wstring& sPath)
{
    m_sDocTitle = QFileInfo(QString::fromStdWString(sPath)).fileName().toStdWString();
    m_RecentFiles.Add(sPath);
    m_RecentFiles.WriteList();
    if (m_pMainFrame) {
        for (CChildFrame* f : m_pMainFrame->GetChildFrames(m_pDoc.get()))
            if (f->IsCaseWindow())
                f->setWindowTitle(QString::fromStdWString(m_sDocTitle));
        m_pMainFrame->UpdateFrameTitle();
    }
}

bool CQELApp::NewDocument()
{
    if (!CanCloseDocument())
        return false;
    CloseDocument();
    m_pDoc = std::make_unique<CQELDoc>();
    if (!m_pDoc->OnNewDocument()) {
        m_pDoc.reset();
        return false;
    }
    m_sDocTitle = L"QEL_config" + std::to_wstring(++m_nUntitledCount);
    CreateCaseWindow();
    return true;
}

void CQELApp::OnFileNew()
{
    NewDocument();
}

CQELDoc* CQELApp::OpenDocumentFile(const std::wstring& sPath)
{
    if (!CanCloseDocument())
        return nullptr;
    // The case keeps its full path: a later Save must not depend on the current folder.
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(WideToPath(sPath), ec);
    const std::wstring sFullPath = ec ? sPath : PathToWide(full.lexically_normal());
    // The file is read in full before the open case goes: a damaged file must not cost it.
    auto pNew = std::make_unique<CQELDoc>();
    bool bRead = false;
    {
        const CQELDoc::CFileBusyScope hold(m_pDoc.get());
        bRead = pNew->OnOpenDocument(sFullPath);
    }
    if (!bRead) {
        // The document told the user; the open case stays as it was, changes and all.
        if (m_pMainFrame)
            m_pMainFrame->UpdateFrameTitle();
        return nullptr;
    }
    CloseDocument();
    m_pDoc = std::move(pNew);
    m_pDoc->RefreshElementView(); // the pane let go of the closed case's elements
    SetDocumentPath(m_pDoc->GetPathName());
    CreateCaseWindow();
    return m_pDoc.get();
}

void CQELApp::OnFileOpen()
{
    FileDialogRequest request;
    request.sTitle = L"Open";
    request.sFilter = kCaseFilter;
    request.sDefaultSuffix = L"qel";
    if (const auto path = RunFileDialog(m_pMainFrame.get(), request))
        OpenDocumentFile(*path);
}

void CQELApp::OnOpenRecentFile(int nIndex)
{
    const auto& files = m_RecentFiles.GetFiles();
    if (nIndex < 0 || nIndex >= static_cast<int>(files.size()))
        return;
    const std::wstring path = files[static_cast<size_t>(nIndex)];
    if (!OpenDocumentFile(path) && !std::filesystem::exists(WideToPath(path))) {
        m_RecentFiles.Remove(nIndex);
        m_RecentFiles.WriteList();
    }
}

bool CQELApp::DoSave(const std::wstring& sPath)
{
    if (!m_pDoc->OnSaveDocument(sPath))
        return false;
    SetDocumentPath(sPath);
    return true;
}

bool CQELApp::OnFileSave()
{
    if (!m_pDoc)
        return false;
    if (m_pDoc->GetPathName().empty())
        return OnFileSaveAs();
    return DoSave(m_pDoc->GetPathName());
}

bool CQELApp::OnFileSaveAs()
{
    if (!m_pDoc)
        return false;
    FileDialogRequest request;
    request.bSave = true;
    request.sTitle = L"Save As";
    request.sFilter = kCaseFilter;
    request.sDefaultSuffix = L"qel";
    request.sInitialName = m_pDoc->GetPathName().empty() ? m_sDocTitle : m_pDoc->GetPathName();
    const auto path = RunFileDialog(m_pMainFrame.get(), request);
    if (!path)
        return false;
    return DoSave(*path);
}

void CQELApp::OnFilePrintSetup()
{
    if (!m_pPrinter)
        return;
    QPageSetupDialog dlg(m_pPrinter.get(), m_pMainFrame.get());
    dlg.exec();
}

void CQELApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainFrame.get());
    dlg.exec();
}
