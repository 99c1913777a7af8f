#pragma once
// One analysis on a worker thread, from its launch to the handling of its completion on
// the user-interface thread. The owner hands each run a block (its inputs), the work the
// worker does on it, and what to do with the block when it comes back; the steps every
// completion shares go through the owner's CAnalysisRunHost.
//
// The work sees only its block and the stop flag it polls, owned by whoever owns the run;
// the worker also reads the run's post flag. The run joins the worker before either goes.
// The block travels back as the payload of a message posted to the main window
// (platform/base/Messages.h), whose handler passes it to Deliver. Everything but the work
// runs on the user-interface thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>

#include "platform/base/Messages.h"

// What every block carries besides its inputs and results.
struct CRunBlock : CMessagePayload {
    // The run's serial: only the run that waits for it takes a completion.
    std::uint64_t nRun = 0;
    const std::atomic<bool>* pbKeepRunning = nullptr; // polled by the work; lowered by Stop
    // An exception ended the work; sError holds its text.
    bool bFailed = false;
    std::wstring sError;
};

// How a run that did not fail ended, as its completion finds it.
struct CRunOutcome {
    bool bOK = false;      // what the work returned
    bool bStopped = false; // Stop came before the completion was handled: nothing is shown
};

// The steps every completion shares, in this order: ended; then failed (and nothing
// more), or completed when the work returned true, the owner's handler and settled.
class CAnalysisRunHost {
public:
    virtual void OnRunEnded() = 0;
    virtual void OnRunFailed(const std::wstring& sError) = 0;
    virtual void OnRunCompleted() = 0;
    // After the handler, with the running flag lowered unless the handler started the next run.
    virtual void OnRunSettled() = 0;

protected:
    ~CAnalysisRunHost() = default;
};

class CAnalysisRun {
public:
    // Running: the worker computes; Stopping: it was asked to stop and has not been
    // delivered yet; Delivering: its completion is being handled.
    enum class State { Idle, Running, Stopping, Delivering };

    // bKeepRunning is the running flag: Start raises it, Stop lowers it, and it comes
    // down when a completion has been handled, however the handling ends.
    CAnalysisRun(std::atomic<bool>& bKeepRunning, CAnalysisRunHost& host);
    // Stops and waits: the late completion is dropped.
    ~CAnalysisRun();
    CAnalysisRun(const CAnalysisRun&) = delete;
    CAnalysisRun& operator=(const CAnalysisRun&) = delete;

    // Starts work(block) on a worker, which posts nMessage with the block while the run
    // still waits for it; done(block, outcome) then runs on the user-interface thread. False,
    // doing nothing, while another run is pending (a handler may start the next one).
    // Throws std::system_error, idle again, when no thread can be made.
    template <class Block>
    bool Start(unsigned int nMessage, std::unique_ptr<Block> pBlock, std::function<bool(Block&)> work,
               std::function<void(std::unique_ptr<Block>, const CRunOutcome&)> done)
    {
        static_assert(std::is_base_of_v<CRunBlock, Block>);
        // The block comes back to this run only, so it is still a Block.
        return StartBlock(
            nMessage, std::move(pBlock),
            [work = std::move(work)](CRunBlock& b) { return work(static_cast<Block&>(b)); },
            [done = std::move(done)](std::unique_ptr<CRunBlock> p, const CRunOutcome& outcome) {
                done(std::unique_ptr<Block>(static_cast<Block*>(p.release())), outcome);
            });
    }

    // Runs work on the calling thread as a run of its own: the running flag is up while it
    // works (the work polls it) and comes down however the work ends. False, doing
    // nothing, while another run is pending.
    bool RunHere(const std::function<void()>& work);
    // From a completion handler: the running flag comes down now, so that the commands are
    // back before a box the handler shows.
    void LowerRunningFlag();

    // Asks the work to stop at its next poll; its completion still comes, saying stopped.
    void Stop();
    // Stops, waits for the worker to end and abandons the run: its completion, posted or
    // not, is dropped. True when a run was pending.
    bool StopAndWait();

    State GetState() const { return m_State; }
    // Launched and not delivered yet (a stopped run stays pending until its completion).
    bool IsPending() const { return m_State == State::Running || m_State == State::Stopping; }
    // The post flag: raised at the launch, lowered when the completion is taken or the run
    // abandoned.
    bool PostsCompletion() const { return m_bPost; }

    // The main window's handler of completions: hands the block to the run that waits for
    // it and returns true; a completion of an abandoned run is dropped, also true. False
    // when the message carries no run's block.
    static bool Deliver(CPostedMessage& message);

private:
    using Work = std::function<bool(CRunBlock&)>;
    using Done = std::function<void(std::unique_ptr<CRunBlock>, const CRunOutcome&)>;

    bool StartBlock(unsigned int nMessage, std::unique_ptr<CRunBlock> pBlock, Work work, Done done);
    void Complete(std::unique_ptr<CRunBlock> pBlock, bool bOK);
    void Unregister();
    // The run has ended: the running flag comes down and the commands come back.
    void Settle();

    std::atomic<bool>& m_bKeepRunning;
    CAnalysisRunHost& m_Host;
    State m_State = State::Idle;
    std::uint64_t m_nSerial = 0; // 0 when no completion is awaited
    std::atomic<bool> m_bPost{false};
    Done m_Done;
    std::jthread m_Worker;
};

// The text of the exception being handled, for the failure message; call only in a catch.
std::wstring CurrentExceptionText();
