// Windows, messages and dialogs.
//
// A window is a host window (or, headless, a window of the host's dummy video driver)
// with a class, a caption in Shift-JIS and a window procedure. Every thread-less
// program has one message queue: host events (close box, focus, keys, expose,
// maximise) become messages of the window they belong to, PostMessageA appends to the
// same queue, and DispatchMessageA calls the window procedure of the message's window.
#pragma once

#include "platform/base/types.h"

// ---- messages -----------------------------------------------------------------------
#define WM_NULL 0x0000u
#define WM_CREATE 0x0001u
#define WM_DESTROY 0x0002u
#define WM_MOVE 0x0003u
#define WM_SIZE 0x0005u
#define WM_ACTIVATE 0x0006u
#define WM_SETFOCUS 0x0007u
#define WM_KILLFOCUS 0x0008u
#define WM_PAINT 0x000Fu
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_ERASEBKGND 0x0014u
#define WM_SHOWWINDOW 0x0018u
#define WM_ACTIVATEAPP 0x001Cu
#define WM_SETCURSOR 0x0020u
#define WM_QUERYNEWPALETTE 0x030Fu  // the window is about to get the focus: realise its palette
#define WM_KEYFIRST 0x0100u
#define WM_KEYDOWN 0x0100u
#define WM_KEYUP 0x0101u
#define WM_CHAR 0x0102u
#define WM_DEADCHAR 0x0103u
#define WM_SYSKEYDOWN 0x0104u
#define WM_SYSKEYUP 0x0105u
#define WM_SYSCHAR 0x0106u
#define WM_SYSDEADCHAR 0x0107u
#define WM_KEYLAST 0x0108u
#define WM_SYSCOMMAND 0x0112u
#define WM_MOUSEMOVE 0x0200u
#define WM_LBUTTONDOWN 0x0201u
#define WM_LBUTTONUP 0x0202u
#define WM_USER 0x0400u

// Virtual-key codes of WM_KEYDOWN / WM_KEYUP ('0'..'9' and 'A'..'Z' are their characters;
// keys without a code here give 0). Their lParam holds the repeat count 1, the host's
// scancode in bits 16-23, the previous state in bit 30 and the release in bit 31. With
// Alt held they come as WM_SYSKEYDOWN / WM_SYSKEYUP.
#define VK_BACK 0x08u
#define VK_TAB 0x09u
#define VK_RETURN 0x0Du
#define VK_SHIFT 0x10u
#define VK_CONTROL 0x11u
#define VK_MENU 0x12u
#define VK_PAUSE 0x13u
#define VK_CAPITAL 0x14u
#define VK_ESCAPE 0x1Bu
#define VK_SPACE 0x20u
#define VK_PRIOR 0x21u
#define VK_NEXT 0x22u
#define VK_END 0x23u
#define VK_HOME 0x24u
#define VK_LEFT 0x25u
#define VK_UP 0x26u
#define VK_RIGHT 0x27u
#define VK_DOWN 0x28u
#define VK_INSERT 0x2Du
#define VK_DELETE 0x2Eu
#define VK_NUMPAD0 0x60u
#define VK_F1 0x70u

// WM_SIZE kinds
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

// ---- window styles ------------------------------------------------------------------
#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_MINIMIZE 0x20000000u
#define WS_VISIBLE 0x10000000u
#define WS_MAXIMIZE 0x01000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_EX_TOPMOST 0x00000008u

#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define CS_DBLCLKS 0x0008u

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

// ShowWindow commands
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9

// SetWindowPos flags and insert-after values
#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOACTIVATE 0x0010u
#define SWP_SHOWWINDOW 0x0040u
#define HWND_TOP (reinterpret_cast<HWND>(0))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-2)))

// GetWindowLongA / SetWindowLongA indices
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)

// GetSystemMetrics indices
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CYCAPTION 4

// Stock objects
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// Resource names given as small numbers (IDC_ARROW, IDI_APPLICATION).
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(static_cast<WORD>(i))))
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)

// MessageBoxA styles and results
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_YESNO 0x00000004u
#define MB_ICONERROR 0x00000010u
#define MB_ICONWARNING 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};
using WNDCLASS = WNDCLASSA;

// ---- classes and windows ------------------------------------------------------------
// Registers a window class by name. Returns a non-zero atom, or 0 when a class of that
// name is already registered in this process (or the record is incomplete).
ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);

// Creates a top-level window of a registered class. A window with WS_CAPTION is a
// captioned host window whose client area is the given size less the frame that
// AdjustWindowRect adds; a WS_POPUP window is borderless (full screen when it covers
// the screen). A CW_USEDEFAULT width gives a 640 x 480 client area. WM_CREATE is sent
// to the window procedure before it returns (-1 from it destroys the window again).
// Returns null when the class is unknown or the host refuses the window. Queued
// messages of a destroyed window are dropped.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);

// Sends WM_DESTROY to the window procedure, then destroys the host window. The handle
// is invalid afterwards. FALSE for an unknown handle.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);

// Shows, hides, minimises or maximises. Returns whether the window was visible before;
// for a window of another process, whether that process took the request (it acts on
// it at its next message pump).
BOOL ShowWindow(HWND window, int command);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Raises the window and activates its program (WM_ACTIVATEAPP 1 to the program's
// windows when it was inactive), also where the host has no focus to give (headless).
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HWND SetFocus(HWND window);
// Shows the client area of a visible window filled with its class's background brush
// and counts it as a presented frame (see the host's --frames and --report). A
// display device that draws the window itself presents its frames without it.
BOOL UpdateWindow(HWND window);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);

// Grows a client rectangle to the outer rectangle of a window of that style (the
// caption and borders that the host decorates windows with).
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);

// Screen size (the desktop, or the emulated display mode while one is set) and frame
// sizes.
int GetSystemMetrics(int index);

// Sets the caption (Shift-JIS; shown converted by the host). TRUE on success.
BOOL SetWindowTextA(HWND window, LPCSTR text);
int GetWindowTextA(HWND window, LPSTR text, int maxCount);
LONG GetWindowLongA(HWND window, int index);
LONG SetWindowLongA(HWND window, int index, LONG value);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL ClientToScreen(HWND window, LPPOINT point);

// Finds a top-level window by caption (and class, when given) among the windows of
// every program of this user that runs on this machine, this process included.
// Handles of another process's window work with ShowWindow and
// SetForegroundWindow only.
HWND FindWindowA(LPCSTR className, LPCSTR windowName);

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- the message queue --------------------------------------------------------------
// Takes (PM_REMOVE) or looks at the next message for any window (window null) or for
// one window. Host events are translated first. Returns FALSE when none is waiting.
BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);

// Waits for the next message (posted or from the host). Returns 0 for WM_QUIT, -1 on
// error, otherwise non-zero.
BOOL GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);

// Appends a message to the queue. FALSE for an unknown window.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Calls the window procedure at once and returns its result.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Posts WM_QUIT with the exit code as wParam.
void PostQuitMessage(int exitCode);

// TRUE for key messages. No character messages are made on this host: games read keys.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);

// ---- resources and dialogs ----------------------------------------------------------
// Icons and cursors: the program carries no resources on this host; a missing name gives
// null (the default icon), IDC_ARROW the arrow cursor.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);

// Increments (show) or decrements (hide) the cursor display count; the cursor shows
// while the count is 0 or more. Returns the new count.
int ShowCursor(BOOL show);

// A stock brush, pen or font. Never freed.
HGDIOBJ GetStockObject(int object);

// Shows a message box with the text and caption (Shift-JIS) and waits until it is
// closed. With no display it writes caption and text to standard error and returns
// IDOK at once (IDYES for MB_YESNO), so that an unattended program never hangs.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

HMENU GetMenu(HWND window);
BOOL SetMenu(HWND window, HMENU menu);

// ---- the program entry --------------------------------------------------------------
// Defined by the SDK, called by the host's main with the program's instance, no
// previous instance, the command line without the program name and the host options
// (arguments joined by spaces) and the show command. Its result is the exit code.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
