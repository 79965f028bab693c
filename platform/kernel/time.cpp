// Sleeping, the tick count and the local time.
#include <sched.h>

#include <cerrno>
#include <ctime>

#include "platform/kernel/kernel.h"
#include "platform/kernel/millisecond_clock.h"
#include "platform/testing/clock.h"

namespace vorn::platform {

DWORD MillisecondClock() {
    DWORD now;
    if (ReadVirtualClock(now)) return now;
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

}  // namespace vorn::platform

void Sleep(DWORD milliseconds) {
    if (vorn::platform::SleepOnVirtualClock(milliseconds)) return;
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec rest{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &rest, &rest) == EINTR) {
    }
}

DWORD GetTickCount() { return vorn::platform::MillisecondClock(); }

void GetLocalTime(LPSYSTEMTIME time) {
    if (!time || vorn::platform::VirtualLocalTime(*time)) return;
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    time->wYear = static_cast<WORD>(local.tm_year + 1900);
    time->wMonth = static_cast<WORD>(local.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time->wDay = static_cast<WORD>(local.tm_mday);
    time->wHour = static_cast<WORD>(local.tm_hour);
    time->wMinute = static_cast<WORD>(local.tm_min);
    time->wSecond = static_cast<WORD>(local.tm_sec);
    time->wMilliseconds = static_cast<WORD>(ts.tv_nsec / 1000000);
}
