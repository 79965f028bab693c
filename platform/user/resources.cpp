// Icons, cursors and stock objects. A program on this host carries no resources: every
// icon is the host's default, and the one cursor is the arrow.
#include <SDL.h>

#include <iterator>

#include "platform/user/stock_objects.h"
#include "platform/user/user.h"

namespace vorn::platform {
namespace {

enum class StockKind { Brush, NullBrush, Font };

struct StockObject {
    StockKind kind;
    COLORREF color;
};

// Indexed by the stock object number; the gaps are objects this host does not have.
const StockObject kBrushes[] = {
    {StockKind::Brush, RGB(255, 255, 255)}, {StockKind::Brush, RGB(192, 192, 192)},
    {StockKind::Brush, RGB(128, 128, 128)}, {StockKind::Brush, RGB(64, 64, 64)},
    {StockKind::Brush, RGB(0, 0, 0)},       {StockKind::NullBrush, 0},
};
const StockObject kSystemFont{StockKind::Font, 0};
const StockObject kGuiFont{StockKind::Font, 0};

// The arrow cursor's handle: a token for the host's own arrow.
struct CursorToken {
} g_arrow;

// The cursor shows while one is set (the arrow from the start) and the display count
// is 0 or more.
HCURSOR g_cursor = reinterpret_cast<HCURSOR>(&g_arrow);
int g_cursorCount = 0;

void ApplyCursor() {
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(g_cursor && g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace

bool BrushColor(HBRUSH brush, COLORREF* color) {
    for (const StockObject& object : kBrushes) {
        if (brush != &object) continue;
        if (object.kind != StockKind::Brush) return false;
        if (color) *color = object.color;
        return true;
    }
    return false;
}

}  // namespace vorn::platform

using namespace vorn::platform;

HICON LoadIconA(HINSTANCE, LPCSTR) { return nullptr; }

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return !instance && name == IDC_ARROW ? reinterpret_cast<HCURSOR>(&g_arrow) : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = g_cursor;
    g_cursor = cursor;
    ApplyCursor();
    return previous;
}

int ShowCursor(BOOL show) {
    g_cursorCount += show ? 1 : -1;
    ApplyCursor();
    return g_cursorCount;
}

HGDIOBJ GetStockObject(int object) {
    if (object >= 0 && object < static_cast<int>(std::size(kBrushes)))
        return const_cast<StockObject*>(&kBrushes[object]);
    if (object == SYSTEM_FONT) return const_cast<StockObject*>(&kSystemFont);
    if (object == DEFAULT_GUI_FONT) return const_cast<StockObject*>(&kGuiFont);
    return nullptr;
}
