#pragma once
// What the case document and the analysis dialogs exchange, declared once: the dialog
// derives from its struct, the document's view of the dialog too, and the shell copies the
// whole struct into the dialog before it opens and back after OK. The document fills the
// lists; indices are list positions, which the document checks against its own lists.
#include <memory>
#include <vector>

#include "core/analysis/Stepping.h"

class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;

using BridgeList = std::vector<std::shared_ptr<CBridge>>;
using BridgeSetList = std::vector<std::shared_ptr<CBridgeSet>>;
using LoadModelList = std::vector<std::shared_ptr<CLoadModel>>;
using LMEList = std::vector<std::shared_ptr<CLoadModelEnsemble>>;
using RefCollectionList = std::vector<std::shared_ptr<CReferenceCollection>>;

// The stepping of the moving-load and bridge-range dialogs; the document copies its
// default stepping in and takes the last choice back as the next default.
struct SteppingDlgData {
    Stepping m_Stepping;
};

// "Single Position Analysis".
struct SinglePositionDlgData {
    double m_dLocation = 0.0; // m, of the load model's first axle on the bridge
    int m_nSelBridge = 0;
    BridgeList m_vBridges;
    int m_nSelLoadModel = 0;
    LoadModelList m_vLoadModels;
};

// "Moving Load Analysis" (with SteppingDlgData).
struct MovingLoadDlgData {
    bool m_bUseLoadModel = true;    // else the ensemble list
    bool m_bShowEachResult = false; // "Display each sub-analysis result"
    int m_nSelBridge = 0;
    BridgeList m_vBridges;
    int m_nSelLoadModel = 0;
    LoadModelList m_vLoadModels;
    int m_nSelLME = 0;
    LMEList m_vLMEs;
};

// "Bridge Range Analysis" (with SteppingDlgData).
struct BridgeRangeDlgData {
    int m_nSelBridgeSet = 0;
    BridgeSetList m_vBridgeSets;
    int m_nSelLoadModel = 0;
    LoadModelList m_vLoadModels;
};

// "Output options": which results, in which kinds of window.
struct OutputOptionsDlgData {
    bool m_bBMSF = false; // "Bending moment/shear force"
    bool m_bReactions = false;
    bool m_bGraphs = false;
    bool m_bTables = false;
};

// "Analyse Reference Collection" and "View Reference Collection".
struct RefCollectionChoiceDlgData {
    RefCollectionList m_vRefCollections;
    int m_nSelRefCollection = 0;
};

// "Compare Critical Envelopes": a collection, one of its reference sets, one bridge of it.
struct CompareEnvelopesDlgData {
    RefCollectionList m_vRefCollections;
    int m_nSelRefCollection = 0;
    int m_nSelRefSet = 0;
    int m_nSelBridge = 0;
};

// "Make Critical Ratios": the proposed load model or ensemble, the collection it is
// compared with and the global multiplier.
struct CritRatioRefCollDlgData {
    bool m_bUseLoadModel = true; // else the ensemble
    double m_dMultiplier = 1.0;
    int m_nRefCollection = 0;
    int m_nLoadModel = 0;
    int m_nLoadModelEnsemble = 0;
    RefCollectionList m_vRefCollections;
    LoadModelList m_vLoadModels;
    LMEList m_vLoadModelEnsembles;
};
