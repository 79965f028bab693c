// Reading and copying the raw background rows.
#include "sparkbench/raw_background.h"

#include <cstdio>
#include <cstring>

namespace {

std::uint8_t g_rows[kRawBackgroundHeight][kRawBackgroundWidth];

std::uint32_t ReadLE(const std::uint8_t* bytes, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// The file and information headers describe the one layout whose rows can be copied.
bool IsRawBackgroundHeader(const std::uint8_t (&header)[54]) {
    return header[0] == 'B' && header[1] == 'M' &&
           ReadLE(header + 18, 4) == kRawBackgroundWidth &&   // width
           ReadLE(header + 22, 4) == kRawBackgroundHeight &&  // height, bottom-up
           ReadLE(header + 28, 2) == 8 &&                     // bits per pixel
           ReadLE(header + 30, 4) == 0;                       // not compressed
}

}  // namespace

bool LoadRawBackground(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    std::uint8_t header[54];
    const bool usable = std::fread(header, 1, sizeof header, file) == sizeof header &&
                        IsRawBackgroundHeader(header) &&
                        std::fseek(file, static_cast<long>(ReadLE(header + 10, 4)), SEEK_SET) == 0;
    if (usable) {
        // The first row of the file is the bottom row of the picture.
        for (int k = 0; k < kRawBackgroundHeight; ++k)
            if (std::fread(g_rows[kRawBackgroundHeight - 1 - k], 1, kRawBackgroundWidth, file) !=
                kRawBackgroundWidth)
                break;
    }
    std::fclose(file);
    return usable;
}

void CopyRawBackground(std::uint8_t* surface, long pitch) {
    for (int row = 0; row < kRawBackgroundHeight; ++row)
        std::memcpy(surface + row * pitch, g_rows[row], kRawBackgroundWidth);
}
