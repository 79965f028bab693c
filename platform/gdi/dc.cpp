// Device contexts of windows and the screen, their capabilities and text settings.
#include "platform/ddraw/screen.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_target.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/faults.h"

using vorn::platform::DeviceContext;

HDC GetDC(HWND window) {
    if (vorn::platform::ShouldFail("GetDC", window)) return nullptr;
    DeviceContext context;
    context.target = window ? DeviceContext::Target::kWindow : DeviceContext::Target::kScreen;
    context.window = window;
    return vorn::platform::NewDeviceContext(context);
}

int ReleaseDC(HWND window, HDC dc) {
    DeviceContext* context = vorn::platform::DeviceContextOf(dc);
    // A surface's context goes back through the surface.
    if (!context || context->target == DeviceContext::Target::kSurface) return 0;
    vorn::platform::ShowDrawing(*context);
    vorn::platform::DeleteDeviceContext(dc);
    return 1;
}

int GetDeviceCaps(HDC dc, int index) {
    DeviceContext* context = vorn::platform::DeviceContextOf(dc);
    vorn::platform::DrawTarget target;
    if (!context || !vorn::platform::TargetOf(*context, &target)) return 0;
    const int bits = target.format.bits;
    switch (index) {
        case BITSPIXEL:
            return bits;
        case PLANES:
            return 1;
        case HORZRES:
            return target.clip.right - target.clip.left;
        case VERTRES:
            return target.clip.bottom - target.clip.top;
        case NUMCOLORS:
            return bits == 8 ? 20 : -1;
        case RASTERCAPS:
            return bits == 8 ? RC_PALETTE : 0;
        case SIZEPALETTE:
            return bits == 8 ? 256 : 0;
        default:
            return 0;
    }
}

int SetBkMode(HDC dc, int mode) {
    DeviceContext* context = vorn::platform::DeviceContextOf(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = context->backMode;
    context->backMode = mode;
    return previous;
}

namespace {
// Sets one colour of a device context and gives back the one it had.
COLORREF ReplaceColor(HDC dc, COLORREF DeviceContext::*field, COLORREF color) {
    DeviceContext* context = vorn::platform::DeviceContextOf(dc);
    if (!context) return CLR_INVALID;
    const COLORREF previous = context->*field;
    context->*field = color;
    return previous;
}
}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return ReplaceColor(dc, &DeviceContext::textColor, color);
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
    return ReplaceColor(dc, &DeviceContext::backColor, color);
}
