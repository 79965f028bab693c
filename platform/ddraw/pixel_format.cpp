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

constexpr std::uint32_t Expand565(std::uint32_t p) {
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

// The conversions of whole rows, one per depth: presentation runs them over every
// pixel of every frame. Their pointers are restrict, so that the compiler need not
// reload the source or a table after each store into the destination; each loop
// reads its source a word at a time and handles a block of pixels per iteration.
namespace {

// Eight pixels per iteration, their indexes read as two words.
void IndexedRowToXrgb(const std::uint8_t* __restrict source, int count,
                      const std::uint32_t* __restrict palette, std::uint32_t* __restrict dest) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint32_t a, b;
        std::memcpy(&a, source + i, 4);
        std::memcpy(&b, source + i + 4, 4);
        const std::uint32_t c0 = palette[a & 0xFF], c1 = palette[(a >> 8) & 0xFF],
                            c2 = palette[(a >> 16) & 0xFF], c3 = palette[a >> 24],
                            c4 = palette[b & 0xFF], c5 = palette[(b >> 8) & 0xFF],
                            c6 = palette[(b >> 16) & 0xFF], c7 = palette[b >> 24];
        dest[i] = c0;
        dest[i + 1] = c1;
        dest[i + 2] = c2;
        dest[i + 3] = c3;
        dest[i + 4] = c4;
        dest[i + 5] = c5;
        dest[i + 6] = c6;
        dest[i + 7] = c7;
    }
    for (; i < count; ++i) dest[i] = palette[source[i]];
}

// A 5-6-5 pixel's colour is the colour of its low byte or'ed with that of its high
// byte: red and the top of green come from the high byte alone, blue and the rest of
// green from the low one, and every expanded channel's bits fall apart cleanly.
struct Rgb565Tables {
    std::uint32_t low[256];
    std::uint32_t high[256];
};
constexpr Rgb565Tables MakeRgb565Tables() {
    Rgb565Tables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        tables.low[byte] = Expand565(byte);
        tables.high[byte] = Expand565(byte << 8);
    }
    return tables;
}
constexpr Rgb565Tables kRgb565 = MakeRgb565Tables();

// Two pixels per word, four per iteration.
void Rgb565RowToXrgb(const std::uint8_t* __restrict source, int count,
                     std::uint32_t* __restrict dest) {
    const std::uint32_t* low = kRgb565.low;
    const std::uint32_t* high = kRgb565.high;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        std::uint32_t a, b;
        std::memcpy(&a, source + 2 * i, 4);
        std::memcpy(&b, source + 2 * i + 4, 4);
        const std::uint32_t c0 = low[a & 0xFF] | high[(a >> 8) & 0xFF],
                            c1 = low[(a >> 16) & 0xFF] | high[a >> 24],
                            c2 = low[b & 0xFF] | high[(b >> 8) & 0xFF],
                            c3 = low[(b >> 16) & 0xFF] | high[b >> 24];
        dest[i] = c0;
        dest[i + 1] = c1;
        dest[i + 2] = c2;
        dest[i + 3] = c3;
    }
    for (; i < count; ++i) dest[i] = Expand565(ReadPixel(source + 2 * i, 2));
}

// Four pixels are three words: each pixel is put together from the bytes of one or
// two of them.
void Rgb24RowToXrgb(const std::uint8_t* __restrict source, int count,
                    std::uint32_t* __restrict dest) {
    int i = 0;
    for (; i + 4 <= count; i += 4, source += 12) {
        std::uint32_t w[3];
        std::memcpy(w, source, 12);
        dest[i] = w[0] & 0xFFFFFF;
        dest[i + 1] = ((w[0] >> 24) | (w[1] << 8)) & 0xFFFFFF;
        dest[i + 2] = ((w[1] >> 16) | (w[2] << 16)) & 0xFFFFFF;
        dest[i + 3] = w[2] >> 8;
    }
    for (; i < count; ++i, source += 3) dest[i] = ReadPixel(source, 3);
}

// Blocks of eight, which the compiler turns into vector masks.
void Xrgb32RowToXrgb(const std::uint8_t* __restrict source, int count,
                     std::uint32_t* __restrict dest) {
    int i = 0;
    for (; i + 8 <= count; i += 8)
        for (int k = 0; k < 8; ++k) dest[i + k] = ReadPixel(source + 4 * (i + k), 4) & 0xFFFFFF;
    for (; i < count; ++i) dest[i] = ReadPixel(source + 4 * i, 4) & 0xFFFFFF;
}

}  // namespace

void RowToXrgb(const PixelFormat& format, const std::uint8_t* source, int count,
               const XrgbPalette& palette, std::uint32_t* dest) {
    switch (format.bits) {
        case 8:
            IndexedRowToXrgb(source, count, palette, dest);
            break;
        case 16:
            Rgb565RowToXrgb(source, count, dest);
            break;
        case 24:
            Rgb24RowToXrgb(source, count, dest);
            break;
        case 32:
            Xrgb32RowToXrgb(source, count, dest);
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
