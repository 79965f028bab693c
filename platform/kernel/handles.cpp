// The kernel's handle table and CloseHandle.
#include "platform/kernel/handles.h"

#include <mutex>
#include <unordered_map>

#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace vorn::platform {
namespace {

struct HandleTable {
    std::mutex lock;  // handles may be used from the sound and timer threads too
    std::unordered_map<HANDLE, std::unique_ptr<KernelObject>> objects;
};

HandleTable& Table() {
    static HandleTable* table = new HandleTable;  // outlives static objects that close handles
    return *table;
}

}  // namespace

HANDLE AddHandle(std::unique_ptr<KernelObject> object) {
    HANDLE handle = object.get();
    auto& table = Table();
    std::lock_guard guard(table.lock);
    table.objects.emplace(handle, std::move(object));
    return handle;
}

KernelObject* FindHandle(HANDLE handle) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    auto it = table.objects.find(handle);
    return it == table.objects.end() ? nullptr : it->second.get();
}

bool RemoveHandle(HANDLE handle) {
    std::unique_ptr<KernelObject> object;
    {
        auto& table = Table();
        std::lock_guard guard(table.lock);
        auto it = table.objects.find(handle);
        if (it == table.objects.end()) return false;
        object = std::move(it->second);
        table.objects.erase(it);
    }
    return object->Close();
}

}  // namespace vorn::platform

BOOL CloseHandle(HANDLE object) {
    // An injected failure still releases the handle, as a failing close does on the host.
    const bool injected = vorn::platform::ShouldFail("CloseHandle", object);
    if (!vorn::platform::FindHandle(object)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const bool closed = vorn::platform::RemoveHandle(object);
    if (injected || !closed) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
