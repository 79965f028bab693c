// Converting only the changed groups of eight pixels into a window's surface, and
// converting whole frames without keeping track while most of each frame changes.
#include "platform/ddraw/shown_frame.h"

#include <atomic>
#include <cstring>

#include "platform/ddraw/row_split.h"

namespace vorn::platform {
namespace {

// Frames converted whole, without keeping track, after a frame in which more than half
// of the pixels changed (a scrolling background): keeping track would only add the
// comparisons and the copy. Then one frame is kept track of again, to see.
constexpr int kFramesWithoutTracking = 30;

// Whether the group of eight pixels (8 * Bytes bytes) is the same in both, compared a
// word at a time.
template <int Bytes>
bool SameGroup(const std::uint8_t* a, const std::uint8_t* b) {
    std::uint64_t difference = 0;
    for (int offset = 0; offset < Bytes * 8; offset += 8) {
        std::uint64_t wordA, wordB;
        std::memcpy(&wordA, a + offset, 8);
        std::memcpy(&wordB, b + offset, 8);
        difference |= wordA ^ wordB;
    }
    return difference == 0;
}

// One row of 8-bit pixels: each group of eight that differs from the shown one is
// remembered and converted from the word just compared. When few pixels change the
// changed groups lie apart, and one group at a time, inline, beats calls per run.
// Returns how many pixels were converted.
int ConvertChangedGroups8(const std::uint8_t* source, std::uint8_t* shown, int width,
                          const XrgbPalette& palette, std::uint32_t* dest) {
    int converted = 0;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        std::uint64_t now, before;
        std::memcpy(&now, source + x, 8);
        std::memcpy(&before, shown + x, 8);
        if (now == before) continue;
        std::memcpy(shown + x, &now, 8);
        for (int k = 0; k < 8; ++k) dest[x + k] = palette[(now >> (8 * k)) & 0xFF];
        converted += 8;
    }
    for (; x < width; ++x, ++converted) {
        shown[x] = source[x];
        dest[x] = palette[source[x]];
    }
    return converted;
}

// One row of wider pixels: each run of groups of eight that differ from the shown ones
// is remembered and converted in one go; the last few pixels of an odd width join the
// run before them or are converted alone. Returns how many pixels were converted.
template <int Bytes>
int ConvertChangedRuns(const PixelFormat& format, const std::uint8_t* source, std::uint8_t* shown,
                       int width, const XrgbPalette& palette, std::uint32_t* dest) {
    const int groupsEnd = width & ~7;
    int converted = 0;
    int x = 0;
    while (x < width) {
        if (x < groupsEnd && SameGroup<Bytes>(source + x * Bytes, shown + x * Bytes)) {
            x += 8;
            continue;
        }
        const int start = x;
        do x += 8;
        while (x < groupsEnd && !SameGroup<Bytes>(source + x * Bytes, shown + x * Bytes));
        if (x >= groupsEnd) x = width;
        std::memcpy(shown + start * Bytes, source + start * Bytes,
                    static_cast<size_t>(x - start) * Bytes);
        RowToXrgb(format, source + start * Bytes, x - start, palette, dest + start);
        converted += x - start;
    }
    return converted;
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
    auto sourceRow = [&](int y) { return source + static_cast<long>(y) * sourcePitch; };
    auto destRow = [&](int y) {
        return reinterpret_cast<std::uint32_t*>(target.pixels +
                                                static_cast<long>(y) * target.pitch);
    };

    if (!Matches(format, width, height, palette, target)) {
        const bool track = m_framesWithoutTracking == 0;
        if (!track) --m_framesWithoutTracking;
        if (track && m_pixels.size() < rowBytes * height) m_pixels.resize(rowBytes * height);
        auto convertRows = [&](int begin, int end) {
            for (int y = begin; y < end; ++y) {
                RowToXrgb(format, sourceRow(y), width, palette, destRow(y));
                if (track) std::memcpy(&m_pixels[y * rowBytes], sourceRow(y), rowBytes);
            }
        };
        SplitRows(height, convertRows);
        m_known = track;
        m_format = format;
        m_width = width;
        m_height = height;
        std::memcpy(m_palette, palette, sizeof m_palette);
        m_target = target;
        return;
    }

    std::atomic<long> converted{0};
    auto convertChangedRows = [&](int begin, int end) {
        long count = 0;
        for (int y = begin; y < end; ++y) {
            std::uint8_t* shown = &m_pixels[y * rowBytes];
            switch (bytes) {
                case 1:
                    count += ConvertChangedGroups8(sourceRow(y), shown, width, palette, destRow(y));
                    break;
                case 2:
                    count += ConvertChangedRuns<2>(format, sourceRow(y), shown, width, palette,
                                                   destRow(y));
                    break;
                case 3:
                    count += ConvertChangedRuns<3>(format, sourceRow(y), shown, width, palette,
                                                   destRow(y));
                    break;
                default:
                    count += ConvertChangedRuns<4>(format, sourceRow(y), shown, width, palette,
                                                   destRow(y));
                    break;
            }
        }
        converted.fetch_add(count, std::memory_order_relaxed);
    };
    SplitRows(height, convertChangedRows);
    if (2 * converted.load(std::memory_order_relaxed) > static_cast<long>(width) * height) {
        m_known = false;
        m_framesWithoutTracking = kFramesWithoutTracking;
    }
}

}  // namespace vorn::platform
