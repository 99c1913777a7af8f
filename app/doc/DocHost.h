#pragma once
// Where the case document finds the windows and dialogs: the application installs its
// implementations at start-up, tests install theirs. User-interface thread only. With
// nothing installed, the document logs nothing, shows nothing and runs no dialog.
class CDocWindows;
class CDocDialogs;
class CDocAnalysisDialogs;

struct DocHost {
    CDocWindows* pWindows = nullptr;
    CDocDialogs* pDialogs = nullptr;
    CDocAnalysisDialogs* pAnalysisDialogs = nullptr;
};

void SetDocHost(const DocHost& host);
const DocHost& GetDocHost();
