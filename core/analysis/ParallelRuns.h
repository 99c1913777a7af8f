#pragma once
// The threads of one analysis. Independent pieces of a bridge range, an ensemble run or a
// reference collection run side by side and are merged in the order a single thread
// would have run them, so the results do not depend on the number of threads.
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <vector>

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

// What one piece of a run split into pieces ended with: the stepping it derived, and
// whether it started, ran to its end and failed.
struct PieceRun {
    int nSteps = 0;
    double step = 0.0;
    bool bStarted = false;
    bool bComplete = false;
    std::exception_ptr error;

    // Before the piece runs: the stepping given, with the value that a moving-load
    // analysis derives (the count by step, the step by count) marked as not yet derived,
    // as a run that fails first leaves the caller's values as they were.
    void Start(bool bByStep, int nStepsGiven, double stepGiven);
    // The stepping one thread would hold after this piece, given what it held before.
    void TakeStepping(bool bByStep, int& nStepsHeld, double& stepHeld) const;
};

// Runs the tasks with RunTasks, each running its pieces (indices into the caller's pieces)
// in order until the flag is lowered. Every piece starts from the stepping given;
// analyse(q) analyses piece q, deriving its own nSteps and step. A piece that throws keeps
// its exception and ends its task; each finished piece moves the progress bar on.
void RunPieces(const std::vector<std::vector<size_t>>& tasks, int nThreads,
               const std::function<PieceRun&(size_t)>& piece, bool bByStep, int nSteps, double step,
               const std::atomic<bool>* pbKeepRunning, const std::function<void(size_t)>& analyse);
