// Reading device-independent bitmaps: the header checks and one row reader per pixel
// layout, each turning part of a stored row into colours. Internal to the platform
// layer.
#pragma once

#include <cstdint>

#include "platform/ddraw/pixel_format.h"
#include "platform/gdi/gdi.h"

namespace vorn::platform {

struct DibLayout {
    int width = 0;
    int height = 0;  // rows, whatever the direction
    bool bottomUp = true;
    int bitCount = 0;
    long stride = 0;              // bytes per stored row (rows end on 4-byte boundaries)
    XrgbPalette colors{};         // the colour table of indexed bitmaps (black past its end)
    std::uint32_t masks[3] = {};  // red, green, blue of 16- and 32-bit bitmaps
    int shifts[3] = {};
    int widths[3] = {};
};

// Checks the header and reads the colour table (or the masks). `dcPalette` resolves
// DIB_PAL_COLORS tables. False for what cannot be drawn: compressed or inconsistent
// headers, bit counts other than 1, 4, 8, 16, 24, 32, sizes beyond 65536.
bool ReadDibLayout(const BITMAPINFO& info, UINT colorUse, const XrgbPalette& dcPalette,
                   DibLayout* layout);

// Converts pixels [x, x + count) of a stored row to colours.
using DibRowReader = void (*)(const DibLayout& layout, const std::uint8_t* row, int x, int count,
                              std::uint32_t* out);
DibRowReader DibRowReaderFor(int bitCount);

}  // namespace vorn::platform
