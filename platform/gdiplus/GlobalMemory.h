#pragma once

// Global memory blocks as the platform's kernel offers them: a handle, locked to get the
// address. A block of zero bytes has no address, so locking it gives null.

#include <cstddef>

#include "platform/win32/WinBase.h"

using HGLOBAL = void*;
using SIZE_T = std::size_t;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;

// Null on failure. The bytes are zero whatever the flags.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// Changes the size of an unlocked block, keeping its leading bytes; null on failure.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
// Null for an unknown handle and for a block of zero bytes.
LPVOID GlobalLock(HGLOBAL hMem);
// Nonzero while the block stays locked.
BOOL GlobalUnlock(HGLOBAL hMem);
// 0 for an unknown handle.
SIZE_T GlobalSize(HGLOBAL hMem);
// Null on success; the handle itself when it is unknown.
HGLOBAL GlobalFree(HGLOBAL hMem);
