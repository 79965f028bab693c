// Header checks and row readers of device-independent bitmaps, one per bit count.
#include "platform/gdi/dib_rows.h"

#include <cstring>

namespace vorn::platform {

namespace {

constexpr int kLargestSide = 65536;

std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void SetMasks(DibLayout* layout, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    const std::uint32_t masks[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        layout->masks[i] = masks[i];
        int shift = 0, width = 0;
        if (masks[i]) {
            while (!((masks[i] >> shift) & 1)) ++shift;
            while (width + shift < 32 && ((masks[i] >> (shift + width)) & 1)) ++width;
        }
        layout->shifts[i] = shift;
        layout->widths[i] = width;
    }
}

// A channel of `width` bits scaled to 8 bits.
std::uint32_t Channel(std::uint32_t value, const DibLayout& l, int i) {
    if (!l.widths[i]) return 0;
    std::uint32_t c = (value & l.masks[i]) >> l.shifts[i];
    const int w = l.widths[i];
    if (w >= 8) return c >> (w - 8);
    // Repeat the bits downwards so that full scale stays full scale.
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += w)
        out |= (filled + w <= 8) ? c << (8 - filled - w) : c >> (filled + w - 8);
    return out & 0xFF;
}

template <int kBits>
void ReadIndexed(const DibLayout& l, const std::uint8_t* row, int x, int count,
                 std::uint32_t* out) {
    constexpr int kPerByte = 8 / kBits;
    constexpr unsigned kMask = (1u << kBits) - 1;
    for (int i = 0; i < count; ++i) {
        const int column = x + i;
        const unsigned shift = (kPerByte - 1 - column % kPerByte) * kBits;
        out[i] = l.colors[(row[column / kPerByte] >> shift) & kMask];
    }
}

void ReadMasked16(const DibLayout& l, const std::uint8_t* row, int x, int count,
                  std::uint32_t* out) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t v = row[2 * (x + i)] | (row[2 * (x + i) + 1] << 8);
        out[i] = (Channel(v, l, 0) << 16) | (Channel(v, l, 1) << 8) | Channel(v, l, 2);
    }
}

void Read24(const DibLayout&, const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* p = row + 3 * (x + i);
        out[i] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
}

void ReadMasked32(const DibLayout& l, const std::uint8_t* row, int x, int count,
                  std::uint32_t* out) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t v = Load32(row + 4 * (x + i));
        out[i] = (Channel(v, l, 0) << 16) | (Channel(v, l, 1) << 8) | Channel(v, l, 2);
    }
}

struct Reader {
    int bitCount;
    DibRowReader read;
};
constexpr Reader kReaders[] = {
    {1, ReadIndexed<1>}, {4, ReadIndexed<4>}, {8, ReadIndexed<8>},
    {16, ReadMasked16},  {24, Read24},        {32, ReadMasked32},
};

}  // namespace

DibRowReader DibRowReaderFor(int bitCount) {
    for (const Reader& reader : kReaders)
        if (reader.bitCount == bitCount) return reader.read;
    return nullptr;
}

bool ReadDibLayout(const BITMAPINFO& info, UINT colorUse, const XrgbPalette& dcPalette,
                   DibLayout* layout) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    *layout = DibLayout{};
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biWidth > kLargestSide || h.biHeight > kLargestSide || h.biHeight < -kLargestSide ||
        !DibRowReaderFor(h.biBitCount))
        return false;
    const bool bitfields = h.biCompression == BI_BITFIELDS;
    if (h.biCompression != BI_RGB && !(bitfields && (h.biBitCount == 16 || h.biBitCount == 32)))
        return false;
    layout->width = h.biWidth;
    layout->height = h.biHeight > 0 ? h.biHeight : -h.biHeight;
    layout->bottomUp = h.biHeight > 0;
    layout->bitCount = h.biBitCount;
    layout->stride = ((static_cast<long>(h.biWidth) * h.biBitCount + 31) / 32) * 4;

    const std::uint8_t* after = reinterpret_cast<const std::uint8_t*>(&info) + h.biSize;
    if (h.biBitCount <= 8) {
        const int most = 1 << h.biBitCount;
        const int count = h.biClrUsed && h.biClrUsed < static_cast<DWORD>(most)
                              ? static_cast<int>(h.biClrUsed)
                              : most;
        for (int i = 0; i < count; ++i) {
            if (colorUse == DIB_PAL_COLORS) {
                const int index = after[2 * i] | (after[2 * i + 1] << 8);
                layout->colors[i] = dcPalette[index & 0xFF];
            } else {
                const std::uint8_t* q = after + 4 * i;  // blue, green, red, reserved
                layout->colors[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
            }
        }
    } else if (bitfields) {
        // The masks follow a plain header and lie inside the larger ones.
        const std::uint8_t* masks =
            reinterpret_cast<const std::uint8_t*>(&info) + sizeof(BITMAPINFOHEADER);
        SetMasks(layout, Load32(masks), Load32(masks + 4), Load32(masks + 8));
    } else if (h.biBitCount == 16) {
        SetMasks(layout, 0x7C00, 0x03E0, 0x001F);
    } else {
        SetMasks(layout, 0xFF0000, 0xFF00, 0xFF);
    }
    return true;
}

}  // namespace vorn::platform
