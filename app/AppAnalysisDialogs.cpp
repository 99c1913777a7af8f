#include "app/AppAnalysisDialogs.h"

#include "app/AdaptedDlg.h"
#include "app/MainFrame.h"
#include "app/QELApp.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/CritRatioRefCollDlg.h"
#include "ui/dialogs/RefCollectionDlgs.h"
#include "ui/ensemble/FilterLMEDlg.h"
#include "ui/ensemble/GenerateBiDirLME.h"
#include "ui/ensemble/GenerateLMEDlg.h"

namespace {

// The two dialogs that choose one reference collection.
template <class Interface, class Dialog>
std::unique_ptr<Interface> AdaptCollectionChoice(QWidget* pParent)
{
    return Adapt<Interface, Dialog>(
        pParent, [](Interface& i, Dialog& d) { d.m_vRefCollections = i.m_vRefCollections; },
        [](Interface& i, const Dialog& d) { i.m_nRefCollection = d.m_nSelRefCollection; });
}

template <class Dlg>
void FillStepping(const DlgStepping& s, Dlg& d)
{
    d.m_bUseStep = s.m_bByStep;
    d.m_dStepSize = s.m_dStepSize;
    d.m_nNumSteps = s.m_nSteps;
}

template <class Dlg>
void ReadStepping(DlgStepping& s, const Dlg& d)
{
    s.m_bByStep = d.m_bUseStep;
    s.m_dStepSize = d.m_dStepSize;
    s.m_nSteps = d.m_nNumSteps;
}

// The four choices the dialog and the document's interface share, either way.
template <class From, class To>
void CopyOutputOptions(const From& from, To& to)
{
    to.m_bBMSF = from.m_bBMSF;
    to.m_bReactions = from.m_bReactions;
    to.m_bGraphs = from.m_bGraphs;
    to.m_bTables = from.m_bTables;
}

// The document numbers its ensembles 1, 2, ... (again after a delete): a made ensemble
// takes the next number rather than repeating the last one's.
int NewEnsembleID(int nEnsembles) { return nEnsembles + 1; }

}

std::unique_ptr<CSinglePositionDlgInterface> CAppAnalysisDialogs::MakeSinglePositionDlg()
{
    return Adapt<CSinglePositionDlgInterface, CSinglePositionDlg>(
        m_App.GetMainFrame(),
        [](CSinglePositionDlgInterface& i, CSinglePositionDlg& d) {
            d.m_vBridges = i.m_vBridges;
            d.m_vLoadModels = i.m_vLoadModels;
        },
        [](CSinglePositionDlgInterface& i, const CSinglePositionDlg& d) {
            i.m_nBridge = d.m_nSelBridge;
            i.m_nLoadModel = d.m_nSelLoadModel;
            i.m_dLocation = d.m_dLocation;
        });
}

std::unique_ptr<CMovingLoadDlgInterface> CAppAnalysisDialogs::MakeMovingLoadDlg()
{
    return Adapt<CMovingLoadDlgInterface, CMovingLoadDlg>(
        m_App.GetMainFrame(),
        [](CMovingLoadDlgInterface& i, CMovingLoadDlg& d) {
            d.m_vBridges = i.m_vBridges;
            d.m_vLoadModels = i.m_vLoadModels;
            d.m_vLMEs = i.m_vLMEs;
            FillStepping(i, d);
        },
        [](CMovingLoadDlgInterface& i, const CMovingLoadDlg& d) {
            ReadStepping(i, d);
            i.m_bUseLM = d.m_bUseLoadModel;
            i.m_bDisplayEach = d.m_bShowEachResult;
            i.m_nBridge = d.m_nSelBridge;
            i.m_nLoadModel = d.m_nSelLoadModel;
            i.m_nLME = d.m_nSelLME;
        });
}

std::unique_ptr<CBridgeRangeDlgInterface> CAppAnalysisDialogs::MakeBridgeRangeDlg()
{
    return Adapt<CBridgeRangeDlgInterface, CBridgeRangeDlg>(
        m_App.GetMainFrame(),
        [](CBridgeRangeDlgInterface& i, CBridgeRangeDlg& d) {
            d.m_vBridgeSets = i.m_vBridgeSets;
            d.m_vLoadModels = i.m_vLoadModels;
            FillStepping(i, d);
        },
        [](CBridgeRangeDlgInterface& i, const CBridgeRangeDlg& d) {
            ReadStepping(i, d);
            i.m_nBridgeSet = d.m_nSelBridgeSet;
            i.m_nLoadModel = d.m_nSelLoadModel;
        });
}

std::unique_ptr<CAnalyzeRefCollectionDlgInterface> CAppAnalysisDialogs::MakeAnalyzeRefCollectionDlg()
{
    return AdaptCollectionChoice<CAnalyzeRefCollectionDlgInterface, CAnalyzeRefCollectionDlg>(m_App.GetMainFrame());
}

std::unique_ptr<CViewRefCollectionDlgInterface> CAppAnalysisDialogs::MakeViewRefCollectionDlg()
{
    return AdaptCollectionChoice<CViewRefCollectionDlgInterface, CViewRefCollectionDlg>(m_App.GetMainFrame());
}

std::unique_ptr<CCritRatioRefCollDlgInterface> CAppAnalysisDialogs::MakeCritRatioRefCollDlg()
{
    return Adapt<CCritRatioRefCollDlgInterface, CCritRatioRefCollDlg>(
        m_App.GetMainFrame(),
        [](CCritRatioRefCollDlgInterface& i, CCritRatioRefCollDlg& d) {
            d.m_vLoadModels = i.m_vLoadModels;
            d.m_vLoadModelEnsembles = i.m_vLMEs;
            d.m_vRefCollections = i.m_vRefCollections;
            d.m_dMultiplier = i.m_dMultiplier;
        },
        [](CCritRatioRefCollDlgInterface& i, const CCritRatioRefCollDlg& d) {
            i.m_nRefCollection = d.m_nRefCollection;
            i.m_bUseLM = d.m_bUseLoadModel;
            i.m_nLoadModel = d.m_nLoadModel;
            i.m_nLME = d.m_nLoadModelEnsemble;
            i.m_dMultiplier = d.m_dMultiplier;
        });
}

std::unique_ptr<COutputOptionsDlgInterface> CAppAnalysisDialogs::MakeOutputOptionsDlg()
{
    return Adapt<COutputOptionsDlgInterface, COutputOptionsDlg>(
        m_App.GetMainFrame(),
        [](COutputOptionsDlgInterface& i, COutputOptionsDlg& d) { CopyOutputOptions(i, d); },
        [](COutputOptionsDlgInterface& i, const COutputOptionsDlg& d) { CopyOutputOptions(d, i); });
}

std::unique_ptr<CCompareEnvelopesDlgInterface> CAppAnalysisDialogs::MakeCompareEnvelopesDlg()
{
    return Adapt<CCompareEnvelopesDlgInterface, CCompareEnvelopesDlg>(
        m_App.GetMainFrame(),
        [](CCompareEnvelopesDlgInterface& i, CCompareEnvelopesDlg& d) { d.m_vRefCollections = i.m_vRefCollections; },
        [](CCompareEnvelopesDlgInterface& i, const CCompareEnvelopesDlg& d) {
            i.m_nRefCollection = d.m_nSelRefCollection;
            i.m_nRefSet = d.m_nSelRefSet;
            i.m_nBridge = d.m_nSelBridge;
        });
}

std::unique_ptr<CFilterLMEDlgInterface> CAppAnalysisDialogs::MakeFilterLMEDlg()
{
    return Adapt<CFilterLMEDlgInterface, CFilterLMEDlg>(
        m_App.GetMainFrame(),
        [](CFilterLMEDlgInterface& i, CFilterLMEDlg& d) {
            d.m_vLoadModelEnsembles = i.m_vLMEs;
            d.m_nNewID = NewEnsembleID(static_cast<int>(i.m_vLMEs.size()));
        },
        [](CFilterLMEDlgInterface& i, const CFilterLMEDlg& d) {
            i.m_bCreateNew = d.m_bCreateNew;
            i.m_pNewLME = d.m_pResult;
            i.m_nLME = d.m_nLoadModelEnsemble;
        });
}

std::unique_ptr<CGenerateLMEDlgInterface> CAppAnalysisDialogs::MakeGenerateLMEDlg()
{
    return Adapt<CGenerateLMEDlgInterface, CGenerateLMEDlg>(
        m_App.GetMainFrame(),
        [](CGenerateLMEDlgInterface& i, CGenerateLMEDlg& d) {
            d.m_vLoadModels = i.m_vLoadModels;
            d.m_nLMEID = NewEnsembleID(i.m_nLMECount);
        },
        [](CGenerateLMEDlgInterface& i, const CGenerateLMEDlg& d) { i.m_pLME = d.m_spGeneratedLME; });
}

std::unique_ptr<CGenerateBiDirLMEInterface> CAppAnalysisDialogs::MakeGenerateBiDirLME()
{
    return Adapt<CGenerateBiDirLMEInterface, CGenerateBiDirLME>(
        m_App.GetMainFrame(),
        [](CGenerateBiDirLMEInterface& i, CGenerateBiDirLME& d) {
            d.m_vLoadModels = i.m_vLoadModels;
            d.m_vLoadModelEnsembles = i.m_vLMEs;
            d.m_nNewID = NewEnsembleID(i.m_nLMECount);
        },
        [](CGenerateBiDirLMEInterface& i, const CGenerateBiDirLME& d) { i.m_pLME = d.m_pResult; });
}
