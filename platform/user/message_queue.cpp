// The message queue: posted messages and translated host events in one FIFO, read by
// PeekMessageA and GetMessageA, delivered by DispatchMessageA and SendMessageA.
#include "platform/user/message_queue.h"

#include <SDL.h>

#include <deque>
#include <mutex>

#include "platform/host/host.h"
#include "platform/host/window_registry.h"
#include "platform/testing/faults.h"
#include "platform/user/user.h"

namespace vorn::platform {
namespace {

struct Queue {
    std::mutex lock;  // PostMessageA may come from any thread
    std::deque<MSG> messages;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    // A window filter leaves out thread messages (WM_QUIT) as well as other windows.
    if (window && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

bool Take(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    auto& queue = TheQueue();
    std::lock_guard guard(queue.lock);
    for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax)) continue;
        if (msg) *msg = *it;
        if (remove) queue.messages.erase(it);
        return true;
    }
    return false;
}

}  // namespace

void Enqueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) ? SDL_GetTicks() : 0;
    {
        auto& queue = TheQueue();
        std::lock_guard guard(queue.lock);
        queue.messages.push_back(msg);
    }
    // Wakes a GetMessageA that waits for host events.
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event wake{};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent(&wake);
    }
}

void PurgeMessages(HWND window) {
    auto& queue = TheQueue();
    std::lock_guard guard(queue.lock);
    std::erase_if(queue.messages, [window](const MSG& msg) { return msg.hwnd == window; });
}

bool HasQueued(HWND window, UINT message) {
    auto& queue = TheQueue();
    std::lock_guard guard(queue.lock);
    for (const MSG& msg : queue.messages)
        if (msg.hwnd == window && msg.message == message) return true;
    return false;
}

}  // namespace vorn::platform

using namespace vorn::platform;

BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    vorn::host::PumpEvents();
    return Take(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!msg) return -1;
    if (!vorn::host::EnsureVideo()) return -1;
    for (;;) {
        vorn::host::PumpEvents();
        if (Take(msg, window, filterMin, filterMax, true)) return msg->message == WM_QUIT ? 0 : 1;
        // Host events and posted messages (which push a wake-up event) both end the
        // wait; the timeout keeps the --seconds deadline and the directory's requests
        // moving while nothing happens.
        SDL_WaitEventTimeout(nullptr, 50);
    }
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ShouldFail("PostMessageA", window)) return FALSE;
    if (window && !vorn::host::FindWindowRecord(window)) return FALSE;
    Enqueue(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) { Enqueue(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = vorn::host::FindWindowRecord(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(window, message, wParam, lParam);
}

BOOL TranslateMessage(const MSG* msg) {
    // Character messages are not produced on this host: games read keys, not text.
    return msg && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
