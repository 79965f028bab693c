// Bookkeeping of presented frames: the --frames and --seconds deadlines, the copy of the
// last frame for --screenshot and the --report line.
#include <SDL.h>
#include <SDL_image.h>

#include <time.h>

#include <cstdio>
#include <vector>

#include "platform/host/host.h"
#include "platform/host/host_internal.h"
#include "platform/host/window_registry.h"
#include "platform/user/message_queue.h"
#include "platform/user/user.h"

namespace vorn::host {
namespace {

// <chrono> cannot be compiled with the Shift-JIS execution character set; the
// monotonic clock serves as well.
double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
const double g_start = Now();

long g_frames = 0;
HWND g_gameWindow = nullptr;  // the window that presents frames: the one --frames closes
bool g_closePosted = false;

// The last frame, 0x00RRGGBB, kept only when a screenshot is wanted. The buffer grows
// once and is reused for every later frame.
std::vector<std::uint32_t> g_shot;
int g_shotWidth = 0;
int g_shotHeight = 0;

double Elapsed() { return Now() - g_start; }

void KeepFrame(const void* pixels, std::uint32_t format, int width, int height, int pitch) {
    if (GetOptions().screenshot.empty() || !pixels || width <= 0 || height <= 0) return;
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (g_shot.size() < count) g_shot.resize(count);
    g_shotWidth = width;
    g_shotHeight = height;
    SDL_ConvertPixels(width, height, format, pixels, pitch, SDL_PIXELFORMAT_RGB888, g_shot.data(),
                      width * 4);
}

void Count(HWND window) {
    ++g_frames;
    g_gameWindow = window;
    CheckDeadlines();
}

void PostClose() {
    HWND target = g_gameWindow;
    if (!target || !FindWindowRecord(target)) {
        const auto all = AllWindows();
        if (all.empty()) return;  // nothing to close yet: try again at the next pump
        target = all.front();
    }
    g_closePosted = true;
    platform::Enqueue(target, WM_CLOSE, 0, 0);
}

}  // namespace

void FramePresented(HWND window, const void* pixels, int width, int height, int pitch) {
    KeepFrame(pixels, SDL_PIXELFORMAT_RGB888, width, height, pitch);
    Count(window);
}

void SurfacePresented(HWND window, SDL_Surface* surface) {
    if (surface) {
        const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
        KeepFrame(surface->pixels, surface->format->format, surface->w, surface->h, surface->pitch);
        if (locked) SDL_UnlockSurface(surface);
    }
    Count(window);
}

long PresentedFrameCount() { return g_frames; }

void CheckDeadlines() {
    if (g_closePosted) return;
    const Options& options = GetOptions();
    const bool framesDone = options.frames >= 0 && g_frames >= options.frames;
    const bool timeDone = options.seconds >= 0 && Elapsed() >= options.seconds;
    if (framesDone || timeDone) PostClose();
}

void Finish() {
    const Options& options = GetOptions();
    if (!options.screenshot.empty()) {
        if (g_shotWidth == 0) {
            std::fprintf(stderr, "screenshot: no frame was presented\n");
        } else {
            SDL_Surface* surface =
                SDL_CreateRGBSurfaceWithFormatFrom(g_shot.data(), g_shotWidth, g_shotHeight, 32,
                                                   g_shotWidth * 4, SDL_PIXELFORMAT_RGB888);
            if (!surface || IMG_SavePNG(surface, options.screenshot.c_str()) != 0)
                std::fprintf(stderr, "screenshot: %s: %s\n", options.screenshot.c_str(),
                             SDL_GetError());
            SDL_FreeSurface(surface);
        }
    }
    if (options.report) {
        const double seconds = Elapsed();
        std::printf("report: %ld frames in %.2f s, %.1f fps\n", g_frames, seconds,
                    seconds > 0 ? static_cast<double>(g_frames) / seconds : 0.0);
        std::fflush(stdout);
    }
}

}  // namespace vorn::host
