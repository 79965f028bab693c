// The samples' fixed-point maths: 16.16 positions and velocities, angles in 4096ths of
// a turn, a sine table, an angle from a vector, and a fast linear congruential
// generator. Everything an object does per frame stays in integers.
#pragma once

#include <cstdint>

constexpr std::int32_t kFixedOne = 1 << 16;  // 1.0 in 16.16
constexpr int kAngleSteps = 4096;            // one full turn
constexpr int kQuarterTurn = kAngleSteps / 4;

// Fills the sine table and seeds Rand with the multimedia time.
void InitSinTable();

// Fills the sine table: entry i = sin(i * 2pi / 4096) * 65536, truncated toward zero.
void BuildSinTable();

// Sine and cosine of an angle in 4096ths of a turn, as 16.16 (any angle; it wraps).
std::int32_t Sin(int angle);
std::int32_t Cos(int angle);

// The direction of (dx, dy) in 4096ths of a turn, -2048..2048; y grows downward, so
// 1024 points down. The units of dx and dy cancel. GetAngle(0, 0) is 0.
int GetAngle(std::int32_t dx, std::int32_t dy);

// a * b for two 16.16 values, through 64 bits with an arithmetic shift.
constexpr std::int32_t FixedMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(a) * b) >> 16);
}

// state = state * 12869 + 6925 (mod 2^32); returns state mod n. Rand(0) returns the
// whole state instead of dividing by zero.
unsigned Rand(unsigned n);
void SeedRand(unsigned state);
