#include "platform/testing/display.h"

#include "platform/ddraw/ddraw.h"

namespace vorn::testing {

HRESULT OpenOffscreenDisplay(int bits, int width, int height, IDirectDraw** display,
                             IDirectDrawSurface** secondary) {
    *display = nullptr;
    *secondary = nullptr;
    SetDesktopFormat({bits, width, height});
    HRESULT result = DirectDrawCreate(DDCREATE_EMULATIONONLY, display, nullptr);
    if (result != DD_OK) return result;
    result = (*display)->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
    if (result != DD_OK) return result;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    return (*display)->CreateSurface(&desc, secondary, nullptr);
}

}  // namespace vorn::testing
