// Presenting one 640 x 480 frame: a flip in exclusive full screen at 8 bits (the
// display palette's expansion included) and at 32 bits, through the emulation driver
// (the window's own surface) and the default driver (a renderer with a streaming
// texture), each against a plain copy of a 640 x 480 32-bit frame. Runs headless on
// the dummy video driver unless SDL_VIDEODRIVER says otherwise. Prints each case's
// cost in copies of a frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

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

// Full screen at the depth through the driver; each iteration is one Flip.
void Present(benchmark::State& state, GUID* driver, int bits) {
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
        for (auto _ : state) front->Flip(nullptr, DDFLIP_WAIT);
        front->Release();
    }
    if (palette) palette->Release();
    dd->RestoreDisplayMode();
    dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
    dd->Release();
}
BENCHMARK_CAPTURE(Present, emulation_8bit, DDCREATE_EMULATIONONLY, 8);
BENCHMARK_CAPTURE(Present, emulation_32bit, DDCREATE_EMULATIONONLY, 32);
BENCHMARK_CAPTURE(Present, default_8bit, nullptr, 8);
BENCHMARK_CAPTURE(Present, default_32bit, nullptr, 32);

// Prints the usual table, then each presentation in copies of a frame (processor
// time: the machine may be busy with other work).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred) m_seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (!m_seconds.count("Memcpy")) return;
        for (const auto& [name, seconds] : m_seconds)
            if (name != "Memcpy")
                std::printf("%s: %.1f x memcpy of a 640x480 32-bit frame\n", name.c_str(),
                            seconds / m_seconds["Memcpy"]);
    }

private:
    std::map<std::string, double> m_seconds;
};

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (!vorn::host::EnsureVideo()) {
        std::fprintf(stderr, "present: the host's video did not start\n");
        return 1;
    }
    CoInitialize(nullptr);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    DestroyWindow(BenchWindow());
    CoUninitialize();
    return 0;
}
