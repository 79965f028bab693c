// The samples' object pool: 4096 task records of 64 bytes in one block, handed out from
// a free list and kept on an active list, so that creating and destroying a moving
// object costs a few pointer moves and no heap allocation.
//
// A record carries its own behaviour: `move` runs once per PoolUpdate and decides
// whether the record lives on, `draw` runs once per PoolDraw, `onFree` tells the owner
// that the record went back to the pool. Both passes visit the newest record first.
#pragma once

#include <cstddef>
#include <cstdint>

struct Task;
using TaskMoveFn = bool (*)(Task* task);  // false: free the record
using TaskFn = void (*)(Task* task);

// Sixteen 32-bit words on a 32-bit machine: the link and the three callbacks, the
// position and velocity in 16.16 fixed point, then work words for the owner. With
// 8-byte pointers the link and callbacks take eight words, so the work area shrinks to
// four words and the record stays 64 bytes (one cache line).
struct alignas(64) Task {
    Task* next;       // next record of whichever list holds this one; null at the end
    TaskMoveFn move;  // must be set by the creator
    TaskFn draw;      // may be null
    TaskFn onFree;    // may be null
    std::int32_t x;   // position, pixels in 16.16
    std::int32_t y;
    std::int32_t vx;  // velocity, pixels per frame in 16.16
    std::int32_t vy;
    std::int32_t work[(64 - 4 * sizeof(void*) - 4 * sizeof(std::int32_t)) / sizeof(std::int32_t)];
};
static_assert(sizeof(Task) == 64, "a task record is 64 bytes");

constexpr int kPoolTaskCount = 4096;

// Allocates the block and links every record into the free list. If the block cannot
// be allocated the pool stays empty and every PoolAlloc returns null. Calling it again
// first releases the previous block (its active records are dropped without callbacks).
void PoolInit();

// Releases the block; no callback runs for the records still active.
void PoolTerm();

// A record from the free list, put at the head of the active list; null when the pool
// is exhausted or not initialised. The record is not cleared: the creator sets every
// field it relies on, the three callbacks included.
Task* PoolAlloc();

// Unlinks the record that *link points to (the active list head or the `next` of the
// record before it), returns it to the free list, then calls its onFree if set.
void PoolFree(Task** link);

// Calls `move` on every active record, newest first, freeing each record whose move
// returns false. Records allocated by a move land in front of the cursor and are first
// moved in the next pass. A move may allocate records but must not free any.
void PoolUpdate();

// Calls `draw` on every active record that has one, newest first.
void PoolDraw();

// Counts the records on each list (a walk; for diagnostics and tests).
int PoolActiveCount();
int PoolFreeCount();
