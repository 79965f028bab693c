// What the host glue's parts share among themselves and with the window and kernel
// services.
// Internal to the platform layer.
#pragma once

#include <functional>

#include "platform/base/types.h"

struct SDL_Surface;

namespace vorn::host {

// Changes the application's activation: on a change, every window of the process gets
// WM_ACTIVATEAPP (wParam 1 active, 0 inactive) and, on deactivation, every held key is
// released. Focus events, SetForegroundWindow and the testing controls all come here.
void SetAppActive(bool active);

// Runs a task on the main thread at its next event pump (for the window directory's
// thread, which answers other processes).
void RunOnMainThread(std::function<void()> task);

// Posts WM_CLOSE to the game window once the --seconds deadline has passed.
void CheckDeadlines();

// A frame shown from a window surface (the blank client area of a window before any
// display device draws): counted and, for --screenshot, kept like FramePresented.
void SurfacePresented(HWND window, SDL_Surface* surface);

// How many frames were presented since the start.
long PresentedFrameCount();

// The user's folder for the window directory and named mutexes:
// $XDG_RUNTIME_DIR/vorn, else /tmp/vorn-UID, created 0700 when missing, without a
// trailing slash. Null when it is not a folder of this user closed to others.
const char* RuntimeFolder();

}  // namespace vorn::host
