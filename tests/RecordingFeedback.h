#pragma once
// A feedback that records what a run reports and stops it when the test says: at once,
// after a number of progress steps, or after a number of reports of either kind.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"

namespace qeltest {

class RecordingFeedback : public CAnalysisFeedback {
public:
    // flag, when given, stops the run while it is lowered, and is lowered with the stop
    // that stopAfterProgress asks for (as "Stop Analysis" lowers the run's flag).
    explicit RecordingFeedback(std::atomic<bool>* flag = nullptr, int stopAfterProgress = -1)
        : m_flag(flag), m_stopAfterProgress(stopAfterProgress)
    {
    }
    RecordingFeedback(const RecordingFeedback&) = delete;
    RecordingFeedback& operator=(const RecordingFeedback&) = delete;

    bool StopRequested() const override { return m_bStop.load() || (m_flag && !m_flag->load()); }
    void Progress(int steps) const override
    {
        std::lock_guard lock(m_mutex);
        for (int i = 0; i < steps; ++i) {
            m_events.push_back(L"progress");
            if (++m_progress == m_stopAfterProgress)
                StopLocked();
            CountEventLocked();
        }
    }
    void Status(std::wstring line) const override
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(line);
        m_status.push_back(std::move(line));
        CountEventLocked();
    }
    bool WantsStatus() const override { return m_bWantsStatus; }

    void RequestStop()
    {
        std::lock_guard lock(m_mutex);
        StopLocked();
    }
    // Stops once this many reports (progress steps and status lines) have come.
    void StopAfterEvents(int n) { m_stopAfterEvents = n; }
    // As a run with no one to show its lines sees it.
    void IgnoreStatus() { m_bWantsStatus = false; }

    int ProgressCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_progress;
    }
    std::vector<std::wstring> StatusLines() const
    {
        std::lock_guard lock(m_mutex);
        return m_status;
    }
    // The status lines so far, which it then forgets.
    std::vector<std::wstring> TakeStatusLines()
    {
        std::lock_guard lock(m_mutex);
        std::vector<std::wstring> lines;
        lines.swap(m_status);
        return lines;
    }
    // Status lines and L"progress" for each progress step, in the order they came.
    std::vector<std::wstring> Events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

private:
    void StopLocked() const
    {
        m_bStop = true;
        if (m_flag)
            m_flag->store(false);
    }
    void CountEventLocked() const
    {
        if (static_cast<int>(m_events.size()) == m_stopAfterEvents)
            StopLocked();
    }

    std::atomic<bool>* m_flag;
    int m_stopAfterProgress;
    int m_stopAfterEvents = -1;
    bool m_bWantsStatus = true;
    mutable std::atomic<bool> m_bStop{false};
    mutable std::mutex m_mutex;
    mutable int m_progress = 0;
    mutable std::vector<std::wstring> m_status;
    mutable std::vector<std::wstring> m_events;
};

} // namespace qeltest
