// The registry of this process's windows (see window_registry.h).
#include "platform/host/window_registry.h"

#include <SDL.h>

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/host/host.h"

namespace vorn::host {
namespace {

struct Registry {
    std::mutex lock;
    std::map<HWND, std::unique_ptr<WindowRecord>> windows;  // handles grow: oldest first
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

HWND NewHandle() {
    // Small even numbers, far from any address, so that a handle is never mistaken for
    // a pointer and a stale handle finds nothing.
    static std::atomic<UINT_PTR> next{0x1000};
    return reinterpret_cast<HWND>(next.fetch_add(4));
}

void AddWindow(std::unique_ptr<WindowRecord> record) {
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    const HWND handle = record->handle;
    registry.windows[handle] = std::move(record);
}

WindowRecord* FindWindowRecord(HWND window) {
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(window);
    return it == registry.windows.end() ? nullptr : it->second.get();
}

void RemoveWindow(HWND window) {
    std::unique_ptr<WindowRecord> removed;
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    auto it = registry.windows.find(window);
    if (it == registry.windows.end()) return;
    removed = std::move(it->second);
    registry.windows.erase(it);
}

void SetCaption(WindowRecord& record, std::string caption) {
    std::lock_guard guard(TheRegistry().lock);
    record.caption = std::move(caption);
}

HWND FindLocalWindow(const char* className, const char* caption) {
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    for (const auto& [handle, record] : registry.windows) {
        if (caption && record->caption != caption) continue;
        if (className && record->className != className) continue;
        return handle;
    }
    return nullptr;
}

std::vector<HWND> AllWindows() {
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    std::vector<HWND> all;
    for (const auto& entry : registry.windows) all.push_back(entry.first);
    return all;
}

SDL_Window* SdlWindowOf(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record ? record->sdl : nullptr;
}

HWND WindowOfSdlId(std::uint32_t windowId) {
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    for (const auto& [handle, record] : registry.windows)
        if (record->sdl && SDL_GetWindowID(record->sdl) == windowId) return handle;
    return nullptr;
}

}  // namespace vorn::host
