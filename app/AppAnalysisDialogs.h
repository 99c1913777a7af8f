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
    std::unique_ptr<CFilterLMEDlgInterface> MakeFilterLMEDlg() override;
    std::unique_ptr<CGenerateLMEDlgInterface> MakeGenerateLMEDlg() override;
    std::unique_ptr<CGenerateBiDirLMEInterface> MakeGenerateBiDirLME() override;

private:
    CQELApp& m_App;
};
