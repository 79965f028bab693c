// Sprite drawing speed: keyed 8 x 8 cells through CPlane::BltTrans onto the secondary
// surface at 8 and 32 bits, against SDL_BlitSurface with a colour key on identical SDL
// surfaces, and an opaque 640 x 480 Blt against memcpy of the same bytes. Prints the
// ratios at the end. Run headless: SDL_VIDEODRIVER=dummy.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/support/measuring_reporter.h"
#include "display/display_state.h"
#include "display/plane.h"
#include "platform/testing/testing.h"

namespace {

constexpr int kCells = 16;        // an 8 x 8 cell sheet of 16 cells, as the spark sample's
constexpr int kPositions = 4096;  // one frame's worth of sparks

struct Position {
    int x, y, cell;
};

// Spread over the screen, a few hanging over its edges.
const std::vector<Position>& Positions() {
    static const std::vector<Position> positions = [] {
        std::vector<Position> list;
        std::uint32_t seed = 12345;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        for (int i = 0; i < kPositions; ++i)
            list.push_back({static_cast<int>(next() >> 8) % 648 - 4,
                            static_cast<int>(next() >> 8) % 488 - 4,
                            static_cast<int>(next() >> 8) % kCells});
        return list;
    }();
    return positions;
}

// Cell pixels: a ring of colour around a transparent (key 0) middle and corners.
std::uint32_t CellPixel(int cell, int x, int y) {
    const int dx = 2 * x - 7, dy = 2 * y - 7;
    const int r = dx * dx + dy * dy;
    return (r > 16 && r < 49) ? 1 + ((cell * 13 + x + y) % 200) : 0;
}

// The display and a sprite sheet plane of the depth, with the same pixels in an SDL
// surface pair.
struct Scene {
    LPDIRECTDRAW display = nullptr;
    CPlane sheet;
    CPlane background;
    SDL_Surface* sdlScreen = nullptr;
    SDL_Surface* sdlSheet = nullptr;

    explicit Scene(int bits) {
        vorn::testing::OpenOffscreenDisplay(bits, 640, 480, &display, &lpSecondary);
        m_lpDirectDraw = display;
        m_nScreenWidth = 640;
        m_nScreenHeight = 480;
        sheet.CreatePlane(8 * kCells, 8);  // keyed on black, raw 0
        background.CreatePlane(640, 480);

        const Uint32 format = bits == 8 ? SDL_PIXELFORMAT_INDEX8 : SDL_PIXELFORMAT_RGB888;
        sdlScreen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, bits, format);
        sdlSheet = SDL_CreateRGBSurfaceWithFormat(0, 8 * kCells, 8, bits, format);
        if (bits == 8) {
            SDL_Color colors[256];
            for (int i = 0; i < 256; ++i) colors[i] = {Uint8(i), Uint8(255 - i), Uint8(i * 3), 255};
            SDL_SetPaletteColors(sdlScreen->format->palette, colors, 0, 256);
            SDL_SetPaletteColors(sdlSheet->format->palette, colors, 0, 256);
        }
        SDL_SetColorKey(sdlSheet, SDL_TRUE, 0);

        DDSURFACEDESC locked = {};
        locked.dwSize = sizeof locked;
        sheet.GetSurface()->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
        const int bytes = bits / 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8 * kCells; ++x) {
                const std::uint32_t value = CellPixel(x / 8, x % 8, y);
                std::memcpy(static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch + x * bytes,
                            &value, bytes);
                std::memcpy(static_cast<BYTE*>(sdlSheet->pixels) + y * sdlSheet->pitch + x * bytes,
                            &value, bytes);
            }
        sheet.GetSurface()->Unlock(nullptr);
    }
    ~Scene() {
        SDL_FreeSurface(sdlSheet);
        SDL_FreeSurface(sdlScreen);
        sheet.Release();
        background.Release();
        lpSecondary->Release();
        lpSecondary = nullptr;
        display->Release();
        m_lpDirectDraw = nullptr;
    }
};

void KeyedCells(benchmark::State& state, int bits) {
    Scene scene(bits);
    const auto& positions = Positions();
    for (auto _ : state) {
        for (const Position& p : positions) {
            benchmark::DoNotOptimize(
                scene.sheet.BltTrans(p.x, p.y, RECT{p.cell * 8, 0, p.cell * 8 + 8, 8}));
        }
    }
    state.SetItemsProcessed(state.iterations() * kPositions);
}

void SdlKeyedCells(benchmark::State& state, int bits) {
    Scene scene(bits);
    const auto& positions = Positions();
    for (auto _ : state) {
        for (const Position& p : positions) {
            SDL_Rect from = {p.cell * 8, 0, 8, 8};
            SDL_Rect to = {p.x, p.y, 8, 8};
            benchmark::DoNotOptimize(SDL_BlitSurface(scene.sdlSheet, &from, scene.sdlScreen, &to));
        }
    }
    state.SetItemsProcessed(state.iterations() * kPositions);
}

void OpaqueScreen(benchmark::State& state) {
    Scene scene(32);
    for (auto _ : state) benchmark::DoNotOptimize(scene.background.Blt(0, 0));
    state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}

void MemcpyScreen(benchmark::State& state) {
    std::vector<std::uint8_t> from(640 * 480 * 4, 1), to(640 * 480 * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}

BENCHMARK_CAPTURE(KeyedCells, 8bit, 8);
BENCHMARK_CAPTURE(SdlKeyedCells, 8bit, 8);
BENCHMARK_CAPTURE(KeyedCells, 32bit, 32);
BENCHMARK_CAPTURE(SdlKeyedCells, 32bit, 32);
BENCHMARK(OpaqueScreen);
BENCHMARK(MemcpyScreen);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MeasuringReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* what, const std::string& ours, const std::string& theirs) {
        const Measured* a = reporter.Find(ours);
        const Measured* b = reporter.Find(theirs);
        if (a && b && b->rate > 0) std::printf("%s: %.2fx\n", what, a->rate / b->rate);
    };
    ratio("keyed 8x8 at 8 bits, BltTrans / SDL_BlitSurface", "KeyedCells/8bit",
          "SdlKeyedCells/8bit");
    ratio("keyed 8x8 at 32 bits, BltTrans / SDL_BlitSurface", "KeyedCells/32bit",
          "SdlKeyedCells/32bit");
    ratio("opaque 640x480 Blt / memcpy", "OpaqueScreen", "MemcpyScreen");
    if (const Measured* cells = reporter.Find("KeyedCells/8bit"))
        std::printf("sprites per second through BltTrans at 8 bits: %.0f\n", cells->rate);
    benchmark::Shutdown();
    return 0;
}
