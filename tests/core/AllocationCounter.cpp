#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t t_nAllocations = 0;

void* Allocate(std::size_t n)
{
    ++t_nAllocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t n, std::align_val_t al)
{
    ++t_nAllocations;
    const std::size_t a = static_cast<std::size_t>(al);
    const std::size_t rounded = n == 0 ? a : (n + a - 1) / a * a;
    if (void* p = std::aligned_alloc(a, rounded))
        return p;
    throw std::bad_alloc();
}
}

std::size_t qeltest::AllocationCount() { return t_nAllocations; }

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, std::align_val_t al) { return AllocateAligned(n, al); }
void* operator new[](std::size_t n, std::align_val_t al) { return AllocateAligned(n, al); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
