// Event translation: the host's events become queued window messages; the held-key
// table and the application's activation follow them.
#include <SDL.h>

#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "platform/host/host.h"
#include "platform/host/host_internal.h"
#include "platform/host/window_registry.h"
#include "platform/user/message_queue.h"
#include "platform/user/user.h"

namespace vorn::host {

bool detail::g_appActive = true;

namespace {

std::uint8_t g_keys[SDL_NUM_SCANCODES];
unsigned long g_windowChanges = 0;

std::set<std::uint32_t> g_focused;  // host window ids that have the input focus

std::mutex g_tasksLock;
std::vector<std::function<void()>> g_tasks;

WPARAM VirtualKey(const SDL_Keysym& key) {
    const SDL_Keycode code = key.sym;
    if (code >= 'a' && code <= 'z') return static_cast<WPARAM>(code - 'a' + 'A');
    if (code >= '0' && code <= '9') return static_cast<WPARAM>(code);
    if (code >= SDLK_F1 && code <= SDLK_F12) return VK_F1 + static_cast<WPARAM>(code - SDLK_F1);
    if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (code - SDLK_KP_1);
    switch (code) {
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
    }
}

void TranslateKey(const SDL_KeyboardEvent& event) {
    const bool down = event.type == SDL_KEYDOWN;
    const auto scancode = static_cast<unsigned>(event.keysym.scancode);
    if (scancode < SDL_NUM_SCANCODES) g_keys[scancode] = down && detail::g_appActive ? 1 : 0;
    HWND window = WindowOfSdlId(event.windowID);
    if (!window) {
        const auto all = AllWindows();
        if (all.empty()) return;
        window = all.front();
    }
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    // Repeat count 1; bit 30: the key was down before; bit 31: it is being released.
    LPARAM flags = 1 | (static_cast<LPARAM>(scancode & 0xFF) << 16);
    if (event.repeat || !down) flags |= LPARAM{1} << 30;
    if (!down) flags |= LPARAM{1} << 31;
    const UINT message =
        alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    platform::Enqueue(window, message, VirtualKey(event.keysym), flags);
}

void TranslateWindowEvent(const SDL_WindowEvent& event, bool& focusChanged) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
        case SDL_WINDOWEVENT_MOVED:
            break;
        default:
            ++g_windowChanges;
            break;
    }
    const HWND window = WindowOfSdlId(event.windowID);
    if (!window) return;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            platform::Enqueue(window, WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (!platform::HasQueued(window, WM_PAINT)) platform::Enqueue(window, WM_PAINT, 0, 0);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_RESTORED: {
            int w = 0, h = 0;
            SDL_GetWindowSize(SdlWindowOf(window), &w, &h);
            const WPARAM kind = event.event == SDL_WINDOWEVENT_MAXIMIZED   ? SIZE_MAXIMIZED
                                : event.event == SDL_WINDOWEVENT_MINIMIZED ? SIZE_MINIMIZED
                                                                           : SIZE_RESTORED;
            platform::Enqueue(window, WM_SIZE, kind,
                              static_cast<LPARAM>((w & 0xFFFF) | ((h & 0xFFFF) << 16)));
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            g_focused.insert(event.windowID);
            focusChanged = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            g_focused.erase(event.windowID);
            focusChanged = true;
            break;
        default:
            break;
    }
}

void RunTasks() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard guard(g_tasksLock);
        tasks.swap(g_tasks);
    }
    for (auto& task : tasks) task();
}

}  // namespace

void SetAppActive(bool active) {
    if (active == detail::g_appActive) return;
    detail::g_appActive = active;
    if (!active) std::memset(g_keys, 0, sizeof g_keys);
    for (HWND window : AllWindows()) platform::Enqueue(window, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void RunOnMainThread(std::function<void()> task) {
    {
        std::lock_guard guard(g_tasksLock);
        g_tasks.push_back(std::move(task));
    }
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event wake{};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent(&wake);
    }
}

void PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    RunTasks();
    bool focusChanged = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                TranslateKey(event.key);
                break;
            case SDL_WINDOWEVENT:
                TranslateWindowEvent(event.window, focusChanged);
                break;
            case SDL_QUIT:
                // An interrupt or the session ending: close every window the usual way.
                for (HWND window : AllWindows()) platform::Enqueue(window, WM_CLOSE, 0, 0);
                break;
            default:
                break;
        }
    }
    // Focus moving between two windows of this process arrives as a loss and a gain in
    // one batch; only the balance changes the application's activation.
    if (focusChanged) {
        // A window destroyed while it had the focus leaves without a focus event.
        std::erase_if(g_focused, [](std::uint32_t id) { return !WindowOfSdlId(id); });
        SetAppActive(!g_focused.empty());
    }
    CheckDeadlines();
}

const std::uint8_t* KeyboardState() { return g_keys; }

unsigned long WindowChangeCount() { return g_windowChanges; }

}  // namespace vorn::host
