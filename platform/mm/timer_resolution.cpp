// Multimedia time: the timer capabilities, the timer resolution and the system time.
//
// The host counterpart of a finer timer resolution is a tighter timer slack: while any
// period is begun, the thread that began it sleeps with 1 us of slack instead of the
// host's default 50 us.
#include <sys/prctl.h>

#include "platform/kernel/millisecond_clock.h"
#include "platform/mm/mmsystem.h"
#include "platform/testing/clock.h"
#include "platform/testing/faults.h"

namespace {

constexpr unsigned long kTightSlackNs = 1000;
constexpr unsigned long kDefaultSlackNs = 50000;

// The host clock has a 1 ms resolution for these operations and no useful coarsest
// period; one second is the longest period anyone asks for.
constexpr TIMECAPS kHostCaps{1, 1000000};

TIMECAPS CurrentCaps() {
    TIMECAPS caps = kHostCaps;
    vorn::platform::TimerCapsOverride(caps);
    return caps;
}

bool InRange(UINT period) {
    const TIMECAPS caps = CurrentCaps();
    return period >= caps.wPeriodMin && period <= caps.wPeriodMax;
}

}  // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    std::int64_t result = TIMERR_NOCANDO;
    if (vorn::platform::ShouldFail("timeGetDevCaps", nullptr, &result))
        return static_cast<MMRESULT>(result);
    if (!caps || size != sizeof(TIMECAPS)) return TIMERR_NOCANDO;
    *caps = CurrentCaps();
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) {
    std::int64_t result = TIMERR_NOCANDO;
    if (vorn::platform::ShouldFail("timeBeginPeriod", nullptr, &result))
        return static_cast<MMRESULT>(result);
    if (!InRange(period)) return TIMERR_NOCANDO;
    vorn::platform::AddTimerPeriod(period);
    prctl(PR_SET_TIMERSLACK, kTightSlackNs, 0, 0, 0);
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT period) {
    std::int64_t result = TIMERR_NOCANDO;
    if (vorn::platform::ShouldFail("timeEndPeriod", nullptr, &result))
        return static_cast<MMRESULT>(result);
    if (!vorn::platform::RemoveTimerPeriod(period)) return TIMERR_NOCANDO;
    if (!vorn::platform::AnyTimerPeriod()) prctl(PR_SET_TIMERSLACK, kDefaultSlackNs, 0, 0, 0);
    return TIMERR_NOERROR;
}

DWORD timeGetTime() { return vorn::platform::MillisecondClock(); }

MMRESULT timeGetSystemTime(LPMMTIME time, UINT size) {
    std::int64_t result = MMSYSERR_INVALPARAM;
    if (vorn::platform::ShouldFail("timeGetSystemTime", nullptr, &result))
        return static_cast<MMRESULT>(result);
    if (!time || size != sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
    time->wType = TIME_MS;
    time->u.ms = vorn::platform::MillisecondClock();
    return TIMERR_NOERROR;
}
