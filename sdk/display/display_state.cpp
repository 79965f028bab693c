// The display's process-wide values and the two queries of the screen's format that
// planes and layers share with the display device.
#include "sdk/display/display_state.h"

#include <cstring>

LPDIRECTDRAW m_lpDirectDraw = nullptr;
LPDIRECTDRAWSURFACE lpSecondary = nullptr;
LPDIRECTDRAWCLIPPER m_lpClipper = nullptr;
int m_nScreenWidth = 640;
int m_nScreenHeight = 480;
CPlane* m_lpPaletteSource = nullptr;

int GetDisplayBits() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    int bits = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

namespace {

// Locks the whole surface, waiting while the display is still drawing into it.
HRESULT LockWhole(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC& desc) {
    HRESULT hr;
    do {
        desc = {};
        desc.dwSize = sizeof desc;
        hr = surface->Lock(nullptr, &desc, 0, nullptr);
    } while (hr == DDERR_WASSTILLDRAWING);
    return hr;
}

// Bytes of the first pixel: only those are read and written back, so that a surface
// narrower than four bytes is never touched past its end.
std::size_t FirstPixelBytes(const DDSURFACEDESC& desc) {
    std::size_t bytes = (desc.ddpfPixelFormat.dwRGBBitCount + 7) / 8;
    return bytes < sizeof(DWORD) ? bytes : sizeof(DWORD);
}

}  // namespace

// GDI writes the colour into the first pixel and the surface's own format tells the
// raw value; the pixel is put back afterwards.
DWORD ColorMatch(LPDIRECTDRAWSURFACE surface, COLORREF rgb) {
    if (!surface) return CLR_INVALID;
    DDSURFACEDESC desc;
    DWORD saved = 0;
    bool haveSaved = false;
    if (LockWhole(surface, desc) == DD_OK) {
        std::memcpy(&saved, desc.lpSurface, FirstPixelBytes(desc));
        haveSaved = true;
        surface->Unlock(desc.lpSurface);
    }
    if (rgb != CLR_INVALID) {
        HDC dc;
        if (surface->GetDC(&dc) == DD_OK) {
            SetPixel(dc, 0, 0, rgb);
            surface->ReleaseDC(dc);
        }
    }
    if (LockWhole(surface, desc) != DD_OK) return CLR_INVALID;
    DWORD value = 0;
    std::memcpy(&value, desc.lpSurface, FirstPixelBytes(desc));
    DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    if (bits < 32) value &= (DWORD{1} << bits) - 1;
    if (haveSaved) std::memcpy(desc.lpSurface, &saved, FirstPixelBytes(desc));
    surface->Unlock(desc.lpSurface);
    return value;
}
