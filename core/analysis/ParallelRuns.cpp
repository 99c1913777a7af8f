#include "core/analysis/ParallelRuns.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/analysis/AnalysisOptions.h"

namespace {

int MachineThreads()
{
    const unsigned n = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(n), 1, kMaxAnalysisThreads);
}

std::atomic<int> g_nThreads{0}; // 0: the machine's

#if defined(__GLIBC__)
// The analyses build and drop many mid-sized buffers on several threads; handing freed
// memory back to the system at once makes every later run fault fresh pages in again,
// which cost more than the runs themselves on many cores. The process keeps its heap.
const bool kHeapKept = [] {
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
    return true;
}();
#endif

// One job at a time: the tasks of one RunTasks call, shared by the caller and the helpers
// that join it.
struct Job {
    const std::function<void(size_t)>* task = nullptr;
    size_t n = 0;
    std::atomic<size_t> next{0};
    std::vector<std::exception_ptr>* errors = nullptr;
};

void Work(Job& job)
{
    for (size_t i; (i = job.next.fetch_add(1, std::memory_order_relaxed)) < job.n;) {
        try {
            (*job.task)(i);
        } catch (...) {
            (*job.errors)[i] = std::current_exception();
        }
    }
}

thread_local bool t_bHelper = false;
thread_local bool t_bHoldsHelpers = false; // a task of this thread's run starts another

// Helper threads that live as long as the process, started as runs first need them. They
// are never joined: at exit they wait for work that does not come, and a process forked
// from this one has none of them (it makes its own threads).
class CHelpers {
public:
    // False when another run holds the helpers (or this is one of them): the caller then
    // makes threads of its own.
    bool Run(Job& job, size_t nHelpers)
    {
        if (t_bHelper || t_bHoldsHelpers || ::getpid() != m_pid)
            return false;
        std::unique_lock running(m_running, std::try_to_lock);
        if (!running.owns_lock())
            return false;
        t_bHoldsHelpers = true;
        struct Release {
            ~Release() { t_bHoldsHelpers = false; }
        } release;
        {
            std::lock_guard lock(m_mutex);
            try {
                for (; m_nThreads < nHelpers; ++m_nThreads)
                    std::thread([this] { Serve(); }).detach();
            } catch (const std::system_error&) {
                // Those that could be started (the calling thread at least) take every task.
            }
            m_pJob = &job;
            m_nSeats = std::min(nHelpers, m_nThreads);
            ++m_generation;
        }
        m_wake.notify_all();
        Work(job);
        std::unique_lock lock(m_mutex);
        m_nSeats = 0; // a helper waking late finds no seat
        m_done.wait(lock, [&] { return m_nSeated == 0; });
        m_pJob = nullptr;
        return true;
    }

private:
    void Serve()
    {
        t_bHelper = true;
        unsigned long long seen = 0;
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_generation != seen && m_nSeats > 0; });
            seen = m_generation;
            --m_nSeats;
            ++m_nSeated;
            Job& job = *m_pJob;
            lock.unlock();
            Work(job);
            lock.lock();
            if (--m_nSeated == 0)
                m_done.notify_all();
        }
    }

    std::mutex m_running; // held by the run that uses the helpers
    std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    const pid_t m_pid = ::getpid();
    size_t m_nThreads = 0;
    Job* m_pJob = nullptr;
    size_t m_nSeats = 0;
    size_t m_nSeated = 0;
    unsigned long long m_generation = 0;
};

CHelpers& Helpers()
{
    static CHelpers* helpers = new CHelpers; // never destroyed, see above
    return *helpers;
}

} // namespace

int GetAnalysisThreads()
{
    const int n = g_nThreads.load(std::memory_order_relaxed);
    return n > 0 ? std::min(n, kMaxAnalysisThreads) : MachineThreads();
}

void SetAnalysisThreads(int n)
{
    g_nThreads.store(n > 0 ? n : 0, std::memory_order_relaxed);
}

int AnalysisThreads(int nRequested)
{
    return nRequested > 0 ? std::min(nRequested, kMaxAnalysisThreads) : MachineThreads();
}

CAnalysisThreadsScope::CAnalysisThreadsScope(int n) : m_previous(g_nThreads.load())
{
    SetAnalysisThreads(n);
}

CAnalysisThreadsScope::~CAnalysisThreadsScope()
{
    g_nThreads.store(m_previous);
}

void RunTasks(size_t n, int nThreads, const std::function<void(size_t)>& task)
{
    std::vector<std::exception_ptr> errors(n);
    Job job;
    job.task = &task;
    job.n = n;
    job.errors = &errors;
    const size_t nUsed = std::min(n, static_cast<size_t>(AnalysisThreads(nThreads)));
    if (nUsed <= 1) {
        Work(job);
    } else if (!Helpers().Run(job, nUsed - 1)) {
        std::vector<std::jthread> helpers;
        helpers.reserve(nUsed - 1);
        try {
            for (size_t t = 1; t < nUsed; ++t)
                helpers.emplace_back([&job] { Work(job); });
        } catch (const std::system_error&) {
        }
        Work(job);
    } // joined here
    for (const std::exception_ptr& e : errors)
        if (e)
            std::rethrow_exception(e);
}

void PieceRun::Start()
{
    used.reset();
    bStarted = true;
}

Stepping PieceRun::TakeStepping(const Stepping& held) const
{
    return bStarted && used ? *used : held;
}

void RunPieces(const std::vector<std::vector<size_t>>& tasks, int nThreads,
               const std::function<PieceRun&(size_t)>& piece, const CAnalysisFeedback& feedback,
               const std::function<void(size_t)>& analyse)
{
    RunTasks(tasks.size(), nThreads, [&](size_t t) {
        for (size_t q : tasks[t]) {
            if (!feedback.KeepRunning())
                return;
            PieceRun& run = piece(q);
            run.Start();
            try {
                analyse(q);
            } catch (...) {
                // Raised where the single-threaded run would have met it; the task goes no further.
                run.error = std::current_exception();
                return;
            }
            run.bComplete = feedback.KeepRunning();
            feedback.Progress(1);
        }
    });
}
