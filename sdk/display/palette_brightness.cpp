// Colour handling of the display: the 8-bit display palette (entries 0-9 and 246-255
// left to the system, 10-245 to the game) and the brightness, which scales the game's
// palette entries on 8-bit screens and the finished frame's pixels on the others.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "sdk/display/brightness_pixels.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/plane.h"
#include "sdk/frame/error_log.h"

namespace {

constexpr DWORD kFirstGameEntry = 10;
constexpr DWORD kGameEntries = 236;
constexpr int kSystemEntries = 10;  // at each end of the palette

// The system's twenty static colours, referred to by their system palette index.
void PointAtSystemColors(PALETTEENTRY (&table)[256]) {
    for (int i = 0; i < kSystemEntries; ++i) {
        table[i] = {static_cast<BYTE>(i), 0, 0, PC_EXPLICIT};
        table[255 - i] = {static_cast<BYTE>(255 - i), 0, 0, PC_EXPLICIT};
    }
}

// Until a palette source is named, the game's entries hold a cube of 8 red, 4 green and
// 4 blue levels in index order, followed by black.
void FillColorCube(PALETTEENTRY (&table)[256]) {
    for (DWORD k = 0; k < kGameEntries; ++k) {
        DWORD c = k <= 128 ? k : 0;
        table[kFirstGameEntry + k] = {static_cast<BYTE>(((c >> 4) & 7) * 255 / 7),
                                      static_cast<BYTE>(((c >> 2) & 3) * 85),
                                      static_cast<BYTE>((c & 3) * 85), PC_RESERVED | PC_NOCOLLAPSE};
    }
}

}  // namespace

int CDirectDraw::InstallPalette() {
    if (!m_lpDirectDraw || !m_lpPrimary) return 0;
    PALETTEENTRY table[256] = {};
    if (m_nDisplayMode == 1) {
        PointAtSystemColors(table);
    } else if (HDC dc = GetDC(m_hWnd)) {
        SetSystemPaletteUse(dc, SYSPAL_STATIC);
        GetSystemPaletteEntries(dc, 0, 256, table);
        ReleaseDC(m_hWnd, dc);
    } else {
        // Without the window's device context the system's colours are still reachable
        // through their indices.
        PointAtSystemColors(table);
    }
    FillColorCube(table);

    if (m_lpPaletteMain) {
        CErrorLog::Report("なぜにCDirectDraw::InstallPaletteでm_lpPaletteMain!=NULL?");
        m_lpPaletteMain->Release();
        m_lpPaletteMain = nullptr;
    }
    if (FAILED(m_lpDirectDraw->CreatePalette(DDPCAPS_8BIT, table, &m_lpPaletteMain, nullptr))) {
        m_lpPaletteMain = nullptr;
        CErrorLog::Report("DirectDrawInitで、CreatePaletteに失敗");
        return 0;
    }
    if (m_lpPrimary->SetPalette(m_lpPaletteMain) == DDERR_SURFACELOST) {
        m_lpPrimary->Restore();
        if (FAILED(m_lpPrimary->SetPalette(m_lpPaletteMain))) {
            CErrorLog::Report("DirectDrawInitでSetPaletteに失敗");
            return 1;
        }
    }
    return 0;
}

void CDirectDraw::RealizeBrightness(int brightness, bool palettePhase) {
    if (palettePhase) {
        if (m_nDisplayBits != 8 || !m_lpPaletteMain) return;
        if (!m_bPaletteDirty) {
            // The source plane may have gone away since: only remember the new value.
            m_lpRememberedPaletteSource = m_lpPaletteSource;
            return;
        }
        m_bPaletteDirty = false;
        m_lpRememberedPaletteSource = m_lpPaletteSource;
        if (!m_lpPaletteSource) return;
        LPDIRECTDRAWPALETTE source = m_lpPaletteSource->GetPalette();
        if (!source) return;
        PALETTEENTRY entries[kGameEntries];
        if (FAILED(source->GetEntries(0, kFirstGameEntry, kGameEntries, entries))) return;
        const DWORD scale = static_cast<DWORD>(m_nBrightness);
        for (PALETTEENTRY& e : entries) {
            e.peRed = static_cast<BYTE>((e.peRed * scale) >> 8);
            e.peGreen = static_cast<BYTE>((e.peGreen * scale) >> 8);
            e.peBlue = static_cast<BYTE>((e.peBlue * scale) >> 8);
        }
        m_lpPaletteMain->SetEntries(0, kFirstGameEntry, kGameEntries, entries);
        return;
    }

    if (m_nDisplayBits == 8 || m_nBrightness == 256 || !lpSecondary) return;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(lpSecondary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
        CErrorLog::Report("RealizeBrightnessでSurfaceのLockに失敗");
        return;
    }
    // The screen size bounds the rows; the lock's own size keeps them inside the surface.
    const PixelRows rows{static_cast<BYTE*>(desc.lpSurface), desc.lPitch,
                         std::min(m_nScreenWidth, static_cast<int>(desc.dwWidth)),
                         std::min(m_nScreenHeight, static_cast<int>(desc.dwHeight))};
    const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    const DWORD a = static_cast<DWORD>(brightness);
    switch (format.dwRGBBitCount) {
        case 16:
            ScaleRows16(rows, format.dwRBitMask, format.dwGBitMask, format.dwBBitMask, a);
            break;
        case 24:
            ScaleRows24(rows, a);
            break;
        case 32:
            ScaleRows32(rows, format.dwRBitMask, format.dwGBitMask, format.dwBBitMask, a);
            break;
        default:
            break;
    }
    lpSecondary->Unlock(desc.lpSurface);
}

void CDirectDraw::RefreshPalette() {
    m_bPaletteDirty = true;
    RealizeBrightness(m_nBrightness, true);
}

int CDirectDraw::SetPaletteSource(CPlane* plane) {
    m_lpPaletteSource = plane;
    m_bPaletteDirty = true;
    return 0;
}
