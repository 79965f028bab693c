// Picture files made in memory: bitmaps and farbfeld written out by hand, PNG and JPEG
// through the host image library.
#include "support/picture_files.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <stdexcept>

namespace vorn::test {
namespace {

void Put16(std::string& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<char>(value);
    out[at + 1] = static_cast<char>(value >> 8);
}
void Put32(std::string& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value);
    Put16(out, at + 2, value >> 16);
}

std::uint32_t IndexOf(const std::vector<std::uint32_t>& table, std::uint32_t color) {
    const auto it = std::find(table.begin(), table.end(), color);
    if (it == table.end()) throw std::invalid_argument("colour missing from the table");
    return static_cast<std::uint32_t>(it - table.begin());
}

std::string Encode(const Picture& picture, bool jpeg, int quality) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                     y * surface->pitch);
        for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | picture.At(x, y);
    }
    std::string bytes(1 << 20, '\0');
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    const int result =
        jpeg ? IMG_SaveJPG_RW(surface, out, 0, quality) : IMG_SavePNG_RW(surface, out, 0);
    bytes.resize(static_cast<std::size_t>(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    if (result != 0) throw std::runtime_error(SDL_GetError());
    return bytes;
}

}  // namespace

std::string EncodeBitmap(const Picture& picture, const BitmapLayout& layout) {
    const bool indexed = layout.bits <= 8;
    const bool bitfields = layout.bits == 16 && layout.bitfields565;
    const std::size_t tableBytes = indexed ? 4 * layout.table.size() : bitfields ? 12 : 0;
    const std::size_t stride =
        (static_cast<std::size_t>(picture.width) * layout.bits + 31) / 32 * 4;
    const std::size_t offset = 54 + tableBytes;
    std::string out(offset + stride * picture.height, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, picture.width);
    Put32(out, 22, layout.topDown ? -picture.height : picture.height);
    Put16(out, 26, 1);
    Put16(out, 28, layout.bits);
    Put32(out, 30, bitfields ? 3 : 0);
    Put32(out, 46, indexed ? static_cast<std::uint32_t>(layout.table.size()) : 0);
    if (indexed) {
        for (std::size_t i = 0; i < layout.table.size(); ++i)
            Put32(out, 54 + 4 * i, layout.table[i]);
    } else if (bitfields) {
        Put32(out, 54, 0xF800);
        Put32(out, 58, 0x07E0);
        Put32(out, 62, 0x001F);
    }
    for (int y = 0; y < picture.height; ++y) {
        const int fileRow = layout.topDown ? y : picture.height - 1 - y;
        const std::size_t rowAt = offset + stride * fileRow;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t c = picture.At(x, y);
            const std::uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            switch (layout.bits) {
                case 1:
                case 2:
                case 4: {
                    const int perByte = 8 / layout.bits;
                    const int shift = 8 - layout.bits * (x % perByte + 1);
                    out[rowAt + x / perByte] =
                        static_cast<char>(static_cast<std::uint8_t>(out[rowAt + x / perByte]) |
                                          IndexOf(layout.table, c) << shift);
                    break;
                }
                case 8:
                    out[rowAt + x] = static_cast<char>(IndexOf(layout.table, c));
                    break;
                case 16:
                    Put16(out, rowAt + 2 * x,
                          bitfields ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                    : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                    break;
                case 24:
                    out[rowAt + 3 * x] = static_cast<char>(b);
                    out[rowAt + 3 * x + 1] = static_cast<char>(g);
                    out[rowAt + 3 * x + 2] = static_cast<char>(r);
                    break;
                case 32:
                    Put32(out, rowAt + 4 * x, c);
                    break;
            }
        }
    }
    return out;
}

std::string EncodePng(const Picture& picture) { return Encode(picture, false, 0); }
std::string EncodeJpeg(const Picture& picture, int quality) {
    return Encode(picture, true, quality);
}

std::string EncodeFarbfeld(const Picture& picture) {
    std::string out = "farbfeld";
    for (std::uint32_t side : {picture.width, picture.height}) {
        for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(side >> shift);
    }
    for (std::uint32_t c : picture.pixels) {
        for (int shift : {16, 8, 0}) {
            out += static_cast<char>(c >> shift);
            out += static_cast<char>(c >> shift);
        }
        out += "\xFF\xFF";
    }
    return out;
}

}  // namespace vorn::test
