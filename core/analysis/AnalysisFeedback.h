#pragma once
#include <atomic>
#include <string>

// What a running analysis tells the one who started it, and how it learns that it should
// stop. The analyses call these from their worker and helper threads at once, so every
// implementation must be safe to call from several threads concurrently.
//
// This class itself is the null feedback: it never asks for a stop and drops what it is
// told. A run given None() runs to its end and reports nothing.
class CAnalysisFeedback {
public:
    virtual ~CAnalysisFeedback() = default;

    static const CAnalysisFeedback& None();

    // Polled between load positions and between pieces of work.
    virtual bool StopRequested() const { return false; }
    // One more piece of the run done (a load model, a bridge): the progress bar's steps.
    virtual void Progress(int /*steps*/) const {}
    // A line for the status log.
    virtual void Status(std::wstring /*line*/) const {}
    // Whether status lines reach anyone: a sender whose line costs something to build (a
    // bridge rule reports at every load position) skips it when they do not.
    virtual bool WantsStatus() const { return false; }

    bool KeepRunning() const { return !StopRequested(); }
};

inline const CAnalysisFeedback& CAnalysisFeedback::None()
{
    static const CAnalysisFeedback none;
    return none;
}

// Stops when the running flag is lowered; reports nothing. The flag must outlive it.
class CStopFlagFeedback : public CAnalysisFeedback {
public:
    explicit CStopFlagFeedback(const std::atomic<bool>& bKeepRunning) : m_bKeepRunning(bKeepRunning) {}

    bool StopRequested() const override { return !m_bKeepRunning.load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>& m_bKeepRunning;
};
