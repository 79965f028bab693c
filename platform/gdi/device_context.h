// The device context objects behind HDC. Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/base/types.h"

namespace vorn::platform {

class Surface;
struct Font;

// A device context draws into a surface, a window's client area (the part of the
// desktop's image under it) or the whole screen.
struct DeviceContext {
    enum class Target { kSurface, kWindow, kScreen };
    Target target = Target::kSurface;
    Surface* surface = nullptr;  // kSurface
    HWND window = nullptr;       // kWindow
    Font* font = nullptr;        // the selected font (the default font when none was selected)
    COLORREF textColor = 0;
    COLORREF backColor = 0xFFFFFF;
    int backMode = 2;  // OPAQUE
};

HDC NewDeviceContext(const DeviceContext& context);
// The object behind a handle, or null for a handle that is not a live device context.
DeviceContext* DeviceContextOf(HDC dc);
void DeleteDeviceContext(HDC dc);
// Calls `visit` for every live device context.
void ForEachDeviceContext(void (*visit)(DeviceContext&, void*), void* data);

}  // namespace vorn::platform
