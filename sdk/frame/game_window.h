// CGameWindow: registers the game window's class and creates the window, either as a
// full-screen pop-up covering the screen or as a captioned window whose client area has
// exactly the game's size. Its messages go to the window hooks (window_hook.h).
#pragma once

#include <string>

#include "platform/windows.h"

class CGameWindow {
public:
    // Registers the class (named after the caption) and creates the window: mode 0 full
    // screen, 1 a window with a width x height client area. Returns the window, or null
    // after reporting the failure to the error log.
    HWND CreateWindow(HINSTANCE instance, const std::string& caption, int mode, int width,
                      int height);

    // The class background as a raw pixel value for clearing the screen: 0 (black),
    // 0xFFFFFFFF (white) or 0x80808080 (grey); 0 until CreateWindow.
    DWORD GetBackgroundFill() const { return m_dwBackgroundFill; }

    // The window class's background: 0 black, 1 white, anything else grey. Set before
    // CreateWindow.
    int m_nBackground = 0;
    HWND m_hWnd = nullptr;
    // The style of the windowed mode: fixed size, caption, system menu, minimise and
    // maximise boxes. The display device applies it again when it leaves full screen.
    DWORD m_dwStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    int m_nX = CW_USEDEFAULT;
    int m_nY = CW_USEDEFAULT;

private:
    DWORD m_dwBackgroundFill = 0;
};
