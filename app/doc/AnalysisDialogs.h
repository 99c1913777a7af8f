#pragma once
// The dialogs that start an analysis, set the output options or build ensembles, as the
// case document runs them: made fresh for one command, given copies of the lists, run
// modally and read back only when DoModal returns DLG_IDOK. Each one's data is its struct
// in core/dialogdata, shared with the Qt dialog. Indices are list positions; the document
// checks each against its list before use.
#include <memory>

#include "app/doc/DocDialogs.h"
#include "core/dialogdata/AnalysisDlgData.h"
#include "core/dialogdata/ElementDlgData.h"

// "Single Position Analysis".
class CSinglePositionDlgInterface : public CModalDlgInterface, public SinglePositionDlgData {};

// "Moving Load Analysis".
class CMovingLoadDlgInterface : public CModalDlgInterface, public SteppingDlgData, public MovingLoadDlgData {};

// "Bridge Range Analysis".
class CBridgeRangeDlgInterface : public CModalDlgInterface, public SteppingDlgData, public BridgeRangeDlgData {};

// "Analyse Reference Collection".
class CAnalyzeRefCollectionDlgInterface : public CModalDlgInterface, public RefCollectionChoiceDlgData {};

// "Make Critical Ratios".
class CCritRatioRefCollDlgInterface : public CModalDlgInterface, public CritRatioRefCollDlgData {};

// "Output options".
class COutputOptionsDlgInterface : public CModalDlgInterface, public OutputOptionsDlgData {};

// "View Reference Collection".
class CViewRefCollectionDlgInterface : public CModalDlgInterface, public RefCollectionChoiceDlgData {};

// "Compare Critical Envelopes". For a collection not yet calculated the dialog itself
// tells the user "This Reference Collection has not been solved - nothing to display.".
class CCompareEnvelopesDlgInterface : public CModalDlgInterface, public CompareEnvelopesDlgData {};

// "Filter Load Model Ensemble". The dialog numbers a new ensemble after the case's.
class CFilterLMEDlgInterface : public CModalDlgInterface, public FilterLMEDlgData {};

// "Generate LME from Load Model". m_nLMECount: the case's ensembles; the new one's id
// follows them.
class CGenerateLMEDlgInterface : public CModalDlgInterface, public GenerateLMEDlgData {
public:
    int m_nLMECount = 0;
};

// "Generate Bidirectional LME".
class CGenerateBiDirLMEInterface : public CModalDlgInterface, public GenerateBiDirLMEDlgData {
public:
    int m_nLMECount = 0;
};

// Makes a fresh dialog for each command; installed by the host (DocHost.h).
class CDocAnalysisDialogs {
public:
    virtual ~CDocAnalysisDialogs() = default;
    virtual std::unique_ptr<CSinglePositionDlgInterface> MakeSinglePositionDlg() = 0;
    virtual std::unique_ptr<CMovingLoadDlgInterface> MakeMovingLoadDlg() = 0;
    virtual std::unique_ptr<CBridgeRangeDlgInterface> MakeBridgeRangeDlg() = 0;
    virtual std::unique_ptr<CAnalyzeRefCollectionDlgInterface> MakeAnalyzeRefCollectionDlg() = 0;
    virtual std::unique_ptr<CCritRatioRefCollDlgInterface> MakeCritRatioRefCollDlg() = 0;
    virtual std::unique_ptr<COutputOptionsDlgInterface> MakeOutputOptionsDlg() = 0;
    virtual std::unique_ptr<CViewRefCollectionDlgInterface> MakeViewRefCollectionDlg() = 0;
    virtual std::unique_ptr<CCompareEnvelopesDlgInterface> MakeCompareEnvelopesDlg() = 0;
    virtual std::unique_ptr<CFilterLMEDlgInterface> MakeFilterLMEDlg() = 0;
    virtual std::unique_ptr<CGenerateLMEDlgInterface> MakeGenerateLMEDlg() = 0;
    virtual std::unique_ptr<CGenerateBiDirLMEInterface> MakeGenerateBiDirLME() = 0;
};
