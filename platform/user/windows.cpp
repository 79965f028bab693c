// Windows: creation and destruction, size and position, caption, style, visibility and
// the default window procedure. A window is a host window whose client area is the
// window's size less the frame of window_frame.h.
#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/ddraw/present.h"
#include "platform/host/host.h"
#include "platform/host/host_internal.h"
#include "platform/host/window_directory.h"
#include "platform/host/window_registry.h"
#include "platform/testing/faults.h"
#include "platform/text/sjis.h"
#include "platform/user/message_queue.h"
#include "platform/user/stock_objects.h"
#include "platform/user/user.h"
#include "platform/user/window_class.h"
#include "platform/user/window_frame.h"

using vorn::host::FindWindowRecord;
using vorn::host::WindowRecord;
using namespace vorn::platform;

namespace {

constexpr int kDefaultClientWidth = 640;
constexpr int kDefaultClientHeight = 480;

FrameInsets RecordInsets(const WindowRecord& record) {
    return InsetsOf(record.style, record.menu != nullptr);
}

bool CoversScreen(int x, int y, int width, int height) {
    return x == 0 && y == 0 && width >= GetSystemMetrics(SM_CXSCREEN) &&
           height >= GetSystemMetrics(SM_CYSCREEN);
}

void SetVisible(WindowRecord& record, bool visible) {
    if (visible) {
        SDL_ShowWindow(record.sdl);
    } else {
        SDL_HideWindow(record.sdl);
    }
    record.visible = visible;
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU menu, HINSTANCE, LPVOID) {
    if (ShouldFail("CreateWindowExA")) return nullptr;
    const WNDCLASSA* windowClass = FindWindowClass(className);
    if (!windowClass || !vorn::host::EnsureVideo()) return nullptr;

    const FrameInsets insets = InsetsOf(style, menu != nullptr);
    int clientWidth = kDefaultClientWidth;
    int clientHeight = kDefaultClientHeight;
    if (width != CW_USEDEFAULT) {
        clientWidth = std::max(1, width - insets.left - insets.right);
        clientHeight = std::max(1, height - insets.top - insets.bottom);
    }
    Uint32 flags = (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if ((style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    if ((style & WS_POPUP) && CoversScreen(x, y, width, height))
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int hostX =
        x == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : x + insets.left;
    const int hostY =
        x == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : y + insets.top;
    const std::string caption = windowName ? windowName : "";
    SDL_Window* sdl = SDL_CreateWindow(SjisToUtf8(caption).c_str(), hostX, hostY, clientWidth,
                                       clientHeight, flags);
    if (!sdl) return nullptr;

    auto record = std::make_unique<WindowRecord>();
    record->handle = vorn::host::NewHandle();
    record->className = className;
    record->procedure = windowClass->lpfnWndProc;
    record->background = windowClass->hbrBackground;
    record->caption = caption;
    record->style = style & ~WS_VISIBLE;
    record->exStyle = exStyle;
    record->sdl = sdl;
    record->menu = menu;
    record->visible = (style & WS_VISIBLE) != 0;
    const HWND handle = record->handle;
    vorn::host::AddWindow(std::move(record));
    vorn::host::StartWindowDirectory();

    if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return handle;
}

BOOL DestroyWindow(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || record->destroying) return FALSE;
    record->destroying = true;
    SendMessageA(window, WM_DESTROY, 0, 0);
    vorn::platform::ForgetWindowPresenter(window);
    SDL_DestroyWindow(record->sdl);
    PurgeMessages(window);
    vorn::host::RemoveWindow(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return FindWindowRecord(window) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record && record->visible ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command) {
    BOOL remote = FALSE;
    if (vorn::host::RemoteShowWindow(window, command, &remote)) return remote;
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    const BOOL wasVisible = record->visible ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE:
            SetVisible(*record, false);
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
            SetVisible(*record, true);
            SDL_MinimizeWindow(record->sdl);
            break;
        case SW_MAXIMIZE:
            SetVisible(*record, true);
            SDL_MaximizeWindow(record->sdl);
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            SetVisible(*record, true);
            SDL_RestoreWindow(record->sdl);
            break;
        default:  // SW_SHOW, SW_SHOWNOACTIVATE: as it was, only visible
            SetVisible(*record, true);
            break;
    }
    return wasVisible;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    const FrameInsets insets = RecordInsets(*record);
    if (!(flags & SWP_NOSIZE))
        SDL_SetWindowSize(record->sdl, std::max(1, cx - insets.left - insets.right),
                          std::max(1, cy - insets.top - insets.bottom));
    if (!(flags & SWP_NOMOVE)) SDL_SetWindowPosition(record->sdl, x + insets.left, y + insets.top);
    if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
        SDL_SetWindowAlwaysOnTop(record->sdl, insertAfter == HWND_TOPMOST ? SDL_TRUE : SDL_FALSE);
    if (flags & SWP_SHOWWINDOW) SetVisible(*record, true);
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL SetForegroundWindow(HWND window) {
    BOOL remote = FALSE;
    if (vorn::host::RemoteSetForeground(window, &remote)) return remote;
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    SDL_RaiseWindow(record->sdl);
    // Where the host gives no focus (no display), bringing a window forward still
    // activates its program, as it does on a desktop.
    vorn::host::SetAppActive(true);
    return TRUE;
}

HWND GetForegroundWindow() {
    if (!vorn::host::AppActive()) return nullptr;
    const auto all = vorn::host::AllWindows();
    for (HWND window : all) {
        const WindowRecord* record = FindWindowRecord(window);
        if (record && (SDL_GetWindowFlags(record->sdl) & SDL_WINDOW_INPUT_FOCUS)) return window;
    }
    return all.empty() ? nullptr : all.front();
}

HWND SetFocus(HWND window) {
    const HWND previous = GetForegroundWindow();
    if (const WindowRecord* record = FindWindowRecord(window)) SDL_RaiseWindow(record->sdl);
    return previous;
}

BOOL UpdateWindow(HWND window) {
    // Before a display device draws into the window, its client area shows the class's
    // background; each call shows it once and counts as a presented frame.
    const WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    if (!record->visible) return TRUE;
    SDL_Surface* surface = SDL_GetWindowSurface(record->sdl);
    if (!surface) return FALSE;
    COLORREF color = 0;
    if (BrushColor(record->background, &color))
        SDL_FillRect(
            surface, nullptr,
            SDL_MapRGB(surface->format, GetRValue(color), GetGValue(color), GetBValue(color)));
    SDL_UpdateWindowSurface(record->sdl);
    vorn::host::SurfacePresented(window, surface);
    return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
    if (!FindWindowRecord(window)) return FALSE;
    if (!HasQueued(window, WM_PAINT)) Enqueue(window, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    if (!rect) return FALSE;
    const FrameInsets insets = InsetsOf(style, menu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
        case SM_CYSCREEN: {
            SDL_DisplayMode mode{};
            if (!vorn::host::EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
                return index == SM_CXSCREEN ? kDefaultClientWidth : kDefaultClientHeight;
            return index == SM_CXSCREEN ? mode.w : mode.h;
        }
        case SM_CXFRAME:
        case SM_CYFRAME:
            return kBorder;
        case SM_CYCAPTION:
            return kCaption;
        default:
            return 0;
    }
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (ShouldFail("SetWindowTextA", window)) return FALSE;
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    std::string caption = text ? text : "";
    SDL_SetWindowTitle(record->sdl, SjisToUtf8(caption).c_str());
    vorn::host::SetCaption(*record, std::move(caption));
    return TRUE;
}

int GetWindowTextA(HWND window, LPSTR text, int maxCount) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record || !text || maxCount <= 0) return 0;
    const int length = std::min(static_cast<int>(record->caption.size()), maxCount - 1);
    std::memcpy(text, record->caption.data(), static_cast<std::size_t>(length));
    text[length] = '\0';
    return length;
}

LONG GetWindowLongA(HWND window, int index) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record) return 0;
    if (index == GWL_STYLE)
        return static_cast<LONG>(record->style | (record->visible ? WS_VISIBLE : 0));
    if (index == GWL_EXSTYLE) return static_cast<LONG>(record->exStyle);
    return 0;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return 0;
    const LONG previous = GetWindowLongA(window, index);
    const auto bits = static_cast<DWORD>(value);
    if (index == GWL_STYLE) {
        // The window keeps its outer size, as a desktop keeps a window's rectangle when
        // its style changes: the client area grows or shrinks by the change of frame.
        const FrameInsets before = RecordInsets(*record);
        record->style = bits & ~WS_VISIBLE;
        const FrameInsets after = RecordInsets(*record);
        int width = 0, height = 0;
        SDL_GetWindowSize(record->sdl, &width, &height);
        SDL_SetWindowSize(
            record->sdl,
            std::max(1, width + before.left + before.right - after.left - after.right),
            std::max(1, height + before.top + before.bottom - after.top - after.bottom));
        SDL_SetWindowBordered(record->sdl,
                              (bits & WS_CAPTION) == WS_CAPTION ? SDL_TRUE : SDL_FALSE);
        SetVisible(*record, (bits & WS_VISIBLE) != 0);
    } else if (index == GWL_EXSTYLE) {
        record->exStyle = bits;
        SDL_SetWindowAlwaysOnTop(record->sdl, (bits & WS_EX_TOPMOST) ? SDL_TRUE : SDL_FALSE);
    }
    return previous;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record || !rect) return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(record->sdl, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record || !rect) return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(record->sdl, &x, &y);
    SDL_GetWindowSize(record->sdl, &width, &height);
    const FrameInsets insets = RecordInsets(*record);
    *rect =
        RECT{x - insets.left, y - insets.top, x + width + insets.right, y + height + insets.bottom};
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
    const WindowRecord* record = FindWindowRecord(window);
    if (!record || !point) return FALSE;
    int x = 0, y = 0;
    SDL_GetWindowPosition(record->sdl, &x, &y);
    point->x += x;
    point->y += y;
    return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    if (HWND local = vorn::host::FindLocalWindow(className, windowName)) return local;
    return vorn::host::FindRemoteWindow(className, windowName);
}

HMENU GetMenu(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return record ? record->menu : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record) return FALSE;
    record->menu = menu;
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return 0;
    }
}
