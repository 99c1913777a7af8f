#pragma once
// What the case document and its editing and ensemble dialogs exchange, declared once (see
// AnalysisDlgData.h): the dialog and the document's view of it derive from the same
// struct, and the shell copies the whole struct each way.
#include <memory>
#include <string>

#include "core/dialogdata/AnalysisDlgData.h"
#include "core/settings/Settings.h"

// "Case Information".
struct ConfigDlgData {
    std::wstring m_sCaseRef;
    std::wstring m_sCaseNotes;
};

// "Edit Reference Collection": the case's bridge sets and ensembles the collection may
// take; the collection itself goes in through SetData.
struct RefCollectionDlgData {
    BridgeSetList m_vBridgeSets;
    LMEList m_vLMEs;
};

// "Load Model Ensemble Definition": on OK the dialog rewrites the members of m_pLME; the
// document takes the description back.
struct LoadModelEnsembleDlgData {
    std::wstring m_sDescription;
    int m_nID = 0;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    LoadModelList m_vLoadModels;
};

// "Filter Load Model Ensemble": a filtered new ensemble (m_pResult) or the chosen one
// (m_nLoadModelEnsemble) filtered in place.
struct FilterLMEDlgData {
    LMEList m_vLoadModelEnsembles;
    std::shared_ptr<CLoadModelEnsemble> m_pResult;
    bool m_bCreateNew = true; // "Create new LME" rather than "Edit current LME"
    int m_nLoadModelEnsemble = 0;
};

// "Generate LME from Load Model".
struct GenerateLMEDlgData {
    LoadModelList m_vLoadModels;
    std::shared_ptr<CLoadModelEnsemble> m_spGeneratedLME;
};

// "Generate Bidirectional LME".
struct GenerateBiDirLMEDlgData {
    LoadModelList m_vLoadModels;
    LMEList m_vLoadModelEnsembles;
    std::shared_ptr<CLoadModelEnsemble> m_pResult;
};

// "LME Parameters": the caller sets the two section switches; the rest is read back.
struct LMEParametersDlgData {
    bool m_bVariableAxle = false; // set by the caller
    bool m_bByStep = false;
    double m_dStep = 1.0;                                  // m
    int m_nSteps = g_pSettings->Analysis.NO_AXLE_SPACINGS; // number of axle spacings
    bool m_bUseLMDAF = true;
    double m_dDAF = 1.3;
    bool m_bBS5400 = false; // set by the caller
    int m_nHBUnits = 45;
};
