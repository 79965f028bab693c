// Fireworks and sparks of the spark benchmark, in 16.16 fixed point.
#include "sparkbench/fireworks.h"

#include <cstdio>

#include "common/fixed_math.h"

SparkBench g_sparkBench;

namespace {

constexpr std::int32_t kScreenRight = 639 * kFixedOne;
constexpr std::int32_t kScreenBottom = 479 * kFixedOne;
constexpr std::int32_t kSparkLifetime = 15 * kFixedOne;  // freed once its age exceeds this

// Work words: a firework keeps its serial, a spark its age and its age step (16.16).
constexpr int kSerial = 0;
constexpr int kAge = 0;
constexpr int kAgeStep = 1;

constexpr RECT MakeCell(int index) { return RECT{8 * index, 0, 8 * index + 8, 8}; }
constexpr RECT kSparkCells[kSparkCellCount] = {
    MakeCell(0),  MakeCell(1),  MakeCell(2),  MakeCell(3),  MakeCell(4),  MakeCell(5),
    MakeCell(6),  MakeCell(7),  MakeCell(8),  MakeCell(9),  MakeCell(10), MakeCell(11),
    MakeCell(12), MakeCell(13), MakeCell(14), MakeCell(15),
};

// Each spark draws a step of 16.16 first: (Rand(range) + base) * 1024.
std::int32_t RandomStep(unsigned range, int base) {
    return static_cast<std::int32_t>((Rand(range) + base) * 1024);
}

void EmitSparks(const Task* firework, int count, unsigned stepRange, int stepBase,
                unsigned speedRange, int speedBase) {
    for (int i = 0; i < count; ++i) {
        // The three numbers are drawn in this order for every spark.
        const std::int32_t step = RandomStep(stepRange, stepBase);
        const int angle = static_cast<int>(Rand(kAngleSteps));
        const std::int32_t speed = RandomStep(speedRange, speedBase);
        CreateSpark(firework->x, firework->y, speed, angle, step);
    }
}

}  // namespace

const RECT& SparkCell(int index) { return kSparkCells[index]; }

void StartSparkBench() {
    PoolInit();
    g_sparkBench.fireworkCount = 0;
    for (int i = 0; i < kStartFireworks; ++i) {
        CreateFirework();
        ++g_sparkBench.fireworkCount;
    }
    g_sparkBench.sparkCount = 0;
    g_sparkBench.drawMode = 0;
}

void EndSparkBench() { PoolTerm(); }

void CreateFirework() {
    Task* task = PoolAlloc();
    if (!task) return;
    task->work[kSerial] = g_sparkBench.fireworkCount;
    task->x = 320 * kFixedOne;
    task->y = 240 * kFixedOne;
    const int angle = static_cast<int>(Rand(kAngleSteps));
    task->vx = Cos(angle) * 3;
    task->vy = Sin(angle) * 3;
    task->move = MoveFirework;
    task->draw = nullptr;  // a firework shows only through its sparks
    task->onFree = nullptr;
}

bool MoveFirework(Task* task) {
    bool bounced = false;
    if (task->x + task->vx < 0 || task->x + task->vx > kScreenRight) {
        task->vx = -task->vx;
        bounced = true;
    }
    if (task->y + task->vy < 0 || task->y + task->vy > kScreenBottom) {
        task->vy = -task->vy;
        bounced = true;
    }
    if (bounced && task->work[kSerial] >= g_sparkBench.fireworkCount) {
        // Explodes where it stands: it did not move this frame.
        EmitSparks(task, 30, 22, 10, 100, 60);
        return false;
    }
    task->x += task->vx;
    task->y += task->vy;
    EmitSparks(task, 4, 32, 20, 25, 10);
    return true;
}

void CreateSpark(std::int32_t x, std::int32_t y, std::int32_t speed, int angle, std::int32_t step) {
    Task* task = PoolAlloc();
    if (!task) return;
    ++g_sparkBench.sparkCount;
    task->x = x;
    task->y = y;
    task->vx = FixedMul(Cos(angle), speed);
    task->vy = FixedMul(Sin(angle), speed);
    task->work[kAge] = 0;
    task->work[kAgeStep] = step;
    task->move = MoveSpark;
    task->draw = nullptr;  // a spark draws itself while it moves
    task->onFree = OnSparkFree;
}

bool MoveSpark(Task* task) {
    task->x += task->vx;
    task->y += task->vy;
    task->work[kAge] += task->work[kAgeStep];
    if (task->work[kAge] > kSparkLifetime) return false;
    if (g_sparkBench.drawSpark)
        g_sparkBench.drawSpark(task->x >> 16, task->y >> 16, kSparkCells[task->work[kAge] >> 16]);
    return true;
}

void OnSparkFree(Task*) { --g_sparkBench.sparkCount; }

FrameEnd HandleSparkBenchKeys(const KeySnapshot& keys) {
    if (keys.IsPush(kKeyEscape)) return FrameEnd::kQuit;
    if (keys.IsPush(kKeyUp)) {
        CreateFirework();  // one more firework that stays
        ++g_sparkBench.fireworkCount;
    } else if (keys.IsPush(kKeyC)) {
        // C is taken and does nothing: it still hides the keys below it this frame.
    } else if (keys.IsPush(kKeySpace)) {
        CreateFirework();  // its serial equals the count: it explodes at its first bounce
    } else if (keys.IsPush(kKeyDown)) {
        if (g_sparkBench.fireworkCount > 0) --g_sparkBench.fireworkCount;
    } else if (keys.IsPush(kKeyB)) {
        g_sparkBench.drawMode = (g_sparkBench.drawMode + 1) % kDrawModeCount;
    }
    return FrameEnd::kContinue;
}

StatusText FormatSparkBenchStatus() {
    StatusText status;
    std::snprintf(status.text, sizeof status.text, "object = %2d,%5d", g_sparkBench.fireworkCount,
                  g_sparkBench.sparkCount);
    return status;
}
