// The analysis commands of the case document, what each worker run is given and does
// with its completion (the run itself is a CAnalysisRun), and the timing around every
// analysis.
#include <algorithm>
#include <system_error>

#include "app/doc/AnalysisWorkers.h"
#include "app/doc/HostAccess.h"
#include "app/doc/PostingFeedback.h"
#include "app/doc/QELDoc.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/bounds/Bounds.h"
#include "core/bounds/ElementChecks.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/outputs/AOBridgeRange.h"
#include "core/outputs/AOMovingLoad.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/outputs/AOSinglePosition.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/base/Clock.h"
#include "platform/base/Messages.h"

namespace {

using dochost::Ask;
using dochost::Error;
using dochost::Windows;
CDocAnalysisDialogs* Dialogs()
{
    return dochost::AnalysisDialogs();
}
// The dialogs, unless the command is disabled (a run goes on) or there are none.
CDocAnalysisDialogs* DialogsIfFree(const CQELDoc& doc)
{
    return doc.OnUpdateAnalysisCommand() ? Dialogs() : nullptr;
}

// The entry at a dialog's index, or none when the index names no entry.
template <class T>
std::shared_ptr<T> At(const std::vector<std::shared_ptr<T>>& v, int i)
{
    return i >= 0 && static_cast<size_t>(i) < v.size() ? v[static_cast<size_t>(i)] : nullptr;
}

template <class T>
std::shared_ptr<T> AtOrSay(const std::vector<std::shared_ptr<T>>& v, int i, const wchar_t* pszInvalid)
{
    std::shared_ptr<T> p = At(v, i);
    if (!p)
        Error(pszInvalid);
    return p;
}

// What a case file could not hold is not analysed either (a value can reach the case by
// other paths than the reader): the message names the element and the value.
bool RefusedValues(const CElement& element, const std::wstring& sRefusal)
{
    if (sRefusal.empty())
        return false;
    Error(ElementLabel(element) + L": " + sRefusal);
    return true;
}
bool RefusedValues(const CBridge& b)
{
    return RefusedValues(b, CheckBridgeValues(b));
}
bool RefusedValues(const CLoadModel& m)
{
    return RefusedValues(m, CheckLoadModelValues(m));
}
bool RefusedValues(const CBridgeSet& s)
{
    return RefusedValues(s, CheckBridgeSetValues(s));
}
bool RefusedValues(const CLoadModelEnsemble& e)
{
    return std::any_of(e.m_vLoadModel.begin(), e.m_vLoadModel.end(),
                       [](const auto& p) { return p && RefusedValues(*p); });
}
bool RefusedValues(const CReferenceCollection& c)
{
    if (RefusedValues(c, CheckRefCollectionValues(c)))
        return true;
    for (const auto& p : c.m_vBS)
        if (p && RefusedValues(*p))
            return true;
    for (const auto& p : c.m_vLME)
        if (p && RefusedValues(*p))
            return true;
    return c.m_pPropLME && RefusedValues(*c.m_pPropLME);
}

// Says the message when the list a command needs is empty.
bool Refused(bool bEmpty, const wchar_t* pszMessage)
{
    if (bEmpty)
        Error(pszMessage);
    return bEmpty;
}

// The dialogs start from the document's stepping defaults and, on OK, leave their choice
// there. True on OK.
template <class Dlg>
bool RunSteppedDialog(Dlg& dlg, CQELDoc& doc)
{
    SteppingDlgData& stepping = dlg;
    stepping.m_Stepping = doc.m_DefStepping;
    if (dlg.DoModal() != DLG_IDOK)
        return false;
    doc.m_DefStepping = stepping.m_Stepping;
    return true;
}

int Steps(int nBridges, int nLoadModels)
{
    return std::max(nBridges, 0) * std::max(nLoadModels, 0);
}

const wchar_t* const kInvalidBridge = L"Invalid bridge selected.";
const wchar_t* const kInvalidBridgeSet = L"Invalid bridge set selected.";
const wchar_t* const kInvalidLoadModel = L"Invalid load model selected.";
const wchar_t* const kInvalidLME = L"Invalid load model ensemble selected.";
const wchar_t* const kInvalidRefCollection = L"Invalid reference collection selected.";

}

// ---------------------------------------------------------------- timing

std::uint32_t CQELDoc::StartTiming(const std::wstring& sLine)
{
    SetStatusText(L"Calculating...");
    AddStatus(sLine);
    return static_cast<std::uint32_t>(GetTickCountMs());
}

void CQELDoc::StopTiming(std::uint32_t dwStart)
{
    // Unsigned 32-bit: a wrap of the counter still gives the right difference.
    const std::uint32_t elapsed = static_cast<std::uint32_t>(GetTickCountMs()) - dwStart;
    AddStatus(L"Elapsed time: " + std::to_wstring(elapsed) + L" ms");
    SetStatusText(L"Ready");
}

void CQELDoc::ReportFailure(const std::wstring& sError)
{
    Error(sError);
}

void CQELDoc::ResetProgress()
{
    PostMainWindowMessage(MsgPBarUpdate(), 0, 0);
}

// ---------------------------------------------------------------- synchronous analyses

void CQELDoc::OnAnalysisSinglePosition()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    if (Refused(m_vBridge.empty(), L"There are no bridges to analyze.") ||
        Refused(m_vLoadModel.empty(), L"There are no load models to analyze."))
        return;
    auto dlg = dialogs->MakeSinglePositionDlg();
    if (!dlg)
        return;
    dlg->m_vBridges = m_vBridge;
    dlg->m_vLoadModels = m_vLoadModel;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    const auto pBridge = AtOrSay(m_vBridge, dlg->m_nSelBridge, kInvalidBridge);
    if (!pBridge)
        return;
    const auto pLoadModel = AtOrSay(m_vLoadModel, dlg->m_nSelLoadModel, kInvalidLoadModel);
    if (!pLoadModel)
        return;
    const double location = dlg->m_dLocation;
    if (RefusedValues(*pBridge) || RefusedValues(*pLoadModel))
        return;

    const std::uint32_t t = StartTiming(L"Single Position Analysis called");
    try {
        if (!m_Run.RunHere([&] {
                CSinglePosAnalysis analysis(pBridge, pLoadModel, AnalysisOptionsFromSettings(*g_pSettings));
                auto pResults = analysis.Analyse(location, CPostingFeedback(nullptr));
                m_spAOSinglePosition = std::make_shared<CAOSinglePosition>(pResults, pBridge, pLoadModel, location);
                m_spSinglePosResults = std::move(pResults);
            }))
            return;
    } catch (...) {
        SetStatusText(L"Ready");
        ReportFailure(CurrentExceptionText());
        return;
    }
    StopTiming(t);
    OnResultsSinglePosition();
    RefreshElementView();
    SetModifiedFlag();
}

void CQELDoc::RunMovingLoadAnalysis(const Stepping& stepping, bool bDisplayEach, std::shared_ptr<CBridge> pBridge,
                                    std::shared_ptr<CLoadModel> pLoadModel)
{
    if (!pBridge || !pLoadModel || RefusedValues(*pBridge) || RefusedValues(*pLoadModel))
        return;
    const std::uint32_t t = StartTiming(L"Moving Load Analysis called");
    try {
        if (!m_Run.RunHere([&] {
                CMovingLoadAnalysis analysis(pBridge, pLoadModel, AnalysisOptionsFromSettings(*g_pSettings));
                // The window waits for this run and cannot stop it.
                analysis.m_MostStationVisits = Bounds::MostWindowStationVisits;
                auto pResults = analysis.Analyse(stepping, CPostingFeedback(&m_bAnalysisRunning));
                m_spAOMovingLoad =
                    std::make_shared<CAOMovingLoad>(pResults, pBridge, pLoadModel, static_cast<int>(analysis.m_nSteps));
                m_spMovingLoadResults = std::move(pResults);
            }))
            return;
    } catch (...) {
        SetStatusText(L"Ready");
        ReportFailure(CurrentExceptionText());
        return;
    }
    StopTiming(t);
    ShowMovingLoadOutput(bDisplayEach, m_spAOMovingLoad);
}

// ---------------------------------------------------------------- analysis commands

void CQELDoc::OnAnalysisMovingLoad()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    if (Refused(m_vBridge.empty(), L"There are no bridges to analyze.") ||
        Refused(m_vLoadModel.empty() && m_vLoadModelEnsemble.empty(), L"There is no load model or LME to analyze"))
        return;
    auto dlg = dialogs->MakeMovingLoadDlg();
    if (!dlg)
        return;
    dlg->m_vBridges = m_vBridge;
    dlg->m_vLoadModels = m_vLoadModel;
    dlg->m_vLMEs = m_vLoadModelEnsemble;
    if (!RunSteppedDialog(*dlg, *this))
        return;

    const auto pBridge = AtOrSay(m_vBridge, dlg->m_nSelBridge, kInvalidBridge);
    if (!pBridge)
        return;
    if (dlg->m_bUseLoadModel) {
        const auto pLoadModel = AtOrSay(m_vLoadModel, dlg->m_nSelLoadModel, kInvalidLoadModel);
        if (!pLoadModel)
            return;
        RunMovingLoadAnalysis(m_DefStepping, dlg->m_bShowEachResult, pBridge, pLoadModel);
    } else {
        const auto pLME = AtOrSay(m_vLoadModelEnsemble, dlg->m_nSelLME, kInvalidLME);
        if (!pLME)
            return;
        StartMultiMovingLoad(m_DefStepping, dlg->m_bShowEachResult, pBridge, pLME);
    }
    RefreshElementView();
    SetModifiedFlag();
}

void CQELDoc::OnAnalysisBridgeRange()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    if (Refused(m_vBridgeSet.empty(), L"There are no bridge sets to analyze.") ||
        Refused(m_vLoadModel.empty(), L"There are no load models to analyze."))
        return;
    auto dlg = dialogs->MakeBridgeRangeDlg();
    if (!dlg)
        return;
    dlg->m_vBridgeSets = m_vBridgeSet;
    dlg->m_vLoadModels = m_vLoadModel;
    if (!RunSteppedDialog(*dlg, *this))
        return;

    const auto pBridgeSet = AtOrSay(m_vBridgeSet, dlg->m_nSelBridgeSet, kInvalidBridgeSet);
    if (!pBridgeSet)
        return;
    const auto pLoadModel = AtOrSay(m_vLoadModel, dlg->m_nSelLoadModel, kInvalidLoadModel);
    if (!pLoadModel)
        return;
    StartBridgeRange(pBridgeSet, pLoadModel);
}

void CQELDoc::OnAnalysisRefCollection()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    if (Refused(m_vRefCollection.empty(), L"There are no reference collections to analyze."))
        return;
    auto dlg = dialogs->MakeAnalyzeRefCollectionDlg();
    if (!dlg)
        return;
    dlg->m_vRefCollections = m_vRefCollection;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    const auto pRefCollection = AtOrSay(m_vRefCollection, dlg->m_nSelRefCollection, kInvalidRefCollection);
    if (pRefCollection)
        StartRefCollection(pRefCollection);
}

void CQELDoc::OnAnalysisCriticalRatios()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeCritRatioRefCollDlg();
    if (!dlg)
        return;
    dlg->m_vLoadModels = m_vLoadModel;
    dlg->m_vLoadModelEnsembles = m_vLoadModelEnsemble;
    dlg->m_vRefCollections = m_vRefCollection;
    dlg->m_dMultiplier = m_dCritRatioParam;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    if (Refused(m_vRefCollection.empty(), L"Cannot complete - there is no Reference Collection."))
        return;
    const auto pRefCollection = AtOrSay(m_vRefCollection, dlg->m_nRefCollection, kInvalidRefCollection);
    if (!pRefCollection)
        return;
    std::shared_ptr<CLoadModel> pLoadModel;
    std::shared_ptr<CLoadModelEnsemble> pLME;
    if (dlg->m_bUseLoadModel) {
        if (!(pLoadModel = AtOrSay(m_vLoadModel, dlg->m_nLoadModel, kInvalidLoadModel)))
            return;
    } else if (!(pLME = AtOrSay(m_vLoadModelEnsemble, dlg->m_nLoadModelEnsemble, kInvalidLME))) {
        return;
    }
    m_dCritRatioParam = dlg->m_dMultiplier;
    if (pLoadModel)
        pRefCollection->SetProposedLoadModel(pLoadModel);
    else
        pRefCollection->SetProposedEnsemble(pLME);
    StartCriticalRatios(pRefCollection);
}

void CQELDoc::OnStopAnalysis()
{
    if (!m_bAnalysisRunning)
        return;
    m_Run.Stop();
    AddStatus(L"Analysis execution stopped");
}

void CQELDoc::OnOutputOptions()
{
    CDocAnalysisDialogs* dialogs = Dialogs();
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeOutputOptionsDlg();
    if (!dlg)
        return;
    dlg->m_bBMSF = m_bOutBMSF;
    dlg->m_bReactions = m_bOutReactions;
    dlg->m_bGraphs = m_bOutGraphs;
    dlg->m_bTables = m_bOutTables;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    m_bOutBMSF = dlg->m_bBMSF;
    m_bOutReactions = dlg->m_bReactions;
    m_bOutGraphs = dlg->m_bGraphs;
    m_bOutTables = dlg->m_bTables;
    AddStatus(L"Updated Output Options");
}

// ---------------------------------------------------------------- tools

void CQELDoc::OnToolsFilterLME()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeFilterLMEDlg();
    if (!dlg)
        return;
    dlg->m_vLoadModelEnsembles = m_vLoadModelEnsemble;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    if (dlg->m_bCreateNew) {
        if (dlg->m_pResult)
            AddToolEnsemble(dlg->m_pResult, L"Added filtered LME: ");
        return;
    }
    const auto pLME = AtOrSay(m_vLoadModelEnsemble, dlg->m_nLoadModelEnsemble, kInvalidLME);
    if (!pLME)
        return;
    AddStatus(L"Filtered LME: " + pLME->GetDescription());
    RefreshElementView();
    SetModifiedFlag();
}

void CQELDoc::AddToolEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME, const wchar_t* pszLine)
{
    AddLoadModelEnsemble(pLME);
    AddStatus(pszLine + pLME->GetDescription());
    RefreshElementView();
    SetModifiedFlag();
}

void CQELDoc::OnToolsGenerateLME()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeGenerateLMEDlg();
    if (!dlg)
        return;
    dlg->m_vLoadModels = m_vLoadModel;
    dlg->m_nLMECount = static_cast<int>(m_vLoadModelEnsemble.size());
    if (dlg->DoModal() == DLG_IDOK && dlg->m_spGeneratedLME)
        AddToolEnsemble(dlg->m_spGeneratedLME, L"Added generated LME: ");
}

void CQELDoc::OnToolsGenerateBiDirLME()
{
    CDocAnalysisDialogs* dialogs = DialogsIfFree(*this);
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeGenerateBiDirLME();
    if (!dlg)
        return;
    dlg->m_vLoadModels = m_vLoadModel;
    dlg->m_vLoadModelEnsembles = m_vLoadModelEnsemble;
    dlg->m_nLMECount = static_cast<int>(m_vLoadModelEnsemble.size());
    if (dlg->DoModal() == DLG_IDOK && dlg->m_pResult)
        AddToolEnsemble(dlg->m_pResult, L"Added generated bidirection LME: ");
}

void CQELDoc::OnToolsPurgeResults()
{
    if (!OnUpdateAnalysisCommand() || !Ask(L"Are you sure you wish to purge all analysis results?"))
        return;
    m_spAOSinglePosition.reset();
    m_spAOMovingLoad.reset();
    m_spAOMultiMovingLoad.reset();
    m_spAOBridgeRange.reset();
    for (const auto& pRefCollection : m_vRefCollection)
        pRefCollection->ClearResults();
    AddStatus(L"Purged analysis results");
}

// ---------------------------------------------------------------- launchers

template <class Block>
std::unique_ptr<Block> CQELDoc::NewBlock()
{
    auto pBlock = std::make_unique<Block>(AnalysisOptionsFromSettings(*g_pSettings));
    return pBlock;
}

template <class Block>
void CQELDoc::Launch(const wchar_t* pszLine, unsigned int nMessage, std::unique_ptr<Block> pBlock, int nProgressMax,
                     bool (*work)(Block&), void (CQELDoc::*done)(std::unique_ptr<Block>, const CRunOutcome&))
{
    if (m_Run.IsPending())
        return; // one run at a time
    m_dwStartTime = StartTiming(pszLine);
    if (CDocWindows* w = Windows())
        w->SetProgressRange(0, nProgressMax);
    try {
        m_Run.Start<Block>(nMessage, std::move(pBlock), work,
                           [this, done](std::unique_ptr<Block> p, const CRunOutcome& outcome) {
                               (this->*done)(std::move(p), outcome);
                           });
    } catch (const std::system_error& e) {
        StopTiming(static_cast<std::uint32_t>(m_dwStartTime));
        ReportFailure(Utf8ToWide(e.what()));
    }
}

void CQELDoc::StartMultiMovingLoad(const Stepping& stepping, bool bDisplayEach, std::shared_ptr<CBridge> pBridge,
                                   std::shared_ptr<CLoadModelEnsemble> pLME)
{
    if (!pBridge || !pLME || RefusedValues(*pBridge) || RefusedValues(*pLME))
        return;
    auto pBlock = NewBlock<AnalysisThreadParams>();
    pBlock->pBridge = std::move(pBridge);
    pBlock->pLME = std::move(pLME);
    pBlock->stepping = stepping;
    pBlock->bDisplayEach = bDisplayEach;
    const int nMax = pBlock->pLME->m_nLoadModels;
    Launch(L"Moving Load Analysis of LME called", MsgTFMultiML(), std::move(pBlock), nMax, &MultiMovingLoadWork,
           &CQELDoc::OnMultiMovingLoadDone);
}

void CQELDoc::StartBridgeRange(std::shared_ptr<CBridgeSet> pBridgeSet, std::shared_ptr<CLoadModel> pLoadModel)
{
    if (!pBridgeSet || !pLoadModel || RefusedValues(*pBridgeSet) || RefusedValues(*pLoadModel))
        return;
    auto pBlock = NewBlock<BridgeRangeThreadParams>();
    pBlock->pBridgeSet = std::move(pBridgeSet);
    pBlock->pLoadModel = std::move(pLoadModel);
    pBlock->stepping = m_DefStepping;
    const int nMax = pBlock->pBridgeSet->m_nBridge;
    Launch(L"Bridge Range Analysis called", MsgTFBridgeRange(), std::move(pBlock), nMax, &BridgeRangeWork,
           &CQELDoc::OnBridgeRangeDone);
}

void CQELDoc::StartRefCollection(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    if (!pRefCollection)
        return;
    if (RefusedValues(*pRefCollection)) {
        DropPendingCritRatios(); // nothing runs, so nothing is to follow it either
        return;
    }
    int nMax = 0;
    for (const auto& pLME : pRefCollection->m_vLME)
        for (const auto& pBS : pRefCollection->m_vBS)
            if (pLME && pBS)
                nMax += Steps(pBS->m_nBridge, pLME->m_nLoadModels);
    auto pBlock = NewBlock<RefCollectionThreadParams>();
    pBlock->pWork = MakeWorkingCopy(*pRefCollection);
    pBlock->pRefCollection = std::move(pRefCollection);
    Launch(L"Make Reference Collection called", MsgTFRefValues(), std::move(pBlock), nMax, &RefCollectionWork,
           &CQELDoc::OnRefCollectionDone);
}

void CQELDoc::StartCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    if (!pRefCollection || RefusedValues(*pRefCollection))
        return;
    // Results of an earlier version were announced as recalculated when the case opened.
    const bool bStale = pRefCollection->m_bIsCalculated && pRefCollection->m_bFromEarlierVersion;
    if (!pRefCollection->m_bIsCalculated || bStale) {
        if (!bStale && !Ask(L"Ref. Collection: " + pRefCollection->GetDescription() + L"\n" +
                            L"This collection has not yet been computed.\n" + L"Do you wish to compute it now?"))
            return;
        StartRefCollection(pRefCollection);
        // Its completion is a posted message, handled after this command returns.
        if (m_bAnalysisRunning) {
            m_bCritRatiosPending = true;
            m_spPendingRefCollection = pRefCollection;
        }
        return;
    }
    LaunchCriticalRatios(std::move(pRefCollection));
}

void CQELDoc::LaunchCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    const int nProposed = pRefCollection->m_pPropLME ? pRefCollection->m_pPropLME->m_nLoadModels : 0;
    // The proposed item runs once per bridge set, however many reference ensembles share it.
    int nMax = 0;
    std::vector<const CBridgeSet*> counted;
    for (const auto& pSet : pRefCollection->GetRefSets()) {
        const CBridgeSet* pBS = pSet ? pSet->GetBridgeSet().get() : nullptr;
        if (pBS && std::find(counted.begin(), counted.end(), pBS) == counted.end()) {
            counted.push_back(pBS);
            nMax += Steps(pBS->m_nBridge, nProposed);
        }
    }
    auto pBlock = NewBlock<RefCollectionThreadParams>();
    pBlock->pWork = MakeWorkingCopy(*pRefCollection);
    pBlock->pRefCollection = std::move(pRefCollection);
    pBlock->dMultiplier = m_dCritRatioParam;
    Launch(L"Calculate Critical Ratios called", MsgTFCritRatios(), std::move(pBlock), nMax, &CriticalRatiosWork,
           &CQELDoc::OnCriticalRatiosDone);
}

void CQELDoc::StopAnalysisAndWait()
{
    if (m_Run.StopAndWait()) {
        // The run is abandoned: its completion, if already posted, will find no taker.
        ResetProgress();
        SetStatusText(L"Ready");
    }
    DropPendingCritRatios();
}

// A request left pending would start critical ratios on its collection after some
// later, unrelated run.
void CQELDoc::DropPendingCritRatios()
{
    m_bCritRatiosPending = false;
    m_spPendingRefCollection.reset();
}

// ---------------------------------------------------------------- completions

bool CQELDoc::DeliverAnalysisCompletion(CPostedMessage& message)
{
    const unsigned int n = message.message;
    if (n != MsgTFMultiML() && n != MsgTFBridgeRange() && n != MsgTFRefValues() && n != MsgTFCritRatios())
        return false;
    CAnalysisRun::Deliver(message);
    return true;
}

void CQELDoc::OnRunEnded()
{
    StopTiming(static_cast<std::uint32_t>(m_dwStartTime));
}

void CQELDoc::OnRunFailed(const std::wstring& sError)
{
    DropPendingCritRatios();
    ResetProgress();
    ReportFailure(sError);
}

void CQELDoc::OnRunCompleted()
{
    ResetProgress();
}

void CQELDoc::OnRunSettled()
{
    RefreshElementView();
    SetModifiedFlag();
}

void CQELDoc::OnMultiMovingLoadDone(std::unique_ptr<AnalysisThreadParams> pBlock, const CRunOutcome& outcome)
{
    m_spMovingLoadResults = std::move(pBlock->spResults);
    m_spAOMultiMovingLoad = std::move(pBlock->spAO);
    if (!outcome.bStopped)
        ShowMultiMovingLoadOutput(pBlock->bDisplayEach, m_spAOMultiMovingLoad);
}

void CQELDoc::OnBridgeRangeDone(std::unique_ptr<BridgeRangeThreadParams> pBlock, const CRunOutcome& outcome)
{
    // The run derived the count or the step of its last bridge: the next dialogs start from it.
    m_DefStepping.nSteps = pBlock->used.nSteps;
    m_DefStepping.step = pBlock->used.step;
    m_spCriticalValues = std::move(pBlock->spCriticalValues);
    if (!outcome.bStopped) {
        m_spAOBridgeRange = std::make_shared<CAOBridgeRange>(m_spCriticalValues, pBlock->pBridgeSet,
                                                             std::static_pointer_cast<CElement>(pBlock->pLoadModel));
        OnResultsBridgeRange();
    }
}

void CQELDoc::OnRefCollectionDone(std::unique_ptr<RefCollectionThreadParams> pBlock, const CRunOutcome& outcome)
{
    if (!outcome.bOK || outcome.bStopped)
        DropPendingCritRatios();
    if (!outcome.bOK) {
        m_Run.LowerRunningFlag(); // the commands come back before the box
        Error(L"There are either zero bridge sets or load model ensembles.\nin the selected Reference Collection. "
              L"Please check.");
        return;
    }
    // A stopped run's working copy holds part of a collection: the collection keeps what
    // it had, results of an earlier run and their state included.
    if (outcome.bStopped)
        return;
    TakeRunResults(*pBlock->pRefCollection, *pBlock->pWork);
    if (m_bCritRatiosPending) {
        // The critical-ratio run goes on with the running flag raised.
        m_bCritRatiosPending = false;
        const auto pPending = std::move(m_spPendingRefCollection);
        m_spPendingRefCollection.reset();
        if (pPending)
            LaunchCriticalRatios(pPending);
    } else if (Ask(L"Display grids/plots for the analysis?")) {
        ShowRefCollectionValues(pBlock->pRefCollection);
    }
}

void CQELDoc::OnCriticalRatiosDone(std::unique_ptr<RefCollectionThreadParams> pBlock, const CRunOutcome& outcome)
{
    if (!outcome.bOK) {
        Error(L"Critical ratios could not be calculated.");
        return;
    }
    if (outcome.bStopped)
        return; // the ratios of an earlier run stay, as a stopped collection run keeps its values
    TakeRunResults(*pBlock->pRefCollection, *pBlock->pWork);
    if (Ask(L"Display grids/plots for the analysis?"))
        ShowCriticalRatios(pBlock->pRefCollection);
}
