#pragma once
// The options the tests' analyses run with, filled as the program fills them: the
// settings' points per span as the test left them, the fast path, and the process's
// thread count (one in the core tests).
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/ParallelRuns.h"
#include "core/settings/Settings.h"

namespace qeltest {

// nThreads 0 or less: the process's count, as a run given no count of its own once took.
inline AnalysisOptions TestOptions(AnalysisPath path = AnalysisPath::Fast, int nThreads = 0)
{
    AnalysisOptions options = AnalysisOptionsFromSettings(*g_pSettings);
    options.path = path;
    if (nThreads > 0)
        options.nThreads = nThreads;
    return options;
}

// The same with a points-per-span count of the test's own.
inline AnalysisOptions PointsOptions(int nPointsPerSpan)
{
    AnalysisOptions options = TestOptions();
    options.nPointsPerSpan = nPointsPerSpan;
    return options;
}

// The settings' points per span, for the beam solvers.
inline int TestPoints()
{
    return TestOptions().nPointsPerSpan;
}

} // namespace qeltest
