#pragma once
// The user-interface thread as a test drives it: posted messages queue up until the test
// pumps them, as the main frame's message loop would. Scripted analysis dialogs and small
// cases whose results are known by hand.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DocTestUtil.h"
#include "app/doc/AnalysisDialogs.h"
#include "app/doc/AnalysisWorkers.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/Messages.h"

namespace qeltest {

class PumpedUiThread {
public:
    PumpedUiThread()
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            static const unsigned int kProgress = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
            std::unique_lock lock(m_Mutex);
            const bool bHold = m.message == kProgress && m.wParam == 1 && ++m_nWorkerSteps == m_nHoldAt;
            m_Queue.push_back(std::move(m));
            m_Posted.notify_all();
            if (bHold)
                m_Released.wait(lock, [&] { return m_bReleased; });
        });
    }
    ~PumpedUiThread()
    {
        ReleaseWorker();
        SetMainWindowMessageSink(nullptr);
    }

    // The worker that posts the n-th progress step (one load model done) waits there
    // until ReleaseWorker: a Stop pressed meanwhile is seen before the next model. While
    // it waits, every other post waits too (the sink takes one call at a time).
    void HoldWorkerAtStep(int n)
    {
        std::lock_guard lock(m_Mutex);
        m_nHoldAt = m_nWorkerSteps + n;
        m_bReleased = false;
    }
    void ReleaseWorker()
    {
        std::lock_guard lock(m_Mutex);
        m_bReleased = true;
        m_Released.notify_all();
    }
    // Waits, without handling anything, until a message of that number is queued.
    bool WaitForPosted(unsigned int message, std::chrono::milliseconds timeout = std::chrono::seconds(60))
    {
        std::unique_lock lock(m_Mutex);
        return m_Posted.wait_for(lock, timeout, [&] {
            for (const auto& m : m_Queue)
                if (m.message == message)
                    return true;
            return false;
        });
    }
    PumpedUiThread(const PumpedUiThread&) = delete;
    PumpedUiThread& operator=(const PumpedUiThread&) = delete;

    // Handles what is queued now and what handling it posts, as the main frame does.
    void Pump()
    {
        for (;;) {
            CPostedMessage m;
            {
                std::lock_guard lock(m_Mutex);
                if (m_Queue.empty())
                    return;
                m = std::move(m_Queue.front());
                m_Queue.pop_front();
            }
            Handle(m);
        }
    }

    // Pumps until done() holds; false after the timeout.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(60))
    {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            Pump();
            if (done())
                return true;
            std::unique_lock lock(m_Mutex);
            if (!m_Posted.wait_until(lock, end, [&] { return !m_Queue.empty(); }))
                return false;
        }
    }

    // Whether a worker's completion is queued, not yet handled.
    bool CompletionQueued()
    {
        std::lock_guard lock(m_Mutex);
        for (const auto& m : m_Queue)
            if (dynamic_cast<const WorkerBlock*>(m.payload.get()))
                return true;
        return false;
    }

    // Drops whatever is queued (as a main window that goes away would).
    void Discard()
    {
        std::lock_guard lock(m_Mutex);
        m_Queue.clear();
    }

    int m_nCompletions = 0;
    std::vector<std::uintptr_t> m_vProgress; // wParam of each progress message
    std::vector<std::wstring> m_vStatus;

private:
    void Handle(CPostedMessage& m)
    {
        static const unsigned int kProgress = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
        static const unsigned int kStatus = RegisterWindowMessage(L"UWM_ADD_STATUS");
        if (CQELDoc::DeliverAnalysisCompletion(m))
            ++m_nCompletions;
        else if (m.message == kProgress)
            m_vProgress.push_back(m.wParam);
        else if (m.message == kStatus && m.Payload<std::wstring>())
            m_vStatus.push_back(*m.Payload<std::wstring>());
    }

    std::mutex m_Mutex;
    std::condition_variable m_Posted;
    std::condition_variable m_Released;
    std::deque<CPostedMessage> m_Queue;
    int m_nWorkerSteps = 0;
    int m_nHoldAt = -1;
    bool m_bReleased = true;
};

// Each dialog runs its script, which sees the dialog as the document filled it and
// returns the DoModal result; the dialogs made are counted by kind.
template <class Interface>
class ScriptedAnalysisDlg : public Interface {
public:
    std::function<int(Interface&)> script;
    int DoModal() override { return script ? script(*this) : DLG_IDCANCEL; }
};

// The running program's analysis dialogs swapped for scripted ones (nullptr: none), the
// rest of the host kept.
inline void UseAnalysisDialogs(CDocAnalysisDialogs* pDialogs)
{
    DocHost host = GetDocHost();
    host.pAnalysisDialogs = pDialogs;
    SetDocHost(host);
}

class ScriptedAnalysisDialogs : public CDocAnalysisDialogs {
public:
    std::unique_ptr<CSinglePositionDlgInterface> MakeSinglePositionDlg() override { return Make(singlePosition); }
    std::unique_ptr<CMovingLoadDlgInterface> MakeMovingLoadDlg() override { return Make(movingLoad); }
    std::unique_ptr<CBridgeRangeDlgInterface> MakeBridgeRangeDlg() override { return Make(bridgeRange); }
    std::unique_ptr<CAnalyzeRefCollectionDlgInterface> MakeAnalyzeRefCollectionDlg() override
    {
        return Make(analyzeRefCollection);
    }
    std::unique_ptr<CCritRatioRefCollDlgInterface> MakeCritRatioRefCollDlg() override { return Make(critRatios); }
    std::unique_ptr<COutputOptionsDlgInterface> MakeOutputOptionsDlg() override { return Make(outputOptions); }
    std::unique_ptr<CViewRefCollectionDlgInterface> MakeViewRefCollectionDlg() override
    {
        return Make(viewRefCollection);
    }
    std::unique_ptr<CCompareEnvelopesDlgInterface> MakeCompareEnvelopesDlg() override { return Make(compare); }
    std::unique_ptr<CFilterLMEDlgInterface> MakeFilterLMEDlg() override { return Make(filterLME); }
    std::unique_ptr<CGenerateLMEDlgInterface> MakeGenerateLMEDlg() override { return Make(generateLME); }
    std::unique_ptr<CGenerateBiDirLMEInterface> MakeGenerateBiDirLME() override { return Make(generateBiDir); }

    std::function<int(CSinglePositionDlgInterface&)> singlePosition;
    std::function<int(CMovingLoadDlgInterface&)> movingLoad;
    std::function<int(CBridgeRangeDlgInterface&)> bridgeRange;
    std::function<int(CAnalyzeRefCollectionDlgInterface&)> analyzeRefCollection;
    std::function<int(CCritRatioRefCollDlgInterface&)> critRatios;
    std::function<int(COutputOptionsDlgInterface&)> outputOptions;
    std::function<int(CViewRefCollectionDlgInterface&)> viewRefCollection;
    std::function<int(CCompareEnvelopesDlgInterface&)> compare;
    std::function<int(CFilterLMEDlgInterface&)> filterLME;
    std::function<int(CGenerateLMEDlgInterface&)> generateLME;
    std::function<int(CGenerateBiDirLMEInterface&)> generateBiDir;
    int m_nMade = 0;

private:
    template <class Interface>
    std::unique_ptr<Interface> Make(const std::function<int(Interface&)>& script)
    {
        ++m_nMade;
        auto dlg = std::make_unique<ScriptedAnalysisDlg<Interface>>();
        dlg->script = script;
        return dlg;
    }
};

// The moving-load dialog answered with OK: the load model (or with bUseLM false the
// ensemble) stepped every dStep m.
inline std::function<int(CMovingLoadDlgInterface&)> MovingLoadByStep(double dStep, bool bUseLM = true)
{
    return [=](CMovingLoadDlgInterface& d) {
        d.m_bUseLoadModel = bUseLM;
        d.m_Stepping.bByStep = true;
        d.m_Stepping.step = dStep;
        return DLG_IDOK;
    };
}

// A 100 kN axle: on a 10 m simple span its largest moment is P L / 4 = 250 kNm (axle at
// midspan) and its largest end reaction P = 100 kN (axle over the support).
inline std::shared_ptr<CLoadModel> Axle(double P = 100.0, const wchar_t* name = L"Axle")
{
    auto p = std::make_shared<CLoadModel>(1, name);
    p->AddPointLoad(P, 0.0, 0.0);
    return p;
}

inline std::shared_ptr<CLoadModelEnsemble> EnsembleOf(std::vector<std::shared_ptr<CLoadModel>> models,
                                                      const wchar_t* name = L"Ensemble")
{
    auto p = std::make_shared<CLoadModelEnsemble>(1, name);
    for (auto& m : models)
        p->AddLoadModel(std::move(m));
    return p;
}

inline std::shared_ptr<CBridge> Span(double L = 10.0, BridgeConfig config = BC_ONESPAN)
{
    return std::make_shared<CBridge>(1, L"Bridge", config, L);
}

// n equal spans of L: n + 1 supports.
inline std::shared_ptr<CBridge> EqualSpans(int n, double L = 10.0)
{
    auto p = std::make_shared<CBridge>(1, L"Bridge", BC_ONESPAN, L);
    p->m_Config = BC_CUSTOM;
    p->SetSpans(std::vector<double>(static_cast<size_t>(n), 1.0), L);
    return p;
}

// Single spans from start to end m in steps of step m.
inline std::shared_ptr<CBridgeSet> SpanRange(double start, double end, double step, BridgeConfig config = BC_ONESPAN)
{
    return std::make_shared<CBridgeSet>(1, L"Set", config, start, end, step);
}

inline std::shared_ptr<CReferenceCollection> Collection(std::vector<std::shared_ptr<CBridgeSet>> sets,
                                                        std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes,
                                                        const wchar_t* name = L"Coll")
{
    auto p = std::make_shared<CReferenceCollection>(1, name, Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    p->m_vBS = std::move(sets);
    p->m_vLME = std::move(lmes);
    return p;
}

// The case document with the recorders installed and a pumped user-interface thread.
class AnalysisDocTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        SetDocHost({&m_Windows, &m_Dialogs, &m_AnalysisDialogs});
    }

    // Pumps until the document's worker run (and any run it chains) has completed.
    void Finish(CQELDoc& doc)
    {
        ASSERT_TRUE(m_Ui.PumpUntil([&] { return !doc.IsWorkerPending(); }));
    }

    bool Logged(const std::wstring& line) const
    {
        for (const auto& l : m_Windows.m_vLog)
            if (l == line)
                return true;
        return false;
    }
    int CountLogged(const std::wstring& prefix) const
    {
        int n = 0;
        for (const auto& l : m_Windows.m_vLog)
            n += l.rfind(prefix, 0) == 0;
        return n;
    }

    // One analysis thread: a stop then lands between two load models (or bridges) in the
    // order the tests count them; the storm uses every core.
    CAnalysisThreadsScope m_OneThread{1};
    ScriptedAnalysisDialogs m_AnalysisDialogs;
    PumpedUiThread m_Ui;
};

}
