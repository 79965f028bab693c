// The virtual clock: lets tests run the tick count and the multimedia time, Sleep and
// the local time on a clock they drive, and set the timer capabilities that the
// multimedia timer reports.
//
// With the virtual clock on, GetTickCount, timeGetTime and timeGetSystemTime all read
// one millisecond counter that moves only when a test advances it, when Sleep is
// called (by the milliseconds asked for plus the configured oversleep), or by the
// configured step after each read (so that a loop that spins on the clock ends). Sleep
// then returns at once and is recorded.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "platform/mm/mmsystem.h"

namespace vorn::testing {

// Switches to the virtual clock, starting at startMs, with no read step, no
// oversleep and an empty record of sleeps.
void UseVirtualClock(DWORD startMs);

// Back to the host's clocks (also clears the fixed local time).
void UseRealClock();

// Moves the virtual clock forward (wrapping modulo 2^32).
void AdvanceClock(DWORD ms);

// The virtual clock's current reading, without advancing it.
DWORD VirtualTime();

// Each read of the virtual clock advances it by stepMs after the read.
void SetClockReadStep(DWORD stepMs);

// The next `times` Sleep calls (or every one, with kAlways) advance the clock by extraMs
// more than they were asked to.
void SetOversleep(DWORD extraMs, int times);

// The milliseconds of every Sleep since the virtual clock was switched on.
std::vector<DWORD> SleepCalls();

// GetLocalTime reports this time from now on, until UseRealClock.
void FixLocalTime(const SYSTEMTIME& time);

// timeGetDevCaps reports these periods instead of the host's, until ResetTimerCaps.
void SetTimerCaps(UINT minPeriod, UINT maxPeriod);
void ResetTimerCaps();

// The periods begun with timeBeginPeriod and not yet ended, in order.
std::vector<UINT> ActiveTimerPeriods();

}  // namespace vorn::testing

namespace vorn::platform {

// Hooks for the clock operations. Each returns false when the virtual clock (or the
// override) is off, so that the operation uses the host.
bool ReadVirtualClock(DWORD& now);
bool SleepOnVirtualClock(DWORD ms);
bool VirtualLocalTime(SYSTEMTIME& time);
bool TimerCapsOverride(TIMECAPS& caps);

// The bookkeeping of timeBeginPeriod and timeEndPeriod, kept here so tests can see it.
void AddTimerPeriod(UINT period);
bool RemoveTimerPeriod(UINT period);  // false when the period was not begun
bool AnyTimerPeriod();

}  // namespace vorn::platform
