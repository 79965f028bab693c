// Changing the display: releasing every surface, building the primary, the clipper and
// the secondary of the chosen mode (falling back from full screen to a window), and
// fitting the game window to the new mode.
#include "platform/gdi/gdi.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/plane.h"
#include "sdk/frame/error_log.h"

namespace {

template <typename Interface>
void ReleaseAndForget(Interface*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

int CDirectDraw::ChangeDisplay() {
    BeginChangeDisplay();
    if (m_nDisplayMode == 0) TryDisplayMode(0, m_nScreenWidth, m_nScreenHeight, m_nFullScreenBits);
    TryDisplayMode(1, m_nScreenWidth, m_nScreenHeight, 0);
    return EndChangeDisplay() != 0 ? 1 : 0;
}

// The back buffer of a flip chain belongs to the primary and goes with it. The flag
// alone tells: the display mode may already name the next mode when a full-screen flip
// chain is torn down for a window.
void CDirectDraw::ReleaseSecondary() {
    if (lpSecondary && !m_bFlipping) lpSecondary->Release();
    lpSecondary = nullptr;
}

void CDirectDraw::ReleasePrimaryClipperAndPalette() {
    if (m_lpPrimary && m_lpPrimary->SetPalette(nullptr) == DDERR_SURFACELOST) {
        m_lpPrimary->Restore();
        m_lpPrimary->SetPalette(nullptr);
    }
    ReleaseAndForget(m_lpClipper);
    ReleaseAndForget(m_lpPrimary);
    ReleaseAndForget(m_lpPaletteMain);
}

void CDirectDraw::BeginChangeDisplay() {
    m_bChanging = true;
    CPlane::ReleaseAll();
    ReleaseSecondary();
    ReleasePrimaryClipperAndPalette();
    if (m_lpDirectDraw && m_nDisplayMode == 1) {
        if (FAILED(m_lpDirectDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL)))
            CErrorLog::Report("ChangeDisplayModeでSetCooperativeLevelに失敗..");
        if (FAILED(m_lpDirectDraw->RestoreDisplayMode()))
            CErrorLog::Report("ChangeDisplayModeでRestoreDisplayModeに失敗..");
    }
}

// The primary surface, as a flip chain with one back buffer when flipping is in use;
// a refused flip chain is retried once as a single primary.
bool CDirectDraw::CreatePrimary() {
    for (;;) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        if (m_bFlipping) {
            desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
            desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
            desc.dwBackBufferCount = 1;
        } else {
            desc.dwFlags = DDSD_CAPS;
            desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        }
        if (SUCCEEDED(m_lpDirectDraw->CreateSurface(&desc, &m_lpPrimary, nullptr))) return true;
        m_lpPrimary = nullptr;
        CErrorLog::Report("DirectDrawのCreateSurfaceに失敗");
        if (!m_bFlipping) return false;
        m_bFlipping = false;
    }
}

bool CDirectDraw::AttachClipper() {
    if (FAILED(m_lpDirectDraw->CreateClipper(0, &m_lpClipper, nullptr))) {
        m_lpClipper = nullptr;
        CErrorLog::Report("DirectDrawClipper構築失敗");
        return false;
    }
    if (FAILED(m_lpClipper->SetHWnd(0, m_hWnd))) {
        CErrorLog::Report("DirectDrawClipperにhWNDをセットできない");
        return false;
    }
    if (FAILED(m_lpPrimary->SetClipper(m_lpClipper))) {
        CErrorLog::Report("DirectDrawのSetClipperに失敗");
        return false;
    }
    return true;
}

bool CDirectDraw::CreateSecondary(int width, int height) {
    DWORD memory = m_bSystemMemory ? DDSCAPS_SYSTEMMEMORY : 0;
    if (m_bFlipping) {
        DDSCAPS caps{DDSCAPS_BACKBUFFER | memory};
        if (SUCCEEDED(m_lpPrimary->GetAttachedSurface(&caps, &lpSecondary))) return true;
        lpSecondary = nullptr;
        CErrorLog::Report("DirectDrawのGetAttachedSurfaceに失敗");
        m_bFlipping = false;
    }
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memory;
    if (SUCCEEDED(m_lpDirectDraw->CreateSurface(&desc, &lpSecondary, nullptr))) return true;
    lpSecondary = nullptr;
    CErrorLog::Report("DirectDrawのCreateSurfaceに失敗");
    return false;
}

void CDirectDraw::TryDisplayMode(int mode, int width, int height, int bits) {
    if (!m_bChanging || !m_lpDirectDraw) return;
    if (mode == 0) {
        if (FAILED(
                m_lpDirectDraw->SetCooperativeLevel(m_hWnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN))) {
            CErrorLog::Report("DirectDrawのSetCooperativeLevelにDDSC_EXCLUSIVEで失敗");
            return;
        }
        if (FAILED(m_lpDirectDraw->SetDisplayMode(width, height, bits))) {
            CErrorLog::Report("DirectDrawのSetDisplayModeに失敗");
            return;
        }
    } else if (FAILED(m_lpDirectDraw->SetCooperativeLevel(m_hWnd, DDSCL_NORMAL))) {
        CErrorLog::Report("DirectDrawのSetCooperativeLevelにDDSC_NORMALで失敗");
        return;
    }
    m_bFlipping = mode == 0 && m_bUseFlip;
    if (!CreatePrimary()) return;
    // A refused step leaves nothing behind, so the next attempt can make its own primary.
    if ((mode == 1 && !AttachClipper()) || !CreateSecondary(width, height)) {
        ReleaseSecondary();
        ReleasePrimaryClipperAndPalette();
        return;
    }
    Clear();
    m_nDisplayMode = mode;
    m_nScreenWidth = width;
    m_nScreenHeight = height;
    m_nDisplayBits = GetDisplayBits();
    m_bChanging = false;
    if (m_nDisplayBits == 8) InstallPalette();
}

int CDirectDraw::EndChangeDisplay() {
    if (m_bChanging) {
        CErrorLog::Report("BeginChangeDisplay～EndChangeDisplayに失敗");
        return 1;
    }
    CPlane::RestoreAll();
    m_bPaletteDirty = true;
    ShowCursorIfChanged(m_nDisplayMode != 0);
    if (m_nDisplayMode == 1) {
        DWORD style = m_GameWindow.m_dwStyle;
        RECT rect{0, 0, m_nScreenWidth, m_nScreenHeight};
        AdjustWindowRect(&rect, style, FALSE);
        SetWindowPos(m_hWnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOMOVE);
        SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
        SetMenu(m_hWnd, GetMenu(m_hWnd));
        ShowWindow(m_hWnd, SW_SHOW);
        if (m_hSavedIMC) ImmAssociateContext(m_hWnd, m_hSavedIMC);
    } else {
        SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(WS_POPUP));
        ShowWindow(m_hWnd, SW_SHOW);
        if (!m_hSavedIMC) m_hSavedIMC = ImmAssociateContext(m_hWnd, nullptr);
    }
    return 0;
}
