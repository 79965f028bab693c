// An 8-bit picture in memory and its file form: an uncompressed Windows bitmap with a
// 256-entry colour table (a 1078-byte header) and bottom-up rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

using Palette256 = std::array<Rgb, 256>;

struct Image8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // top row first, width bytes per row

    Image8(int w, int h, std::uint8_t fill) : width(w), height(h), pixels(w * h, fill) {}
    std::uint8_t& at(int x, int y) { return pixels[y * width + x]; }
    std::uint8_t at(int x, int y) const { return pixels[y * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The file's bytes: file header, information header, colour table, rows bottom-up
// padded to four bytes.
std::string EncodeBitmap8(const Image8& image, const Palette256& palette);

// Writes the file; false when it cannot be written.
bool WriteBitmap8(const std::string& path, const Image8& image, const Palette256& palette);
