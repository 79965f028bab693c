// Start-up of the host's video and events: once per process, on the first window or
// the program entry, whichever comes first.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/host.h"

namespace vorn::host {
namespace {

bool g_started = false;
bool g_headless = false;

bool HasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

bool InitWithDriver(const char* driver) {
    if (driver) SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

}  // namespace

bool EnsureVideo() {
    if (g_started) return true;
    // A driver named in the environment is the user's choice; otherwise the dummy driver
    // stands in wherever there is no screen to show windows on.
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    const bool userChose = chosen && *chosen;
    const char* driver = nullptr;
    if (!userChose && (GetOptions().headless || !HasDisplay())) driver = "dummy";
    if (!InitWithDriver(driver)) {
        // A display that cannot be reached (a stale DISPLAY) still lets the program run.
        std::fprintf(stderr, "video: %s; running headless\n", SDL_GetError());
        SDL_Quit();
        if (userChose || !InitWithDriver("dummy")) return false;
    }
    // Registered before the frame is built, so it runs after the frame's destructor: the
    // host's display mode and windows are put back as the process ends.
    std::atexit(SDL_Quit);
    const char* current = SDL_GetCurrentVideoDriver();
    g_headless = current && std::strcmp(current, "dummy") == 0;
    g_started = true;
    return true;
}

bool IsHeadless() { return !g_started || g_headless; }

}  // namespace vorn::host
