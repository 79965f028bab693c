// Presenting one 640 x 480 frame: a flip in exclusive full screen at 8 bits (the
// display palette's expansion included) and at 32 bits, through the emulation driver
// and the default driver (both the window's own surface on a host without an
// accelerated renderer, such as the dummy video driver), and SDL2's own blit of an 8-bit
// frame into a window, each against a plain copy of a 640 x 480 32-bit frame. Runs
// headless on the dummy video driver unless SDL_VIDEODRIVER says otherwise. Prints each
// case's cost in copies of a frame.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/support/measuring_reporter.h"
#include "platform/ddraw/ddraw.h"
#include "platform/host/host.h"
#include "platform/windows.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

LRESULT Quiet(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND BenchWindow() {
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Quiet;
        windowClass.lpszClassName = "vorn-present-bench";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "vorn-present-bench", "present", WS_POPUP | WS_VISIBLE, 0, 0,
                               kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    }();
    return window;
}

void Memcpy(benchmark::State& state) {
    std::vector<std::uint32_t> from(kWidth * kHeight, 0x123456), to(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Memcpy);

// Fills a surface with bytes counting up from `first`.
void FillCounting(IDirectDrawSurface* surface, int bits, std::uint8_t first) {
    DDSURFACEDESC locked{};
    locked.dwSize = sizeof locked;
    if (!surface || surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) != DD_OK) return;
    auto* bytes = static_cast<std::uint8_t*>(locked.lpSurface);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth * bits / 8; ++x)
            bytes[y * locked.lPitch + x] = static_cast<std::uint8_t>(first + y + x);
    surface->Unlock(nullptr);
}

// Full screen at the depth through the driver; each iteration is one Flip. With
// `everyPixelChanges` the two buffers differ in every byte, so each frame differs from
// the one shown before it everywhere (the worst case for presenting only what
// changed); without, they are equal (a still picture).
void Present(benchmark::State& state, GUID* driver, int bits, bool everyPixelChanges) {
    HWND window = BenchWindow();
    IDirectDraw* dd = nullptr;
    if (!window || DirectDrawCreate(driver, &dd, nullptr) != DD_OK ||
        dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK ||
        dd->SetDisplayMode(kWidth, kHeight, bits) != DD_OK) {
        state.SkipWithError("no display");
        return;
    }
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface* front = nullptr;
    IDirectDrawPalette* palette = nullptr;
    if (dd->CreateSurface(&desc, &front, nullptr) == DD_OK) {
        if (bits == 8) {
            PALETTEENTRY table[256];
            for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(i * 3), BYTE(255 - i), 0};
            dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr);
            front->SetPalette(palette);
        }
        DDSCAPS backCaps{DDSCAPS_BACKBUFFER};
        IDirectDrawSurface* back = nullptr;
        front->GetAttachedSurface(&backCaps, &back);
        FillCounting(front, bits, 0);
        FillCounting(back, bits, everyPixelChanges ? 1 : 0);
        for (auto _ : state) front->Flip(nullptr, DDFLIP_WAIT);
        front->Release();
    }
    if (palette) palette->Release();
    dd->RestoreDisplayMode();
    dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
    dd->Release();
}
BENCHMARK_CAPTURE(Present, emulation_8bit, DDCREATE_EMULATIONONLY, 8, true);
BENCHMARK_CAPTURE(Present, emulation_32bit, DDCREATE_EMULATIONONLY, 32, true);
BENCHMARK_CAPTURE(Present, default_8bit, nullptr, 8, true);
BENCHMARK_CAPTURE(Present, default_32bit, nullptr, 32, true);
BENCHMARK_CAPTURE(Present, emulation_8bit_still, DDCREATE_EMULATIONONLY, 8, false);

// SDL2 itself, the obvious alternative: an 8-bit frame blitted through its palette into
// a window's own surface (SDL's lookup loop from 8 to 32 bits) and shown.
void SdlBlit8To32(benchmark::State& state) {
    SDL_Window* window = SDL_CreateWindow("sdl", 0, 0, kWidth, kHeight, SDL_WINDOW_HIDDEN);
    SDL_Surface* frame =
        SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* target = window ? SDL_GetWindowSurface(window) : nullptr;
    if (frame && target) {
        SDL_Color colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = {Uint8(i), Uint8(i * 3), Uint8(255 - i), 255};
        SDL_SetPaletteColors(frame->format->palette, colors, 0, 256);
        for (auto _ : state) {
            SDL_BlitSurface(frame, nullptr, target, nullptr);
            SDL_UpdateWindowSurface(window);
        }
    } else {
        state.SkipWithError(SDL_GetError());
    }
    SDL_FreeSurface(frame);
    if (window) SDL_DestroyWindow(window);
}
BENCHMARK(SdlBlit8To32);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (!vorn::host::EnsureVideo()) {
        std::fprintf(stderr, "present: the host's video did not start\n");
        return 1;
    }
    CoInitialize(nullptr);
    MeasuringReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Each presentation in copies of a frame, by processor time (the machine may be busy
    // with other work; the helper thread's time counts too).
    if (const Measured* copy = reporter.Find("Memcpy")) {
        for (const auto& [name, measured] : reporter.All())
            if (name != "Memcpy")
                std::printf("%s: %.1f x memcpy of a 640x480 32-bit frame\n", name.c_str(),
                            measured.cpuSeconds / copy->cpuSeconds);
    }
    benchmark::Shutdown();
    DestroyWindow(BenchWindow());
    CoUninitialize();
    return 0;
}
