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
#include "platform/base/Messages.h"
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
    r.nSteps = nSteps;
    r.step = step;
    const unsigned status = RegisterWindowMessage(L"UWM_ADD_STATUS");
    const unsigned progress = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    SetMainWindowMessageSink([&](CPostedMessage&& m) {
        if (m.message == status && m.Payload<std::wstring>())
            r.messages.push_back(*m.Payload<std::wstring>());
        if (m.message == progress)
            r.messages.push_back(L"progress");
        if (toClear && static_cast<int>(r.messages.size()) == stopAfter)
            *toClear = false;
    });
    struct SinkReset {
        ~SinkReset() { SetMainWindowMessageSink(nullptr); }
    } reset;
    CMultiBridgeAnalysis mba(set, lme, qeltest::TestOptions(path, threads));
    r.results = mba.Run(bByStep, &r.nSteps, &r.step, flag);
}

} // namespace fastcases
