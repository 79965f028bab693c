// SetDIBitsToDevice: the bitmap drawn into the part of the device context's target
// that the context may draw into.
#include "platform/gdi/dib_draw.h"
#include "platform/gdi/draw_target.h"
#include "platform/testing/faults.h"

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT colorUse) {
    using namespace vorn::platform;
    if (ShouldFail("SetDIBitsToDevice", dc)) return 0;
    const DeviceContext* context = DeviceContextOf(dc);
    DrawTarget t;
    if (!context || !TargetOf(*context, &t) || t.clip.left >= t.clip.right ||
        t.clip.top >= t.clip.bottom)
        return 0;
    DibTarget target;
    target.pixels = t.At(t.clip.left, t.clip.top);
    target.pitch = t.pitch;
    target.width = t.clip.right - t.clip.left;
    target.height = t.clip.bottom - t.clip.top;
    target.bitsPerPixel = t.format.bits;
    target.redMask = t.format.red;
    target.greenMask = t.format.green;
    target.blueMask = t.format.blue;
    target.palette = t.entries;
    return DrawDib(target, x + t.origin.x - t.clip.left, y + t.origin.y - t.clip.top, width, height,
                   sourceX, sourceY, startScan, lines, bits, info, colorUse);
}
