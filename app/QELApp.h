#pragma once
// The application: start-up and shut-down, the profile, the settings file, one open case
// at a time with its save question, and the file commands.
#include <QStringList>
#include <memory>
#include <string>

#include "platform/profile/Profile.h"

class CMainFrame;
class CChildFrame;
class CQELDoc;
class CAppDocWindows;
class CAppDialogs;
class QPrinter;

class CQELApp {
public:
    CQELApp();
    ~CQELApp();
    CQELApp(const CQELApp&) = delete;
    CQELApp& operator=(const CQELApp&) = delete;

    // args: the command line after the program name. False: the program ends (ExitInstance
    // still runs).
    bool InitInstance(const QStringList& args);
    // After the event loop: writes the settings file and the profile. Returns the exit code.
    int ExitInstance();
    void LoadSettings();
    // Print Setup and printing start in landscape.
    void SetPrinterDefaults();

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnOpenRecentFile(int nIndex);
    // Opens a case in place of the open one (after its save question); none on failure or
    // when the user keeps the open case.
    CQELDoc* OpenDocumentFile(const std::wstring& sPath);

    // One case at a time.
    CQELDoc* GetDocument() const { return m_pDoc.get(); }
    const std::wstring& GetDocumentTitle() const { return m_sDocTitle; }
    // Stops a running analysis, then asks whether to save a modified case; false when the
    // user keeps the case open.
    bool CanCloseDocument();
    // Yes/No/Cancel question for a modified case; false for Cancel or a failed save.
    bool SaveModified();
    // Closes the case and all its windows without a question.
    void CloseDocument();
    bool IsLastFrameOf(const CChildFrame* pFrame) const;

    // Stops a running analysis and waits for its worker to end, so that the case can be
    // closed, replaced or the program left.
    void StopAnalysisAndWait();

    void SetAppLook(int nLook);

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CRecentFileList& GetRecentFileList() { return m_RecentFiles; }
    QPrinter* GetPrinter() const { return m_pPrinter.get(); }

    int m_nAppLook;
    bool m_bHiColorIcons = true;
    std::wstring m_sSettingsPath;
    std::wstring m_sSettingsNotes; // settings put back to their defaults, for the status log
    int m_nUseCount = 0;

    static constexpr const wchar_t* kUsesSection = L"Uses";
    static constexpr const wchar_t* kUsesEntry = L"Number";

private:
    bool NewDocument();
    void CreateCaseWindow();
    void SetDocumentPath(const std::wstring& sPath);
    bool DoSave(const std::wstring& sPath);

    CRecentFileList m_RecentFiles;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CAppDocWindows> m_pDocWindows;
    std::unique_ptr<CAppDialogs> m_pDialogs;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CQELDoc> m_pDoc;
    std::wstring m_sDocTitle;
    int m_nUntitledCount = 0;
};

// The running application, or none.
CQELApp* GetQELApp();

// One line in the status log of the main window, when there is one.
void AddStatusMessage(const std::wstring& sText);
