// Darkening locked pixel rows by a brightness a/256 (a from 0 to 256), once per frame
// over the whole secondary surface. Each depth has its own loop without per-pixel
// calls or divisions.
#pragma once

#include "platform/base/types.h"

struct PixelRows {
    BYTE* first;  // the first row's memory
    LONG pitch;   // bytes from one row to the next
    int width;    // pixels per row
    int height;   // rows
};

// 16 bits, two pixels per 32-bit word; with an odd width the last pixel of each row is
// left as it was. Bits outside the masks become 0.
void ScaleRows16(const PixelRows& rows, DWORD redMask, DWORD greenMask, DWORD blueMask, DWORD a);
// 24 bits: every byte of the row's first (3 x width / 4) 32-bit words through one table.
void ScaleRows24(const PixelRows& rows, DWORD a);
// 32 bits, one multiplication per channel; bits outside the masks become 0.
void ScaleRows32(const PixelRows& rows, DWORD redMask, DWORD greenMask, DWORD blueMask, DWORD a);
