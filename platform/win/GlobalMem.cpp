#include "platform/win/GlobalMem.h"

#include <new>
#include <stdexcept>
#include <vector>

struct CGlobalBlock {
    std::vector<unsigned char> bytes;
};

HGLOBAL GlobalAlloc(UINT, std::size_t dwBytes)
{
    try {
        auto* block = new CGlobalBlock;
        block->bytes.resize(dwBytes);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, std::size_t dwBytes, UINT)
{
    if (!hMem)
        return nullptr;
    try {
        hMem->bytes.resize(dwBytes);
        return hMem;
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    delete hMem;
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL hMem)
{
    return hMem ? hMem->bytes.size() : 0;
}

void* GlobalLock(HGLOBAL hMem)
{
    return hMem ? hMem->bytes.data() : nullptr;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    return hMem ? TRUE : FALSE;
}
