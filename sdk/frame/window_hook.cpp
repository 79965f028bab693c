// The process-wide window hook list and the game window's procedure.
#include "frame/window_hook.h"

#include <algorithm>
#include <vector>

namespace {

struct HookEntry {
    HWND window;
    CWindowHook* hook;  // null once removed during a walk
};

struct HookList {
    std::vector<HookEntry> entries;
    int walking = 0;  // nesting depth of GameWndProc walks

    // Entries removed during a walk are only blanked, so that the walk's index stays
    // right; they are swept out when the outermost walk ends.
    void Sweep() {
        std::erase_if(entries, [](const HookEntry& entry) { return entry.hook == nullptr; });
    }
};

HookList& Hooks() {
    // Made on first use, by the first hook's constructor, so that it outlives every
    // hook with static storage (the frame).
    static HookList list;
    return list;
}

}  // namespace

CWindowHook::CWindowHook() { Hooks(); }

CWindowHook::~CWindowHook() { RemoveHook(); }

void CWindowHook::AddHook(HWND window) {
    Hooks().entries.push_back(HookEntry{window, this});
    m_hHookWnd = window;
}

void CWindowHook::RemoveHook() {
    HookList& list = Hooks();
    for (HookEntry& entry : list.entries)
        if (entry.hook == this) entry.hook = nullptr;
    if (list.walking == 0) list.Sweep();
}

LRESULT GameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HookList& list = Hooks();
    ++list.walking;
    LRESULT result = 0;
    // Indexes, not iterators: a hook may add or remove entries while it runs.
    for (std::size_t i = 0; i < list.entries.size() && result == 0; ++i) {
        const HookEntry entry = list.entries[i];
        if (entry.hook && entry.window == window)
            result = entry.hook->OnMessage(window, message, wParam, lParam);
    }
    if (--list.walking == 0) list.Sweep();
    return result != 0 ? result : DefWindowProcA(window, message, wParam, lParam);
}
