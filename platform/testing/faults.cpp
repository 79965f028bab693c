#include "platform/testing/faults.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

struct ActiveFault {
    vorn::testing::Fault fault;
    std::string operation;  // owned copy of fault.operation
    int matched = 0;
};

struct FaultTable {
    std::mutex lock;  // faults may be hit from the audio and timer threads too
    std::vector<ActiveFault> faults;
    // Looked up by the operation's name without making a string of it, so that counting
    // a call allocates nothing once the operation has been seen (tests check that hot
    // paths allocate nothing per frame).
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> calls;
};

FaultTable& Table() {
    // Never destroyed: operations run from the destructors of static objects (the
    // frame's) after a table built later than them would be gone.
    static FaultTable* table = new FaultTable;
    return *table;
}

}  // namespace

namespace vorn::platform::detail {
// No fault and no counting wanted keeps every operation lock-free.
std::atomic<bool> g_faultsEnabled{false};
}  // namespace vorn::platform::detail

namespace vorn::testing {

void InjectFault(const Fault& fault) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    ActiveFault active{fault, fault.operation ? fault.operation : "", 0};
    active.fault.operation = nullptr;
    table.faults.push_back(std::move(active));
    vorn::platform::detail::g_faultsEnabled = true;
}

void FailNext(const char* operation) {
    Fault fault;
    fault.operation = operation;
    InjectFault(fault);
}

void FailAlways(const char* operation, const void* object) {
    Fault fault;
    fault.operation = operation;
    fault.object = object;
    fault.times = kAlways;
    InjectFault(fault);
}

void ClearFaults() {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    table.faults.clear();
    table.calls.clear();
    vorn::platform::detail::g_faultsEnabled = true;  // keep counting calls from now on
}

int CallCount(const char* operation) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    auto it = table.calls.find(operation);
    return it == table.calls.end() ? 0 : it->second;
}

}  // namespace vorn::testing

namespace vorn::platform {

bool detail::ShouldFailCounted(const char* operation, const void* object, std::int64_t* result) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    if (auto it = table.calls.find(std::string_view(operation)); it != table.calls.end())
        ++it->second;
    else
        table.calls.emplace(operation, 1);
    for (auto& active : table.faults) {
        if (active.operation != operation) continue;
        if (active.fault.object && active.fault.object != object) continue;
        const int call = ++active.matched;
        if (call < active.fault.fromCall) continue;
        const auto& f = active.fault;
        if (f.times != testing::kAlways && call >= f.fromCall + f.times) continue;
        if (f.hasResult && result) *result = f.result;
        return true;
    }
    return false;
}

}  // namespace vorn::platform
