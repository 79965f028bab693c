// The emulated display's system palette as GDI shows it: the static colours, and
// between them the display palette's own colours.
#include <algorithm>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/screen.h"
#include "platform/ddraw/system_palette.h"
#include "platform/gdi/gdi.h"

namespace {
UINT g_use = SYSPAL_STATIC;
}

UINT SetSystemPaletteUse(HDC dc, UINT use) {
    if (use != SYSPAL_STATIC && use != SYSPAL_NOSTATIC && use != SYSPAL_NOSTATIC256)
        return SYSPAL_ERROR;
    const UINT previous = g_use;
    g_use = use;
    return previous;
}

UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries) {
    if (!entries) return 256;
    if (start >= 256) return 0;
    count = std::min<UINT>(count, 256 - start);
    const vorn::platform::Surface* primary = vorn::platform::Screen::Get().primary;
    const vorn::platform::Palette* display = primary ? primary->AttachedPalette() : nullptr;
    for (UINT i = 0; i < count; ++i) {
        const int index = static_cast<int>(start + i);
        const bool isStatic = index < 10 || index >= 246;
        if (isStatic || !display) {
            entries[i] = vorn::platform::StaticSystemColor(index);
        } else {
            const std::uint32_t c = display->Colors()[index];
            entries[i] = {BYTE(c >> 16), BYTE(c >> 8), BYTE(c), 0};
        }
    }
    return count;
}
