// Bitmap descriptions taken from untrusted memory (a bitmap file, a plug-in's answer):
// copied into a record of fixed size with a whole colour table, so that drawing never
// reads past the bytes that were really there.
#pragma once

#include <cstddef>

#include "platform/gdi/gdi.h"

// A bitmap description with room for every colour-table entry, or for the three
// masks of BI_BITFIELDS, directly after a 40-byte header.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];

    const BITMAPINFO* Get() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};

// Copies the description at `info`, of which `available` bytes exist: the header
// (made 40 bytes long), then for BI_BITFIELDS the masks found right after the first 40
// bytes, else the colour table found after the header's own length. Bytes that are not
// there read as 0. False when not even the 40-byte header is there.
bool ReadDibInfo(const BYTE* info, std::size_t available, DibInfo* out);

// How many whole rows of the bitmap `bytes` bytes of pixel data hold, at most the
// bitmap's height; 0 for a header without a usable size or bit count.
UINT WholeRows(const BITMAPINFOHEADER& header, std::size_t bytes);
