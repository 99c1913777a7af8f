#pragma once
#include <cstddef>

// Counts heap allocations made through the global operator new on the calling thread,
// so a test can show that a hot loop allocates nothing.
namespace qeltest {
std::size_t AllocationCount();
// Bytes allocated and not yet freed on this thread, and the most there were since the
// last ResetPeakBytes.
long long LiveBytes();
long long PeakBytes();
void ResetPeakBytes();

class AllocationScope {
public:
    AllocationScope() : m_start(AllocationCount()) {}
    std::size_t Count() const { return AllocationCount() - m_start; }

private:
    std::size_t m_start;
};
}
