// Testing controls of the display services: the desktop's format and size, losing
// every surface on demand, and the image last shown in a window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/types.h"

struct IDirectDraw;
struct IDirectDrawSurface;

namespace vorn::testing {

// The desktop a test wants: bits 8, 16, 24 or 32, and a size; zeros keep the host's
// (32 bits and the host display's size). Takes effect for primaries made afterwards.
struct DesktopFormat {
    int bits = 0;
    int width = 0;
    int height = 0;
};
void SetDesktopFormat(const DesktopFormat& format);

// Makes every surface lost, as leaving exclusive full screen does.
void LoseAllSurfaces();

// The image last shown in a window: 0x00RRGGBB pixels, rows packed. In window mode the
// client area; in full screen the display mode's image before scaling.
struct PresentedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// False when nothing was shown in the window yet, or when the frame was shown straight
// in the window's surface and the window has made a new one since (a change of size).
bool LastPresentedImage(HWND window, PresentedImage* image);

// The scene of plane, blit and loader tests, which need no window: a software display
// object on a desktop of the depth (8, 16, 24 or 32 bits), at the normal level, and an
// off-screen surface of the size in the screen's format to draw frames into. Returns
// DD_OK or the first failure; the caller releases both objects.
HRESULT OpenOffscreenDisplay(int bits, int width, int height, IDirectDraw** display,
                             IDirectDrawSurface** secondary);

}  // namespace vorn::testing
