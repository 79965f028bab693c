// Counts the heap allocations of the program it is preloaded into (LD_PRELOAD) and
// prints the totals on standard error when the program ends:
//   allocations: malloc N new M
// "new" counts C++ operator new of every form, "malloc" the C allocation calls of the
// program and every library it uses (malloc, calloc, realloc, the aligned forms). The
// two are apart: operator new here takes its memory straight from the C library. A
// benchmark runs a program for two frame counts; the difference of the totals divided
// by the difference of the frames is what one frame allocates in steady state.
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <new>

#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<unsigned long> g_mallocs{0};
std::atomic<unsigned long> g_news{0};

void* CountedNew(std::size_t size, std::size_t alignment = 0) {
    g_news.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    return alignment ? __libc_memalign(alignment, size) : __libc_malloc(size);
}

void* ThrowingNew(std::size_t size, std::size_t alignment = 0) {
    void* block = CountedNew(size, alignment);
    if (!block) throw std::bad_alloc();
    return block;
}

__attribute__((destructor)) void PrintTotals() {
    char line[96];
    const int length = std::snprintf(line, sizeof line, "allocations: malloc %lu new %lu\n",
                                     g_mallocs.load(), g_news.load());
    if (length > 0) (void)!write(STDERR_FILENO, line, static_cast<std::size_t>(length));
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }

int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    void* block = memalign(alignment, size);
    if (!block) return 12;  // ENOMEM
    *out = block;
    return 0;
}

void free(void* block) { __libc_free(block); }

}  // extern "C"

void* operator new(std::size_t size) { return ThrowingNew(size); }
void* operator new[](std::size_t size) { return ThrowingNew(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedNew(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedNew(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    return ThrowingNew(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return ThrowingNew(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return CountedNew(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return CountedNew(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, std::size_t) noexcept { __libc_free(block); }
void operator delete(void* block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { __libc_free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { __libc_free(block); }
