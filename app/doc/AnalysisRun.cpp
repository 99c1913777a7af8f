#include "app/doc/AnalysisRun.h"

#include <exception>
#include <map>

#include "platform/base/CLocale.h"

namespace {

// The runs whose completion is awaited, by serial. User-interface thread only. A serial
// is never reused, so a late completion of an abandoned run finds nothing here, even when
// a new run (or a new owner) now lives at the old one's address.
std::map<std::uint64_t, CAnalysisRun*>& Runs()
{
    static std::map<std::uint64_t, CAnalysisRun*> runs;
    return runs;
}
std::uint64_t g_nLastRun = 0;

}

std::wstring CurrentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}

CAnalysisRun::CAnalysisRun(std::atomic<bool>& bKeepRunning, CAnalysisRunHost& host)
    : m_bKeepRunning(bKeepRunning), m_Host(host)
{
}

// The worker reads the owner's flags until it ends.
CAnalysisRun::~CAnalysisRun()
{
    StopAndWait();
}

bool CAnalysisRun::StartBlock(unsigned int nMessage, std::unique_ptr<CRunBlock> pBlock, Work work, Done done)
{
    if (IsPending())
        return false;
    // A worker whose completion has arrived has posted it and is ending.
    if (m_Worker.joinable())
        m_Worker.join();
    const State previous = m_State;
    m_nSerial = ++g_nLastRun;
    Runs()[m_nSerial] = this;
    pBlock->nRun = m_nSerial;
    pBlock->pbKeepRunning = &m_bKeepRunning;
    m_Done = std::move(done);

    // Raised before the thread exists, so that neither a second launch nor a Stop can
    // come between the launch and the worker's first step.
    m_bPost = true;
    m_bKeepRunning = true;
    m_State = State::Running;
    try {
        m_Worker = std::jthread(
            [nMessage, &bPost = m_bPost, work = std::move(work)](std::unique_ptr<CRunBlock> p) {
                std::uintptr_t wParam = 0;
                try {
                    wParam = work(*p) ? 1u : 0u;
                } catch (...) {
                    p->bFailed = true;
                    p->sError = CurrentExceptionText();
                }
                if (!bPost.load())
                    return; // nobody waits for it any more
                const auto lParam = reinterpret_cast<std::intptr_t>(p.get());
                PostMainWindowMessage(nMessage, wParam, lParam, std::move(p));
            },
            std::move(pBlock));
    } catch (...) {
        m_bPost = false;
        m_bKeepRunning = false;
        Unregister();
        m_Done = nullptr;
        m_State = previous;
        throw;
    }
    return true;
}

bool CAnalysisRun::RunHere(const std::function<void()>& work)
{
    if (IsPending() || m_State == State::Delivering)
        return false;
    m_bKeepRunning = true;
    m_State = State::Running;
    try {
        work();
    } catch (...) {
        Settle();
        throw;
    }
    Settle();
    return true;
}

void CAnalysisRun::Settle()
{
    m_bKeepRunning = false;
    m_State = State::Idle;
}

void CAnalysisRun::LowerRunningFlag()
{
    if (m_State == State::Delivering)
        m_bKeepRunning = false;
}

void CAnalysisRun::Stop()
{
    m_bKeepRunning = false;
    if (m_State == State::Running)
        m_State = State::Stopping;
}

bool CAnalysisRun::StopAndWait()
{
    // The post flag first: a worker that sees the stop then finds nobody waiting.
    m_bPost = false;
    m_bKeepRunning = false;
    if (m_Worker.joinable())
        m_Worker.join();
    if (!IsPending())
        return false;
    Unregister();
    m_Done = nullptr;
    m_State = State::Idle;
    return true;
}

void CAnalysisRun::Unregister()
{
    if (m_nSerial)
        Runs().erase(m_nSerial);
    m_nSerial = 0;
}

bool CAnalysisRun::Deliver(CPostedMessage& message)
{
    const auto* pBase = dynamic_cast<const CRunBlock*>(message.payload.get());
    if (!pBase)
        return false;
    const auto it = Runs().find(pBase->nRun);
    if (it == Runs().end())
        return true; // dropped with the message
    std::unique_ptr<CRunBlock> pBlock(static_cast<CRunBlock*>(message.payload.release()));
    it->second->Complete(std::move(pBlock), message.wParam != 0);
    return true;
}

void CAnalysisRun::Complete(std::unique_ptr<CRunBlock> pBlock, bool bOK)
{
    Unregister();
    // The worker has posted this and is ending; from here on the block is ours alone.
    if (m_Worker.joinable())
        m_Worker.join();
    m_bPost = false;
    const Done done = std::move(m_Done);
    m_Done = nullptr;
    m_State = State::Delivering;
    const CRunOutcome outcome{bOK, !m_bKeepRunning};

    // However the handling ends, even by an exception, the running flag comes down and
    // the commands come back, unless the handler started the next run.
    class CSettle {
    public:
        explicit CSettle(CAnalysisRun& run) : m_Run(run) {}
        ~CSettle()
        {
            if (m_Run.m_State == State::Delivering)
                m_Run.Settle();
        }
        CSettle(const CSettle&) = delete;
        CSettle& operator=(const CSettle&) = delete;

    private:
        CAnalysisRun& m_Run;
    } settle(*this);

    m_Host.OnRunEnded();
    if (pBlock->bFailed) {
        m_bKeepRunning = false;
        m_Host.OnRunFailed(pBlock->sError);
        return;
    }
    if (bOK)
        m_Host.OnRunCompleted();
    if (done)
        done(std::move(pBlock), outcome);
    if (m_State == State::Delivering)
        m_bKeepRunning = false;
    m_Host.OnRunSettled();
}
