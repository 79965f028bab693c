// Presentation: the screen's image converted to 0x00RRGGBB and shown in the host
// window. The emulation driver, and the default one where the host has no accelerated
// renderer, show it through the window's own surface: where the image shows unscaled
// (a window, or full screen with factor 1, centred) the rows are converted straight
// into the surface, otherwise into the presenter's image and then scaled into it. An
// accelerated renderer gets the image through a streaming texture. Each window keeps
// its buffers between frames, so a frame allocates nothing once the sizes are settled.
#include "platform/ddraw/present.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/screen.h"
#include "platform/ddraw/shown_frame.h"
#include "platform/host/host.h"
#include "platform/testing/display.h"
#include "platform/user/user.h"

namespace vorn::platform {

namespace {

struct WindowPresenter {
    HWND window = nullptr;
    std::vector<std::uint32_t> image;  // the frame, when it cannot go straight to the window
    int width = 0;
    int height = 0;
    // The window surface that holds the last frame unscaled at lastPlace, or null when
    // the image holds it.
    SDL_Surface* shownIn = nullptr;
    // Default driver on a host with an accelerated renderer.
    SDL_Renderer* renderer = nullptr;
    bool noAcceleratedRenderer = false;  // asked once: the window surface serves instead
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    // Window surface: the surface last drawn, to repaint borders on a change.
    SDL_Surface* lastSurface = nullptr;
    RECT lastPlace{};
    std::vector<int> columnMap;  // source column of each output column when scaling
    ShownFrame shown;            // what the window surface shows, for full-screen frames

    void Resize(int w, int h) {
        width = w;
        height = h;
    }
    // The image, grown to the current size when it is needed.
    std::uint32_t* Image() {
        if (image.size() < static_cast<size_t>(width) * height)
            image.resize(static_cast<size_t>(width) * height);
        return image.data();
    }
};

// Rows of 32-bit pixels that a frame is converted into.
struct FrameRows {
    std::uint8_t* pixels;
    int pitch;  // bytes
    std::uint32_t* Row(int y) const {
        return reinterpret_cast<std::uint32_t*>(pixels + static_cast<long>(y) * pitch);
    }
};

std::vector<std::unique_ptr<WindowPresenter>>& Presenters() {
    static std::vector<std::unique_ptr<WindowPresenter>> presenters;
    return presenters;
}

WindowPresenter* FindPresenter(HWND window) {
    for (auto& presenter : Presenters())
        if (presenter->window == window) return presenter.get();
    return nullptr;
}

WindowPresenter& PresenterOf(HWND window) {
    if (WindowPresenter* found = FindPresenter(window)) return *found;
    Presenters().push_back(std::make_unique<WindowPresenter>());
    Presenters().back()->window = window;
    return *Presenters().back();
}

// Copies the image into an output of 32-bit pixels at `place`, scaled.
void ScaleInto(WindowPresenter& p, const RECT& place, std::uint8_t* out, int outPitch) {
    const int w = place.right - place.left, h = place.bottom - place.top;
    if (w <= 0 || h <= 0) return;
    const std::uint32_t* image = p.image.data();
    if (w == p.width && h == p.height) {
        for (int y = 0; y < h; ++y)
            std::memcpy(out + static_cast<long>(place.top + y) * outPitch + place.left * 4,
                        image + static_cast<size_t>(y) * p.width, static_cast<size_t>(w) * 4);
        return;
    }
    std::vector<int>& columnMap = p.columnMap;
    if (columnMap.size() != static_cast<size_t>(w)) columnMap.resize(w);
    for (int x = 0; x < w; ++x) columnMap[x] = static_cast<int>(static_cast<long>(x) * p.width / w);
    int lastSource = -1;
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(out + static_cast<long>(place.top + y) * outPitch) +
            place.left;
        const int sy = static_cast<int>(static_cast<long>(y) * p.height / h);
        if (sy == lastSource) {  // a repeated row (enlarging): copy the row above
            std::memcpy(row, reinterpret_cast<const std::uint8_t*>(row) - outPitch,
                        static_cast<size_t>(w) * 4);
            continue;
        }
        const std::uint32_t* source = image + static_cast<size_t>(sy) * p.width;
        for (int x = 0; x < w; ++x) row[x] = source[columnMap[x]];
        lastSource = sy;
    }
}

// The window's accelerated renderer, made on first use; null when the host has none
// (the dummy driver, or a host without graphics acceleration), where a software
// renderer would only add a texture upload and a copy into the same window surface.
SDL_Renderer* AcceleratedRenderer(WindowPresenter& p, SDL_Window* sdl) {
    if (p.noAcceleratedRenderer) return nullptr;
    SDL_Renderer* renderer = SDL_GetRenderer(sdl);
    if (!renderer) renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) p.noAcceleratedRenderer = true;
    return renderer;
}

// Converts the frame into the window's surface: straight into its pixels where the
// image shows unscaled (a window, or full screen with factor 1), else through the image,
// scaled (full screen) or cut to the surface (a window larger than its surface).
template <typename DrawRows>
FrameRows ShowThroughWindowSurface(WindowPresenter& p, SDL_Window* sdl, SDL_Surface* surface,
                                   bool scaled, const DrawRows& drawRows) {
    const RECT place =
        scaled ? FitImage(p.width, p.height, surface->w, surface->h)
               : RECT{0, 0, std::min(p.width, surface->w), std::min(p.height, surface->h)};
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    const bool moved =
        surface != p.lastSurface || std::memcmp(&place, &p.lastPlace, sizeof place) != 0;
    if (moved) p.shown.Forget();
    if (moved && scaled) std::memset(pixels, 0, static_cast<size_t>(surface->pitch) * surface->h);
    FrameRows frame{pixels + static_cast<long>(place.top) * surface->pitch + place.left * 4,
                    surface->pitch};
    if (place.right - place.left == p.width && place.bottom - place.top == p.height) {
        drawRows(frame, true);
        p.shownIn = surface;
    } else {
        frame = {reinterpret_cast<std::uint8_t*>(p.Image()), p.width * 4};
        drawRows(frame, false);
        ScaleInto(p, place, pixels, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    p.lastSurface = surface;
    p.lastPlace = place;
    SDL_UpdateWindowSurface(sdl);
    return frame;
}

// Uploads the image into the renderer's texture and shows it, black around it.
void ShowThroughRenderer(WindowPresenter& p, SDL_Renderer* renderer, bool scaled) {
    if (renderer != p.renderer || p.textureWidth != p.width || p.textureHeight != p.height) {
        if (p.texture && renderer == p.renderer) SDL_DestroyTexture(p.texture);
        p.renderer = renderer;
        p.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                      p.width, p.height);
        p.textureWidth = p.width;
        p.textureHeight = p.height;
    }
    if (!p.texture) return;
    SDL_UpdateTexture(p.texture, nullptr, p.image.data(), p.width * 4);
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    const RECT place =
        scaled ? FitImage(p.width, p.height, outW, outH) : RECT{0, 0, p.width, p.height};
    const SDL_Rect dest{place.left, place.top, place.right - place.left, place.bottom - place.top};
    if (dest.x > 0 || dest.y > 0 || dest.w < outW || dest.h < outH) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    SDL_RenderCopy(renderer, p.texture, nullptr, &dest);
    SDL_RenderPresent(renderer);
}

// Shows a frame of p.width x p.height pixels that `drawRows(FrameRows, intoWindowSurface)`
// converts (the flag tells whether the rows are the window surface's own), and
// tells the host about it when it is a whole frame.
template <typename DrawRows>
void Show(WindowPresenter& p, bool scaled, bool wholeFrame, const DrawRows& drawRows) {
    p.shownIn = nullptr;
    SDL_Window* sdl = host::SdlWindowOf(p.window);
    SDL_Renderer* renderer =
        sdl && !Screen::Get().emulatedDriver ? AcceleratedRenderer(p, sdl) : nullptr;
    SDL_Surface* surface = sdl && !renderer ? SDL_GetWindowSurface(sdl) : nullptr;
    FrameRows frame;
    if (surface && surface->format->BytesPerPixel == 4) {
        frame = ShowThroughWindowSurface(p, sdl, surface, scaled, drawRows);
    } else {
        frame = {reinterpret_cast<std::uint8_t*>(p.Image()), p.width * 4};
        drawRows(frame, false);
        if (renderer) ShowThroughRenderer(p, renderer, scaled);
    }
    if (wholeFrame) host::FramePresented(p.window, frame.pixels, p.width, p.height, frame.pitch);
}

}  // namespace

bool ClientAreaOnScreen(HWND window, RECT* area) {
    RECT client;
    POINT origin{0, 0};
    if (!window || !GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return false;
    *area = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    return true;
}

RECT FitImage(int imageWidth, int imageHeight, int outputWidth, int outputHeight) {
    if (imageWidth <= 0 || imageHeight <= 0 || outputWidth <= 0 || outputHeight <= 0)
        return {0, 0, 0, 0};
    const int factor = std::min(outputWidth / imageWidth, outputHeight / imageHeight);
    int w, h;
    if (factor >= 1) {
        w = imageWidth * factor;
        h = imageHeight * factor;
    } else if (static_cast<long>(outputWidth) * imageHeight <=
               static_cast<long>(outputHeight) * imageWidth) {
        w = outputWidth;
        h = std::max(1,
                     static_cast<int>(static_cast<long>(imageHeight) * outputWidth / imageWidth));
    } else {
        h = outputHeight;
        w = std::max(1,
                     static_cast<int>(static_cast<long>(imageWidth) * outputHeight / imageHeight));
    }
    const int left = (outputWidth - w) / 2, top = (outputHeight - h) / 2;
    return {left, top, left + w, top + h};
}

void PresentWindowArea(HWND window, bool wholeFrame) {
    Screen& screen = Screen::Get();
    RECT area;
    if (!ClientAreaOnScreen(window, &area)) return;
    WindowPresenter& p = PresenterOf(window);
    p.Resize(area.right - area.left, area.bottom - area.top);
    const std::uint8_t* bits = screen.DesktopBits();
    const DisplayMode& desktop = screen.DesktopImageMode();
    const int bytes = desktop.format.BytesPerPixel();
    const XrgbPalette& palette = screen.DisplayPalette();
    // The part of the client area on the desktop; the rest shows black.
    const int left = std::max(area.left, 0), right = std::min(area.right, desktop.width);
    Show(p, false, wholeFrame, [&](const FrameRows& frame, bool) {
        p.shown.Forget();  // rows written here are not kept track of
        for (int y = 0; y < p.height; ++y) {
            std::uint32_t* row = frame.Row(y);
            const int sy = area.top + y;
            if (sy < 0 || sy >= desktop.height || left >= right) {
                std::fill(row, row + p.width, 0u);
                continue;
            }
            std::fill(row, row + (left - area.left), 0u);
            RowToXrgb(desktop.format,
                      bits + static_cast<long>(sy) * screen.DesktopPitch() + left * bytes,
                      right - left, palette, row + (left - area.left));
            std::fill(row + (right - area.left), row + p.width, 0u);
        }
    });
}

void PresentFullScreen(const Surface& front, bool wholeFrame) {
    Screen& screen = Screen::Get();
    if (!screen.levelWindow) return;
    WindowPresenter& p = PresenterOf(screen.levelWindow);
    p.Resize(front.Width(), front.Height());
    const XrgbPalette& palette = front.PaletteInEffect();
    Show(p, true, wholeFrame, [&](const FrameRows& frame, bool intoWindowSurface) {
        if (intoWindowSurface) {
            p.shown.Convert(front.Format(), front.Bits(), front.Pitch(), p.width, p.height, palette,
                            {frame.pixels, frame.pitch, host::WindowChangeCount()});
            return;
        }
        p.shown.Forget();
        for (int y = 0; y < p.height; ++y)
            RowToXrgb(front.Format(), front.Bits() + static_cast<long>(y) * front.Pitch(), p.width,
                      palette, frame.Row(y));
    });
}

void ForgetWindowPresenter(HWND window) {
    auto& presenters = Presenters();
    for (auto it = presenters.begin(); it != presenters.end(); ++it) {
        if ((*it)->window != window) continue;
        SDL_Window* sdl = host::SdlWindowOf(window);
        if (sdl && (*it)->renderer && SDL_GetRenderer(sdl) == (*it)->renderer) {
            SDL_DestroyTexture((*it)->texture);
            SDL_DestroyRenderer((*it)->renderer);
        }
        presenters.erase(it);
        return;
    }
}

}  // namespace vorn::platform

namespace vorn::testing {

bool LastPresentedImage(HWND window, PresentedImage* image) {
    platform::WindowPresenter* p = platform::FindPresenter(window);
    if (!p || !image) return false;
    image->width = p->width;
    image->height = p->height;
    image->pixels.resize(static_cast<size_t>(p->width) * p->height);
    platform::FrameRows frame{reinterpret_cast<std::uint8_t*>(p->image.data()), p->width * 4};
    SDL_Surface* surface = nullptr;
    if (p->shownIn) {
        // The frame went straight into the window's surface; it is still there unless
        // the window made a new surface since (a change of size).
        SDL_Window* sdl = host::SdlWindowOf(window);
        surface = sdl ? SDL_GetWindowSurface(sdl) : nullptr;
        if (surface != p->shownIn) return false;
        if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
        frame = {static_cast<std::uint8_t*>(surface->pixels) +
                     static_cast<long>(p->lastPlace.top) * surface->pitch + p->lastPlace.left * 4,
                 surface->pitch};
    }
    for (int y = 0; y < p->height; ++y)
        std::copy_n(frame.Row(y), p->width, &image->pixels[static_cast<size_t>(y) * p->width]);
    if (surface && SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return true;
}

void LoseAllSurfaces() { platform::Screen::Get().LoseAll(); }

}  // namespace vorn::testing
