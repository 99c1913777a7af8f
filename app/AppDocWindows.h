#pragma once
// The windows of the program as the case document sees them.
#include "app/DocMainViewAdapter.h"
#include "app/doc/DocWindows.h"

class CQELApp;

class CAppDocWindows : public CDocWindows {
public:
    explicit CAppDocWindows(CQELApp& app) : m_App(app) {}

    void AddStatus(const std::wstring& sText) override;
    void SetStatusText(const std::wstring& sText) override;
    void ShowError(const std::wstring& sText) override;
    bool AskYesNo(const std::wstring& sText) override;
    void ShowWarning(const std::wstring& sText) override;
    void OnModifiedChanged(const CQELDoc& doc) override;
    void SetProgressRange(int nMin, int nMax) override;
    void SetLongFileTask(bool bRunning) override;
    void KeepPainting() override;
    CDocElementTree* GetElementTree() override;
    CDocPlotView* CreatePlotView(CQELDoc& doc) override;
    CDocGridView* CreateGridView(CQELDoc& doc) override;
    CDocMainView* FindMainView(const CQELDoc& doc) override;
    CQELDoc* GetActiveDoc() override;

private:
    CQELApp& m_App;
    CDocMainViewAdapter m_MainView;
};
