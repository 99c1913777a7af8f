#pragma once
// The editing dialogs of the program as the case document runs them. Each one is a
// modal child of the main window.
#include "app/doc/DocDialogs.h"

class CQELApp;
class QWidget;

class CAppDocDialogs : public CDocDialogs {
public:
    explicit CAppDocDialogs(CQELApp& app) : m_App(app) {}

    std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() override;
    std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() override;
    std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() override;
    std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() override;
    std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() override;
    std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() override;

private:
    QWidget* Parent() const;

    CQELApp& m_App;
};
