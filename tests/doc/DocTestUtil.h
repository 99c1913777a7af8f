#pragma once
// Recording windows and scripted dialogs for the case document.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/doc/DocDialogs.h"
#include "app/doc/DocHost.h"
#include "app/doc/DocWindows.h"
#include "app/doc/QELDoc.h"
#include "core/settings/Settings.h"

namespace qeltest {

class RecordingTree : public CDocElementTree {
public:
    void AddBridge(const std::shared_ptr<CBridge>& p) override { Note("AddBridge", p.get()); }
    void AddBridgeSet(const std::shared_ptr<CBridgeSet>& p) override { Note("AddBridgeSet", p.get()); }
    void AddLoadModel(const std::shared_ptr<CLoadModel>& p) override { Note("AddLoadModel", p.get()); }
    void AddLoadModelEnsemble(const std::shared_ptr<CLoadModelEnsemble>& p) override
    {
        Note("AddLoadModelEnsemble", p.get());
    }
    void AddRefCollection(const std::shared_ptr<CReferenceCollection>& p) override
    {
        Note("AddRefCollection", p.get());
    }
    void SetRedraw(bool b) override { m_vCalls.push_back(b ? "RedrawOn" : "RedrawOff"); }
    void ClearTree() override { m_vCalls.push_back("Clear"); }
    void Populate(CQELDoc*) override { m_vCalls.push_back("Populate"); }
    void Invalidate() override { m_vCalls.push_back("Invalidate"); }

    void Note(const char* call, const void* p)
    {
        m_vCalls.push_back(call);
        m_vAdded.push_back(p);
    }
    int Count(const std::string& call) const
    {
        int n = 0;
        for (const auto& c : m_vCalls)
            n += c == call;
        return n;
    }

    std::vector<std::string> m_vCalls;
    std::vector<const void*> m_vAdded;
};

// One output handed to a result view.
struct OutputCall {
    std::string kind; // "SinglePosition", "MovingLoad", ... as in the Set<Kind>Output name
    bool bBMSF = false;
    int nShowEach = 0;
    const void* pOutput = nullptr;
};

template <class Base>
class RecordingResultView : public Base {
public:
    void SetFrameTitle(const std::wstring& s) override { m_sTitle = s; }
    void SetSinglePositionOutput(bool b, std::shared_ptr<CAOSinglePosition> p) override
    {
        Note("SinglePosition", b, 0, p);
    }
    void SetMovingLoadOutput(int n, bool b, std::shared_ptr<CAOMovingLoad> p) override { Note("MovingLoad", b, n, p); }
    void SetMultiMovingLoadOutput(int n, bool b, std::shared_ptr<CAOMultiMovingLoad> p) override
    {
        Note("MultiMovingLoad", b, n, p);
    }
    void SetBridgeRangeOutput(bool b, std::shared_ptr<CAOBridgeRange> p) override { Note("BridgeRange", b, 0, p); }
    void SetRefSetOutput(bool b, std::shared_ptr<CAOReferenceSet> p) override { Note("RefSet", b, 0, p); }
    void SetCompareEnvelopesOutput(bool b, std::shared_ptr<CAOCompareRefSetEnvs> p) override
    {
        Note("CompareEnvelopes", b, 0, p);
    }
    void SetCriticalRatiosOutput(bool b, std::shared_ptr<CAOCriticalRatios> p) override
    {
        Note("CriticalRatios", b, 0, p);
    }

    template <class P>
    void Note(const char* kind, bool b, int n, const std::shared_ptr<P>& p)
    {
        m_vOutputs.push_back({kind, b, n, p.get()});
        m_spKept = p; // the view keeps its output, as the real ones do
    }

    std::wstring m_sTitle;
    std::vector<OutputCall> m_vOutputs;
    std::shared_ptr<const void> m_spKept;
};

class RecordingPlotView : public RecordingResultView<CDocPlotView> {
public:
    void SetLayout(int rows, int cols) override
    {
        m_nRows = rows;
        m_nCols = cols;
    }
    int m_nRows = -1;
    int m_nCols = -1;
};

class RecordingGridView : public RecordingResultView<CDocGridView> {
public:
    void FillEnhancedGridOutput(std::shared_ptr<CAOEnhanced> p) override { Note("Enhanced", false, 0, p); }
};

class RecordingMainView : public CDocMainView {
public:
    void FillAxleGrid(const std::shared_ptr<CLoadModel>& p) override { m_vFilled.push_back(p.get()); }
    std::vector<const void*> m_vFilled;
};

class RecordingWindows : public CDocWindows {
public:
    void AddStatus(const std::wstring& s) override { m_vLog.push_back(s); }
    void SetStatusText(const std::wstring& s) override { m_vStatus.push_back(s); }
    void ShowError(const std::wstring& s) override { m_vErrors.push_back(s); }
    void ShowWarning(const std::wstring& s) override { m_vWarnings.push_back(s); }
    void SetProgressRange(int nMin, int nMax) override { m_vProgressRanges.push_back({nMin, nMax}); }
    void SetLongFileTask(bool bRunning) override { m_vLongFileTask.push_back(bRunning); }
    void KeepPainting() override
    {
        ++m_nPaints;
        if (m_OnPaint)
            m_OnPaint();
    }
    bool AskYesNo(const std::wstring& s) override
    {
        m_vQuestions.push_back(s);
        return m_bAnswerYes;
    }
    CDocElementTree* GetElementTree() override { return m_bHasTree ? &m_Tree : nullptr; }
    CDocPlotView* CreatePlotView(CQELDoc&) override
    {
        if (!m_bCanCreate)
            return nullptr;
        m_vPlots.push_back(std::make_unique<RecordingPlotView>());
        m_vOpened.push_back(m_vPlots.back().get());
        return m_vPlots.back().get();
    }
    CDocGridView* CreateGridView(CQELDoc&) override
    {
        if (!m_bCanCreate)
            return nullptr;
        m_vGrids.push_back(std::make_unique<RecordingGridView>());
        m_vOpened.push_back(m_vGrids.back().get());
        return m_vGrids.back().get();
    }
    CDocMainView* FindMainView(const CQELDoc&) override { return m_bHasMainView ? &m_MainView : nullptr; }
    CQELDoc* GetActiveDoc() override { return m_pActiveDoc; }

    std::vector<std::wstring> m_vLog;
    std::vector<std::wstring> m_vStatus;
    std::vector<std::wstring> m_vErrors;
    std::vector<std::wstring> m_vQuestions;
    std::vector<std::wstring> m_vWarnings;
    std::vector<std::pair<int, int>> m_vProgressRanges;
    std::vector<bool> m_vLongFileTask;
    int m_nPaints = 0;
    std::function<void()> m_OnPaint;
    bool m_bAnswerYes = true;
    bool m_bHasTree = true;
    bool m_bCanCreate = true;
    bool m_bHasMainView = true;
    RecordingTree m_Tree;
    RecordingMainView m_MainView;
    std::vector<std::unique_ptr<RecordingPlotView>> m_vPlots;
    std::vector<std::unique_ptr<RecordingGridView>> m_vGrids;
    std::vector<CDocResultView*> m_vOpened; // plots and grids in the order they were opened
    CQELDoc* m_pActiveDoc = nullptr;
};

// Each dialog runs its script, which sees the dialog as the document filled it and
// returns the DoModal result. Without a script a dialog is cancelled.
class ScriptedConfigDlg : public CConfigDlgInterface {
public:
    std::function<int(ScriptedConfigDlg&)> script;
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
};

class ScriptedBridgeDlg : public CBridgeDlgInterface {
public:
    std::function<int(ScriptedBridgeDlg&)> script;
    void SetBridge(std::shared_ptr<CBridge> p) override { m_spBridge = std::move(p); }
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
    std::shared_ptr<CBridge> GetBridge() const override { return m_spBridge; }
    std::shared_ptr<CBridge> m_spBridge; // a script replaces it with the dialog's new bridge
};

class ScriptedBridgeSetDlg : public CBridgeSetDlgInterface {
public:
    std::function<int(ScriptedBridgeSetDlg&)> script;
    void SetBridgeSet(std::shared_ptr<CBridgeSet> p) override { m_spBridgeSet = std::move(p); }
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
    std::shared_ptr<CBridgeSet> GetBridgeSet() const override { return m_spBridgeSet; }
    std::shared_ptr<CBridgeSet> m_spBridgeSet;
};

class ScriptedPropSheetLM : public CPropSheetLMInterface {
public:
    std::function<int(ScriptedPropSheetLM&)> script;
    void SetLoadModel(std::shared_ptr<CLoadModel> p) override { m_pLoadModel = std::move(p); }
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
    std::shared_ptr<CLoadModel> m_pLoadModel;
};

class ScriptedLMEDlg : public CLoadModelEnsembleDlgInterface {
public:
    std::function<int(ScriptedLMEDlg&)> script;
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
};

class ScriptedRefCollectionDlg : public CRefCollectionDlgInterface {
public:
    std::function<int(ScriptedRefCollectionDlg&)> script;
    void SetData(std::shared_ptr<CReferenceCollection> p) override { m_spRefCollection = std::move(p); }
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
    std::shared_ptr<CReferenceCollection> m_spRefCollection;
};

class ScriptedDialogs : public CDocDialogs {
public:
    std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() override { return Make<ScriptedConfigDlg>(config); }
    std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() override { return Make<ScriptedBridgeDlg>(bridge); }
    std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() override
    {
        return Make<ScriptedBridgeSetDlg>(bridgeSet);
    }
    std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() override { return Make<ScriptedPropSheetLM>(loadModel); }
    std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() override
    {
        return Make<ScriptedLMEDlg>(lme);
    }
    std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() override
    {
        return Make<ScriptedRefCollectionDlg>(refCollection);
    }

    std::function<int(ScriptedConfigDlg&)> config;
    std::function<int(ScriptedBridgeDlg&)> bridge;
    std::function<int(ScriptedBridgeSetDlg&)> bridgeSet;
    std::function<int(ScriptedPropSheetLM&)> loadModel;
    std::function<int(ScriptedLMEDlg&)> lme;
    std::function<int(ScriptedRefCollectionDlg&)> refCollection;

private:
    template <class Dlg, class Script>
    static std::unique_ptr<Dlg> Make(const Script& script)
    {
        auto dlg = std::make_unique<Dlg>();
        dlg->script = script;
        return dlg;
    }
};

// Installs the recorders for one test and puts the settings back afterwards.
class DocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pSettings->SetDefaults();
        SetDocHost({&m_Windows, &m_Dialogs});
    }
    void TearDown() override
    {
        SetDocHost({});
        g_pSettings->SetDefaults();
    }

    RecordingWindows m_Windows;
    ScriptedDialogs m_Dialogs;
};

}
