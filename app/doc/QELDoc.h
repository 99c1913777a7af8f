#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/doc/AnalysisRun.h"
#include "app/doc/InsertCommands.h"
#include "core/analysis/Stepping.h"
#include "core/library/LMEFactory.h"

class CElement;
class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;
class CBeamResults;
class CEnvelopeResults;
class CCriticalValueEnsemble;
class CAOSinglePosition;
class CAOMovingLoad;
class CAOMultiMovingLoad;
class CAOBridgeRange;
class CAOReferenceSet;
class CAOCriticalRatios;
class CAOEnhanced;
class CDocPlotView;
class CDocGridView;
class CDocMainView;
class CAOCompareRefSetEnvs;
class CDocDialogs;
class CDocElementTree;
struct AnalysisThreadParams;
struct BridgeRangeThreadParams;
struct RefCollectionThreadParams;

// One open case: its element lists and texts, the element commands, the case file and
// the latest analysis results. It reaches windows and dialogs only through the host
// (app/doc/DocHost.h).
class CQELDoc : private CAnalysisRunHost {
public:
    // Entries of m_nNextID.
    enum : int { NEXTID_BRIDGESET = 0, NEXTID_BRIDGE = 1, NEXTID_LOADMODEL = 2, NEXTID_LME = 3, NEXTID_REFCOLL = 4 };

    CQELDoc();
    virtual ~CQELDoc();
    CQELDoc(const CQELDoc&) = delete;
    CQELDoc& operator=(const CQELDoc&) = delete;

    // Everything but the element lists back to its start: counters, results, flags,
    // texts, and the output options and stepping defaults from the settings.
    void ResetData();

    // Life of the document.
    bool OnNewDocument();
    // On failure the user has been told and the document is as it was. The kind of
    // file (binary or XML) is told by its contents.
    bool OnOpenDocument(const std::wstring& sPath);
    // On failure the user has been told; the case stays modified and the file as it was.
    // The setting USEBINARYFILEFORMAT chooses the kind.
    bool OnSaveDocument(const std::wstring& sPath);
    // The same, also handing back the text of the error box (empty on success).
    bool OnOpenDocument(const std::wstring& sPath, std::wstring& sError);
    bool OnSaveDocument(const std::wstring& sPath, std::wstring& sError);
    void OnCloseDocument();
    // Reads (bStoring false) or writes the case file. A read replaces the case only when
    // the whole file was read. Failures are shown to the user; the result says whether
    // it worked, and GetFileError the text shown.
    bool Serialize(const std::wstring& sPath, bool bStoring);
    const std::wstring& GetFileError() const { return m_sFileError; }
    // An open or a save is running (the windows paint meanwhile): the case must not change,
    // close or be saved again until it ends.
    bool IsFileBusy() const { return m_bFileBusy; }
    // While it lives, the case's file commands wait: during its own open or save, and while
    // another file is read in its place. A null case holds nothing.
    class CFileBusyScope {
    public:
        explicit CFileBusyScope(CQELDoc* pDoc) : m_pDoc(pDoc)
        {
            if (m_pDoc)
                m_pDoc->m_bFileBusy = true;
        }
        ~CFileBusyScope()
        {
            if (m_pDoc)
                m_pDoc->m_bFileBusy = false;
        }
        CFileBusyScope(const CFileBusyScope&) = delete;
        CFileBusyScope& operator=(const CFileBusyScope&) = delete;

    private:
        CQELDoc* m_pDoc;
    };
    // An open or a save that has run this long shows its progress.
    static inline std::uint64_t s_nFileProgressAfterMs = 500;

    bool IsModified() const { return m_bModified; }
    // The windows hear of each change, so the title can show unsaved changes.
    void SetModifiedFlag(bool bModified = true);
    const std::wstring& GetPathName() const { return m_sPathName; }
    void SetPathName(const std::wstring& sPath) { m_sPathName = sPath; }

    // Commands.
    void OnCaseData();
    void OnAddBridge();
    void OnAddBridgeSet();
    void OnAddLoadModel();
    void OnAddLoadModelEnsemble();
    void OnAddRefCollection();

    void EditBridge(bool bRefreshTree, std::shared_ptr<CBridge> pBridge);
    void EditBridgeSet(bool bRefreshTree, std::shared_ptr<CBridgeSet> pBridgeSet);
    void EditLoadModel(bool bRefreshTree, std::shared_ptr<CLoadModel> pLoadModel);
    void EditLoadModelEnsemble(bool bRefreshTree, std::shared_ptr<CLoadModelEnsemble> pLME);
    void EditRefCollection(bool bRefreshTree, std::shared_ptr<CReferenceCollection> pRefCollection);

    // Append a ready-made element; the caller gives its id.
    void AddLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    void AddLoadModelEnsemble(std::shared_ptr<CLoadModelEnsemble> pLME);

    // False when the element is of no deletable kind or not found.
    bool DeleteElement(std::shared_ptr<CElement> pElement);

    void RefreshElementView();
    CDocMainView* GetMainView();

    // New result windows titled "<window count> - <name>"; none when the window cannot
    // be made (or, for a count, when n is not 1 to 4).
    CDocPlotView* OpenPlotView(const std::wstring& sName, int rows, int cols);
    CDocPlotView* OpenPlotViewForCount(const std::wstring& sName, int n);
    CDocGridView* OpenGridView(const std::wstring& sName);

    // The document of the main frame's active child window.
    static CQELDoc* GetDoc();

    // ---------------------------------------------------------------- analyses
    // Commands of the "Analysis", "View" and "Tools" menus and their enabling
    // (QELDocAnalysis.cpp). The update handlers return whether the command is enabled.
    void OnAnalysisSinglePosition();
    void OnAnalysisMovingLoad();
    void OnAnalysisBridgeRange();
    void OnAnalysisRefCollection();
    void OnAnalysisCriticalRatios();
    void OnStopAnalysis();
    void OnOutputOptions();
    void OnToolsFilterLME();
    void OnToolsGenerateLME();
    void OnToolsGenerateBiDirLME();
    void OnToolsPurgeResults();
    // A stopped worker runs on until its next poll: the commands wait for its completion.
    bool OnUpdateAnalysisCommand() const { return !m_bAnalysisRunning && !m_Run.IsPending() && !m_bFileBusy; }
    bool OnUpdateStopAnalysis() const { return m_bAnalysisRunning; }
    // Commands that add, edit, delete, paste or generate elements: the workers change the
    // load models they run, so none of these may run beside one.
    bool OnUpdateElementCommand() const { return OnUpdateAnalysisCommand(); }
    bool IsAnalysisRunning() const { return m_bAnalysisRunning; }
    // A worker run was launched and its completion has not been handled yet (a stopped
    // run stays pending until its completion arrives).
    bool IsWorkerPending() const { return m_Run.IsPending(); }
    // The worker would post its completion (the run's post flag).
    bool IsCompletionAwaited() const { return m_Run.PostsCompletion(); }

    // "Calculating..." and the line; returns the start for StopTiming.
    std::uint32_t StartTiming(const std::wstring& sLine);
    // "Elapsed time: N ms" and "Ready".
    void StopTiming(std::uint32_t dwStart);

    void RunMovingLoadAnalysis(const Stepping& stepping, bool bDisplayEach, std::shared_ptr<CBridge> pBridge,
                               std::shared_ptr<CLoadModel> pLoadModel);
    // Launchers of the workers (AnalysisWorkers.h).
    void StartMultiMovingLoad(const Stepping& stepping, bool bDisplayEach, std::shared_ptr<CBridge> pBridge,
                              std::shared_ptr<CLoadModelEnsemble> pLME);
    void StartBridgeRange(std::shared_ptr<CBridgeSet> pBridgeSet, std::shared_ptr<CLoadModel> pLoadModel);
    void StartRefCollection(std::shared_ptr<CReferenceCollection> pRefCollection);
    // Offers to calculate the collection first when it is not calculated.
    void StartCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection);

    // The main window's handler of the four completion messages: hands the block to the
    // document that waits for that run and returns true; a completion of a run that was
    // abandoned (its case closed or reset) is dropped, also returning true. False for
    // any other message.
    static bool DeliverAnalysisCompletion(CPostedMessage& message);

    // Stops a running worker and waits for it to end; its completion will be dropped.
    // Closing, replacing or resetting the case does this first.
    void StopAnalysisAndWait();

    // Result display (ResultDisplay.cpp).
    void ShowSinglePositionOutput(std::shared_ptr<CAOSinglePosition> pOutput);
    void ShowMovingLoadOutput(bool bDisplayEach, std::shared_ptr<CAOMovingLoad> pOutput);
    void ShowMultiMovingLoadOutput(bool bDisplayEach, std::shared_ptr<CAOMultiMovingLoad> pOutput);
    void ShowBridgeRangeOutput(std::shared_ptr<CAOBridgeRange> pOutput);
    void ShowRefValuesOutput(std::shared_ptr<CAOReferenceSet> pOutput);
    void ShowCompareEnvelopesOutput(std::shared_ptr<CAOCompareRefSetEnvs> pOutput);
    void ShowCriticalRatiosOutput(std::shared_ptr<CAOCriticalRatios> pOutput);
    void ShowEnhancedCriticalRatiosGrid(std::shared_ptr<CAOEnhanced> pOutput);
    void ShowRefCollectionValues(std::shared_ptr<CReferenceCollection> pRefCollection);
    void ShowCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection);
    void OnResultsSinglePosition();
    void OnResultsMovingLoad();
    void OnResultsBridgeRange();
    void OnResultsRefCollectionValues();
    void OnResultsRefCollectionRatios();
    void OnCompareEnvelopes();
    void OnResultsEnhancedGrid();

    // Insert menu: standard bridge sets and standard vehicles (QELDocInserts.cpp).
#define QEL_DECLARE_INSERT_HANDLER(name, ...) void OnInsert##name();
    QEL_INSERT_BRIDGES(QEL_DECLARE_INSERT_HANDLER)
    QEL_INSERT_VEHICLES(QEL_DECLARE_INSERT_HANDLER)
#undef QEL_DECLARE_INSERT_HANDLER
    // The element pane's delete of a load model shown under an ensemble: that ensemble
    // loses the entry (the one at nIndex when it holds the model there, else the first).
    bool RemoveFromEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME, const std::shared_ptr<CLoadModel>& pLM,
                            unsigned int nIndex);

    // Copies of the lists, for the element pane.
    std::vector<std::shared_ptr<CBridge>> GetBridges() const
    {
        return m_vBridge;
    }
    std::vector<std::shared_ptr<CBridgeSet>> GetBridgeSets() const
    {
        return m_vBridgeSet;
    }
    std::vector<std::shared_ptr<CLoadModel>> GetLoadModels() const
    {
        return m_vLoadModel;
    }
    std::vector<std::shared_ptr<CLoadModelEnsemble>> GetLoadModelEnsembles() const
    {
        return m_vLoadModelEnsemble;
    }
    std::vector<std::shared_ptr<CReferenceCollection>> GetRefCollections() const
    {
        return m_vRefCollection;
    }

    int m_nWindowCount = 0;
    CLMEFactory m_LMEFactory;
    bool m_bOutBMSF = true;
    bool m_bOutReactions = true;
    bool m_bOutGraphs = true;
    bool m_bOutTables = true;
    std::uint64_t m_dwStartTime = 0; // GetTickCountMs at the start of a worker run
    bool m_bCritRatiosPending = false;
    std::shared_ptr<CReferenceCollection> m_spPendingRefCollection;
    // The stepping the next analysis dialog starts from.
    Stepping m_DefStepping{.bByStep = false, .step = 0.5, .nSteps = 20};
    double m_dCritRatioParam = 1.0;
    int m_nNextID[5] = {0, 0, 0, 0, 0};
    std::vector<std::shared_ptr<CBridge>> m_vBridge;
    std::vector<std::shared_ptr<CBridgeSet>> m_vBridgeSet;
    std::vector<std::shared_ptr<CLoadModel>> m_vLoadModel;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> m_vLoadModelEnsemble;
    std::vector<std::shared_ptr<CReferenceCollection>> m_vRefCollection;

    // Latest results; never saved.
    std::shared_ptr<CBeamResults> m_spSinglePosResults;
    std::shared_ptr<CEnvelopeResults> m_spMovingLoadResults;
    std::shared_ptr<CCriticalValueEnsemble> m_spCriticalValues;
    std::shared_ptr<CAOSinglePosition> m_spAOSinglePosition;
    std::shared_ptr<CAOMovingLoad> m_spAOMovingLoad;
    std::shared_ptr<CAOMultiMovingLoad> m_spAOMultiMovingLoad;
    std::shared_ptr<CAOBridgeRange> m_spAOBridgeRange;
    std::shared_ptr<CAOReferenceSet> m_spAOReferenceSet;
    std::shared_ptr<CAOCriticalRatios> m_spAOCriticalRatios;
    std::shared_ptr<CAOEnhanced> m_spAOEnhanced;

    std::wstring m_sCaseRef;
    std::wstring m_sCaseNotes;

protected:
    // Removes the very object (not one of equal id) and renumbers the rest 1, 2, ...
    template <class T>
    bool RemoveElement(std::vector<std::shared_ptr<T>>& vList, const std::shared_ptr<CElement>& pElement);

    void AddStatus(const std::wstring& sText) const;
    void SetStatusText(const std::wstring& sText) const;
    void SetNextIDsFromLists();
    template <class View>
    View* TitleResultView(View* pView, const std::wstring& sName);

    bool m_bModified = false;
    std::wstring m_sPathName;
    std::wstring m_sFileError; // the last open's or save's error text
    bool m_bFileBusy = false;

private:
    // The add and edit commands of every kind: the new element (its id the counter's next)
    // or a copy of the stored one goes through its dialog.
    template <class T, class... Args>
    void AddElement(std::vector<std::shared_ptr<T>>& vList, int nCounter,
                    void (CDocElementTree::*addToTree)(const std::shared_ptr<T>&), Args&&... args);
    template <class T>
    void EditElement(bool bRefreshTree, const std::shared_ptr<T>& pElement);
    // Runs the element's dialog on it; true when the dialog's OK left its answer in it.
    bool RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CBridge>& pBridge);
    bool RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CBridgeSet>& pBridgeSet);
    bool RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CLoadModel>& pLoadModel);
    bool RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CLoadModelEnsemble>& pLME);
    bool RunElementDialog(CDocDialogs& dialogs, const std::shared_ptr<CReferenceCollection>& pRefCollection);

    // Analyses (QELDocAnalysis.cpp).
    template <class Block>
    std::unique_ptr<Block> NewBlock();
    // Starts the worker run with its log line, unless a run is pending.
    template <class Block>
    void Launch(const wchar_t* pszLine, unsigned int nMessage, std::unique_ptr<Block> pBlock, int nProgressMax,
                bool (*work)(Block&), void (CQELDoc::*done)(std::unique_ptr<Block>, const CRunOutcome&));
    // What each kind of run does with its completion (the shared steps are the run's).
    void OnMultiMovingLoadDone(std::unique_ptr<AnalysisThreadParams> pBlock, const CRunOutcome& outcome);
    void OnBridgeRangeDone(std::unique_ptr<BridgeRangeThreadParams> pBlock, const CRunOutcome& outcome);
    void OnRefCollectionDone(std::unique_ptr<RefCollectionThreadParams> pBlock, const CRunOutcome& outcome);
    void OnCriticalRatiosDone(std::unique_ptr<RefCollectionThreadParams> pBlock, const CRunOutcome& outcome);
    // CAnalysisRunHost: the steps every completion shares.
    void OnRunEnded() override;
    void OnRunFailed(const std::wstring& sError) override;
    void OnRunCompleted() override;
    void OnRunSettled() override;
    void LaunchCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection);
    void DropPendingCritRatios();
    // Adds an ensemble a tool made, with its log line.
    void AddToolEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME, const wchar_t* pszLine);
    // Shows the text of what a run or a synchronous analysis threw.
    void ReportFailure(const std::wstring& sError);
    void ResetProgress();

    // Up while an analysis runs: the work polls it and the commands wait. Only m_Run writes
    // it (Start and RunHere raise it, Stop and the end of a run lower it).
    std::atomic<bool> m_bAnalysisRunning{false};
    // Declared after the flag it shares with its worker, so that it ends first.
    CAnalysisRun m_Run{m_bAnalysisRunning, *this};

    // Result display (ResultDisplay.cpp).
    template <class Output, class Set>
    void DisplayOutput(const wchar_t* pszName, const wchar_t* pszEmpty, const std::shared_ptr<Output>& pOutput,
                       bool bEmpty, int nReactionCharts, Set set);
};
