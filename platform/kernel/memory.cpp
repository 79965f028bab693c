// Memory blocks: the global and local allocators. Every block is fixed; its handle is
// its address. A table of live blocks keeps each block's size and lets the free and
// lock operations refuse handles that are not live blocks.
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace {

struct BlockTable {
    std::mutex lock;
    std::unordered_map<void*, SIZE_T> sizes;
};

BlockTable& Blocks() {
    static BlockTable* table = new BlockTable;  // outlives static objects that free blocks
    return *table;
}

// A block larger than the machine's memory could never be used: refuse it up front
// rather than leave it to the host allocator (which may report it as a fault).
SIZE_T LargestBlock() {
    static const SIZE_T largest = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        return pages > 0 && pageSize > 0
                   ? static_cast<SIZE_T>(pages) * static_cast<SIZE_T>(pageSize)
                   : static_cast<SIZE_T>(1) << 32;
    }();
    return largest;
}

HANDLE Allocate(const char* operation, UINT flags, SIZE_T bytes, UINT zeroFlag) {
    if (vorn::platform::ShouldFail(operation) || bytes > LargestBlock()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // A zero-byte block is still a distinct live block.
    const SIZE_T hostBytes = bytes ? bytes : 1;
    void* block = (flags & zeroFlag) ? std::calloc(1, hostBytes) : std::malloc(hostBytes);
    if (!block) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto& table = Blocks();
    std::lock_guard guard(table.lock);
    table.sizes[block] = bytes;
    return block;
}

// Frees a live block: null on success, the handle itself when it is not a live block.
HANDLE Free(HANDLE memory) {
    if (!memory) return nullptr;
    {
        auto& table = Blocks();
        std::lock_guard guard(table.lock);
        if (table.sizes.erase(memory) == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return memory;
        }
    }
    std::free(memory);
    return nullptr;
}

bool IsLive(HANDLE memory, SIZE_T* size = nullptr) {
    auto& table = Blocks();
    std::lock_guard guard(table.lock);
    auto it = table.sizes.find(memory);
    if (it == table.sizes.end()) return false;
    if (size) *size = it->second;
    return true;
}

LPVOID Lock(HANDLE memory) {
    if (IsLive(memory)) return memory;
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    return Allocate("GlobalAlloc", flags, bytes, GMEM_ZEROINIT);
}
HGLOBAL GlobalFree(HGLOBAL memory) { return Free(memory); }
LPVOID GlobalLock(HGLOBAL memory) { return Lock(memory); }
BOOL GlobalUnlock(HGLOBAL memory) { return FALSE; }  // fixed blocks keep no lock count
SIZE_T GlobalSize(HGLOBAL memory) {
    SIZE_T size = 0;
    return IsLive(memory, &size) ? size : 0;
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    return Allocate("LocalAlloc", flags, bytes, LMEM_ZEROINIT);
}
HLOCAL LocalFree(HLOCAL memory) { return Free(memory); }
LPVOID LocalLock(HLOCAL memory) { return Lock(memory); }
BOOL LocalUnlock(HLOCAL memory) { return FALSE; }
SIZE_T LocalSize(HLOCAL memory) { return GlobalSize(memory); }
