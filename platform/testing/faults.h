// Fault injection: makes a named platform operation fail, so that tests reach the
// failure paths of the SDK through the real layer.
//
// Operations are named as they are declared ("CreateFileA", "timeGetDevCaps",
// "IDirectDrawSurface::Lock", ...). A fault counts the calls that match it (the
// operation, and the object when one is given) and makes the calls from its Nth on
// fail, for a number of calls or always; the failing call returns the fault's result
// (or the operation's usual failure value when the fault gives none).
#pragma once

#include <atomic>
#include <cstdint>

namespace vorn::testing {

inline constexpr int kAlways = -1;

struct Fault {
    const char* operation = "";    // the operation's name
    const void* object = nullptr;  // only calls on this object (a handle, a surface); null: any
    int fromCall = 1;              // the first failing call, counting matching calls from 1
    int times = 1;                 // how many calls fail from there, or kAlways
    bool hasResult = false;        // whether `result` replaces the usual failure value
    std::int64_t result = 0;       // the result the failing call returns
};

// Adds a fault; it counts calls from now on.
void InjectFault(const Fault& fault);

// Shorthand: the next call of the operation fails once.
void FailNext(const char* operation);

// Shorthand: every call of the operation fails until the faults are cleared.
void FailAlways(const char* operation, const void* object = nullptr);

// Removes every fault and resets the call counters.
void ClearFaults();

// How many times the operation was called since the last ClearFaults.
int CallCount(const char* operation);

}  // namespace vorn::testing

namespace vorn::platform {

namespace detail {
// Set once a test installs a fault or asks for call counts. Read inline so that an
// operation on a hot path (a sprite blit) pays one load and one predictable branch,
// not a call, when no test is watching.
extern std::atomic<bool> g_faultsEnabled;
bool ShouldFailCounted(const char* operation, const void* object, std::int64_t* result);
}  // namespace detail

// Called at the top of each operation that can fail: counts the call, and tells
// whether it must fail now. When it must and the fault carries a result, *result is
// set to it. Cheap when no fault is installed.
inline bool ShouldFail(const char* operation, const void* object = nullptr,
                       std::int64_t* result = nullptr) {
    if (!detail::g_faultsEnabled.load(std::memory_order_relaxed)) return false;
    return detail::ShouldFailCounted(operation, object, result);
}

}  // namespace vorn::platform
