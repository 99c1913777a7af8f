#pragma once
// The analysis dialogs as the case document runs them, made from the program's Qt dialogs.
#include "app/doc/AnalysisDialogs.h"

class CQELApp;

class CAppAnalysisDialogs : public CDocAnalysisDialogs {
public:
    explicit CAppAnalysisDialogs(CQELApp& app) : m_App(app) {}

    std::unique_ptr<CSinglePositionDlgInterface> MakeSinglePositionDlg() override;
    std::unique_ptr<CMovingLoadDlgInterface> MakeMovingLoadDlg() override;
    std::unique_ptr<CBridgeRangeDlgInterface> MakeBridgeRangeDlg() override;
    std::unique_ptr<CAnalyzeRefCollectionDlgInterface> MakeAnalyzeRefCollectionDlg() override;
    std::unique_ptr<CCritRatioRefCollDlgInterface> MakeCritRatioRefCollDlg() override;
    std::unique_ptr<COutputOptionsDlgInterface> MakeOutputOptionsDlg() override;
    std::unique_ptr<CViewRefCollectionDlgInterface> MakeViewRefCollectionDlg() override;
    std::unique_ptr<CCompareEnvelopesDlgInterface> MakeCompareEnvelopesDlg() override;
    // Not built yet: none, and the document's command does nothing.
    std::unique_ptr<CFilterLMEDlgInterface> MakeFilterLMEDlg() override { return nullptr; }
    std::unique_ptr<CGenerateLMEDlgInterface> MakeGenerateLMEDlg() override { return nullptr; }
    std::unique_ptr<CGenerateBiDirLMEInterface> MakeGenerateBiDirLME() override { return nullptr; }

private:
    CQELApp& m_App;
};
