// Converting only the changed groups of eight pixels into a window's surface.
#include "platform/ddraw/shown_frame.h"

#include <cstring>

namespace vorn::platform {
namespace {

// One row: each group of eight pixels (8 * Bytes bytes) that differs from the shown one
// is converted and remembered; the last few pixels of an odd width always are.
template <int Bytes>
void ConvertChangedGroups(const PixelFormat& format, const std::uint8_t* source,
                          std::uint8_t* shown, int width, const XrgbPalette& palette,
                          std::uint32_t* dest) {
    constexpr int kGroupBytes = 8 * Bytes;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const std::uint8_t* group = source + x * Bytes;
        std::uint8_t* shownGroup = shown + x * Bytes;
        if (std::memcmp(group, shownGroup, kGroupBytes) == 0) continue;
        std::memcpy(shownGroup, group, kGroupBytes);
        if constexpr (Bytes == 1) {
            for (int k = 0; k < 8; ++k) dest[x + k] = palette[group[k]];
        } else {
            RowToXrgb(format, group, 8, palette, dest + x);
        }
    }
    if (x < width) {
        std::memcpy(shown + x * Bytes, source + x * Bytes, static_cast<size_t>(width - x) * Bytes);
        RowToXrgb(format, source + x * Bytes, width - x, palette, dest + x);
    }
}

}  // namespace

bool ShownFrame::Matches(const PixelFormat& format, int width, int height,
                         const XrgbPalette& palette, const ShownTarget& target) const {
    return m_known && format == m_format && width == m_width && height == m_height &&
           target.pixels == m_target.pixels && target.pitch == m_target.pitch &&
           target.windowChanges == m_target.windowChanges &&
           (format.bits != 8 || std::memcmp(palette, m_palette, sizeof m_palette) == 0);
}

void ShownFrame::Convert(const PixelFormat& format, const std::uint8_t* source, int sourcePitch,
                         int width, int height, const XrgbPalette& palette,
                         const ShownTarget& target) {
    if (width <= 0 || height <= 0) return;
    const int bytes = format.BytesPerPixel();
    const size_t rowBytes = static_cast<size_t>(width) * bytes;
    auto destRow = [&](int y) {
        return reinterpret_cast<std::uint32_t*>(target.pixels + static_cast<long>(y) * target.pitch);
    };
    if (!Matches(format, width, height, palette, target)) {
        if (m_pixels.size() < rowBytes * height) m_pixels.resize(rowBytes * height);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = source + static_cast<long>(y) * sourcePitch;
            std::memcpy(&m_pixels[y * rowBytes], row, rowBytes);
            RowToXrgb(format, row, width, palette, destRow(y));
        }
        m_format = format;
        m_width = width;
        m_height = height;
        std::memcpy(m_palette, palette, sizeof m_palette);
        m_target = target;
        m_known = true;
        return;
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = source + static_cast<long>(y) * sourcePitch;
        std::uint8_t* shown = &m_pixels[y * rowBytes];
        switch (bytes) {
            case 1:
                ConvertChangedGroups<1>(format, row, shown, width, palette, destRow(y));
                break;
            case 2:
                ConvertChangedGroups<2>(format, row, shown, width, palette, destRow(y));
                break;
            case 3:
                ConvertChangedGroups<3>(format, row, shown, width, palette, destRow(y));
                break;
            default:
                ConvertChangedGroups<4>(format, row, shown, width, palette, destRow(y));
                break;
        }
    }
}

}  // namespace vorn::platform
