#pragma once
// The threads of one analysis. Independent pieces of a bridge range, an ensemble run or a
// reference collection run side by side and are merged in the order a single thread
// would have run them, so the results do not depend on the number of threads.
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/Stepping.h"

// The thread count that AnalysisOptionsFromSettings puts into the options of the runs the
// program starts; no run reads it. 1 runs everything on the calling thread.
int GetAnalysisThreads();
// 0 or less: as many as the machine has cores (at most kMaxAnalysisThreads).
void SetAnalysisThreads(int n);
inline constexpr int kMaxAnalysisThreads = 64;
// The threads a run takes for the count in its options: above 0 as given (at most
// kMaxAnalysisThreads), else every core.
int AnalysisThreads(int nRequested);

// Sets the program's count while it lives (process-wide, for tests).
class CAnalysisThreadsScope {
public:
    explicit CAnalysisThreadsScope(int n);
    ~CAnalysisThreadsScope();
    CAnalysisThreadsScope(const CAnalysisThreadsScope&) = delete;
    CAnalysisThreadsScope& operator=(const CAnalysisThreadsScope&) = delete;

private:
    int m_previous;
};

// Runs task(0) to task(n - 1) on up to nThreads threads (0: every core), the calling
// thread among them, handing the tasks out in index order. The helpers are threads kept
// for the whole process, so what they keep per thread (solver, buffers) serves every later
// run. Returns when every task has run. A task that throws does not stop the others; the
// exception of the lowest-numbered failed task is then rethrown.
void RunTasks(size_t n, int nThreads, const std::function<void(size_t)>& task);

// What one piece of a run split into pieces ended with: the stepping it used, and
// whether it started, ran to its end and failed.
struct PieceRun {
    // The stepping the piece's moving-load analysis used, once it derived it (the count by
    // step, the step by count); none while not yet derived, as a run that fails first
    // leaves the caller's stepping as it was.
    std::optional<Stepping> used;
    bool bStarted = false;
    bool bComplete = false;
    std::exception_ptr error;

    // Before the piece runs.
    void Start();
    // The stepping one thread would hold after this piece, given what it held before.
    Stepping TakeStepping(const Stepping& held) const;
};

// When the scope ends, by an exception too, held (a Stepping, or a piece's optional one)
// takes the stepping a moving-load analysis used, once it derived one: a run that fails
// after deriving its stepping has still derived it.
template <class Held, class Analysis>
class CKeepUsedStepping {
public:
    CKeepUsedStepping(Held& held, const Analysis& analysis) : m_Held(held), m_Analysis(analysis) {}
    ~CKeepUsedStepping()
    {
        if (m_Analysis.GetUsedStepping())
            m_Held = *m_Analysis.GetUsedStepping();
    }
    CKeepUsedStepping(const CKeepUsedStepping&) = delete;
    CKeepUsedStepping& operator=(const CKeepUsedStepping&) = delete;

private:
    Held& m_Held;
    const Analysis& m_Analysis;
};

// Runs the tasks with RunTasks, each running its pieces (indices into the caller's pieces)
// in order until the feedback asks for a stop. analyse(q) analyses piece q and records
// the stepping it used. A piece that throws keeps its exception and ends its task; each
// finished piece is one step of progress.
void RunPieces(const std::vector<std::vector<size_t>>& tasks, int nThreads,
               const std::function<PieceRun&(size_t)>& piece, const CAnalysisFeedback& feedback,
               const std::function<void(size_t)>& analyse);
