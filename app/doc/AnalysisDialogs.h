#pragma once
// The dialogs that start an analysis, set the output options or build ensembles, as the
// case document runs them: made fresh for one command, given copies of the lists, run
// modally and read back only when DoModal returns DLG_IDOK. Indices are list positions;
// the document checks each against its list before use.
#include <memory>
#include <string>
#include <vector>

#include "app/doc/DocDialogs.h"

// "Single Position Analysis".
class CSinglePositionDlgInterface : public CModalDlgInterface {
public:
    BridgeList m_vBridges;
    LoadModelList m_vLoadModels;
    int m_nBridge = 0;
    int m_nLoadModel = 0;
    double m_dLocation = 0.0; // m
};

// The stepping choice shared by the moving-load and bridge-range dialogs.
struct DlgStepping {
    bool m_bByStep = false; // true: by step distance
    double m_dStepSize = 0.5; // m
    int m_nSteps = 20;
};

// "Moving Load Analysis".
class CMovingLoadDlgInterface : public CModalDlgInterface, public DlgStepping {
public:
    BridgeList m_vBridges;
    LoadModelList m_vLoadModels;
    LMEList m_vLMEs;
    bool m_bUseLM = true; // "Use Load Model" rather than "Use Load Model Ensemble"
    bool m_bDisplayEach = false; // "Display each sub-analysis result"
    int m_nBridge = 0;
    int m_nLoadModel = 0;
    int m_nLME = 0;
};

// "Bridge Range Analysis".
class CBridgeRangeDlgInterface : public CModalDlgInterface, public DlgStepping {
public:
    BridgeSetList m_vBridgeSets;
    LoadModelList m_vLoadModels;
    int m_nBridgeSet = 0;
    int m_nLoadModel = 0;
};

// "Analyse Reference Collection".
class CAnalyzeRefCollectionDlgInterface : public CModalDlgInterface {
public:
    RefCollectionList m_vRefCollections;
    int m_nRefCollection = 0;
};

// "Make Critical Ratios".
class CCritRatioRefCollDlgInterface : public CModalDlgInterface {
public:
    LoadModelList m_vLoadModels;
    LMEList m_vLMEs;
    RefCollectionList m_vRefCollections;
    double m_dMultiplier = 1.0; // the global multiplier
    int m_nRefCollection = 0;
    bool m_bUseLM = true;
    int m_nLoadModel = 0;
    int m_nLME = 0;
};

// "Output options".
class COutputOptionsDlgInterface : public CModalDlgInterface {
public:
    bool m_bBMSF = true; // "Bending moment/shear force"
    bool m_bReactions = true;
    bool m_bGraphs = true;
    bool m_bTables = true;
};

// "View Reference Collection".
class CViewRefCollectionDlgInterface : public CModalDlgInterface {
public:
    RefCollectionList m_vRefCollections;
    int m_nRefCollection = 0;
};

// "Compare Critical Envelopes". For a collection not yet calculated the dialog itself
// tells the user "This Reference Collection has not been solved - nothing to display.".
class CCompareEnvelopesDlgInterface : public CModalDlgInterface {
public:
    RefCollectionList m_vRefCollections;
    int m_nRefCollection = 0;
    int m_nRefSet = 0;
    int m_nBridge = 0;
};

// "Filter Load Model Ensemble": creates a filtered ensemble (m_pNewLME) or filters the
// chosen one (m_nLME) in place.
class CFilterLMEDlgInterface : public CModalDlgInterface {
public:
    LMEList m_vLMEs;
    bool m_bCreateNew = true; // "Create new LME" rather than "Edit current LME"
    std::shared_ptr<CLoadModelEnsemble> m_pNewLME;
    int m_nLME = 0;
};

// "Generate LME from Load Model".
class CGenerateLMEDlgInterface : public CModalDlgInterface {
public:
    LoadModelList m_vLoadModels;
    int m_nLMECount = 0; // the new ensemble's id
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
};

// "Generate Bidirectional LME".
class CGenerateBiDirLMEInterface : public CModalDlgInterface {
public:
    LoadModelList m_vLoadModels;
    LMEList m_vLMEs;
    int m_nLMECount = 0;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
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
