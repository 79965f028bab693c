// The game window's class and creation.
#include "frame/game_window.h"

#include "frame/error_log.h"
#include "frame/window_hook.h"

HWND CGameWindow::CreateWindow(HINSTANCE instance, const std::string& caption, int mode, int width,
                               int height) {
    int brush = GRAY_BRUSH;
    m_dwBackgroundFill = 0x80808080u;
    if (m_nBackground == 0) {
        brush = BLACK_BRUSH;
        m_dwBackgroundFill = 0;
    } else if (m_nBackground == 1) {
        brush = WHITE_BRUSH;
        m_dwBackgroundFill = 0xFFFFFFFFu;
    }

    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = GameWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "MAIN");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetStockObject(brush);
    windowClass.lpszClassName = caption.c_str();
    if (!RegisterClassA(&windowClass)) {
        CErrorLog::Report("CGameWindow::CreateWindow()のRegisterClass失敗");
        return nullptr;
    }

    if (mode == 1) {
        RECT rect{0, 0, width, height};
        AdjustWindowRect(&rect, m_dwStyle, FALSE);
        const int outerWidth = rect.right - rect.left;
        const int outerHeight = rect.bottom - rect.top;
        m_hWnd = CreateWindowExA(0, caption.c_str(), caption.c_str(), m_dwStyle, m_nX, m_nY,
                                 outerWidth, outerHeight, nullptr, nullptr, instance, nullptr);
        SetWindowPos(m_hWnd, nullptr, 0, 0, outerWidth, outerHeight, SWP_NOMOVE | SWP_NOZORDER);
    } else if (mode == 0) {
        m_hWnd = CreateWindowExA(0, caption.c_str(), caption.c_str(), WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 nullptr, nullptr, instance, nullptr);
    }
    if (!m_hWnd) {
        CErrorLog::Report("CGameWindowでCreateWindowに失敗。");
        return nullptr;
    }
    ShowWindow(m_hWnd, SW_SHOW);
    return m_hWnd;
}
