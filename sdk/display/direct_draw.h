// The display device: the display object, the primary surface and the secondary
// surface that every frame is drawn into, the window-mode clipper and the 8-bit display
// palette. It runs in a window or full screen, rebuilds every surface after a mode
// change or a lost surface, and presents one frame per pass of the main loop. It also
// holds the game window and creates it for the frame.
//
// The algorithms live in files of one purpose each: direct_draw.cpp (life cycle, modes,
// window messages), display_change.cpp (building the surfaces of a mode),
// palette_brightness.cpp (palette and brightness), presentation.cpp (showing a frame).
#pragma once

#include <string>

#include "platform/ddraw/ddraw.h"
#include "platform/user/user.h"
#include "sdk/display/callback_list.h"
#include "sdk/display/display_driver.h"
#include "sdk/display/display_state.h"
#include "sdk/frame/device.h"
#include "sdk/frame/game_window.h"
#include "sdk/frame/window_hook.h"

class CPlane;

class CDirectDraw : public CWindowHook, public CDevice {
public:
    using PaintCallback = void (*)();
    using DCPaintCallback = void (*)(HDC dc);

    CDirectDraw();
    ~CDirectDraw() override;
    CDirectDraw(const CDirectDraw&) = delete;
    CDirectDraw& operator=(const CDirectDraw&) = delete;

    // ---- life cycle (direct_draw.cpp) ------------------------------------------------
    // Creates the game window in the current display mode and screen size; null when
    // the window could not be made (the game window reports why).
    HWND CreateWindow(HINSTANCE instance, const std::string& caption);
    // 0 when the display runs, 1 when the display object or every mode failed.
    int Initialize(HWND window, HINSTANCE instance) override;
    // Releases every surface and the display object; safe to call again. Returns 0.
    int Terminate() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Mode 0 = full screen, 1 = window; zero width, height or bits keep the current
    // value. Before Initialize the values only wait; afterwards the display changes.
    int SetDisplay(int mode, int width, int height, int bits);
    // Puts the secondary surface in system memory (rebuilding the surfaces when they
    // exist and the setting changes).
    void SetSystemMemory(bool on);
    // After WM_ACTIVATEAPP: restores lost surfaces, or rebuilds them all.
    int RestoreSurface();
    // Calls ShowCursor only when the state changes, so the system's count moves by one.
    void ShowCursorIfChanged(bool show);
    // In full screen with a flip chain, brings the desktop's surface to the front so
    // that a message box can be seen.
    void FlipToGDI();

    // ---- changing the display (display_change.cpp) ----------------------------------
    // Builds the surfaces of the chosen mode, falling back from full screen to a window.
    // 0 when a mode is set, 1 when none could be.
    int ChangeDisplay();
    void BeginChangeDisplay();
    void TryDisplayMode(int mode, int width, int height, int bits);
    int EndChangeDisplay();

    // ---- presentation (presentation.cpp) --------------------------------------------
    // Shows the frame drawn into the secondary surface: the pre-paint callbacks, the DC
    // paint callbacks, the pixel brightness, then (unless a capture is requested) the
    // pre-present callbacks and the frame itself, then the palette brightness.
    void Present();
    // Copies or flips the secondary to the screen, honouring the frame offset.
    void ShowFrame();
    // Fills the secondary with the fill colour: 0 ok, 1 no secondary, 2 fill failed.
    int Clear();
    // Lends the secondary's device context until EndPaintSecondary: 0 ok, 1 no
    // secondary, 2 no device context (dc is then null).
    int BeginPaintSecondary(HDC& dc);
    int EndPaintSecondary();
    // The fill colour as RGB, matched to the secondary's format; returns the pixel
    // value. Without a secondary surface nothing changes and the result is CLR_INVALID.
    DWORD SetFillColor(COLORREF rgb);
    void SetFillPixel(DWORD pixel);
    // Clears the screen and shows the pause text (while the application is inactive).
    void ShowPauseScreen();

    // ---- palette and brightness (palette_brightness.cpp) ----------------------------
    // Names the plane whose palette entries 10-245 become the display palette's.
    int SetPaletteSource(CPlane* plane);
    int GetBrightness() const { return m_nBrightness; }
    // Recomputes the display palette from the palette source and the brightness.
    void RefreshPalette();
    // Creates the 8-bit display palette and attaches it to the primary: 0, or 1 when it
    // cannot be attached after a restore.
    int InstallPalette();
    // The pixel phase (palettePhase false) darkens a 16/24/32-bit secondary by
    // brightness/256; the palette phase updates an 8-bit display palette.
    void RealizeBrightness(int brightness, bool palettePhase);

    // ---- queries --------------------------------------------------------------------
    int GetDisplayMode() const { return m_nDisplayMode; }
    // Bits per pixel measured after the last successful mode change (0 before).
    int GetCurrentDisplayBits() const { return m_nDisplayBits; }
    bool IsFlipping() const { return m_bFlipping; }
    bool IsSystemMemory() const { return m_bSystemMemory; }
    LPDIRECTDRAWSURFACE GetPrimary() const { return m_lpPrimary; }
    LPDIRECTDRAWPALETTE GetDisplayPalette() const { return m_lpPaletteMain; }
    DWORD GetFillColor() const { return m_dwFillColor; }
    CGameWindow& GetGameWindow() { return m_GameWindow; }

    // The callback lists of the presentation; other parts add and remove their passes.
    CCallbackList<PaintCallback> m_PrePaintCallbacks;
    CCallbackList<DCPaintCallback> m_DCPaintCallbacks;
    CCallbackList<PaintCallback> m_PrePresentCallbacks;

private:
    void ReleaseSecondary();
    void ReleasePrimaryClipperAndPalette();
    bool CreatePrimary();
    bool AttachClipper();
    bool CreateSecondary(int width, int height);
    void ReapplyFillColor();
    void CaptureFrame();
    void ShowOffsetFrame();
    void FillRect(RECT rect);
    POINT ClientOrigin() const;

    HWND m_hWnd = nullptr;                          // the game window given to Initialize
    LPDIRECTDRAWSURFACE m_lpPrimary = nullptr;      // null when no mode is set
    LPDIRECTDRAWPALETTE m_lpPaletteMain = nullptr;  // only while the screen has 8 bits
    int m_nDisplayMode = 1;                         // 0 = full screen, 1 = window
    int m_nFullScreenBits = 0;                      // asked of SetDisplayMode
    int m_nDisplayBits = 0;                         // measured after the last change

public:
    bool m_bUseFlip = true;  // in full screen, build a flip chain with one back buffer

private:
    bool m_bFlipping = false;      // the flip chain is built; the secondary is its back buffer
    bool m_bSystemMemory = false;  // the secondary lies in system memory

public:
    bool m_bGDIPresent = false;  // show frames with GDI BitBlt instead of the display object

private:
    DWORD m_dwFillColor = 0;                // pixel value for Clear and the offset borders
    COLORREF m_rgbFillColor = CLR_INVALID;  // the RGB it was matched from, or CLR_INVALID
    bool m_bPaletteDirty = false;
    CPlane* m_lpRememberedPaletteSource = nullptr;  // the source the last palette phase used

public:
    int m_nBrightness = 256;             // 0 (black) to 256 (unchanged)
    CPlane* m_lpCapturePlane = nullptr;  // owned; the next requested frame lands here
    bool m_bCaptureRequested = false;    // the next Present captures instead of showing
    int m_nFrameOffsetX = 0;             // the image's shift on the screen, in pixels
    int m_nFrameOffsetY = 0;

private:
    bool m_bChanging = false;      // between BeginChangeDisplay and the first mode set
    HDC m_hSecondaryDC = nullptr;  // held between BeginPaintSecondary and EndPaintSecondary
    bool m_bCursorShown = true;
    HIMC m_hSavedIMC = nullptr;  // the input context detached in full screen
    CGameWindow m_GameWindow;
};
