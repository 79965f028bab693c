// The object pool against new and delete: the spark benchmark's load, objects created
// every frame, moved, and freed when they age out, kept on the same intrusive list.
// The pool's records come from one block and a free list; the alternative allocates
// each object from the heap. Prints how many times faster the pool is.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/support/measuring_reporter.h"
#include "common/pool.h"

namespace {

constexpr int kBornPerFrame = 140;  // 35 fireworks x 4 sparks
constexpr int kLifetime = 24;       // frames; about 3400 objects live at once
constexpr int kFrames = 200;

bool MoveSpark(Task* task) {
    task->x += task->vx;
    task->y += task->vy;
    return ++task->work[0] < kLifetime;
}

void SpawnPoolSparks(int frame) {
    for (int i = 0; i < kBornPerFrame; ++i) {
        Task* task = PoolAlloc();
        if (!task) return;
        task->x = task->y = 0;
        task->vx = i;
        task->vy = frame;
        task->work[0] = 0;
        task->move = MoveSpark;
        task->draw = nullptr;
        task->onFree = nullptr;
    }
}

void PoolChurn(benchmark::State& state) {
    for (auto _ : state) {
        PoolInit();
        for (int frame = 0; frame < kFrames; ++frame) {
            PoolUpdate();
            SpawnPoolSparks(frame);
        }
        benchmark::DoNotOptimize(PoolActiveCount());
        PoolTerm();
    }
    state.SetItemsProcessed(state.iterations() * kFrames * kBornPerFrame);
}
BENCHMARK(PoolChurn);

// The same records, list and moves, each record from the heap.
void HeapChurn(benchmark::State& state) {
    for (auto _ : state) {
        Task* head = nullptr;
        for (int frame = 0; frame < kFrames; ++frame) {
            for (Task** link = &head; Task* task = *link;) {
                if (task->move(task)) {
                    link = &task->next;
                } else {
                    *link = task->next;
                    delete task;
                }
            }
            for (int i = 0; i < kBornPerFrame; ++i)
                head = new Task{head, MoveSpark, nullptr, nullptr, 0, 0, i, frame, {}};
        }
        int live = 0;
        while (Task* task = head) {
            head = task->next;
            delete task;
            ++live;
        }
        benchmark::DoNotOptimize(live);
    }
    state.SetItemsProcessed(state.iterations() * kFrames * kBornPerFrame);
}
BENCHMARK(HeapChurn);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MeasuringReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // By processor time: the machine may be busy with other work.
    const Measured* pool = reporter.Find("PoolChurn");
    const Measured* heap = reporter.Find("HeapChurn");
    if (pool && heap)
        std::printf("pool vs new/delete: %.2fx faster\n", heap->cpuSeconds / pool->cpuSeconds);
    benchmark::Shutdown();
    return 0;
}
