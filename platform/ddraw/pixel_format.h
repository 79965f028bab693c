// The four surface formats and the conversions between raw pixels and colours.
// Internal to the platform layer: shared by the surfaces, presentation and GDI.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/ddraw/ddraw.h"

namespace vorn::platform {

// 8 bits index a palette; 16 bits are 5-6-5; 24 and 32 bits are 8-8-8 (the top byte of
// a 32-bit pixel is spare and reads as 0 in colours).
struct PixelFormat {
    int bits = 0;
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;

    // A shift: bits is never negative, and each blit asks.
    int BytesPerPixel() const { return static_cast<int>(static_cast<unsigned>(bits) >> 3); }
    bool IsValid() const { return bits != 0; }
    bool operator==(const PixelFormat&) const = default;
};

// The format of a bit count, or an invalid one for counts other than 8, 16, 24, 32.
PixelFormat PixelFormatOfBits(int bits);

DDPIXELFORMAT ToDDPixelFormat(const PixelFormat& format);
// The format a description names: its bit count must be one of the four, and masks,
// when given, must be those of that count. Invalid otherwise.
PixelFormat FromDDPixelFormat(const DDPIXELFORMAT& format);

// A palette resolved to colours: 256 entries of 0x00RRGGBB.
using XrgbPalette = std::uint32_t[256];

inline std::uint32_t ReadPixel(const std::uint8_t* p, int bytes) {
    switch (bytes) {
        case 1:
            return *p;
        case 2: {
            std::uint16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        case 3:
            return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
        default: {
            std::uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
    }
}

inline void WritePixel(std::uint8_t* p, int bytes, std::uint32_t value) {
    switch (bytes) {
        case 1:
            *p = static_cast<std::uint8_t>(value);
            break;
        case 2: {
            auto v = static_cast<std::uint16_t>(value);
            std::memcpy(p, &v, 2);
            break;
        }
        case 3:
            p[0] = value & 0xFF;
            p[1] = (value >> 8) & 0xFF;
            p[2] = (value >> 16) & 0xFF;
            break;
        default:
            std::memcpy(p, &value, 4);
            break;
    }
}

// Colour (0x00RRGGBB) of a raw pixel; 8-bit pixels go through the palette.
std::uint32_t XrgbOfPixel(const PixelFormat& format, std::uint32_t pixel,
                          const XrgbPalette& palette);
// Raw pixel of a colour; on 8 bits the nearest palette entry.
std::uint32_t PixelOfXrgb(const PixelFormat& format, std::uint32_t xrgb,
                          const XrgbPalette& palette);
// Index of the palette entry nearest to the colour (squared distance; first wins ties).
int NearestPaletteIndex(const XrgbPalette& palette, std::uint32_t xrgb);

// Converts `count` pixels of one row to colours.
void RowToXrgb(const PixelFormat& format, const std::uint8_t* source, int count,
               const XrgbPalette& palette, std::uint32_t* dest);

// Remembers the nearest palette entries of recent colours, for conversions of many
// pixels to 8 bits. Valid for one palette: Reset when it may have changed.
class NearestCache {
public:
    void Reset() { std::memset(m_valid, 0, sizeof m_valid); }
    std::uint8_t Lookup(const XrgbPalette& palette, std::uint32_t xrgb) {
        const unsigned slot = (xrgb ^ (xrgb >> 11) ^ (xrgb >> 17)) & (kSlots - 1);
        if (!m_valid[slot] || m_colors[slot] != xrgb) {
            m_colors[slot] = xrgb;
            m_indexes[slot] = static_cast<std::uint8_t>(NearestPaletteIndex(palette, xrgb));
            m_valid[slot] = true;
        }
        return m_indexes[slot];
    }

private:
    static constexpr unsigned kSlots = 4096;
    std::uint32_t m_colors[kSlots];
    std::uint8_t m_indexes[kSlots];
    bool m_valid[kSlots] = {};
};

// Converts `count` colours to pixels of the format (8 bits through the cache, which
// must be reset for a new palette).
void RowFromXrgb(const PixelFormat& format, const std::uint32_t* source, int count,
                 const XrgbPalette& palette, NearestCache& cache, std::uint8_t* dest);

inline std::uint32_t XrgbOfColorref(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline COLORREF ColorrefOfXrgb(std::uint32_t xrgb) {
    return ((xrgb >> 16) & 0xFF) | (xrgb & 0xFF00) | ((xrgb & 0xFF) << 16);
}

}  // namespace vorn::platform
