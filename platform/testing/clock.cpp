// The virtual clock and the timer-capability override.
#include "platform/testing/clock.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

struct ClockState {
    std::mutex lock;  // the clock is read from the sound and timer threads too
    DWORD now = 0;
    DWORD readStep = 0;
    DWORD oversleep = 0;
    int oversleepTimes = 0;
    std::vector<DWORD> sleeps;
    bool fixedLocalTime = false;
    SYSTEMTIME localTime{};
    bool capsOverridden = false;
    TIMECAPS caps{};
    std::vector<UINT> periods;
};

ClockState& State() {
    static ClockState* state = new ClockState;  // read by static objects at exit too
    return *state;
}

// Checked without the lock, so that the host clock stays a cheap read.
std::atomic<bool> g_virtual{false};

}  // namespace

namespace vorn::testing {

void UseVirtualClock(DWORD startMs) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.now = startMs;
    state.readStep = 0;
    state.oversleep = 0;
    state.oversleepTimes = 0;
    state.sleeps.clear();
    g_virtual = true;
}

void UseRealClock() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.fixedLocalTime = false;
    g_virtual = false;
}

void AdvanceClock(DWORD ms) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.now += ms;
}

DWORD VirtualTime() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    return state.now;
}

void SetClockReadStep(DWORD stepMs) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.readStep = stepMs;
}

void SetOversleep(DWORD extraMs, int times) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.oversleep = extraMs;
    state.oversleepTimes = times;
}

std::vector<DWORD> SleepCalls() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    return state.sleeps;
}

void FixLocalTime(const SYSTEMTIME& time) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.localTime = time;
    state.fixedLocalTime = true;
}

void SetTimerCaps(UINT minPeriod, UINT maxPeriod) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.caps = {minPeriod, maxPeriod};
    state.capsOverridden = true;
}

void ResetTimerCaps() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.capsOverridden = false;
}

std::vector<UINT> ActiveTimerPeriods() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    return state.periods;
}

}  // namespace vorn::testing

namespace vorn::platform {

bool ReadVirtualClock(DWORD& now) {
    if (!g_virtual.load(std::memory_order_relaxed)) return false;
    auto& state = State();
    std::lock_guard guard(state.lock);
    now = state.now;
    state.now += state.readStep;
    return true;
}

bool SleepOnVirtualClock(DWORD ms) {
    if (!g_virtual.load(std::memory_order_relaxed)) return false;
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.sleeps.push_back(ms);
    state.now += ms;
    if (state.oversleepTimes != 0) {
        state.now += state.oversleep;
        if (state.oversleepTimes > 0) --state.oversleepTimes;
    }
    return true;
}

bool VirtualLocalTime(SYSTEMTIME& time) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    if (state.fixedLocalTime) time = state.localTime;
    return state.fixedLocalTime;
}

bool TimerCapsOverride(TIMECAPS& caps) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    if (state.capsOverridden) caps = state.caps;
    return state.capsOverridden;
}

void AddTimerPeriod(UINT period) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    state.periods.push_back(period);
}

bool RemoveTimerPeriod(UINT period) {
    auto& state = State();
    std::lock_guard guard(state.lock);
    auto it = std::find(state.periods.begin(), state.periods.end(), period);
    if (it == state.periods.end()) return false;
    state.periods.erase(it);
    return true;
}

bool AnyTimerPeriod() {
    auto& state = State();
    std::lock_guard guard(state.lock);
    return !state.periods.empty();
}

}  // namespace vorn::platform
