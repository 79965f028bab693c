// The input-method switch: a window's input context, and the host's text input
// turned off while no context is associated.
#include <SDL.h>

#include <vector>

#include "platform/gdi/gdi.h"

namespace {
struct Association {
    HWND window;
    HIMC context;
};
std::vector<Association> g_associations;  // windows whose context was changed
}  // namespace

HIMC ImmAssociateContext(HWND window, HIMC context) {
    // Every window starts with a context of its own, named after the window.
    HIMC previous = reinterpret_cast<HIMC>(window);
    bool found = false;
    for (Association& a : g_associations)
        if (a.window == window) {
            previous = a.context;
            a.context = context;
            found = true;
        }
    if (!found) g_associations.push_back({window, context});
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        if (context)
            SDL_StartTextInput();
        else
            SDL_StopTextInput();
    }
    return previous;
}
