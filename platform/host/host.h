// The host glue: start-up of the host libraries, the program's host options, the
// windows behind HWNDs, and the bookkeeping of presented frames. Internal to the
// platform layer; the SDK never includes it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/types.h"

struct SDL_Window;

namespace vorn::host {

// Options of the program entry; removed from the command line before WinMain sees it.
struct Options {
    bool headless = false;   // --headless: the dummy video driver even with a display
    long frames = -1;        // --frames N: post WM_CLOSE after N presented frames
    double seconds = -1;     // --seconds S: post WM_CLOSE after S seconds
    std::string screenshot;  // --screenshot FILE.png: the last presented frame at exit
    bool report = false;     // --report: "report: N frames in S s, F fps" at exit
};
Options& GetOptions();

// Removes the host options from argv (argc shrinks). Returns false after printing a
// usage line when an option is malformed.
bool ParseOptions(int& argc, char** argv);

// Starts the host's video and events once (the dummy driver when headless or when no
// display exists). Returns false when the host cannot start.
bool EnsureVideo();
bool IsHeadless();

// The host window behind a window handle, or null.
SDL_Window* SdlWindowOf(HWND window);
// The window handle of a host window id, or null.
HWND WindowOfSdlId(std::uint32_t windowId);

// Called by the graphics service each time a whole frame has been shown in a window:
// counts frames for --frames and --report and, when --screenshot was asked for,
// keeps a copy of the frame (32-bit pixels 0x00RRGGBB, pitch in bytes).
void FramePresented(HWND window, const void* pixels, int width, int height, int pitch);

// Called once when the program entry returns: writes the screenshot and the report.
void Finish();

// ---- input and activation -------------------------------------------------------------
// Translates the host's pending events into queued window messages (and checks the
// --seconds deadline). The message queue calls it before it looks for a message.
void PumpEvents();

// The held state of every key, indexed by SDL scancode (SDL_NUM_SCANCODES entries, 1 =
// held). Kept from the key events that PumpEvents translates, so that keys injected by
// tests, by an X server or typed by a person count alike. Everything reads as released
// while the application is inactive.
const std::uint8_t* KeyboardState();

// How many changes the host's windows have had (size, visibility, exposure) since the
// start: a window's surface may be made anew, even at the same address, after one.
unsigned long WindowChangeCount();

// Whether the application is active: one of its windows has the focus, or a test
// simulated activation. Starts active. Inline: every surface operation, each sprite
// blit included, asks.
namespace detail {
extern bool g_appActive;
}
inline bool AppActive() { return detail::g_appActive; }

}  // namespace vorn::host
