#pragma once
// Every dialog the case document runs, made from the program's Qt dialogs; the application
// installs this one object as both of the document's dialog factories (DocHost.h). Each
// dialog is a modal child of the main window, or of the dialog it was opened from.
#include "app/doc/AnalysisDialogs.h"
#include "app/doc/DocDialogs.h"

class CQELApp;
class QWidget;

class CAppDialogs : public CDocDialogs, public CDocAnalysisDialogs {
public:
    explicit CAppDialogs(CQELApp& app) : m_App(app) {}

    std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() override;
    std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() override;
    std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() override;
    std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() override;
    std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() override;
    std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() override;
    std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersDlg() override;

    std::unique_ptr<CSinglePositionDlgInterface> MakeSinglePositionDlg() override;
    std::unique_ptr<CMovingLoadDlgInterface> MakeMovingLoadDlg() override;
    std::unique_ptr<CBridgeRangeDlgInterface> MakeBridgeRangeDlg() override;
    std::unique_ptr<CAnalyzeRefCollectionDlgInterface> MakeAnalyzeRefCollectionDlg() override;
    std::unique_ptr<CCritRatioRefCollDlgInterface> MakeCritRatioRefCollDlg() override;
    std::unique_ptr<COutputOptionsDlgInterface> MakeOutputOptionsDlg() override;
    std::unique_ptr<CViewRefCollectionDlgInterface> MakeViewRefCollectionDlg() override;
    std::unique_ptr<CCompareEnvelopesDlgInterface> MakeCompareEnvelopesDlg() override;
    std::unique_ptr<CFilterLMEDlgInterface> MakeFilterLMEDlg() override;
    std::unique_ptr<CGenerateLMEDlgInterface> MakeGenerateLMEDlg() override;
    std::unique_ptr<CGenerateBiDirLMEInterface> MakeGenerateBiDirLME() override;

private:
    QWidget* Parent() const;

    CQELApp& m_App;
};
