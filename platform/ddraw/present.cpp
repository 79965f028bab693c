// Presentation: the screen's image converted to 0x00RRGGBB and shown in the host
// window, through the window's own surface (emulation driver) or a renderer with a
// streaming texture (default driver). Each window keeps its buffers between frames,
// so a frame allocates nothing once the sizes are settled.
#include "platform/ddraw/present.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/screen.h"
#include "platform/host/host.h"
#include "platform/testing/display.h"
#include "platform/user/user.h"

namespace vorn::platform {

namespace {

struct WindowPresenter {
    HWND window = nullptr;
    std::vector<std::uint32_t> image;  // what the window shows, before scaling
    int width = 0;
    int height = 0;
    // Default driver.
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    // Emulation driver: the window surface last drawn, to repaint borders on a change.
    SDL_Surface* lastSurface = nullptr;
    RECT lastPlace{};
    std::vector<int> columnMap;  // source column of each output column when shrinking

    void Resize(int w, int h) {
        width = w;
        height = h;
        if (image.size() < static_cast<size_t>(w) * h) image.resize(static_cast<size_t>(w) * h);
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
void ScaleInto(const WindowPresenter& p, const RECT& place, std::uint8_t* out, int outPitch,
               std::vector<int>& columnMap) {
    const int w = place.right - place.left, h = place.bottom - place.top;
    if (w <= 0 || h <= 0) return;
    if (w == p.width && h == p.height) {
        for (int y = 0; y < h; ++y)
            std::memcpy(out + static_cast<long>(place.top + y) * outPitch + place.left * 4,
                        &p.image[static_cast<size_t>(y) * p.width], static_cast<size_t>(w) * 4);
        return;
    }
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
        const std::uint32_t* source = &p.image[static_cast<size_t>(sy) * p.width];
        for (int x = 0; x < w; ++x) row[x] = source[columnMap[x]];
        lastSource = sy;
    }
}

void ShowThroughWindowSurface(WindowPresenter& p, SDL_Window* sdl, bool scaled) {
    SDL_Surface* surface = SDL_GetWindowSurface(sdl);
    if (!surface || surface->format->BytesPerPixel != 4) return;
    const RECT place =
        scaled ? FitImage(p.width, p.height, surface->w, surface->h)
               : RECT{0, 0, std::min(p.width, surface->w), std::min(p.height, surface->h)};
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    const bool moved =
        surface != p.lastSurface || std::memcmp(&place, &p.lastPlace, sizeof place) != 0;
    if (moved && scaled) std::memset(pixels, 0, static_cast<size_t>(surface->pitch) * surface->h);
    if (scaled) {
        ScaleInto(p, place, pixels, surface->pitch, p.columnMap);
    } else {
        for (int y = 0; y < place.bottom; ++y)
            std::memcpy(pixels + static_cast<long>(y) * surface->pitch,
                        &p.image[static_cast<size_t>(y) * p.width],
                        static_cast<size_t>(place.right) * 4);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    p.lastSurface = surface;
    p.lastPlace = place;
    SDL_UpdateWindowSurface(sdl);
}

void ShowThroughRenderer(WindowPresenter& p, SDL_Window* sdl, bool scaled) {
    SDL_Renderer* renderer = SDL_GetRenderer(sdl);
    if (!renderer) renderer = SDL_CreateRenderer(sdl, -1, 0);
    if (!renderer) return;
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
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, p.texture, nullptr, &dest);
    SDL_RenderPresent(renderer);
}

void Show(WindowPresenter& p, bool scaled, bool wholeFrame) {
    if (SDL_Window* sdl = host::SdlWindowOf(p.window)) {
        if (Screen::Get().emulatedDriver)
            ShowThroughWindowSurface(p, sdl, scaled);
        else
            ShowThroughRenderer(p, sdl, scaled);
    }
    if (wholeFrame) host::FramePresented(p.window, p.image.data(), p.width, p.height, p.width * 4);
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
    for (int y = 0; y < p.height; ++y) {
        std::uint32_t* row = &p.image[static_cast<size_t>(y) * p.width];
        const int sy = area.top + y;
        if (sy < 0 || sy >= desktop.height || left >= right) {
            std::fill(row, row + p.width, 0u);
            continue;
        }
        std::fill(row, row + (left - area.left), 0u);
        RowToXrgb(desktop.format,
                  bits + static_cast<long>(sy) * screen.DesktopPitch() + left * bytes, right - left,
                  palette, row + (left - area.left));
        std::fill(row + (right - area.left), row + p.width, 0u);
    }
    Show(p, false, wholeFrame);
}

void PresentFullScreen(const Surface& front, bool wholeFrame) {
    Screen& screen = Screen::Get();
    if (!screen.levelWindow) return;
    WindowPresenter& p = PresenterOf(screen.levelWindow);
    p.Resize(front.Width(), front.Height());
    const XrgbPalette& palette = front.PaletteInEffect();
    for (int y = 0; y < p.height; ++y)
        RowToXrgb(front.Format(), front.Bits() + static_cast<long>(y) * front.Pitch(), p.width,
                  palette, &p.image[static_cast<size_t>(y) * p.width]);
    Show(p, true, wholeFrame);
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
    const platform::WindowPresenter* p = platform::FindPresenter(window);
    if (!p || !image) return false;
    image->width = p->width;
    image->height = p->height;
    image->pixels.assign(p->image.begin(),
                         p->image.begin() + static_cast<long>(p->width) * p->height);
    return true;
}

void LoseAllSurfaces() { platform::Screen::Get().LoseAll(); }

}  // namespace vorn::testing
