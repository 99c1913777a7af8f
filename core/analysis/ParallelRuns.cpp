#include "core/analysis/ParallelRuns.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "core/analysis/AnalysisPath.h"
#include "core/analysis/KeepRunning.h"
#include "platform/base/Messages.h"

namespace {

int MachineThreads()
{
    const unsigned n = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(n), 1, kMaxAnalysisThreads);
}

std::atomic<int> g_nThreads{0}; // 0: the machine's

} // namespace

int GetAnalysisThreads()
{
    const int n = g_nThreads.load(std::memory_order_relaxed);
    return n > 0 ? std::min(n, kMaxAnalysisThreads) : MachineThreads();
}

void SetAnalysisThreads(int n) { g_nThreads.store(n > 0 ? n : 0, std::memory_order_relaxed); }

CAnalysisThreadsScope::CAnalysisThreadsScope(int n) : m_previous(g_nThreads.load())
{
    SetAnalysisThreads(n);
}

CAnalysisThreadsScope::~CAnalysisThreadsScope() { g_nThreads.store(m_previous); }

void RunTasks(size_t n, const std::function<void(size_t)>& task)
{
    std::vector<std::exception_ptr> errors(n);
    std::atomic<size_t> next{0};
    const AnalysisPath path = GetAnalysisPath();
    const auto work = [&] {
        CAnalysisPathScope scope(path);
        for (size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < n;) {
            try {
                task(i);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    const size_t nThreads = std::min(n, static_cast<size_t>(GetAnalysisThreads()));
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(nThreads > 0 ? nThreads - 1 : 0);
        try {
            for (size_t t = 1; t < nThreads; ++t)
                helpers.emplace_back(work);
        } catch (const std::system_error&) {
            // The threads that could be started (the calling one at least) take every task.
        }
        work();
    } // joined here
    for (const std::exception_ptr& e : errors)
        if (e)
            std::rethrow_exception(e);
}

void RunPieces(const std::vector<std::vector<size_t>>& tasks, const std::function<PieceRun&(size_t)>& piece,
               int nSteps, double step, const std::atomic<bool>* pbKeepRunning,
               const std::function<void(size_t)>& analyse)
{
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    RunTasks(tasks.size(), [&](size_t t) {
        for (size_t q : tasks[t]) {
            if (!KeepRunning(pbKeepRunning))
                return;
            PieceRun& run = piece(q);
            run.nSteps = nSteps;
            run.step = step;
            run.bStarted = true;
            try {
                analyse(q);
            } catch (...) {
                // Raised where the single-threaded run would have met it; the task goes no further.
                run.error = std::current_exception();
                return;
            }
            run.bComplete = KeepRunning(pbKeepRunning);
            PostMainWindowMessage(UWM_PBAR_UPDATE, 1, 0);
        }
    });
}
