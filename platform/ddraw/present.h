// Showing the screen's image in host windows. Internal to the platform layer.
#pragma once

#include "platform/base/types.h"

namespace vorn::platform {

class Surface;

// The client area of a window in screen coordinates; false when the window has none.
bool ClientAreaOnScreen(HWND window, RECT* area);

// Where an image of the given size is shown in an output of the given size: centred,
// aspect kept, scaled by the largest whole factor that fits, or shrunk to fit when
// even factor 1 does not.
RECT FitImage(int imageWidth, int imageHeight, int outputWidth, int outputHeight);

// Window mode: shows the window's client area of the desktop's image in the window.
// `wholeFrame` tells the host a frame was presented (a copy, not a colour fill of
// the borders around one).
void PresentWindowArea(HWND window, bool wholeFrame);
// Exclusive full screen: shows the whole front buffer in the exclusive window,
// scaled to fit with its aspect kept.
void PresentFullScreen(const Surface& front, bool wholeFrame);
// Frees what presentation keeps for a window; called before the window is destroyed.
void ForgetWindowPresenter(HWND window);

}  // namespace vorn::platform
