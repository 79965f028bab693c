// Window hooks: objects that receive the game window's messages. Every hook stands in
// one process-wide list in the order it was added; the game window's procedure offers
// each message to the hooks of that window in turn, and the first that returns
// non-zero consumes it. The list never owns its hooks.
#pragma once

#include "platform/windows.h"

class CWindowHook {
public:
    CWindowHook();
    virtual ~CWindowHook();  // a destroyed hook leaves the list
    CWindowHook(const CWindowHook&) = delete;
    CWindowHook& operator=(const CWindowHook&) = delete;

    // Non-zero consumes the message and becomes the window procedure's result; 0 passes
    // it on.
    virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) { return 0; }

    // Appends an entry (window, this hook) at the end of the list. Adding a hook twice
    // gives two entries.
    void AddHook(HWND window);

    // Removes every entry of this hook, whatever its window. Safe while the list is
    // being walked (from inside an OnMessage).
    void RemoveHook();

    // The window given to the last AddHook.
    HWND GetHookWindow() const { return m_hHookWnd; }

private:
    HWND m_hHookWnd = nullptr;
};

// The game window's procedure: the hooks of the window in order, then DefWindowProcA.
LRESULT GameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
