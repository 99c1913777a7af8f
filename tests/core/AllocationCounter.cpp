#include "AllocationCounter.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t t_nAllocations = 0;
thread_local long long t_liveBytes = 0;
thread_local long long t_peakBytes = 0;

void* Counted(void* p)
{
    if (!p)
        throw std::bad_alloc();
    t_liveBytes += static_cast<long long>(malloc_usable_size(p));
    t_peakBytes = std::max(t_peakBytes, t_liveBytes);
    return p;
}

void Release(void* p)
{
    if (p)
        t_liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void* Allocate(std::size_t n)
{
    ++t_nAllocations;
    return Counted(std::malloc(n ? n : 1));
}

void* AllocateAligned(std::size_t n, std::align_val_t al)
{
    ++t_nAllocations;
    const std::size_t a = static_cast<std::size_t>(al);
    const std::size_t rounded = n == 0 ? a : (n + a - 1) / a * a;
    return Counted(std::aligned_alloc(a, rounded));
}
}

std::size_t qeltest::AllocationCount()
{
    return t_nAllocations;
}
long long qeltest::LiveBytes()
{
    return t_liveBytes;
}
long long qeltest::PeakBytes()
{
    return t_peakBytes;
}
void qeltest::ResetPeakBytes()
{
    t_peakBytes = t_liveBytes;
}

void* operator new(std::size_t n)
{
    return Allocate(n);
}
void* operator new[](std::size_t n)
{
    return Allocate(n);
}
void* operator new(std::size_t n, std::align_val_t al)
{
    return AllocateAligned(n, al);
}
void* operator new[](std::size_t n, std::align_val_t al)
{
    return AllocateAligned(n, al);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    Release(p);
}
