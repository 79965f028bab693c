// Device context targets: a surface's memory, or the screen's image (the desktop's in
// window mode, the front buffer in exclusive full screen) under a window or whole.
#include "platform/gdi/draw_target.h"

#include <algorithm>
#include <cstring>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/present.h"
#include "platform/ddraw/screen.h"

namespace vorn::platform {

namespace {

void SetSurface(const Surface& surface, DrawTarget* target) {
    target->bits = surface.Bits();
    target->pitch = surface.Pitch();
    target->format = surface.Format();
    target->palette = &surface.PaletteInEffect();
    target->clip = {0, 0, surface.Width(), surface.Height()};
}

// Text matches the same few colours many times a frame against a palette that seldom
// changes: the nearest entries are remembered together with a copy of the palette they
// were found in, which costs one comparison of the palette per colour.
std::uint32_t RememberedNearestIndex(const XrgbPalette& palette, std::uint32_t xrgb) {
    static XrgbPalette matchedIn = {};  // the cache starts empty, so any palette fits it
    static NearestCache cache;
    if (std::memcmp(matchedIn, palette, sizeof matchedIn) != 0) {
        std::memcpy(matchedIn, palette, sizeof matchedIn);
        cache.Reset();
    }
    return cache.Lookup(palette, xrgb);
}

}  // namespace

bool TargetOf(const DeviceContext& context, DrawTarget* target) {
    *target = DrawTarget{};
    if (context.target == DeviceContext::Target::kSurface) {
        if (!context.surface || context.surface->Lost()) return false;
        SetSurface(*context.surface, target);
        return true;
    }
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner && screen.primary) {
        // Full screen: the window covers the screen, whose image is the front buffer.
        SetSurface(*screen.primary, target);
        return !screen.primary->Lost();
    }
    target->bits = screen.DesktopBits();
    target->pitch = screen.DesktopPitch();
    target->format = screen.DesktopImageMode().format;
    target->palette = &screen.DisplayPalette();
    const RECT desktop{0, 0, screen.DesktopImageMode().width, screen.DesktopImageMode().height};
    if (context.target == DeviceContext::Target::kScreen) {
        target->clip = desktop;
        return true;
    }
    RECT area;
    if (!ClientAreaOnScreen(context.window, &area)) return false;
    target->origin = {area.left, area.top};
    target->clip = {std::max(area.left, desktop.left), std::max(area.top, desktop.top),
                    std::min(area.right, desktop.right), std::min(area.bottom, desktop.bottom)};
    return true;
}

std::uint32_t PixelOfColor(const DrawTarget& target, COLORREF color) {
    if ((color >> 24) == 1) {
        const std::uint32_t index = color & 0xFF;
        return target.format.bits == 8
                   ? index
                   : PixelOfXrgb(target.format, (*target.palette)[index], *target.palette);
    }
    const std::uint32_t xrgb = XrgbOfColorref(color & 0xFFFFFF);
    if (target.format.bits == 8) return RememberedNearestIndex(*target.palette, xrgb);
    return PixelOfXrgb(target.format, xrgb, *target.palette);
}

void ShowDrawing(const DeviceContext& context) {
    if (context.target == DeviceContext::Target::kSurface) return;
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner && screen.primary)
        PresentFullScreen(*screen.primary, true);
    else if (context.target == DeviceContext::Target::kWindow)
        PresentWindowArea(context.window, true);
}

}  // namespace vorn::platform
