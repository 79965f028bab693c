// Testing controls of the window service (see activation.h).
#include "platform/testing/activation.h"

#include <SDL.h>

#include "platform/host/host.h"
#include "platform/host/host_internal.h"
#include "platform/host/window_registry.h"
#include "platform/user/message_queue.h"

namespace vorn::testing {

void SimulateDeactivation() { host::SetAppActive(false); }

void SimulateActivation() { host::SetAppActive(true); }

void InjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    platform::Enqueue(window, message, wParam, lParam);
}

void InjectKey(int scancode, bool pressed) {
    if (!host::EnsureVideo()) return;
    SDL_Event event{};
    event.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    const auto windows = host::AllWindows();
    SDL_Window* focus = SDL_GetKeyboardFocus();
    if (!focus && !windows.empty()) focus = host::SdlWindowOf(windows.front());
    event.key.windowID = focus ? SDL_GetWindowID(focus) : 0;
    SDL_PushEvent(&event);
}

long PresentedFrames() { return host::PresentedFrameCount(); }

}  // namespace vorn::testing
