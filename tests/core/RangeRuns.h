#pragma once
// One bridge range run as the tests compare it: its results, the stepping it ended with and
// the status lines and progress steps it posted, in the order they came.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"
#include "RecordingFeedback.h"
#include "TestOptions.h"

namespace fastcases {

struct RangeRun {
    std::vector<std::shared_ptr<CEnvelopeResults>> results;
    int nSteps = 0;
    double step = 0.0;
    std::vector<std::wstring> messages; // status lines and "progress"
};

// Runs into r (what was posted stays there if the run throws). toClear drops after
// stopAfter messages (0: never); threads 0 is the process default.
inline void RunRangeInto(RangeRun& r, AnalysisPath path, int threads, const std::shared_ptr<CBridgeSet>& set,
                         const std::shared_ptr<CLoadModelEnsemble>& lme, bool bByStep, int nSteps, double step,
                         const std::atomic<bool>* flag = nullptr, int stopAfter = 0,
                         std::atomic<bool>* toClear = nullptr)
{
    // Stops while the flag is lowered; toClear drops with the stopAfter-th message.
    struct Feedback : qeltest::RecordingFeedback {
        using RecordingFeedback::RecordingFeedback;
        bool StopRequested() const override { return RecordingFeedback::StopRequested() || (flag && !flag->load()); }
        const std::atomic<bool>* flag = nullptr;
    } feedback(toClear);
    feedback.flag = flag;
    if (toClear && stopAfter > 0)
        feedback.StopAfterEvents(stopAfter);
    CMultiBridgeAnalysis mba(set, lme, qeltest::TestOptions(path, threads));
    // What the run used and reported, also when it throws.
    struct Keep {
        RangeRun& r;
        const CMultiBridgeAnalysis& mba;
        const Feedback& feedback;
        ~Keep()
        {
            r.nSteps = mba.GetUsedStepping().nSteps;
            r.step = mba.GetUsedStepping().step;
            r.messages = feedback.Events();
        }
    } keep{r, mba, feedback};
    r.results = mba.Run(Stepping{.bByStep = bByStep, .step = step, .nSteps = nSteps}, feedback);
}

} // namespace fastcases
