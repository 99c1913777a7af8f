#pragma once
// Blocks of "global memory" handed between the bitmap code and its callers: a block is
// allocated, grown, locked for its bytes and freed through its handle.
#include "platform/win/WinDef.h"

#include <cstddef>

struct CGlobalBlock;
using HGLOBAL = CGlobalBlock*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the memory cannot be had. New bytes are zero.
HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);
// The same handle with the new size (contents kept up to the smaller size), or null when
// the memory cannot be had (the block is then unchanged).
HGLOBAL GlobalReAlloc(HGLOBAL hMem, std::size_t dwBytes, UINT uFlags);
// Returns null; a null handle is allowed.
HGLOBAL GlobalFree(HGLOBAL hMem);
std::size_t GlobalSize(HGLOBAL hMem);
// The block's bytes (null for a null handle); valid until the block is grown or freed.
void* GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
