// The surface formats and pixel <-> colour conversions.
#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

PixelFormat PixelFormatOfBits(int bits) {
    switch (bits) {
        case 8:
            return {8, 0, 0, 0};
        case 16:
            return {16, 0xF800, 0x07E0, 0x001F};
        case 24:
            return {24, 0xFF0000, 0xFF00, 0xFF};
        case 32:
            return {32, 0xFF0000, 0xFF00, 0xFF};
        default:
            return {};
    }
}

DDPIXELFORMAT ToDDPixelFormat(const PixelFormat& format) {
    DDPIXELFORMAT pf{};
    pf.dwSize = sizeof(pf);
    pf.dwFlags = format.bits == 8 ? DDPF_PALETTEINDEXED8 | DDPF_RGB : DDPF_RGB;
    pf.dwRGBBitCount = static_cast<DWORD>(format.bits);
    pf.dwRBitMask = format.red;
    pf.dwGBitMask = format.green;
    pf.dwBBitMask = format.blue;
    return pf;
}

PixelFormat FromDDPixelFormat(const DDPIXELFORMAT& pf) {
    const PixelFormat format = PixelFormatOfBits(static_cast<int>(pf.dwRGBBitCount));
    if (!format.IsValid() || format.bits == 8) return format;
    const bool masksGiven = pf.dwRBitMask || pf.dwGBitMask || pf.dwBBitMask;
    if (masksGiven && (pf.dwRBitMask != format.red || pf.dwGBitMask != format.green ||
                       pf.dwBBitMask != format.blue))
        return {};
    return format;
}

namespace {

inline std::uint32_t Expand565(std::uint32_t p) {
    const std::uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
    return (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}

}  // namespace

std::uint32_t XrgbOfPixel(const PixelFormat& format, std::uint32_t pixel,
                          const XrgbPalette& palette) {
    switch (format.bits) {
        case 8:
            return palette[pixel & 0xFF];
        case 16:
            return Expand565(pixel);
        default:
            return pixel & 0xFFFFFF;
    }
}

int NearestPaletteIndex(const XrgbPalette& palette, std::uint32_t xrgb) {
    const int r = (xrgb >> 16) & 0xFF, g = (xrgb >> 8) & 0xFF, b = xrgb & 0xFF;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = static_cast<int>((palette[i] >> 16) & 0xFF) - r;
        const int dg = static_cast<int>((palette[i] >> 8) & 0xFF) - g;
        const int db = static_cast<int>(palette[i] & 0xFF) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return best;
}

std::uint32_t PixelOfXrgb(const PixelFormat& format, std::uint32_t xrgb,
                          const XrgbPalette& palette) {
    switch (format.bits) {
        case 8:
            return static_cast<std::uint32_t>(NearestPaletteIndex(palette, xrgb));
        case 16:
            return (((xrgb >> 19) & 31) << 11) | (((xrgb >> 10) & 63) << 5) | ((xrgb >> 3) & 31);
        default:
            return xrgb & 0xFFFFFF;
    }
}

void RowToXrgb(const PixelFormat& format, const std::uint8_t* source, int count,
               const XrgbPalette& palette, std::uint32_t* dest) {
    switch (format.bits) {
        case 8:
            for (int i = 0; i < count; ++i) dest[i] = palette[source[i]];
            break;
        case 16:
            for (int i = 0; i < count; ++i) dest[i] = Expand565(ReadPixel(source + 2 * i, 2));
            break;
        case 24:
            for (int i = 0; i < count; ++i) dest[i] = ReadPixel(source + 3 * i, 3);
            break;
        case 32:
            for (int i = 0; i < count; ++i) dest[i] = ReadPixel(source + 4 * i, 4) & 0xFFFFFF;
            break;
    }
}

void RowFromXrgb(const PixelFormat& format, const std::uint32_t* source, int count,
                 const XrgbPalette& palette, NearestCache& cache, std::uint8_t* dest) {
    switch (format.bits) {
        case 8:
            for (int i = 0; i < count; ++i) dest[i] = cache.Lookup(palette, source[i] & 0xFFFFFF);
            break;
        case 16:
            for (int i = 0; i < count; ++i)
                WritePixel(dest + 2 * i, 2, PixelOfXrgb(format, source[i], palette));
            break;
        case 24:
            for (int i = 0; i < count; ++i) WritePixel(dest + 3 * i, 3, source[i]);
            break;
        case 32:
            for (int i = 0; i < count; ++i) WritePixel(dest + 4 * i, 4, source[i] & 0xFFFFFF);
            break;
    }
}

}  // namespace vorn::platform
