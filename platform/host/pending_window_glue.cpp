// Stand-ins for the window service's host glue while it is being written elsewhere:
// weak, so the real definitions replace them. Removed when the window service lands.
#include "platform/host/display_host.h"
#include "platform/host/host.h"
#include "platform/user/user.h"

#define VORN_WEAK __attribute__((weak))

namespace vorn::host {
VORN_WEAK SDL_Window* SdlWindowOf(HWND) { return nullptr; }
VORN_WEAK bool IsHeadless() { return true; }
VORN_WEAK void FramePresented(HWND, const void*, int, int, int) {}
VORN_WEAK bool AppActive() { return true; }
}  // namespace vorn::host

VORN_WEAK BOOL GetClientRect(HWND, LPRECT) { return FALSE; }
VORN_WEAK BOOL ClientToScreen(HWND, LPPOINT) { return FALSE; }
