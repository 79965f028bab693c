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

// The arrow cursor's handle: a token, the host cursor behind it is made on first use.
struct CursorToken {
} g_arrow;
int g_cursorCount = 0;

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
    // The host shows its own arrow; a null cursor hides it until an arrow is set again.
    static HCURSOR current = nullptr;
    const HCURSOR previous = current;
    current = cursor;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(cursor && g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

int ShowCursor(BOOL show) {
    g_cursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return g_cursorCount;
}

HGDIOBJ GetStockObject(int object) {
    if (object >= 0 && object < static_cast<int>(std::size(kBrushes)))
        return const_cast<StockObject*>(&kBrushes[object]);
    if (object == SYSTEM_FONT) return const_cast<StockObject*>(&kSystemFont);
    if (object == DEFAULT_GUI_FONT) return const_cast<StockObject*>(&kGuiFont);
    return nullptr;
}
