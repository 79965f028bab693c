// The pixel loops of the brightness: the hot path of a darkened frame.
#include "sdk/display/brightness_pixels.h"

#include <cstdint>
#include <cstring>

namespace {

DWORD LoadWord(const BYTE* p) {
    DWORD word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

void StoreWord(BYTE* p, DWORD word) { std::memcpy(p, &word, sizeof word); }

}  // namespace

void ScaleRows16(const PixelRows& rows, DWORD redMask, DWORD greenMask, DWORD blueMask, DWORD a) {
    const DWORD masks[3] = {redMask & 0xFFFF, greenMask & 0xFFFF, blueMask & 0xFFFF};
    const int words = rows.width / 2;
    for (int y = 0; y < rows.height; ++y) {
        BYTE* p = rows.first + static_cast<std::ptrdiff_t>(y) * rows.pitch;
        for (int i = 0; i < words; ++i, p += 4) {
            const DWORD word = LoadWord(p);
            DWORD result = 0;
            for (DWORD mask : masks) {
                // The low pixel directly; the high one shifted down by 8 first, so that
                // the product stays within 32 bits.
                result |= (((word & mask) * a) >> 8) & mask;
                result |= (((word >> 8) & (mask << 8)) * a) & (mask << 16);
            }
            StoreWord(p, result);
        }
    }
}

void ScaleRows24(const PixelRows& rows, DWORD a) {
    BYTE table[256];
    DWORD sum = 0;
    for (int i = 0; i < 256; ++i, sum += a) table[i] = static_cast<BYTE>(sum >> 8);
    const int bytes = 3 * rows.width / 4 * 4;
    for (int y = 0; y < rows.height; ++y) {
        BYTE* p = rows.first + static_cast<std::ptrdiff_t>(y) * rows.pitch;
        for (int i = 0; i < bytes; ++i) p[i] = table[p[i]];
    }
}

void ScaleRows32(const PixelRows& rows, DWORD redMask, DWORD greenMask, DWORD blueMask, DWORD a) {
    for (int y = 0; y < rows.height; ++y) {
        BYTE* p = rows.first + static_cast<std::ptrdiff_t>(y) * rows.pitch;
        for (int x = 0; x < rows.width; ++x, p += 4) {
            const DWORD pixel = LoadWord(p);
            auto channel = [&](DWORD mask) {
                return static_cast<DWORD>((std::uint64_t{pixel & mask} * a) >> 8) & mask;
            };
            StoreWord(p, channel(blueMask) | channel(greenMask) | channel(redMask));
        }
    }
}
