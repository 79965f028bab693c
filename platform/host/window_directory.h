// The per-user directory of windows: lets FindWindowA reach the windows of this user's
// other programs, and ShowWindow and SetForegroundWindow act on them.
//
// Each process with a window listens on a unix socket in the user's runtime folder
// ($XDG_RUNTIME_DIR/vorn, else /tmp/vorn-UID). A thread answers lookups by caption and
// hands show and raise requests to the main thread. A window of another process is
// known here by a proxy handle. Internal to the platform layer.
#pragma once

#include "platform/base/types.h"

namespace vorn::host {

// Starts listening (once per process; called when the first window is created).
void StartWindowDirectory();

// Asks every other process of this user for a window with the caption (and class,
// when not null); returns a proxy handle for the first found, or null.
HWND FindRemoteWindow(const char* className, const char* caption);

// When the handle is a proxy: asks its process to show the window with the command
// (ShowWindow) and stores the answer in *result; returns false for any other handle.
bool RemoteShowWindow(HWND window, int command, BOOL* result);

// When the handle is a proxy: asks its process to bring the window to the front and
// activate itself; returns false for any other handle.
bool RemoteSetForeground(HWND window, BOOL* result);

}  // namespace vorn::host
