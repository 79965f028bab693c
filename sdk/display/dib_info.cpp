// Bitmap descriptions copied out of untrusted memory.
#include "display/dib_info.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Copies what exists of `count` bytes at `offset` of a block of `available` bytes.
void CopyBounded(void* to, const BYTE* from, std::size_t available, std::size_t offset,
                 std::size_t count) {
    if (offset >= available) return;
    std::memcpy(to, from + offset, std::min(count, available - offset));
}

}  // namespace

bool ReadDibInfo(const BYTE* info, std::size_t available, DibInfo* out) {
    std::memset(out, 0, sizeof *out);
    if (info == nullptr || available < sizeof(BITMAPINFOHEADER)) return false;
    std::memcpy(&out->header, info, sizeof(BITMAPINFOHEADER));
    const std::size_t tableOffset =
        out->header.biCompression == BI_BITFIELDS
            ? sizeof(BITMAPINFOHEADER)
            : std::max<std::size_t>(out->header.biSize, sizeof(BITMAPINFOHEADER));
    CopyBounded(out->colors, info, available, tableOffset, sizeof out->colors);
    out->header.biSize = sizeof(BITMAPINFOHEADER);
    return true;
}

UINT WholeRows(const BITMAPINFOHEADER& header, std::size_t bytes) {
    if (header.biWidth <= 0 || header.biBitCount == 0 || header.biBitCount > 32) return 0;
    const std::size_t stride =
        (static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const std::size_t height =
        static_cast<std::size_t>(std::abs(static_cast<long long>(header.biHeight)));
    return static_cast<UINT>(std::min(bytes / stride, height));
}
