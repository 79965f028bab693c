// The desktop's mode and full-screen windows on SDL.
#include "platform/host/display_host.h"

#include <SDL.h>

#include "platform/host/host.h"
#include "platform/testing/display.h"

namespace vorn::host {

namespace {
testing::DesktopFormat g_chosen;  // zeros: the host's
}

DesktopMode GetDesktopMode() {
    DesktopMode mode{1024, 768, 32};
    SDL_DisplayMode display;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &display) == 0 &&
        display.w > 0 && display.h > 0) {
        mode.width = display.w;
        mode.height = display.h;
    }
    if (g_chosen.width > 0 && g_chosen.height > 0) {
        mode.width = g_chosen.width;
        mode.height = g_chosen.height;
    }
    if (g_chosen.bits) mode.bits = g_chosen.bits;
    return mode;
}

void SetWindowFullscreen(HWND window, bool fullscreen) {
    if (SDL_Window* sdl = SdlWindowOf(window))
        SDL_SetWindowFullscreen(sdl, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

}  // namespace vorn::host

namespace vorn::testing {

void SetDesktopFormat(const DesktopFormat& format) { host::g_chosen = format; }

}  // namespace vorn::testing
