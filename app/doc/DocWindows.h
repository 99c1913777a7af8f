#pragma once
// The windows as the case document sees them. The shell implements these on its Qt
// frame, panes and views; tests implement them with recorders. The document calls them
// on the user-interface thread only.
#include <memory>
#include <string>

class CQELDoc;
class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;
class CAOSinglePosition;
class CAOMovingLoad;
class CAOMultiMovingLoad;
class CAOBridgeRange;
class CAOReferenceSet;
class CAOCompareRefSetEnvs;
class CAOCriticalRatios;
class CAOEnhanced;

// The element pane (pane 133 of the main frame).
class CDocElementTree {
public:
    virtual ~CDocElementTree() = default;

    virtual void AddBridge(const std::shared_ptr<CBridge>& pBridge) = 0;
    virtual void AddBridgeSet(const std::shared_ptr<CBridgeSet>& pBridgeSet) = 0;
    virtual void AddLoadModel(const std::shared_ptr<CLoadModel>& pLoadModel) = 0;
    virtual void AddLoadModelEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME) = 0;
    virtual void AddRefCollection(const std::shared_ptr<CReferenceCollection>& pRefCollection) = 0;

    virtual void SetRedraw(bool bRedraw) = 0;
    virtual void ClearTree() = 0;
    virtual void Populate(CQELDoc* pDoc) = 0;
    virtual void Invalidate() = 0;
};

// The view of a result window; the window itself belongs to the shell.
class CDocResultView {
public:
    virtual ~CDocResultView() = default;
    // Window text of the view's child frame.
    virtual void SetFrameTitle(const std::wstring& sTitle) = 0;

    // A freshly opened view is given one output, which it keeps and draws: bBMSF true as
    // bending moment and shear force, false as support reactions. nShowEach (non-zero)
    // asks the moving-load forms to show each sub-analysis as well.
    virtual void SetSinglePositionOutput(bool bBMSF, std::shared_ptr<CAOSinglePosition> pOutput) = 0;
    virtual void SetMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMovingLoad> pOutput) = 0;
    virtual void SetMultiMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMultiMovingLoad> pOutput) = 0;
    virtual void SetBridgeRangeOutput(bool bBMSF, std::shared_ptr<CAOBridgeRange> pOutput) = 0;
    virtual void SetRefSetOutput(bool bBMSF, std::shared_ptr<CAOReferenceSet> pOutput) = 0;
    virtual void SetCompareEnvelopesOutput(bool bBMSF, std::shared_ptr<CAOCompareRefSetEnvs> pOutput) = 0;
    virtual void SetCriticalRatiosOutput(bool bBMSF, std::shared_ptr<CAOCriticalRatios> pOutput) = 0;
};

class CDocPlotView : public CDocResultView {
public:
    // rows x cols charts; either 0 raises "Cannot have zero rows or columns".
    virtual void SetLayout(int rows, int cols) = 0;
};

class CDocGridView : public CDocResultView {
public:
    // The enhanced critical-ratio table of the output's reference collection.
    virtual void FillEnhancedGridOutput(std::shared_ptr<CAOEnhanced> pOutput) = 0;
};

// The case's main view.
class CDocMainView {
public:
    virtual ~CDocMainView() = default;
    virtual void FillAxleGrid(const std::shared_ptr<CLoadModel>& pLoadModel) = 0;
};

class CDocWindows {
public:
    virtual ~CDocWindows() = default;

    // One line of the status log (the log puts the time stamp before it).
    virtual void AddStatus(const std::wstring& sText) = 0;
    // Pane 0 of the status bar.
    virtual void SetStatusText(const std::wstring& sText) = 0;

    // Boxes captioned "QEL", owned by the active view's window (no owner without one).
    // Error icon and an OK button:
    virtual void ShowError(const std::wstring& sText) = 0;
    // Question icon, Yes and No; true for Yes:
    virtual bool AskYesNo(const std::wstring& sText) = 0;
    // Warning icon and an OK button.
    virtual void ShowWarning(const std::wstring& sText) { ShowError(sText); }

    // The document's modified flag changed.
    virtual void OnModifiedChanged(const CQELDoc& /*doc*/) {}

    // The progress range of the run about to start (minimum, maximum), steps back to 0.
    virtual void SetProgressRange(int /*nMin*/, int /*nMax*/) {}

    // A long open or save runs on the user-interface thread: it is said to begin and end,
    // and between its pieces the windows repaint and take the progress steps posted so
    // far. What the user types or clicks meanwhile waits until it has ended.
    virtual void SetLongFileTask(bool /*bRunning*/) {}
    virtual void KeepPainting() {}

    // None when the pane does not exist.
    virtual CDocElementTree* GetElementTree() = 0;

    // A new child window of the plot (grid) template for the document, made visible
    // after its initial update; none when the window cannot be made.
    virtual CDocPlotView* CreatePlotView(CQELDoc& doc) = 0;
    virtual CDocGridView* CreateGridView(CQELDoc& doc) = 0;

    // The document's main view, none when it has no open main view.
    virtual CDocMainView* FindMainView(const CQELDoc& doc) = 0;

    // The document of the main frame's active child window, none when there is none.
    virtual CQELDoc* GetActiveDoc() = 0;
};
