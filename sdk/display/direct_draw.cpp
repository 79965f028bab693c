// The display device's life cycle, its mode settings, surface restoration and its
// handling of the game window's messages.
#include "sdk/display/direct_draw.h"

#include "platform/gdi/gdi.h"
#include "sdk/display/plane.h"
#include "sdk/frame/error_log.h"

CDirectDraw::CDirectDraw() {
    m_lpDirectDraw = nullptr;
    lpSecondary = nullptr;
    m_lpClipper = nullptr;
    m_nScreenWidth = 640;
    m_nScreenHeight = 480;
    InitializeCOM();
}

CDirectDraw::~CDirectDraw() {
    delete m_lpCapturePlane;
    ShowCursorIfChanged(true);
    if (m_lpDirectDraw) {
        m_lpDirectDraw->Release();
        m_lpDirectDraw = nullptr;
    }
    UninitializeCOM();
}

HWND CDirectDraw::CreateWindow(HINSTANCE instance, const std::string& caption) {
    return m_GameWindow.CreateWindow(instance, caption, m_nDisplayMode, m_nScreenWidth,
                                     m_nScreenHeight);
}

int CDirectDraw::Initialize(HWND window, HINSTANCE /*instance*/) {
    m_hWnd = window;
    if (FAILED(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                                reinterpret_cast<LPVOID*>(&m_lpDirectDraw)))) {
        m_lpDirectDraw = nullptr;
        CErrorLog::Report("CDirectDraw::InitializeでCoCreateInstanceに失敗");
        return 1;
    }
    m_lpDirectDraw->Initialize(GetDisplayDriverArgument());
    if (ChangeDisplay() != 0) return 1;
    AddHook(window);
    SetFillPixel(m_GameWindow.GetBackgroundFill());
    return 0;
}

int CDirectDraw::Terminate() {
    RemoveHook();
    CPlane::ReleaseAll();
    ReleaseSecondary();
    ReleasePrimaryClipperAndPalette();
    if (m_lpDirectDraw) {
        if (FAILED(m_lpDirectDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL)))
            CErrorLog::Report("DDraw:終了処理でSetCooperativeLevelに失敗");
        if (FAILED(m_lpDirectDraw->RestoreDisplayMode()))
            CErrorLog::Report("DDraw:終了処理でディスプレーモード復帰失敗..");
        m_lpDirectDraw->Release();
        m_lpDirectDraw = nullptr;
    }
    return 0;
}

int CDirectDraw::SetDisplay(int mode, int width, int height, int bits) {
    m_nDisplayMode = mode;
    if (width) m_nScreenWidth = width;
    if (height) m_nScreenHeight = height;
    if (bits) m_nFullScreenBits = bits;
    return m_lpPrimary ? ChangeDisplay() : 0;
}

void CDirectDraw::SetSystemMemory(bool on) {
    if (on == m_bSystemMemory) return;
    m_bSystemMemory = on;
    if (m_lpPrimary) ChangeDisplay();
}

int CDirectDraw::RestoreSurface() {
    bool primaryLost = m_lpPrimary && m_lpPrimary->IsLost() == DDERR_SURFACELOST;
    bool secondaryLost = lpSecondary && lpSecondary->IsLost() == DDERR_SURFACELOST;
    if (!primaryLost && !secondaryLost) return 0;
    if (m_lpPrimary) {
        if (FAILED(m_lpPrimary->Restore())) return ChangeDisplay();
        if (!lpSecondary || FAILED(lpSecondary->Restore())) {
            CErrorLog::Report("RestoreSurface lpSecondaryがLostしてまっせー");
            return ChangeDisplay();
        }
    }
    CPlane::RestoreAll();
    return 0;
}

void CDirectDraw::ShowCursorIfChanged(bool show) {
    if (show == m_bCursorShown) return;
    ShowCursor(show);
    m_bCursorShown = show;
}

void CDirectDraw::FlipToGDI() {
    if (m_nDisplayMode == 0 && m_bFlipping && m_lpDirectDraw) m_lpDirectDraw->FlipToGDISurface();
}

// A fill colour given as RGB is matched again whenever the surfaces or the palette may
// have changed under it.
void CDirectDraw::ReapplyFillColor() {
    if (m_rgbFillColor != CLR_INVALID) SetFillColor(m_rgbFillColor);
}

LRESULT CDirectDraw::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (window != m_hWnd) return 0;
    switch (message) {
        case WM_PAINT:
            ShowFrame();
            break;
        case WM_ACTIVATEAPP:
            if (wParam) {
                RestoreSurface();
                ReapplyFillColor();
            }
            break;
        case WM_SETCURSOR:
            if (m_nDisplayMode == 0) SetCursor(nullptr);
            break;
        case WM_QUERYNEWPALETTE: {
            if (!m_lpPrimary || !m_lpPaletteMain || m_nDisplayMode != 1) break;
            HRESULT hr = m_lpPrimary->SetPalette(m_lpPaletteMain);
            if (hr == DDERR_SURFACELOST) {
                if (FAILED(m_lpPrimary->Restore())) break;
                hr = m_lpPrimary->SetPalette(m_lpPaletteMain);
            }
            if (FAILED(hr)) {
                CErrorLog::Report("DirectDraw::OnQueryNewPaletteでSetPaletteに失敗");
                break;
            }
            RefreshPalette();
            ReapplyFillColor();
            CPlane::RestoreAllPaletteDependent();
            break;
        }
        default:
            break;
    }
    return 0;
}
