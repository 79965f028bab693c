// The pixel loops of fills and copies, for every pixel size. Rectangles are already
// checked against both surfaces. Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/base/types.h"
#include "platform/ddraw/keyed_copy.h"

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
// Inline: this is the sprite path, thousands of calls a frame, straight into the loop.
inline void CopyPixelsKeyed(const PixelView& dest, int x, int y, const PixelView& source,
                            const RECT& sourceRect, std::uint32_t key) {
    const int count = sourceRect.right - sourceRect.left;
    const int rows = sourceRect.bottom - sourceRect.top;
    if (count <= 0 || rows <= 0) return;
    CopyKeyed(dest.bytes, dest.At(x, y), dest.pitch, source.At(sourceRect.left, sourceRect.top),
              source.pitch, count, rows, key, dest.bits == source.bits);
}

// Scales the source rectangle onto the destination rectangle (nearest pixel), drawing
// only the part of it inside `clip`. `keyed` skips source pixels equal to `key`.
void StretchPixels(const PixelView& dest, const RECT& destRect, const RECT& clip,
                   const PixelView& source, const RECT& sourceRect, bool keyed, std::uint32_t key);

}  // namespace vorn::platform
