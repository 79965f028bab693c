// The process's one message queue. Internal to the platform layer: the host's event
// translation and the testing controls append to it; user.h's queue operations read it.
#pragma once

#include "platform/base/types.h"

namespace vorn::platform {

// Appends a message (any thread) and wakes a GetMessageA that waits.
void Enqueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Drops every queued message of a window that is being destroyed.
void PurgeMessages(HWND window);

// Whether a WM_PAINT for the window is waiting (so that exposes do not pile up).
bool HasQueued(HWND window, UINT message);

}  // namespace vorn::platform
