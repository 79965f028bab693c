// The pixel loops of fills and copies, for every pixel size. Rectangles are already
// checked against both surfaces. Internal to the platform layer.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/base/types.h"
#include "platform/ddraw/keyed_copy.h"
#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

template <int kBytes>
struct Pixel;
template <>
struct Pixel<1> {
    using Type = std::uint8_t;
};
template <>
struct Pixel<2> {
    using Type = std::uint16_t;
};
template <>
struct Pixel<4> {
    using Type = std::uint32_t;
};

// Sets `count` pixels of `kBytes` bytes from `row` on to `value` (its low bytes).
template <int kBytes>
inline void FillRow(std::uint8_t* row, int count, std::uint32_t value) {
    if constexpr (kBytes == 1) {
        if (count > 8) {
            std::memset(row, static_cast<int>(value & 0xFF), count);
        } else if (count >= 4) {
            // Short rows (the runs of a glyph) are stored in place, with two stores that
            // may overlap, rather than through a call.
            const std::uint32_t four = 0x01010101u * (value & 0xFF);
            std::memcpy(row, &four, 4);
            std::memcpy(row + count - 4, &four, 4);
        } else if (count >= 2) {
            const auto two = static_cast<std::uint16_t>(0x0101u * (value & 0xFF));
            std::memcpy(row, &two, 2);
            std::memcpy(row + count - 2, &two, 2);
        } else if (count == 1) {
            *row = static_cast<std::uint8_t>(value);
        }
    } else if constexpr (kBytes == 3) {
        for (int i = 0; i < count; ++i) WritePixel(row + 3 * i, 3, value);
    } else {
        using T = typename Pixel<kBytes>::Type;
        const T v = static_cast<T>(value);
        for (int i = 0; i < count; ++i) std::memcpy(row + i * kBytes, &v, kBytes);
    }
}

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
