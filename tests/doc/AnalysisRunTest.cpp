// The life of one worker run on its own, without a case document: its launch, stop,
// wait, the delivery of its completion on this (the user-interface) thread, and the
// completions that must be dropped.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/doc/AnalysisRun.h"
#include "platform/base/Messages.h"

using ::testing::ElementsAre;
using State = CAnalysisRun::State;

namespace {

// Posted messages queue up here until the test hands them to the runs, as the main
// window's message loop would.
class RunPump {
public:
    RunPump()
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            std::lock_guard lock(m_Mutex);
            m_Queue.push_back(std::move(m));
            m_Posted.notify_all();
        });
    }
    ~RunPump() { SetMainWindowMessageSink(nullptr); }
    RunPump(const RunPump&) = delete;
    RunPump& operator=(const RunPump&) = delete;

    // Delivers what is queued; counts the completions that were run blocks.
    int Pump()
    {
        int n = 0;
        for (;;) {
            CPostedMessage m;
            {
                std::lock_guard lock(m_Mutex);
                if (m_Queue.empty())
                    return n;
                m = std::move(m_Queue.front());
                m_Queue.pop_front();
            }
            n += CAnalysisRun::Deliver(m) ? 1 : 0;
        }
    }

    // A generous bound: only a hung worker comes near it.
    bool WaitForPosted(std::chrono::milliseconds timeout = std::chrono::seconds(60))
    {
        std::unique_lock lock(m_Mutex);
        return m_Posted.wait_for(lock, timeout, [&] { return !m_Queue.empty(); });
    }

    bool Empty()
    {
        std::lock_guard lock(m_Mutex);
        return m_Queue.empty();
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_Posted;
    std::deque<CPostedMessage> m_Queue;
};

class RecordingHost : public CAnalysisRunHost {
public:
    void OnRunEnded() override { m_vSteps.push_back("ended"); }
    void OnRunFailed(const std::wstring& sError) override
    {
        m_vSteps.push_back("failed");
        m_sError = sError;
    }
    void OnRunCompleted() override { m_vSteps.push_back("completed"); }
    void OnRunSettled() override { m_vSteps.push_back("settled"); }

    std::vector<std::string> m_vSteps;
    std::wstring m_sError;
};

// Sums 1..n on the worker.
struct SumBlock : CRunBlock {
    int n = 0;
    long long sum = 0;
    std::thread::id worker;
};

bool Sum(SumBlock& b)
{
    b.worker = std::this_thread::get_id();
    for (int i = 1; i <= b.n; ++i)
        b.sum += i;
    return true;
}

std::unique_ptr<SumBlock> SumTo(int n)
{
    auto p = std::make_unique<SumBlock>();
    p->n = n;
    return p;
}

// Polls the stop flag, as the analyses do, until it comes down.
bool UntilStopped(SumBlock& b)
{
    while (b.pbKeepRunning->load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

class AnalysisRunTest : public ::testing::Test {
protected:
    const unsigned int kDone = RegisterWindowMessage(L"UWM_TEST_RUN_DONE");

    // What the completion handler saw, one entry per call.
    struct Seen {
        long long sum;
        bool bOK;
        bool bStopped;
        State state;
        bool bRunning;
        std::thread::id thread;
    };

    bool Start(std::unique_ptr<SumBlock> p, std::function<bool(SumBlock&)> work)
    {
        return m_Run.Start<SumBlock>(kDone, std::move(p), std::move(work), Recorder());
    }
    std::function<void(std::unique_ptr<SumBlock>, const CRunOutcome&)> Recorder()
    {
        return [this](std::unique_ptr<SumBlock> p, const CRunOutcome& o) {
            m_Host.m_vSteps.push_back("done");
            m_vSeen.push_back(
                {p->sum, o.bOK, o.bStopped, m_Run.GetState(), m_bRunning.load(), std::this_thread::get_id()});
        };
    }
    // Delivers until the run is no longer pending.
    void Finish()
    {
        while (m_Run.IsPending()) {
            ASSERT_TRUE(m_Ui.WaitForPosted());
            m_Ui.Pump();
        }
    }

    RunPump m_Ui;
    RecordingHost m_Host;
    std::atomic<bool> m_bRunning{false};
    std::vector<Seen> m_vSeen;
    CAnalysisRun m_Run{m_bRunning, m_Host}; // last: joins its worker before the flag goes
};

TEST_F(AnalysisRunTest, ACompletedRunIsDeliveredOnceOnTheUserInterfaceThread)
{
    ASSERT_TRUE(Start(SumTo(100), &Sum));
    EXPECT_EQ(m_Run.GetState(), State::Running);
    EXPECT_TRUE(m_bRunning);
    EXPECT_TRUE(m_Run.PostsCompletion());
    Finish();

    ASSERT_EQ(m_vSeen.size(), 1u);
    EXPECT_EQ(m_vSeen[0].sum, 5050); // 100 * 101 / 2
    EXPECT_TRUE(m_vSeen[0].bOK);
    EXPECT_FALSE(m_vSeen[0].bStopped);
    EXPECT_EQ(m_vSeen[0].state, State::Delivering);
    EXPECT_TRUE(m_vSeen[0].bRunning); // results are shown while the run still holds the commands
    EXPECT_EQ(m_vSeen[0].thread, std::this_thread::get_id());
    EXPECT_THAT(m_Host.m_vSteps, ElementsAre("ended", "completed", "done", "settled"));
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_FALSE(m_bRunning);
    EXPECT_FALSE(m_Run.PostsCompletion());

    // Nothing more arrives, and the run starts again.
    EXPECT_EQ(m_Ui.Pump(), 0);
    EXPECT_EQ(m_vSeen.size(), 1u);
    ASSERT_TRUE(Start(SumTo(10), &Sum));
    Finish();
    ASSERT_EQ(m_vSeen.size(), 2u);
    EXPECT_EQ(m_vSeen[1].sum, 55);
}

TEST_F(AnalysisRunTest, AStoppedRunGoesRunningStoppingDeliveringIdleAndSaysStopped)
{
    std::vector<State> states{m_Run.GetState()};
    ASSERT_TRUE(Start(SumTo(0), &UntilStopped));
    states.push_back(m_Run.GetState());
    m_Run.Stop();
    states.push_back(m_Run.GetState());
    EXPECT_FALSE(m_bRunning);
    EXPECT_TRUE(m_Run.IsPending()); // until its completion arrives
    Finish();
    states.push_back(m_vSeen.at(0).state);
    states.push_back(m_Run.GetState());

    EXPECT_THAT(states, ElementsAre(State::Idle, State::Running, State::Stopping, State::Delivering, State::Idle));
    EXPECT_TRUE(m_vSeen[0].bStopped);
    EXPECT_TRUE(m_vSeen[0].bOK); // what ran before the stop is kept
    EXPECT_THAT(m_Host.m_vSteps, ElementsAre("ended", "completed", "done", "settled"));
    EXPECT_FALSE(m_Run.PostsCompletion());
}

TEST_F(AnalysisRunTest, ASecondLaunchWhileOneIsPendingIsRefused)
{
    std::latch release(1);
    ASSERT_TRUE(Start(SumTo(3), [&](SumBlock& b) {
        release.wait();
        return Sum(b);
    }));
    std::atomic<bool> bSecondRan{false};
    EXPECT_FALSE(Start(SumTo(4), [&](SumBlock& b) {
        bSecondRan = true;
        return Sum(b);
    }));
    m_Run.Stop();
    EXPECT_FALSE(Start(SumTo(4), &Sum)); // a stopped run is pending too
    release.count_down();
    Finish();

    EXPECT_FALSE(bSecondRan);
    ASSERT_EQ(m_vSeen.size(), 1u);
    EXPECT_EQ(m_vSeen[0].sum, 6);
}

TEST_F(AnalysisRunTest, TheCompletionHandlerMayStartTheNextRun)
{
    // As critical ratios follow the collection they need: the running flag stays up
    // across the two runs.
    std::latch release(1);
    ASSERT_TRUE(m_Run.Start<SumBlock>(kDone, SumTo(4), &Sum, [&](std::unique_ptr<SumBlock> p, const CRunOutcome& o) {
        Recorder()(std::move(p), o);
        ASSERT_TRUE(Start(SumTo(5), [&](SumBlock& b) {
            release.wait();
            return Sum(b);
        }));
    }));
    ASSERT_TRUE(m_Ui.WaitForPosted());
    m_Ui.Pump();
    EXPECT_EQ(m_Run.GetState(), State::Running);
    EXPECT_TRUE(m_bRunning);
    EXPECT_TRUE(m_Run.PostsCompletion());
    release.count_down();
    Finish();

    ASSERT_EQ(m_vSeen.size(), 2u);
    EXPECT_EQ(m_vSeen[0].sum, 10);
    EXPECT_EQ(m_vSeen[1].sum, 15);
    EXPECT_FALSE(m_vSeen[1].bStopped);
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_FALSE(m_bRunning);
}

TEST_F(AnalysisRunTest, CompletionsOfAbandonedRunsAreDropped)
{
    // Stopped and waited for before its worker could post: nothing is posted at all.
    ASSERT_TRUE(Start(SumTo(0), &UntilStopped));
    EXPECT_TRUE(m_Run.StopAndWait());
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_FALSE(m_Run.PostsCompletion());
    EXPECT_TRUE(m_Ui.Empty());

    // Stopped and waited for after it posted: the queued completion finds no taker.
    ASSERT_TRUE(Start(SumTo(4), &Sum));
    ASSERT_TRUE(m_Ui.WaitForPosted());
    EXPECT_TRUE(m_Run.StopAndWait());
    EXPECT_FALSE(m_Run.StopAndWait()); // nothing pending any more
    EXPECT_EQ(m_Ui.Pump(), 1);         // taken off the queue and freed
    EXPECT_TRUE(m_vSeen.empty());
    EXPECT_TRUE(m_Host.m_vSteps.empty());

    // Its owner gone, with a new run, maybe at the same address, waiting for its own.
    std::atomic<bool> bRunning{false};
    auto pOld = std::make_unique<CAnalysisRun>(bRunning, m_Host);
    int nOld = 0;
    ASSERT_TRUE(
        pOld->Start<SumBlock>(kDone, SumTo(4), &Sum, [&](std::unique_ptr<SumBlock>, const CRunOutcome&) { ++nOld; }));
    ASSERT_TRUE(m_Ui.WaitForPosted());
    pOld.reset();
    auto pNew = std::make_unique<CAnalysisRun>(bRunning, m_Host);
    std::latch release(1);
    int nNew = 0;
    ASSERT_TRUE(pNew->Start<SumBlock>(
        kDone, SumTo(5),
        [&](SumBlock& b) {
            release.wait();
            return Sum(b);
        },
        [&](std::unique_ptr<SumBlock> p, const CRunOutcome&) { nNew += p->sum == 15; }));
    m_Ui.Pump();
    EXPECT_EQ(nOld, 0);
    EXPECT_EQ(nNew, 0);
    EXPECT_TRUE(pNew->IsPending());
    release.count_down();
    while (pNew->IsPending()) {
        ASSERT_TRUE(m_Ui.WaitForPosted());
        m_Ui.Pump();
    }
    EXPECT_EQ(nNew, 1);
    EXPECT_THAT(m_Host.m_vSteps, ElementsAre("ended", "completed", "settled")); // the new run's only
}

TEST_F(AnalysisRunTest, AnExceptionOnTheWorkerIsDeliveredAsAFailure)
{
    ASSERT_TRUE(Start(SumTo(3), [](SumBlock&) -> bool { throw std::runtime_error("span length is zero"); }));
    Finish();
    EXPECT_TRUE(m_vSeen.empty()); // a failed run has nothing to hand over
    EXPECT_THAT(m_Host.m_vSteps, ElementsAre("ended", "failed"));
    EXPECT_EQ(m_Host.m_sError, L"span length is zero");
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_FALSE(m_bRunning);
}

TEST_F(AnalysisRunTest, AnExceptionFromTheCompletionHandlerStillEndsTheRun)
{
    ASSERT_TRUE(m_Run.Start<SumBlock>(kDone, SumTo(3), &Sum, [](std::unique_ptr<SumBlock>, const CRunOutcome&) {
        throw std::runtime_error("no window for the results");
    }));
    ASSERT_TRUE(m_Ui.WaitForPosted());
    EXPECT_THROW(m_Ui.Pump(), std::runtime_error);
    EXPECT_THAT(m_Host.m_vSteps, ElementsAre("ended", "completed")); // not settled
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_FALSE(m_bRunning);
    EXPECT_FALSE(m_Run.PostsCompletion());
    ASSERT_TRUE(Start(SumTo(2), &Sum));
    Finish();
    ASSERT_EQ(m_vSeen.size(), 1u);
    EXPECT_EQ(m_vSeen[0].sum, 3);
}

// The analyses the window waits for hold the commands as a worker run does, through the
// same flag, and give them back however they end.
TEST_F(AnalysisRunTest, AnAnalysisOnTheCallingThreadHoldsTheRunningFlagWhileItWorks)
{
    struct Seen {
        bool bRunning;
        State state;
        bool bStartRefused;
    };
    std::vector<Seen> seen;
    auto look = [&] { seen.push_back({m_bRunning.load(), m_Run.GetState(), !Start(SumTo(1), &Sum)}); };
    EXPECT_TRUE(m_Run.RunHere(look));
    EXPECT_THROW(m_Run.RunHere([&] {
        look();
        throw std::runtime_error("span length is zero");
    }),
                 std::runtime_error);
    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.bRunning);
        EXPECT_EQ(s.state, State::Running);
        EXPECT_TRUE(s.bStartRefused); // no worker run beside it
    }
    EXPECT_FALSE(m_bRunning);
    EXPECT_EQ(m_Run.GetState(), State::Idle);
    EXPECT_TRUE(m_Host.m_vSteps.empty()); // the caller handles its own end

    // Nor the other way round: while a worker run is pending, none runs here.
    std::latch release(1);
    ASSERT_TRUE(Start(SumTo(3), [&](SumBlock& b) {
        release.wait();
        return Sum(b);
    }));
    bool bRan = false;
    EXPECT_FALSE(m_Run.RunHere([&] { bRan = true; }));
    release.count_down();
    Finish();
    EXPECT_FALSE(bRan);
    EXPECT_FALSE(m_bRunning);
}

TEST_F(AnalysisRunTest, OtherMessagesAreNotCompletions)
{
    CPostedMessage status;
    status.message = kDone;
    status.payload = MakePayload(std::wstring(L"Ready"));
    EXPECT_FALSE(CAnalysisRun::Deliver(status));
    CPostedMessage empty;
    EXPECT_FALSE(CAnalysisRun::Deliver(empty));
}

}
