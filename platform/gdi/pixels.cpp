// Single pixels and copies between device contexts.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/draw_target.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/faults.h"

namespace {

using vorn::platform::DrawTarget;

bool Contains(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool TargetOfHandle(HDC dc, DrawTarget* target) {
    const vorn::platform::DeviceContext* context = vorn::platform::DeviceContextOf(dc);
    return context && vorn::platform::TargetOf(*context, target);
}

}  // namespace

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DrawTarget t;
    if (!TargetOfHandle(dc, &t)) return CLR_INVALID;
    x += t.origin.x;
    y += t.origin.y;
    if (!Contains(t.clip, x, y)) return CLR_INVALID;
    const std::uint32_t pixel =
        vorn::platform::PixelOfXrgb(t.format, vorn::platform::XrgbOfColorref(color), *t.palette);
    vorn::platform::WritePixel(t.At(x, y), t.format.BytesPerPixel(), pixel);
    return vorn::platform::ColorrefOfXrgb(vorn::platform::XrgbOfPixel(t.format, pixel, *t.palette));
}

COLORREF GetPixel(HDC dc, int x, int y) {
    DrawTarget t;
    if (!TargetOfHandle(dc, &t)) return CLR_INVALID;
    x += t.origin.x;
    y += t.origin.y;
    if (!Contains(t.clip, x, y)) return CLR_INVALID;
    const std::uint32_t pixel = vorn::platform::ReadPixel(t.At(x, y), t.format.BytesPerPixel());
    return vorn::platform::ColorrefOfXrgb(vorn::platform::XrgbOfPixel(t.format, pixel, *t.palette));
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop) {
    if (vorn::platform::ShouldFail("BitBlt", dest)) return FALSE;
    DrawTarget d;
    if (!TargetOfHandle(dest, &d) || width < 0 || height < 0) return FALSE;
    // The destination rectangle in target pixels, clipped; the source follows it.
    RECT to{x + d.origin.x, y + d.origin.y, x + d.origin.x + width, y + d.origin.y + height};
    RECT from{};
    DrawTarget s;
    const bool copy = rop == SRCCOPY;
    if (copy) {
        if (!TargetOfHandle(source, &s)) return FALSE;
        from = {sourceX + s.origin.x, sourceY + s.origin.y, 0, 0};
        // Clip against the source too, moving the destination with it.
        const int left = std::max({to.left, d.clip.left, to.left + s.clip.left - from.left});
        const int top = std::max({to.top, d.clip.top, to.top + s.clip.top - from.top});
        const int right = std::min({to.right, d.clip.right, to.left + s.clip.right - from.left});
        const int bottom = std::min({to.bottom, d.clip.bottom, to.top + s.clip.bottom - from.top});
        from.left += left - to.left;
        from.top += top - to.top;
        to = {left, top, right, bottom};
    } else {
        to = {std::max(to.left, d.clip.left), std::max(to.top, d.clip.top),
              std::min(to.right, d.clip.right), std::min(to.bottom, d.clip.bottom)};
    }
    if (to.left >= to.right || to.top >= to.bottom) return TRUE;
    const int w = to.right - to.left;
    const int bytes = d.format.BytesPerPixel();

    if (!copy) {
        if (rop != BLACKNESS && rop != WHITENESS) return FALSE;
        const std::uint32_t xrgb = rop == BLACKNESS ? 0 : 0xFFFFFF;
        const std::uint32_t pixel = vorn::platform::PixelOfXrgb(d.format, xrgb, *d.palette);
        for (int row = to.top; row < to.bottom; ++row)
            for (int col = to.left; col < to.right; ++col)
                vorn::platform::WritePixel(d.At(col, row), bytes, pixel);
        return TRUE;
    }
    const bool sameFormat = d.format == s.format && (d.format.bits != 8 || d.palette == s.palette);
    static std::vector<std::uint32_t>
        rowColors;  // kept between calls: copies every frame allocate nothing
    static vorn::platform::NearestCache cache;
    if (!sameFormat) {
        if (rowColors.size() < static_cast<size_t>(w)) rowColors.resize(w);
        cache.Reset();
    }
    for (int row = 0; row < to.bottom - to.top; ++row) {
        std::uint8_t* out = d.At(to.left, to.top + row);
        const std::uint8_t* in = s.At(from.left, from.top + row);
        if (sameFormat) {
            std::memmove(out, in, static_cast<size_t>(w) * bytes);
        } else {
            vorn::platform::RowToXrgb(s.format, in, w, *s.palette, rowColors.data());
            vorn::platform::RowFromXrgb(d.format, rowColors.data(), w, *d.palette, cache, out);
        }
    }
    return TRUE;
}
