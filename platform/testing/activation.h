// Testing controls of the window service: the application's activation, injected
// messages and keys, and the count of presented frames. They take the same paths as
// the host's own events, so the code under test cannot tell them apart.
#pragma once

#include <cstdint>

#include "platform/base/types.h"

namespace vorn::testing {

// The application loses or regains the focus: WM_ACTIVATEAPP (0 or 1) is queued for
// every window, exactly as a focus change of the host would queue it. Nothing happens
// when the activation does not change.
void SimulateDeactivation();
void SimulateActivation();

// Queues a message as if the host had produced it.
void InjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Presses or releases a key (an SDL scancode) in the focused window (or the first
// window): the host's key event is queued and translated like a real key.
void InjectKey(int scancode, bool pressed);

// How many frames the windows of this process have presented.
long PresentedFrames();

}  // namespace vorn::testing
