#pragma once
// The feedback of the program's analyses: a stop when the run's flag comes down, and
// progress steps and status lines posted to the main window as registered messages
// (UWM_PBAR_UPDATE with wParam 1, UWM_ADD_STATUS with the line as its payload).
#include <atomic>
#include <string>

#include "core/analysis/AnalysisFeedback.h"

// Safe from any number of threads at once: it only reads the flag and posts, and posting
// is thread-safe. The flag, when given, must outlive it.
class CPostingFeedback : public CAnalysisFeedback {
public:
    // pbKeepRunning: the run's running flag; null never stops.
    explicit CPostingFeedback(const std::atomic<bool>* pbKeepRunning) : m_pbKeepRunning(pbKeepRunning) {}

    bool StopRequested() const override;
    void Progress(int steps) const override;
    void Status(std::wstring line) const override;
    bool WantsStatus() const override;

private:
    const std::atomic<bool>* m_pbKeepRunning;
};
