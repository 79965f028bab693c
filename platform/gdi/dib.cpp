// Drawing device-independent bitmaps into device contexts, reading no byte past the
// rows handed in.
#include <algorithm>
#include <vector>

#include "platform/gdi/dib_rows.h"
#include "platform/gdi/draw_target.h"
#include "platform/testing/faults.h"

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT colorUse) {
    using namespace vorn::platform;
    if (ShouldFail("SetDIBitsToDevice", dc)) return 0;
    const DeviceContext* context = DeviceContextOf(dc);
    DrawTarget t;
    if (!context || !bits || !info || lines == 0 || !TargetOf(*context, &t)) return 0;
    static DibLayout layout;  // large (a colour table); one call at a time on the main thread
    if (!ReadDibLayout(*info, colorUse, *t.palette, &layout)) return 0;
    const DibRowReader read = DibRowReaderFor(layout.bitCount);

    // Scans are stored rows counted from the first in memory (the bottom row of a
    // bottom-up bitmap); `bits` holds scans [startScan, startScan + lines).
    const long firstScan = std::max<long>({static_cast<long>(startScan), sourceY, 0});
    const long endScan = std::min<long>(
        {static_cast<long>(startScan) + lines, static_cast<long>(sourceY) + height, layout.height});
    if (firstScan >= endScan) return 0;
    const long firstColumn = std::max<long>(sourceX, 0);
    const long endColumn = std::min<long>(static_cast<long>(sourceX) + width, layout.width);

    static std::vector<std::uint32_t> colors;
    static NearestCache cache;
    cache.Reset();
    const auto* data = static_cast<const std::uint8_t*>(bits);
    for (long scan = firstScan; scan < endScan; ++scan) {
        const long row =
            layout.bottomUp ? static_cast<long>(sourceY) + height - 1 - scan : scan - sourceY;
        const long destY = y + row + t.origin.y;
        if (destY < t.clip.top || destY >= t.clip.bottom) continue;
        long left = firstColumn, right = endColumn;
        const long shift =
            static_cast<long>(x) + t.origin.x - sourceX;  // destination x of column 0
        left = std::max(left, t.clip.left - shift);
        right = std::min(right, t.clip.right - shift);
        if (left >= right) continue;
        const int count = static_cast<int>(right - left);
        if (colors.size() < static_cast<size_t>(count)) colors.resize(count);
        read(layout, data + (scan - startScan) * layout.stride, static_cast<int>(left), count,
             colors.data());
        RowFromXrgb(t.format, colors.data(), count, *t.palette, cache,
                    t.At(static_cast<int>(left + shift), static_cast<int>(destY)));
    }
    return static_cast<int>(endScan - firstScan);
}
