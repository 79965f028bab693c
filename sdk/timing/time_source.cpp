// The time source: the choice of clock and the timer resolution it holds.
#include "timing/time_source.h"

#include <atomic>

#include "platform/windows.h"

namespace {

// Below this finest period the multimedia timer is fine enough to be the clock.
constexpr UINT kCoarsestUsablePeriod = 10;

std::atomic<bool> g_useMultimediaTime{false};  // read by the sound and music threads too
TIMECAPS g_caps{};
int g_users = 0;

}  // namespace

unsigned BeginTimerPeriod() {
    // A failed query leaves the capabilities as they were (all zero at first, which
    // counts as fine enough).
    timeGetDevCaps(&g_caps, sizeof g_caps);
    const bool fine = g_caps.wPeriodMin < kCoarsestUsablePeriod;
    if (!fine) g_caps.wPeriodMin = 1;
    g_useMultimediaTime = fine;
    if (g_users++ == 0 && fine) timeBeginPeriod(g_caps.wPeriodMin);
    return g_caps.wPeriodMin;
}

void EndTimerPeriod() {
    if (g_users == 0) return;  // an end without a beginning would unbalance the count
    if (--g_users == 0 && g_useMultimediaTime) timeEndPeriod(g_caps.wPeriodMin);
}

DWORD GetTime() {
    if (!g_useMultimediaTime.load(std::memory_order_relaxed)) return GetTickCount();
    MMTIME time{};
    time.wType = TIME_MS;
    timeGetSystemTime(&time, sizeof time);
    return time.u.ms;
}
