// The time source: the one millisecond clock that all timing of the SDK reads.
//
// The first user decides the clock: the multimedia system time when the multimedia
// timer's finest period is below 10 ms (the timer resolution is then raised to that
// period while any user holds it), else the tick count. Readings wrap modulo 2^32;
// compare them by unsigned differences.
#pragma once

#include "platform/base/types.h"

// Chooses the clock and counts one more user; the first user raises the timer
// resolution. Returns the finest period (1 when the tick count is the clock), which a
// caller may use as its own timer resolution.
unsigned BeginTimerPeriod();

// Counts one user less; the last one restores the timer resolution.
void EndTimerPeriod();

// Milliseconds of the chosen clock (the tick count before any BeginTimerPeriod). Safe
// to call from any thread: each call reads into a value of its own.
DWORD GetTime();
