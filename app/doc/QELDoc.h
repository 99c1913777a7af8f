#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// One open case: its element lists and texts, the element commands, the case file and
// the latest analysis results. It reaches windows and dialogs only through the host
// (app/doc/DocHost.h).
class CQELDoc {
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

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }
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

    // Copies of the lists, for the element pane.
    std::vector<std::shared_ptr<CBridge>> GetBridges() const { return m_vBridge; }
    std::vector<std::shared_ptr<CBridgeSet>> GetBridgeSets() const { return m_vBridgeSet; }
    std::vector<std::shared_ptr<CLoadModel>> GetLoadModels() const { return m_vLoadModel; }
    std::vector<std::shared_ptr<CLoadModelEnsemble>> GetLoadModelEnsembles() const { return m_vLoadModelEnsemble; }
    std::vector<std::shared_ptr<CReferenceCollection>> GetRefCollections() const { return m_vRefCollection; }

    int m_nWindowCount = 0;
    CLMEFactory m_LMEFactory;
    bool m_bOutBMSF = true;
    bool m_bOutReactions = true;
    bool m_bOutGraphs = true;
    bool m_bOutTables = true;
    std::uint64_t m_dwStartTime = 0; // GetTickCountMs at the start of a worker run
    // Shared with the analysis workers.
    std::atomic<bool> m_bPostMultiML{false};
    std::atomic<bool> m_bPostBridgeRange{false};
    std::atomic<bool> m_bPostRefValues{false};
    std::atomic<bool> m_bPostCritRatios{false};
    std::atomic<bool> m_bAnalysisRunning{false};
    bool m_bCritRatiosPending = false;
    std::shared_ptr<CReferenceCollection> m_spPendingRefCollection;
    bool m_bDefByStep = false;
    double m_dDefStepSize = 0.5;
    int m_nDefNumSteps = 20;
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
};
