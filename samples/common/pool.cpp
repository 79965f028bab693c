// The object pool: one preallocated block, a free list and an active list.
#include "common/pool.h"

#include <new>

namespace {

Task* g_block = nullptr;
Task* g_freeHead = nullptr;
Task* g_activeHead = nullptr;

int CountList(const Task* head) {
    int count = 0;
    for (const Task* task = head; task; task = task->next) ++count;
    return count;
}

}  // namespace

void PoolInit() {
    PoolTerm();  // a second init must not leak the first block
    g_block = new (std::nothrow) Task[kPoolTaskCount];
    if (!g_block) return;
    for (int i = 0; i < kPoolTaskCount - 1; ++i) g_block[i].next = &g_block[i + 1];
    g_block[kPoolTaskCount - 1].next = nullptr;
    g_freeHead = g_block;
}

void PoolTerm() {
    delete[] g_block;
    g_block = nullptr;
    g_freeHead = nullptr;
    g_activeHead = nullptr;
}

Task* PoolAlloc() {
    Task* task = g_freeHead;
    if (!task) return nullptr;
    g_freeHead = task->next;
    task->next = g_activeHead;
    g_activeHead = task;
    return task;
}

void PoolFree(Task** link) {
    Task* task = *link;
    *link = task->next;
    task->next = g_freeHead;
    g_freeHead = task;
    if (task->onFree) task->onFree(task);
}

void PoolUpdate() {
    Task** link = &g_activeHead;
    while (Task* task = *link) {
        if (task->move(task)) {
            link = &task->next;
            continue;
        }
        // A move that allocated records pushed them in front of the head, so the head
        // link may no longer lead to this record: find the link that does. Only the
        // head can be overtaken this way, and only by the records this move created.
        while (*link != task) link = &(*link)->next;
        PoolFree(link);
    }
}

void PoolDraw() {
    for (Task* task = g_activeHead; task; task = task->next)
        if (task->draw) task->draw(task);
}

int PoolActiveCount() { return CountList(g_activeHead); }

int PoolFreeCount() { return CountList(g_freeHead); }
