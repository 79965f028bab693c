// Fills and copies. The keyed copy, the hot path of sprite drawing, is keyed_copy.cpp.
#include "platform/ddraw/blit.h"

#include <cstring>

#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

void FillPixels(const PixelView& dest, const RECT& rect, std::uint32_t value) {
    const int count = rect.right - rect.left;
    if (count <= 0) return;
    void (*fill)(std::uint8_t*, int, std::uint32_t) = dest.bytes == 1   ? FillRow<1>
                                                      : dest.bytes == 2 ? FillRow<2>
                                                      : dest.bytes == 3 ? FillRow<3>
                                                                        : FillRow<4>;
    for (int y = rect.top; y < rect.bottom; ++y) fill(dest.At(rect.left, y), count, value);
}

void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source,
                const RECT& sourceRect) {
    const int rowBytes = (sourceRect.right - sourceRect.left) * dest.bytes;
    const int rows = sourceRect.bottom - sourceRect.top;
    if (rowBytes <= 0 || rows <= 0) return;
    // Within one surface, a copy downwards walks the rows from the bottom up.
    const bool upwards = dest.bits == source.bits && y > sourceRect.top;
    for (int i = 0; i < rows; ++i) {
        const int row = upwards ? rows - 1 - i : i;
        std::memmove(dest.At(x, y + row), source.At(sourceRect.left, sourceRect.top + row),
                     rowBytes);
    }
}

void StretchPixels(const PixelView& dest, const RECT& destRect, const RECT& clip,
                   const PixelView& source, const RECT& sourceRect, bool keyed, std::uint32_t key) {
    const long dw = destRect.right - destRect.left, dh = destRect.bottom - destRect.top;
    const long sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const int bytes = dest.bytes;
    const std::uint32_t keyValue = bytes == 4 ? key : key & ((1u << (bytes * 8)) - 1);
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy = sourceRect.top + static_cast<int>((y - destRect.top) * sh / dh);
        for (int x = clip.left; x < clip.right; ++x) {
            const int sx = sourceRect.left + static_cast<int>((x - destRect.left) * sw / dw);
            const std::uint32_t v = ReadPixel(source.At(sx, sy), bytes);
            if (!keyed || v != keyValue) WritePixel(dest.At(x, y), bytes, v);
        }
    }
}

}  // namespace vorn::platform
