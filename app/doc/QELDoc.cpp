#include "app/doc/QELDoc.h"

#include <algorithm>
#include <functional>
#include <type_traits>
#include <utility>

#include "app/doc/AnalysisWorkers.h"
#include "app/doc/CaseFile.h"
#include "app/doc/DocDialogs.h"
#include "app/doc/DocWindows.h"
#include "app/doc/HostAccess.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/base/Clock.h"
#include "platform/base/Messages.h"

namespace {

CDocWindows* Windows()
{
    return dochost::Windows();
}
CDocDialogs* Dialogs()
{
    return dochost::Dialogs();
}

// The progress of an open or a save that runs long: after CQELDoc::s_nFileProgressAfterMs
// the bar counts its percent and the windows keep painting; one that ends sooner shows
// nothing. Never throws: it runs inside the archive's reads and writes.
class CFileProgress {
public:
    CFileProgress() : m_nStart(GetTickCountMs()) {}
    ~CFileProgress()
    {
        if (!m_bShown)
            return;
        PostMainWindowMessage(MsgPBarUpdate(), 0, 0);
        if (CDocWindows* w = Windows())
            w->SetLongFileTask(false);
    }
    CFileProgress(const CFileProgress&) = delete;
    CFileProgress& operator=(const CFileProgress&) = delete;

    void operator()(std::uint64_t nDone, std::uint64_t nTotal) noexcept
    {
        CDocWindows* w = Windows();
        const std::uint64_t now = GetTickCountMs();
        if (!w || (!m_bShown && now - m_nStart < CQELDoc::s_nFileProgressAfterMs))
            return;
        try {
            if (!m_bShown) {
                m_bShown = true;
                w->SetLongFileTask(true);
                w->SetProgressRange(0, 100);
            }
            const std::uint64_t percent = nTotal ? std::min<std::uint64_t>(100, nDone * 100 / nTotal) : 0;
            const bool bMoved = m_nPercent < percent;
            for (; m_nPercent < percent; ++m_nPercent)
                PostMainWindowMessage(MsgPBarUpdate(), 1, 0);
            // The bar shows each percent as it comes, however fast the file runs.
            if (bMoved || now - m_nLastPaint >= 40) {
                m_nLastPaint = now;
                w->KeepPainting();
            }
        } catch (...) {
            // The bar is only a view of the work: the work goes on without it.
        }
    }

private:
    std::uint64_t m_nStart;
    std::uint64_t m_nLastPaint = 0;
    std::uint64_t m_nPercent = 0;
    bool m_bShown = false;
};

}

CQELDoc::CQELDoc()
{
    ResetData();
}

// A worker reads the document's flags until it ends.
CQELDoc::~CQELDoc()
{
    StopAnalysisAndWait();
}

void CQELDoc::ResetData()
{
    // Ends the worker first, which lowers the run's flags and drops a pending request.
    StopAnalysisAndWait();
    m_nWindowCount = 0;

    m_DefStepping = g_pSettings->GetStepping();

    std::fill(std::begin(m_nNextID), std::end(m_nNextID), 0);
    m_dCritRatioParam = 1.0;

    m_spSinglePosResults.reset();
    m_spMovingLoadResults.reset();
    m_spCriticalValues.reset();
    m_spAOSinglePosition.reset();
    m_spAOMovingLoad.reset();
    m_spAOMultiMovingLoad.reset();
    m_spAOBridgeRange.reset();
    m_spAOReferenceSet.reset();
    m_spAOCriticalRatios.reset();
    m_spAOEnhanced.reset();

    const CSettings::General_Config::General_Output& output = g_pSettings->General.Output;
    m_bOutBMSF = output.BMSF;
    m_bOutReactions = output.R;
    m_bOutGraphs = output.GRAPHS;
    m_bOutTables = output.TABLES;

    m_sCaseRef.clear();
    m_sCaseNotes.clear();
}

void CQELDoc::AddStatus(const std::wstring& sText) const
{
    if (CDocWindows* w = Windows())
        w->AddStatus(sText);
}

void CQELDoc::SetStatusText(const std::wstring& sText) const
{
    if (CDocWindows* w = Windows())
        w->SetStatusText(sText);
}

// ---------------------------------------------------------------- life

void CQELDoc::SetModifiedFlag(bool bModified)
{
    if (m_bModified == bModified)
        return;
    m_bModified = bModified;
    if (CDocWindows* w = Windows())
        w->OnModifiedChanged(*this);
}

bool CQELDoc::OnNewDocument()
{
    AddStatus(L"Opening a New document");
    // The framework's step: a new document has no file and nothing to save.
    m_sPathName.clear();
    SetModifiedFlag(false);
    ResetData();
    RefreshElementView();
    return true;
}

bool CQELDoc::OnOpenDocument(const std::wstring& sPath)
{
    AddStatus(L"Opening: " + sPath);
    if (!Serialize(sPath, false))
        return false;
    m_sPathName = sPath;
    SetModifiedFlag(false);
    for (const auto& pRefCollection : m_vRefCollection)
        if (pRefCollection->m_bIsCalculated && pRefCollection->m_bFromEarlierVersion)
            AddStatus(L"Reference collection \"" + pRefCollection->GetDescription() +
                      L"\": its results come from an earlier version of QEL and will be recalculated "
                      L"before a proposed vehicle is compared with them");
    RefreshElementView();
    return true;
}

bool CQELDoc::OnSaveDocument(const std::wstring& sPath)
{
    if (!Serialize(sPath, true))
        return false;
    m_sPathName = sPath;
    SetModifiedFlag(false);
    return true;
}

bool CQELDoc::OnOpenDocument(const std::wstring& sPath, std::wstring& sError)
{
    const bool bOk = OnOpenDocument(sPath);
    sError = m_sFileError;
    return bOk;
}

bool CQELDoc::OnSaveDocument(const std::wstring& sPath, std::wstring& sError)
{
    const bool bOk = OnSaveDocument(sPath);
    sError = m_sFileError;
    return bOk;
}

// The shell closes the document's windows.
void CQELDoc::OnCloseDocument()
{
    StopAnalysisAndWait();
    AddStatus(L"Closing: " + m_sPathName);
}

void CQELDoc::SetNextIDsFromLists()
{
    m_nNextID[NEXTID_BRIDGESET] = static_cast<int>(m_vBridgeSet.size());
    m_nNextID[NEXTID_BRIDGE] = static_cast<int>(m_vBridge.size());
    m_nNextID[NEXTID_LOADMODEL] = static_cast<int>(m_vLoadModel.size());
    m_nNextID[NEXTID_LME] = static_cast<int>(m_vLoadModelEnsemble.size());
    m_nNextID[NEXTID_REFCOLL] = static_cast<int>(m_vRefCollection.size());
}

bool CQELDoc::Serialize(const std::wstring& sPath, bool bStoring)
{
    // The windows paint while a file runs: nothing they do may start another.
    if (m_bFileBusy)
        return false;
    if (bStoring)
        AddStatus(L"Saving: " + sPath);
    SetStatusText(bStoring ? L"Saving..." : L"Opening...");
    const std::wstring sError =
        bStoring ? L"Problem saving file: file is not saved." : L"Problem loading file; file is not opened.";
    const bool bBinary = g_pSettings->General.USEBINARYFILEFORMAT;

    m_sFileError.clear();
    const CFileBusyScope busy(this);
    try {
        CFileProgress progressBar;
        const CaseProgress progress = std::ref(progressBar);
        if (bStoring) {
            CaseContents contents{m_vBridge,        m_vBridgeSet, m_vLoadModel, m_vLoadModelEnsemble,
                                  m_vRefCollection, m_sCaseRef,   m_sCaseNotes};
            SaveCaseFile(sPath, contents, bBinary, progress);
        } else {
            CaseContents contents;
            LoadCaseFile(sPath, contents, progress);
            // Nothing of the open case changes before the whole file has been read.
            ResetData();
            m_vBridge = std::move(contents.m_vBridge);
            m_vBridgeSet = std::move(contents.m_vBridgeSet);
            m_vLoadModel = std::move(contents.m_vLoadModel);
            m_vLoadModelEnsemble = std::move(contents.m_vLoadModelEnsemble);
            m_vRefCollection = std::move(contents.m_vRefCollection);
            m_sCaseRef = std::move(contents.m_sCaseRef);
            m_sCaseNotes = std::move(contents.m_sCaseNotes);
        }
        SetNextIDsFromLists();
        SetStatusText(L"Ready");
        return true;
    } catch (const CCaseArchiveError& e) {
        // The archive's own text means little to the user: it goes last, as a detail.
        const std::wstring sDetail = L"\n" + ArchiveErrorDetail(e.what());
        m_sFileError = bStoring ? sError + L"\nThe case could not be written." + sDetail
                                : sError + L"\nThe file is damaged or was not written by QEL: " +
                                      Utf8ToWide(ArchiveErrorReason(e.what())) + L"." + sDetail;
    } catch (const std::exception& e) {
        // The file or an element failed outside the archive library.
        m_sFileError = sError + L"\n" + Utf8ToWide(e.what());
    }
    if (CDocWindows* w = Windows())
        w->ShowError(m_sFileError);
    SetStatusText(L"Ready");
    return false;
}

// ---------------------------------------------------------------- commands

void CQELDoc::OnCaseData()
{
    CDocDialogs* dialogs = Dialogs();
    if (!dialogs)
        return;
    auto dlg = dialogs->MakeConfigDlg();
    dlg->m_sCaseRef = m_sCaseRef;
    dlg->m_sCaseNotes = m_sCaseNotes;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    m_sCaseRef = dlg->m_sCaseRef;
    m_sCaseNotes = dlg->m_sCaseNotes;
    SetModifiedFlag();
}

// ---------------------------------------------------------------- element commands
// Every kind is added and edited the same way; only its dialog differs (RunElementDialog).

template <class T, class... Args>
void CQELDoc::AddElement(std::vector<std::shared_ptr<T>>& vList, int nCounter,
                         void (CDocElementTree::*addToTree)(const std::shared_ptr<T>&), Args&&... args)
{
    CDocDialogs* dialogs = Dialogs();
    if (!dialogs)
        return;
    // The next id is offered; the counter moves only when the element is added.
    auto pElement = std::make_shared<T>(m_nNextID[nCounter] + 1, std::forward<Args>(args)...);
    if (!RunElementDialog(*dialogs, pElement))
        return;
    vList.push_back(pElement);
    ++m_nNextID[nCounter];
    if (CDocWindows* w = Windows())
        if (CDocElementTree* tree = w->GetElementTree())
            (tree->*addToTree)(pElement);
    SetModifiedFlag();
}

namespace {

// A non-editable element opens in its dialog, and OK has no effect.
template <class T>
bool TakesEdit(const T& stored, const std::shared_ptr<T>& /*pEdited*/)
{
    return stored.m_bIsEditable;
}

// Any collection may be edited, but a calculated one loses its results, if the user agrees.
bool TakesEdit(const CReferenceCollection& stored, const std::shared_ptr<CReferenceCollection>& pEdited)
{
    if (stored.m_bIsCalculated && stored != pEdited) {
        CDocWindows* w = Windows();
        if (!w || !w->AskYesNo(L"These edits will invalidate the stored results (which will be removed) - continue?"))
            return false;
        pEdited->ClearResults();
    }
    return true;
}

}

// The dialog edits a copy; the stored object takes it whole, so every list and ensemble
// that shares it sees the change.
template <class T>
void CQELDoc::EditElement(bool bRefreshTree, const std::shared_ptr<T>& pElement)
{
    CDocDialogs* dialogs = Dialogs();
    if (!dialogs || !pElement || !OnUpdateElementCommand())
        return;
    auto pCopy = std::make_shared<T>(*pElement);
    if (!RunElementDialog(*dialogs, pCopy) || !TakesEdit(*pElement, pCopy))
        return;
    *pElement = *pCopy;
    if (bRefreshTree)
        RefreshElementView();
    if constexpr (std::is_same_v<T, CLoadModel>)
        if (CDocMainView* view = GetMainView())
            view->FillAxleGrid(pElement);
    SetModifiedFlag();
}

namespace {

// A dialog that rebuilds its element from its fields: on OK its answer replaces the element.
template <class Dlg, class T>
bool RunRebuildingDialog(std::unique_ptr<Dlg> dlg, void (Dlg::*show)(std::shared_ptr<T>),
                         std::shared_ptr<T> (Dlg::*answer)() const, const std::shared_ptr<T>& pElement)
{
    (dlg.get()->*show)(pElement);
    if (dlg->DoModal() != DLG_IDOK)
        return false;
    const std::shared_ptr<T> pResult = (dlg.get()->*answer)();
    if (!pResult)
        return false;
    *pElement = *pResult;
    return true;
}

}

bool CQELDoc::RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CBridge>& pBridge)
{
    return RunRebuildingDialog(dialogs.MakeBridgeDlg(), &CBridgeDlgInterface::SetBridge,
                               &CBridgeDlgInterface::GetBridge, pBridge);
}

bool CQELDoc::RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CBridgeSet>& pBridgeSet)
{
    return RunRebuildingDialog(dialogs.MakeBridgeSetDlg(), &CBridgeSetDlgInterface::SetBridgeSet,
                               &CBridgeSetDlgInterface::GetBridgeSet, pBridgeSet);
}

bool CQELDoc::RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CLoadModel>& pLoadModel)
{
    auto sheet = dialogs.MakePropSheetLM();
    sheet->SetLoadModel(pLoadModel);
    return sheet->DoModal() == DLG_IDOK;
}

bool CQELDoc::RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CLoadModelEnsemble>& pLME)
{
    auto dlg = dialogs.MakeLoadModelEnsembleDlg();
    dlg->m_sDescription = pLME->m_Description;
    dlg->m_nID = pLME->m_ID;
    dlg->m_pLME = pLME;
    dlg->m_vLoadModels = m_vLoadModel;
    if (dlg->DoModal() != DLG_IDOK)
        return false;
    pLME->m_Description = dlg->m_sDescription;
    return true;
}

bool CQELDoc::RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CReferenceCollection>& pRefCollection)
{
    auto dlg = dialogs.MakeRefCollectionDlg();
    dlg->SetData(pRefCollection);
    dlg->m_vBridgeSets = m_vBridgeSet;
    dlg->m_vLMEs = m_vLoadModelEnsemble;
    return dlg->DoModal() == DLG_IDOK;
}

void CQELDoc::OnAddBridge()
{
    AddElement(m_vBridge, NEXTID_BRIDGE, &CDocElementTree::AddBridge, L"20 m single span", BC_ONESPAN, 20.0);
}

void CQELDoc::OnAddBridgeSet()
{
    AddElement(m_vBridgeSet, NEXTID_BRIDGESET, &CDocElementTree::AddBridgeSet, L"1-50m 2-span Bridges", BC_TWOSPAN, 1.0,
               50.0, 1.0);
}

void CQELDoc::OnAddLoadModel()
{
    AddElement(m_vLoadModel, NEXTID_LOADMODEL, &CDocElementTree::AddLoadModel, L"Load model");
}

void CQELDoc::OnAddLoadModelEnsemble()
{
    AddElement(m_vLoadModelEnsemble, NEXTID_LME, &CDocElementTree::AddLoadModelEnsemble, L"Load model ensemble");
}

void CQELDoc::OnAddRefCollection()
{
    AddElement(m_vRefCollection, NEXTID_REFCOLL, &CDocElementTree::AddRefCollection, L"Ref collection", m_DefStepping);
}

void CQELDoc::EditBridge(bool bRefreshTree, std::shared_ptr<CBridge> pBridge)
{
    EditElement(bRefreshTree, pBridge);
}

void CQELDoc::EditBridgeSet(bool bRefreshTree, std::shared_ptr<CBridgeSet> pBridgeSet)
{
    EditElement(bRefreshTree, pBridgeSet);
}

void CQELDoc::EditLoadModel(bool bRefreshTree, std::shared_ptr<CLoadModel> pLoadModel)
{
    EditElement(bRefreshTree, pLoadModel);
}

void CQELDoc::EditLoadModelEnsemble(bool bRefreshTree, std::shared_ptr<CLoadModelEnsemble> pLME)
{
    EditElement(bRefreshTree, pLME);
}

void CQELDoc::EditRefCollection(bool bRefreshTree, std::shared_ptr<CReferenceCollection> pRefCollection)
{
    EditElement(bRefreshTree, pRefCollection);
}

void CQELDoc::AddLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    if (!pLoadModel)
        return;
    m_vLoadModel.push_back(std::move(pLoadModel));
    ++m_nNextID[NEXTID_LOADMODEL];
    SetModifiedFlag();
}

void CQELDoc::AddLoadModelEnsemble(std::shared_ptr<CLoadModelEnsemble> pLME)
{
    if (!pLME)
        return;
    m_vLoadModelEnsemble.push_back(std::move(pLME));
    ++m_nNextID[NEXTID_LME];
    SetModifiedFlag();
}

// ---------------------------------------------------------------- deletion

template <class T>
bool CQELDoc::RemoveElement(std::vector<std::shared_ptr<T>>& vList, const std::shared_ptr<CElement>& pElement)
{
    const auto it = std::find_if(vList.begin(), vList.end(), [&](const std::shared_ptr<T>& p) {
        return static_cast<const CElement*>(p.get()) == pElement.get();
    });
    if (it == vList.end())
        return false;
    vList.erase(it);
    SetModifiedFlag();
    for (size_t i = 0; i < vList.size(); ++i)
        vList[i]->m_ID = static_cast<int>(i) + 1;
    return true;
}

bool CQELDoc::DeleteElement(std::shared_ptr<CElement> pElement)
{
    if (!pElement || !OnUpdateElementCommand())
        return false;
    AddStatus(L"Called delete on: " + pElement->GetDescription());
    switch (pElement->m_ElementType) {
    case ET_BRIDGE: return RemoveElement(m_vBridge, pElement);
    case ET_BRIDGESET: return RemoveElement(m_vBridgeSet, pElement);
    case ET_LOADMODELENSEMBLE: return RemoveElement(m_vLoadModelEnsemble, pElement);
    case ET_REFCOLLECTION: return RemoveElement(m_vRefCollection, pElement);
    case ET_LOADMODEL: {
        if (RemoveElement(m_vLoadModel, pElement))
            return true;
        // A load model shown inside an ensemble: the first ensemble holding this very
        // object loses it.
        for (const auto& pLME : m_vLoadModelEnsemble) {
            for (size_t j = 0; j < pLME->m_vLoadModel.size(); ++j) {
                if (static_cast<const CElement*>(pLME->m_vLoadModel[j].get()) == pElement.get()) {
                    pLME->RemoveLoadModel(static_cast<unsigned int>(j));
                    SetModifiedFlag();
                    return true;
                }
            }
        }
        return false;
    }
    default: return false;
    }
}

// ---------------------------------------------------------------- windows

void CQELDoc::RefreshElementView()
{
    CDocWindows* w = Windows();
    CDocElementTree* tree = w ? w->GetElementTree() : nullptr;
    if (!tree)
        return;
    tree->SetRedraw(false);
    tree->ClearTree();
    tree->Populate(this);
    tree->SetRedraw(true);
    tree->Invalidate();
}

CDocMainView* CQELDoc::GetMainView()
{
    CDocWindows* w = Windows();
    return w ? w->FindMainView(*this) : nullptr;
}

template <class View>
View* CQELDoc::TitleResultView(View* pView, const std::wstring& sName)
{
    pView->SetFrameTitle(std::to_wstring(m_nWindowCount) + L" - " + sName);
    return pView;
}

CDocPlotView* CQELDoc::OpenPlotView(const std::wstring& sName, int rows, int cols)
{
    CDocWindows* w = Windows();
    CDocPlotView* pView = w ? w->CreatePlotView(*this) : nullptr;
    if (!pView)
        return nullptr;
    ++m_nWindowCount;
    pView->SetLayout(rows, cols);
    return TitleResultView(pView, sName);
}

CDocPlotView* CQELDoc::OpenPlotViewForCount(const std::wstring& sName, int n)
{
    if (n >= 1 && n < 4)
        return OpenPlotView(sName, n, 1);
    if (n == 4)
        return OpenPlotView(sName, 2, 2);
    return nullptr;
}

CDocGridView* CQELDoc::OpenGridView(const std::wstring& sName)
{
    CDocWindows* w = Windows();
    CDocGridView* pView = w ? w->CreateGridView(*this) : nullptr;
    if (!pView)
        return nullptr;
    ++m_nWindowCount;
    return TitleResultView(pView, sName);
}

CQELDoc* CQELDoc::GetDoc()
{
    CDocWindows* w = Windows();
    return w ? w->GetActiveDoc() : nullptr;
}
