// Internal to the platform layer: drawing device-independent bitmaps of every
// uncompressed depth into surface memory of every format (SetDIBitsToDevice's work).
#pragma once

#include "platform/ddraw/ddraw.h"
#include "platform/gdi/gdi.h"

namespace vorn::platform {

// Pixel memory to draw into, in one of the surface formats: 8 bits (indices into
// `palette`, 256 entries), or 16, 24 or 32 bits with the three channel masks.
struct DibTarget {
    BYTE* pixels = nullptr;
    LONG pitch = 0;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    DWORD redMask = 0;
    DWORD greenMask = 0;
    DWORD blueMask = 0;
    const PALETTEENTRY* palette = nullptr;  // 8-bit targets; null: no colour matches
};

// SetDIBitsToDevice into pixel memory. Reads the bitmap's header and colour table from
// `info` (up to 256 colours, or the three masks of BI_BITFIELDS after a 40-byte
// header) and only `lines` rows of the bitmap's stride from `bits`. Uncompressed 1, 2,
// 4, 8, 16 (5-5-5, or BI_BITFIELDS), 24 and 32 (8-8-8, or BI_BITFIELDS) bit bitmaps,
// bottom-up or top-down. Colours are matched to the target: exact on 16, 24 and 32
// bits (channels cut to the mask's width), the nearest palette entry on 8 bits
// (entries flagged PC_EXPLICIT are not colours and never match; an exact colour maps
// to its first entry). Returns the number of bitmap rows drawn, 0 when the header is
// unsupported or inconsistent or nothing lies in the band of rows given.
int DrawDib(const DibTarget& target, int x, int y, DWORD width, DWORD height, int sourceX,
            int sourceY, UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
            UINT colorUse);

// The index of the palette entry nearest to an RGB colour (squared distance; entries
// flagged PC_EXPLICIT skipped; ties go to the lower index); 0 when all are explicit.
BYTE NearestPaletteIndex(const PALETTEENTRY* palette, BYTE red, BYTE green, BYTE blue);

}  // namespace vorn::platform
