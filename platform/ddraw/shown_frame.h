// What a window's surface shows, kept in the screen's own pixels, so that presenting the
// next frame converts and writes only the groups of eight pixels that changed. Most of a
// game's frame is the same as the last one (a cleared or still background, a panel);
// leaving it alone saves the conversion and, more, keeps megabytes of window memory
// from passing through the caches the game's own data lives in. Internal to the
// platform layer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

// Where a frame is converted to: 0x00RRGGBB rows `pitch` bytes apart, and the number
// of host window changes (host::WindowChangeCount) when it was obtained, since a
// window's surface may be made anew at the same address after a change.
struct ShownTarget {
    std::uint8_t* pixels = nullptr;
    int pitch = 0;
    unsigned long windowChanges = 0;
};

class ShownFrame {
public:
    // Forgets what the target shows: the next frame is converted whole. Called when
    // anything else writes into the target.
    void Forget() { m_known = false; }

    // Converts `height` rows of `width` pixels (rows `sourcePitch` bytes apart) into the
    // target. Groups of eight pixels equal to those converted by the last call are left
    // as they are when that call had the same target, format, size and palette; every
    // other pixel is converted. After a frame in which more than half of the pixels
    // changed, the next frames are converted whole for a while, without keeping track.
    // Allocates only when the frame grows.
    void Convert(const PixelFormat& format, const std::uint8_t* source, int sourcePitch, int width,
                 int height, const XrgbPalette& palette, const ShownTarget& target);

private:
    bool Matches(const PixelFormat& format, int width, int height, const XrgbPalette& palette,
                 const ShownTarget& target) const;

    std::vector<std::uint8_t> m_pixels;  // the source rows last converted, packed
    PixelFormat m_format;
    int m_width = 0;
    int m_height = 0;
    XrgbPalette m_palette{};
    ShownTarget m_target;
    bool m_known = false;             // the target shows m_pixels
    int m_framesWithoutTracking = 0;  // frames left to convert whole
};

}  // namespace vorn::platform
