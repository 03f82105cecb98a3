#include "platform/gdiplus/GlobalMemory.h"

#include <cstdint>
#include <new>
#include <unordered_set>
#include <vector>

#include "platform/gdiplus/CallLog.h"

namespace {

constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NOT_LOCKED = 158;

struct GlobalBlock {
    std::vector<std::uint8_t> bytes;
    unsigned locks = 0;
};

// Only handles handed out and not yet freed are honoured, so a stale or forged handle is
// refused instead of touching freed memory.
std::unordered_set<HGLOBAL>& LiveBlocks() {
    static std::unordered_set<HGLOBAL> blocks;
    return blocks;
}

GlobalBlock* Find(HGLOBAL handle) {
    if (LiveBlocks().count(handle) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<GlobalBlock*>(handle);
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, SIZE_T dwBytes) {
    const gdiplus::LoggedCall call("GlobalAlloc");
    auto* block = new (std::nothrow) GlobalBlock;
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    try {
        block->bytes.resize(dwBytes);
        LiveBlocks().insert(block);
    } catch (const std::bad_alloc&) {
        delete block;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return block;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT) {
    const gdiplus::LoggedCall call("GlobalReAlloc");
    GlobalBlock* block = Find(hMem);
    if (block == nullptr || block->locks > 0) {
        return nullptr;
    }
    try {
        block->bytes.resize(dwBytes);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return hMem;
}

LPVOID GlobalLock(HGLOBAL hMem) {
    const gdiplus::LoggedCall call("GlobalLock");
    GlobalBlock* block = Find(hMem);
    if (block == nullptr || block->bytes.empty()) {
        return nullptr;
    }
    ++block->locks;
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    const gdiplus::LoggedCall call("GlobalUnlock");
    GlobalBlock* block = Find(hMem);
    if (block == nullptr) {
        return FALSE;
    }
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    SetLastError(ERROR_SUCCESS);
    return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
    const gdiplus::LoggedCall call("GlobalSize");
    const GlobalBlock* block = Find(hMem);
    return block == nullptr ? 0 : block->bytes.size();
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    const gdiplus::LoggedCall call("GlobalFree");
    GlobalBlock* block = Find(hMem);
    if (block == nullptr) {
        return hMem;
    }
    LiveBlocks().erase(hMem);
    delete block;
    return nullptr;
}
