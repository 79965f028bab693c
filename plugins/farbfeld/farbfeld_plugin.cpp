// Picture plug-in for farbfeld files (".ff"): the magic "farbfeld", width and height
// as big-endian 32-bit numbers, then the rows top to bottom, each pixel four
// big-endian 16-bit channels (red, green, blue, alpha). Pictures come back as 32-bit
// bottom-up bitmaps, transparent parts blended onto black.
#include <cstring>

#include "display/picture_plugin.h"
#include "platform/kernel/kernel.h"

namespace {

constexpr std::size_t kHeaderBytes = 16;
// 16384 x 16384 at most: the 32-bit result stays below 1 GiB.
constexpr DWORD kLargestSide = 1u << 14;

DWORD BigEndian32(const BYTE* p) {
    return (static_cast<DWORD>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool IsFarbfeld(const void* data) { return std::memcmp(data, "farbfeld", 8) == 0; }

// Checks the header against the data there is; false for anything this cannot decode.
bool ReadSize(const BYTE* data, LONG size, DWORD* width, DWORD* height) {
    if (data == nullptr || size < static_cast<LONG>(kHeaderBytes) || !IsFarbfeld(data))
        return false;
    *width = BigEndian32(data + 8);
    *height = BigEndian32(data + 12);
    if (*width == 0 || *height == 0 || *width > kLargestSide || *height > kLargestSide)
        return false;
    return static_cast<std::size_t>(size) - kHeaderBytes >=
           static_cast<std::size_t>(*width) * *height * 8;
}

}  // namespace

extern "C" {

int IsSupported(LPCSTR fileName, void* header) { return header != nullptr && IsFarbfeld(header); }

int GetPictureInfo(LPCSTR data, LONG size, UINT flag, PluginPictureInfo* info) {
    if (flag != kPluginInMemory || info == nullptr) return kPluginNotImplemented;
    DWORD width = 0;
    DWORD height = 0;
    if (!ReadSize(reinterpret_cast<const BYTE*>(data), size, &width, &height))
        return kPluginUnknownFormat;
    std::memset(info, 0, sizeof *info);
    info->width = static_cast<LONG>(width);
    info->height = static_cast<LONG>(height);
    info->colorDepth = 32;
    return kPluginSuccess;
}

int GetPicture(LPCSTR data, LONG size, UINT flag, HLOCAL* info, HLOCAL* bits, void* progress,
               LONG_PTR userData) {
    if (flag != kPluginInMemory || info == nullptr || bits == nullptr) return kPluginNotImplemented;
    const auto* content = reinterpret_cast<const BYTE*>(data);
    DWORD width = 0;
    DWORD height = 0;
    if (!ReadSize(content, size, &width, &height)) return kPluginUnknownFormat;

    HLOCAL infoBlock = LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    HLOCAL bitsBlock = LocalAlloc(LMEM_FIXED, static_cast<SIZE_T>(width) * height * 4);
    if (infoBlock == nullptr || bitsBlock == nullptr) {
        if (infoBlock != nullptr) LocalFree(infoBlock);
        if (bitsBlock != nullptr) LocalFree(bitsBlock);
        return kPluginOutOfMemory;
    }
    auto* header = static_cast<BITMAPINFOHEADER*>(LocalLock(infoBlock));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = static_cast<LONG>(width);
    header->biHeight = static_cast<LONG>(height);  // bottom-up
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    LocalUnlock(infoBlock);

    auto* out = static_cast<BYTE*>(LocalLock(bitsBlock));
    const BYTE* pixel = content + kHeaderBytes;
    for (DWORD row = 0; row < height; ++row) {
        BYTE* line = out + static_cast<std::size_t>(height - 1 - row) * width * 4;
        for (DWORD column = 0; column < width; ++column, pixel += 8) {
            // The high byte of each 16-bit channel is its 8-bit value.
            const unsigned alpha = pixel[6];
            line[4 * column + 0] = static_cast<BYTE>((pixel[4] * alpha + 127) / 255);
            line[4 * column + 1] = static_cast<BYTE>((pixel[2] * alpha + 127) / 255);
            line[4 * column + 2] = static_cast<BYTE>((pixel[0] * alpha + 127) / 255);
            line[4 * column + 3] = 0;
        }
    }
    LocalUnlock(bitsBlock);
    *info = infoBlock;
    *bits = bitsBlock;
    return kPluginSuccess;
}

}  // extern "C"
