// The pixel loops of fills and copies, for every pixel size. Rectangles are already
// checked against both surfaces. Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/base/types.h"

namespace vorn::platform {

struct PixelView {
    std::uint8_t* bits;
    int pitch;
    int bytes;  // per pixel: 1, 2, 3 or 4
    std::uint8_t* At(int x, int y) const { return bits + static_cast<long>(y) * pitch + x * bytes; }
};

void FillPixels(const PixelView& dest, const RECT& rect, std::uint32_t value);

// Copies the source rectangle to (x, y); overlapping rectangles of one surface copy as
// if through a temporary. With a key, source pixels equal to it are skipped.
void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source,
                const RECT& sourceRect);
void CopyPixelsKeyed(const PixelView& dest, int x, int y, const PixelView& source,
                     const RECT& sourceRect, std::uint32_t key);

// Scales the source rectangle onto the destination rectangle (nearest pixel), drawing
// only the part of it inside `clip`. `keyed` skips source pixels equal to `key`.
void StretchPixels(const PixelView& dest, const RECT& destRect, const RECT& clip,
                   const PixelView& source, const RECT& sourceRect, bool keyed, std::uint32_t key);

}  // namespace vorn::platform
