// The samples' palette, built from the key colours of each ramp.
#include "assetgen/palette.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

struct Key {
    double t;
    Rgb colour;
};

// Fills the ramp's entries by linear interpolation between its key colours.
void FillRamp(Palette256& palette, const Ramp& ramp, std::initializer_list<Key> keys) {
    const Key* k = keys.begin();
    for (int i = 0; i < ramp.count; ++i) {
        const double t = static_cast<double>(i) / (ramp.count - 1);
        while (k + 2 < keys.end() && t > k[1].t) ++k;
        const double f = std::clamp((t - k[0].t) / (k[1].t - k[0].t), 0.0, 1.0);
        auto mix = [f](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
        };
        palette[ramp.first + i] = {mix(k[0].colour.r, k[1].colour.r),
                                   mix(k[0].colour.g, k[1].colour.g),
                                   mix(k[0].colour.b, k[1].colour.b)};
    }
}

Palette256 BuildPalette() {
    Palette256 palette{};
    FillRamp(palette, kSkyRamp,
             {{0.00, {255, 255, 255}},
              {0.08, {255, 244, 214}},
              {0.17, {196, 212, 236}},
              {0.32, {116, 146, 200}},
              {0.50, {52, 78, 142}},
              {0.70, {22, 36, 90}},
              {0.88, {8, 14, 48}},
              {1.00, {2, 4, 18}}});
    FillRamp(palette, kHillRamp, {{0.00, {3, 7, 11}}, {0.50, {13, 32, 38}}, {1.00, {52, 88, 96}}});
    FillRamp(palette, kFireRamp,
             {{0.00, {255, 255, 242}},
              {0.14, {255, 242, 150}},
              {0.32, {255, 196, 44}},
              {0.52, {246, 110, 14}},
              {0.70, {196, 34, 8}},
              {0.86, {96, 10, 6}},
              {0.96, {28, 3, 2}},
              {1.00, {0, 0, 0}}});
    FillRamp(palette, kMetalRamp,
             {{0.00, {22, 26, 40}}, {0.45, {96, 108, 132}}, {1.00, {236, 242, 255}}});
    return palette;
}

// 4x4 ordered-dither thresholds in [0, 1).
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

const Palette256& SamplePalette() {
    static const Palette256 palette = BuildPalette();
    return palette;
}

std::uint8_t Shade(const Ramp& ramp, double t, int x, int y) {
    const double position = std::clamp(t, 0.0, 1.0) * (ramp.count - 1);
    const double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
    const int step = std::min(static_cast<int>(position + threshold), ramp.count - 1);
    return static_cast<std::uint8_t>(ramp.first + step);
}

std::uint8_t Nearest(const Ramp& ramp, double t) {
    return static_cast<std::uint8_t>(ramp.first +
                                     std::lround(std::clamp(t, 0.0, 1.0) * (ramp.count - 1)));
}
