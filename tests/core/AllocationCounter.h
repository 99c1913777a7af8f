#pragma once
#include <cstddef>

// Counts heap allocations made through the global operator new on the calling thread,
// so a test can show that a hot loop allocates nothing.
namespace qeltest {
std::size_t AllocationCount();

class AllocationScope {
public:
    AllocationScope() : m_start(AllocationCount()) {}
    std::size_t Count() const { return AllocationCount() - m_start; }

private:
    std::size_t m_start;
};
}
