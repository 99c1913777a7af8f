#pragma once
#include <atomic>

// A run goes on while its flag stays raised; a run given no flag is never stopped.
inline bool KeepRunning(const std::atomic<bool>* pbKeepRunning)
{
    return !pbKeepRunning || pbKeepRunning->load(std::memory_order_relaxed);
}
