// Darkening one 640 x 480 frame by a brightness of 200/256 at 16, 24 and 32 bits, as
// the display does before showing a frame, against the obvious loop: every pixel taken
// apart into its channels, each scaled with a division, and put together again.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "sdk/display/brightness_pixels.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr DWORD kBrightness = 200;

struct Format {
    int bytes;
    DWORD red, green, blue;
};
constexpr Format k16{2, 0xF800, 0x07E0, 0x001F};
constexpr Format k24{3, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr Format k32{4, 0xFF0000, 0x00FF00, 0x0000FF};

std::vector<BYTE> Frame(const Format& format) {
    std::vector<BYTE> frame(static_cast<size_t>(kWidth) * kHeight * format.bytes);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<BYTE>(i * 37 + 11);
    return frame;
}

PixelRows RowsOf(std::vector<BYTE>& frame, const Format& format) {
    return {frame.data(), kWidth * format.bytes, kWidth, kHeight};
}

// The obvious way: one pixel at a time, each channel shifted down, scaled and divided.
void Obvious(const PixelRows& rows, const Format& format, DWORD a) {
    for (int y = 0; y < rows.height; ++y) {
        BYTE* p = rows.first + static_cast<std::ptrdiff_t>(y) * rows.pitch;
        for (int x = 0; x < rows.width; ++x, p += format.bytes) {
            DWORD pixel = 0;
            for (int b = 0; b < format.bytes; ++b) pixel |= DWORD{p[b]} << (8 * b);
            DWORD result = 0;
            for (DWORD mask : {format.red, format.green, format.blue}) {
                int shift = 0;
                while (!((mask >> shift) & 1)) ++shift;
                const DWORD channel = (pixel & mask) >> shift;
                result |= ((channel * a / 256) << shift) & mask;
            }
            for (int b = 0; b < format.bytes; ++b) p[b] = static_cast<BYTE>(result >> (8 * b));
        }
    }
}

void Scaled(benchmark::State& state, const Format& format, bool obvious) {
    std::vector<BYTE> frame = Frame(format);
    const PixelRows rows = RowsOf(frame, format);
    for (auto _ : state) {
        if (obvious)
            Obvious(rows, format, kBrightness);
        else if (format.bytes == 2)
            ScaleRows16(rows, format.red, format.green, format.blue, kBrightness);
        else if (format.bytes == 3)
            ScaleRows24(rows, kBrightness);
        else
            ScaleRows32(rows, format.red, format.green, format.blue, kBrightness);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

BENCHMARK_CAPTURE(Scaled, display_16bits, k16, false);
BENCHMARK_CAPTURE(Scaled, obvious_16bits, k16, true);
BENCHMARK_CAPTURE(Scaled, display_24bits, k24, false);
BENCHMARK_CAPTURE(Scaled, obvious_24bits, k24, true);
BENCHMARK_CAPTURE(Scaled, display_32bits, k32, false);
BENCHMARK_CAPTURE(Scaled, obvious_32bits, k32, true);

}  // namespace

BENCHMARK_MAIN();
