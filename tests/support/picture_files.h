// Picture files made in memory for tests: Windows bitmaps of every layout, PNG, JPEG
// and farbfeld, from rows of 0x00RRGGBB colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn::test {

// A picture as rows of 0x00RRGGBB colours, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// How a bitmap file stores its pixels.
struct BitmapLayout {
    int bits = 24;              // 1, 2, 4, 8, 16, 24 or 32
    bool bitfields565 = false;  // 16 bits: BI_BITFIELDS 5-6-5 instead of 5-5-5
    bool topDown = false;       // a negative height
    std::vector<std::uint32_t>
        table;  // colour table (8 bits or fewer): every colour of the picture
};

// A bitmap file of the picture. With a colour table each pixel is stored as the index
// of its colour in the table.
std::string EncodeBitmap(const Picture& picture, const BitmapLayout& layout);

std::string EncodePng(const Picture& picture);
std::string EncodeJpeg(const Picture& picture, int quality = 100);
// Farbfeld: 16-bit channels, fully opaque.
std::string EncodeFarbfeld(const Picture& picture);

}  // namespace vorn::test
