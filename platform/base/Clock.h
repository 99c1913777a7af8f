#pragma once
#include <chrono>
#include <cstdint>

// Milliseconds from a steady clock, for elapsed analysis times.
inline std::uint64_t GetTickCountMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
