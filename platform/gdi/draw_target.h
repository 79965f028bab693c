// Where a device context draws: pixels, format, palette, the clip rectangle and the
// offset of its coordinates. Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/ddraw/pixel_format.h"
#include "platform/gdi/device_context.h"

namespace vorn::platform {

struct DrawTarget {
    std::uint8_t* bits = nullptr;
    int pitch = 0;
    PixelFormat format;
    const XrgbPalette* palette = nullptr;  // the colours of 8-bit pixels
    POINT origin{0, 0};                    // added to the context's coordinates
    RECT clip{0, 0, 0, 0};                 // in target pixels; drawing stays inside

    std::uint8_t* At(int x, int y) const {
        return bits + static_cast<long>(y) * pitch + x * format.BytesPerPixel();
    }
};

// The target of a device context; false when it has nothing to draw into (a window
// without a client area, a lost surface).
bool TargetOf(const DeviceContext& context, DrawTarget* target);

// The pixel value of a colour on the target: an RGB colour is matched (the nearest
// palette entry on 8 bits); a palette index (top byte 1) is taken as it is.
std::uint32_t PixelOfColor(const DrawTarget& target, COLORREF color);

// Shows what was drawn into a window or the screen (called when its context is released).
void ShowDrawing(const DeviceContext& context);

}  // namespace vorn::platform
