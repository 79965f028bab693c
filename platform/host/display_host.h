// Host glue of the display services: the desktop's mode and full-screen windows.
// Internal to the platform layer.
#pragma once

#include "platform/base/types.h"

namespace vorn::host {

struct DesktopMode {
    int width = 0;
    int height = 0;
    int bits = 32;  // 8, 16, 24 or 32
};

// The desktop's size (the host display's, 1024 x 768 without one) and format (32 bits
// unless a test chose another).
DesktopMode GetDesktopMode();

// Makes the window cover the host screen, or gives it back its window size.
void SetWindowFullscreen(HWND window, bool fullscreen);

}  // namespace vorn::host
