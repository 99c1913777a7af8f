#include "core/analysis/ParallelRuns.h"

namespace {
// Status lines and progress steps arrive in the single-threaded order only on one thread,
// and the differential tests compare them in that order; the tests of the threaded runs
// set their own count.
const bool kOneThread = (SetAnalysisThreads(1), true);
} // namespace
