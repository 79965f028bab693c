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
    bool headless = false;        // --headless: the dummy video driver even with a display
    long frames = -1;             // --frames N: post WM_CLOSE after N presented frames
    double seconds = -1;          // --seconds S: post WM_CLOSE after S seconds
    std::string screenshot;       // --screenshot FILE.png: the last presented frame at exit
    bool report = false;          // --report: "report: N frames in S s, F fps" at exit
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

}  // namespace vorn::host
