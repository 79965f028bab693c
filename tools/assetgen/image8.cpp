// Writing 8-bit Windows bitmaps.
#include "assetgen/image8.h"

#include <fstream>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;  // 1078

void Put(std::string& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i));
}

}  // namespace

std::string EncodeBitmap8(const Image8& image, const Palette256& palette) {
    const int stride = (image.width + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride) * image.height;
    std::string out;
    out.reserve(kPixelOffset + pixelBytes);
    out += "BM";
    Put(out, kPixelOffset + pixelBytes, 4);  // file size
    Put(out, 0, 4);                          // reserved
    Put(out, kPixelOffset, 4);
    Put(out, kInfoHeaderSize, 4);
    Put(out, image.width, 4);
    Put(out, image.height, 4);  // positive: rows bottom-up
    Put(out, 1, 2);             // planes
    Put(out, 8, 2);             // bits per pixel
    Put(out, 0, 4);             // uncompressed
    Put(out, pixelBytes, 4);
    Put(out, 2835, 4);  // 72 dots per inch
    Put(out, 2835, 4);
    Put(out, 256, 4);  // colours used
    Put(out, 0, 4);    // colours important: all
    for (const Rgb& c : palette) {
        out += static_cast<char>(c.b);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.r);
        out += '\0';
    }
    for (int y = image.height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(&image.pixels[y * image.width]), image.width);
        out.append(stride - image.width, '\0');
    }
    return out;
}

bool WriteBitmap8(const std::string& path, const Image8& image, const Palette256& palette) {
    const std::string bytes = EncodeBitmap8(image, palette);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}
