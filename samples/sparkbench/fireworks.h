// The spark benchmark's game: fireworks bounce around the screen leaving four sparks a
// frame, and a firework told to go explodes into thirty fast sparks at its next bounce.
// Every firework and spark is a record of the object pool, so thousands of objects are
// created and freed every second. The state is plain data; the program draws the
// background, takes the key snapshot and shows the status line.
#pragma once

#include <cstdint>

#include "common/draw_cell.h"
#include "common/key_snapshot.h"
#include "common/pool.h"

constexpr int kStartFireworks = 35;
constexpr int kSparkCellCount = 16;
constexpr int kDrawModeCount = 3;

struct SparkBench {
    // Fireworks that stay: one whose serial reaches the count explodes at its next bounce.
    int fireworkCount = 0;
    int sparkCount = 0;  // live sparks
    int drawMode = 0;    // background: 0 filled, 1 the picture plane, 2 the raw picture rows
    DrawCellFn drawSpark = nullptr;  // draws one spark cell; null draws nothing
};
extern SparkBench g_sparkBench;

// Cell i of the spark strip (8x8, side by side) is drawn while a spark's age is in
// [i, i + 1): cell 0 is the young spark.
const RECT& SparkCell(int index);

// Initialises the pool and launches the first 35 fireworks (serials 0 to 34).
void StartSparkBench();
// Releases the pool with every firework and spark in it.
void EndSparkBench();

void CreateFirework();
bool MoveFirework(Task* task);
void CreateSpark(std::int32_t x, std::int32_t y, std::int32_t speed, int angle, std::int32_t step);
bool MoveSpark(Task* task);
void OnSparkFree(Task* task);

// Handles the first pushed key of Escape, Up, C, Space, Down and B; kQuit for Escape.
FrameEnd HandleSparkBenchKeys(const KeySnapshot& keys);

// The status line, "object = %2d,%5d" with the firework and spark counts.
struct StatusText {
    char text[32];
};
StatusText FormatSparkBenchStatus();
