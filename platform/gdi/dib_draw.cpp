// Device-independent bitmaps drawn into surface memory: the header checked, each row
// read into colours and the colours written in the target's format.
#include "platform/gdi/dib_draw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace vorn::platform {
namespace {

// A channel of a packed pixel: where it sits and how many bits it has.
struct Channel {
    int shift = 0;
    int bits = 0;

    explicit Channel(DWORD mask = 0) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        bits = std::min(32 - shift, std::countr_one(mask >> shift));
    }
    // The channel's value widened or narrowed to 8 bits.
    BYTE Read(DWORD pixel) const {
        if (bits == 0) return 0;
        const DWORD value = (pixel >> shift) & ((1ull << bits) - 1);
        if (bits >= 8) return static_cast<BYTE>(value >> (bits - 8));
        return static_cast<BYTE>((value * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
    }
    // An 8-bit value cut to the channel's width, in place.
    DWORD Write(BYTE value) const {
        if (bits == 0) return 0;
        const DWORD scaled =
            bits >= 8 ? static_cast<DWORD>(value) << (bits - 8) : value >> (8 - bits);
        return scaled << shift;
    }
};

DWORD Rgb(BYTE red, BYTE green, BYTE blue) { return (red << 16) | (green << 8) | blue; }

// The bitmap as described by its header, checked.
struct Source {
    int width = 0;
    int height = 0;  // rows, positive
    bool topDown = false;
    int bitCount = 0;
    std::size_t stride = 0;
    Channel red, green, blue;  // 16 and 32 bits
    DWORD colors[256] = {};    // 0x00RRGGBB, 8 bits or fewer
};

bool ReadSource(const BITMAPINFO* info, UINT colorUse, Source* source) {
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (colorUse != DIB_RGB_COLORS || header.biSize < sizeof(BITMAPINFOHEADER)) return false;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) return false;
    if (header.biWidth > (1 << 24) || std::abs(header.biHeight) > (1 << 24)) return false;
    source->width = header.biWidth;
    source->height = std::abs(header.biHeight);
    source->topDown = header.biHeight < 0;
    source->bitCount = header.biBitCount;
    source->stride = (static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;

    // The colour table (or the masks) follows the header as the bitmap gives it.
    const BYTE* table = reinterpret_cast<const BYTE*>(info) + header.biSize;
    switch (header.biBitCount) {
        case 1:
        case 2:
        case 4:
        case 8: {
            if (header.biCompression != BI_RGB) return false;
            const DWORD most = 1u << header.biBitCount;
            const DWORD count = header.biClrUsed != 0 ? std::min(header.biClrUsed, most) : most;
            for (DWORD i = 0; i < count; ++i) {
                const BYTE* entry = table + 4 * i;
                source->colors[i] = Rgb(entry[2], entry[1], entry[0]);
            }
            return true;
        }
        case 16:
        case 32: {
            DWORD masks[3];
            if (header.biCompression == BI_BITFIELDS) {
                // The masks follow a 40-byte header, or sit inside a longer one there.
                std::memcpy(masks, reinterpret_cast<const BYTE*>(info) + sizeof(BITMAPINFOHEADER),
                            sizeof masks);
            } else if (header.biCompression != BI_RGB) {
                return false;
            } else if (header.biBitCount == 16) {
                masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
            } else {
                masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
            }
            if (header.biBitCount == 16 && ((masks[0] | masks[1] | masks[2]) >> 16) != 0)
                return false;
            source->red = Channel(masks[0]);
            source->green = Channel(masks[1]);
            source->blue = Channel(masks[2]);
            return true;
        }
        case 24:
            return header.biCompression == BI_RGB;
        default:
            return false;
    }
}

// Reads `count` pixels of a row from column `first` into colours.
void ReadRow(const Source& source, const BYTE* row, int first, int count, DWORD* out) {
    switch (source.bitCount) {
        case 1:
        case 2:
        case 4: {
            const int bits = source.bitCount;
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (int i = 0; i < count; ++i) {
                const int column = first + i;
                const int shift = 8 - bits * (column % perByte + 1);
                out[i] = source.colors[(row[column / perByte] >> shift) & mask];
            }
            break;
        }
        case 8:
            for (int i = 0; i < count; ++i) out[i] = source.colors[row[first + i]];
            break;
        case 16:
            for (int i = 0; i < count; ++i) {
                const BYTE* p = row + 2 * (first + i);
                const DWORD pixel = p[0] | (p[1] << 8);
                out[i] =
                    Rgb(source.red.Read(pixel), source.green.Read(pixel), source.blue.Read(pixel));
            }
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                const BYTE* p = row + 3 * (first + i);
                out[i] = Rgb(p[2], p[1], p[0]);
            }
            break;
        case 32:
            for (int i = 0; i < count; ++i) {
                DWORD pixel;
                std::memcpy(&pixel, row + 4 * (first + i), 4);
                out[i] =
                    Rgb(source.red.Read(pixel), source.green.Read(pixel), source.blue.Read(pixel));
            }
            break;
    }
}

// Turns colours into the target's pixel values. Nearest-entry searches on 8-bit
// targets are remembered, since pictures repeat their colours.
class Packer {
public:
    explicit Packer(const DibTarget& target)
        : target_(target),
          red_(target.redMask),
          green_(target.greenMask),
          blue_(target.blueMask),
          cache_(target.bitsPerPixel == 8 ? kCacheSize : 0) {}

    DWORD Pack(DWORD rgb) {
        const BYTE r = rgb >> 16, g = rgb >> 8, b = rgb;
        if (target_.bitsPerPixel != 8) return red_.Write(r) | green_.Write(g) | blue_.Write(b);
        if (target_.palette == nullptr) return 0;
        Slot& slot = cache_[(rgb * 0x9E3779B1u) >> (32 - kCacheBits)];
        if (slot.rgb != rgb + 1) {
            slot.rgb = rgb + 1;
            slot.index = NearestPaletteIndex(target_.palette, r, g, b);
        }
        return slot.index;
    }

    void Store(BYTE* row, int column, DWORD value) const {
        switch (target_.bitsPerPixel) {
            case 8:
                row[column] = static_cast<BYTE>(value);
                break;
            case 16: {
                const WORD pixel = static_cast<WORD>(value);
                std::memcpy(row + 2 * column, &pixel, 2);
                break;
            }
            case 24:
                row[3 * column] = static_cast<BYTE>(value);
                row[3 * column + 1] = static_cast<BYTE>(value >> 8);
                row[3 * column + 2] = static_cast<BYTE>(value >> 16);
                break;
            case 32:
                std::memcpy(row + 4 * column, &value, 4);
                break;
        }
    }

private:
    static constexpr int kCacheBits = 12;
    static constexpr int kCacheSize = 1 << kCacheBits;
    struct Slot {
        DWORD rgb = 0;  // the colour + 1, so that 0 means empty
        BYTE index = 0;
    };

    const DibTarget& target_;
    Channel red_, green_, blue_;
    std::vector<Slot> cache_;
};

}  // namespace

BYTE NearestPaletteIndex(const PALETTEENTRY* palette, BYTE red, BYTE green, BYTE blue) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& entry = palette[i];
        if (entry.peFlags & PC_EXPLICIT) continue;
        const long dr = entry.peRed - red, dg = entry.peGreen - green, db = entry.peBlue - blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return static_cast<BYTE>(best);
}

int DrawDib(const DibTarget& target, int x, int y, DWORD width, DWORD height, int sourceX,
            int sourceY, UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
            UINT colorUse) {
    if (info == nullptr || bits == nullptr || target.pixels == nullptr) return 0;
    const int bpp = target.bitsPerPixel;
    if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
    Source source;
    if (!ReadSource(info, colorUse, &source)) return 0;

    // The source rectangle inside the bitmap, in its own coordinates (rows counted from
    // the bottom for a bottom-up bitmap, as its scan lines are).
    const long long left = std::max<long long>(sourceX, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(sourceX) + width, source.width);
    const long long firstScan =
        std::max<long long>({sourceY, static_cast<long long>(startScan), 0});
    const long long endScan =
        std::min<long long>({static_cast<long long>(sourceY) + height,
                             static_cast<long long>(startScan) + lines, source.height});
    if (left >= right || firstScan >= endScan) return 0;

    // Columns that land on the target.
    const long long targetLeft = std::max<long long>(x + (left - sourceX), 0);
    const long long targetRight = std::min<long long>(x + (right - sourceX), target.width);
    const int count = static_cast<int>(std::max<long long>(targetRight - targetLeft, 0));
    const int firstColumn = static_cast<int>(targetLeft - x + sourceX);

    Packer packer(target);
    // An indexed bitmap's table is packed once; its rows then read as pixel values.
    const bool indexed = source.bitCount <= 8;
    if (indexed) {
        for (DWORD& color : source.colors) color = packer.Pack(color);
    }
    std::vector<DWORD> values(count);
    const BYTE* band = static_cast<const BYTE*>(bits);
    for (long long scan = firstScan; scan < endScan; ++scan) {
        // The scan's row of the source rectangle, counted from its top.
        const long long fromTop =
            source.topDown ? scan - sourceY : static_cast<long long>(height) - 1 - (scan - sourceY);
        const long long row = y + fromTop;
        if (row < 0 || row >= target.height || count == 0) continue;
        const BYTE* line = band + static_cast<std::size_t>(scan - startScan) * source.stride;
        BYTE* out = target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
        ReadRow(source, line, firstColumn, count, values.data());
        for (int i = 0; i < count; ++i) {
            packer.Store(out, static_cast<int>(targetLeft) + i,
                         indexed ? values[i] : packer.Pack(values[i]));
        }
    }
    return static_cast<int>(endScan - firstScan);
}

}  // namespace vorn::platform
