// Frame pacing on the real clock: CFPSTimer at 60 frames per second against the obvious
// alternative, a loop that sleeps until each deadline with clock_nanosleep. For each:
// the mean frame period, the median, 99th percentile and largest deviation of the
// frame ends from an ideal 60 Hz schedule, and the processor time per frame.
//
//   bench_frame_pacing [SECONDS]   (default 5 for each method)
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "timing/fps_timer.h"
#include "timing/time_source.h"

namespace {

constexpr double kPeriodNs = 1e9 / 60;

std::int64_t Now(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return std::int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

struct Spread {
    double medianUs, p99Us, maxUs;
};

struct Result {
    double meanPeriodMs;
    Spread schedule;  // how far frame ends lie from the ideal 60 Hz schedule
    Spread period;    // how far single frame periods lie from 16.667 ms
    double cpuUsPerFrame;
};

// The median, 99th percentile and largest of the magnitudes, in microseconds.
Spread SpreadOf(std::vector<double> ns) {
    for (double& d : ns) d = std::fabs(d) / 1e3;
    std::sort(ns.begin(), ns.end());
    return {ns[ns.size() / 2], ns[ns.size() * 99 / 100], ns.back()};
}

// Runs `frames` frames of `wait` and measures when each one ends.
Result Measure(int frames, const std::function<void(int frame, std::int64_t start)>& wait) {
    std::vector<std::int64_t> ends(frames + 1);
    ends[0] = Now(CLOCK_MONOTONIC);
    const std::int64_t cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 1; i <= frames; ++i) {
        wait(i, ends[0]);
        ends[i] = Now(CLOCK_MONOTONIC);
    }
    const std::int64_t cpu = Now(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    // The schedule that best fits the first frame end: whole-millisecond pacing starts
    // at an arbitrary phase of its clock, which is not an error.
    std::vector<double> deviations, periods;
    double sum = 0;
    for (int i = 1; i <= frames; ++i) {
        deviations.push_back(static_cast<double>(ends[i] - ends[1]) - kPeriodNs * (i - 1));
        sum += deviations.back();
        periods.push_back(static_cast<double>(ends[i] - ends[i - 1]) - kPeriodNs);
    }
    for (double& d : deviations) d -= sum / frames;
    return {static_cast<double>(ends[frames] - ends[0]) / frames / 1e6, SpreadOf(deviations),
            SpreadOf(periods), static_cast<double>(cpu) / frames / 1e3};
}

void Print(const char* name, const Result& r) {
    std::printf("%-22s %8.3f ms %8.1f %8.1f %8.1f   %8.1f %8.1f %8.1f   %8.1f us\n", name,
                r.meanPeriodMs, r.schedule.medianUs, r.schedule.p99Us, r.schedule.maxUs,
                r.period.medianUs, r.period.p99Us, r.period.maxUs, r.cpuUsPerFrame);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int frames = std::max(2, static_cast<int>(seconds * 60));
    BeginTimerPeriod();

    CFPSTimer timer;
    timer.SetFPS(60);
    timer.WaitFrame();  // start on a frame boundary
    const Result paced = Measure(frames, [&](int, std::int64_t) { timer.WaitFrame(); });

    const Result slept = Measure(frames, [](int frame, std::int64_t start) {
        const std::int64_t deadline = start + static_cast<std::int64_t>(kPeriodNs * frame);
        const timespec at{static_cast<time_t>(deadline / 1000000000),
                          static_cast<long>(deadline % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) != 0) {
        }
    });
    EndTimerPeriod();

    std::printf("%d frames at 60 fps each (ideal period 16.667 ms); deviations in us\n", frames);
    std::printf("%-22s %11s   %-26s   %-26s   %11s\n", "method", "mean period",
                "from schedule: med p99 max", "of period: med p99 max", "cpu/frame");
    Print("CFPSTimer::WaitFrame", paced);
    Print("clock_nanosleep loop", slept);
    std::printf(
        "schedule deviation ratio (CFPSTimer / clock_nanosleep): median %.2f, p99 %.2f, "
        "max %.2f\n",
        paced.schedule.medianUs / slept.schedule.medianUs,
        paced.schedule.p99Us / slept.schedule.p99Us, paced.schedule.maxUs / slept.schedule.maxUs);
    return 0;
}
