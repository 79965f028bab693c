// "nae.bmp": a moonlit night sky full of stars over three ranges of hills, with a row
// of firs on the nearest ridge. 640x480, every pixel from the samples' palette.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "assetgen/palette.h"
#include "assetgen/pictures.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kMoonX = 498, kMoonY = 92, kMoonRadius = 25;
// The background keeps its pixel values at 10 and above (see palette.h).
constexpr double kBrightestSky = 10.0 / (kSkyRamp.count - 1);

// A ridge line: a few sine waves of decreasing size.
struct Ridge {
    double base;
    double waves[3][3];  // amplitude, wavelength, phase

    double HeightAt(double x) const {
        double y = base;
        for (const auto& w : waves) y += w[0] * std::sin(x * 2 * std::numbers::pi / w[1] + w[2]);
        return y;
    }
};

constexpr Ridge kRidges[] = {
    {322, {{24, 420, 0.7}, {10, 150, 2.1}, {4, 53, 0.4}}},  // far, under the haze
    {368, {{30, 560, 3.4}, {12, 190, 1.2}, {4, 61, 2.8}}},
    {418, {{26, 700, 5.1}, {9, 230, 0.3}, {3, 41, 1.9}}},  // near, with the firs
};
// Each range's colour on the hill ramp, from its ridge down.
constexpr double kRidgeTone[] = {0.66, 0.40, 0.16};

// Sky position on the sky ramp (0 white, 1 near black): dark at the top, hazy blue at
// the horizon, a soft glow around the moon and a faint band of the galaxy.
// Closeness to the middle of the galaxy's band, 0..1.
double InBand(double x, double y) {
    const double band = (x * 0.55 + y - 300) / 60.0;  // a diagonal across the sky
    return std::exp(-band * band);
}

double SkyTone(double x, double y) {
    double t = 0.93 - 0.42 * std::pow(y / 350.0, 1.6);
    const double moonDistance = std::hypot(x - kMoonX, y - kMoonY);
    t -= 0.42 * std::exp(-(moonDistance - kMoonRadius) / 70.0) * (moonDistance > kMoonRadius);
    t -= 0.07 * InBand(x, y) * (0.7 + 0.3 * std::sin(x / 23.0) * std::sin(y / 17.0));
    return std::max(t, kBrightestSky);
}

void DrawSky(Image8& image) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image.at(x, y) = Shade(kSkyRamp, SkyTone(x, y), x, y);
}

void DrawMoon(Image8& image) {
    // A few faintly darker seas on the disc, with soft edges.
    const double seas[][3] = {{-9, -5, 8}, {5, 3, 7}, {-2, 11, 5}, {10, -8, 4}};
    for (int y = int(kMoonY - kMoonRadius); y <= int(kMoonY + kMoonRadius); ++y) {
        for (int x = int(kMoonX - kMoonRadius); x <= int(kMoonX + kMoonRadius); ++x) {
            const double dx = x - kMoonX, dy = y - kMoonY;
            const double d = std::hypot(dx, dy) / kMoonRadius;
            if (d > 1) continue;
            double t = kBrightestSky + 0.03 + 0.05 * d * d;
            for (const auto& s : seas)
                t += 0.035 * std::clamp(1.5 - std::hypot(dx - s[0], dy - s[1]) / s[2], 0.0, 1.0);
            image.at(x, y) = Shade(kSkyRamp, t, x, y);
        }
    }
}

void DrawStars(Image8& image) {
    std::mt19937 random(20261211);
    auto uniform = [&random] { return random() / 4294967296.0; };
    for (int i = 0; i < 2200; ++i) {
        const int x = static_cast<int>(uniform() * kWidth);
        const int y = static_cast<int>(std::pow(uniform(), 1.4) * 330);  // fewer low down
        if (std::hypot(x - kMoonX, y - kMoonY) < kMoonRadius * 2.2) continue;
        // Most stars are faint, and the faintest crowd into the galaxy's band.
        const double brightness = std::pow(uniform(), 3.0);
        if (brightness < 0.08 && uniform() > InBand(x, y)) continue;
        const double t = std::max(kBrightestSky, SkyTone(x, y) - 0.2 - 0.5 * brightness);
        image.at(x, y) = Shade(kSkyRamp, t, x, y);
        if (brightness > 0.7) {  // the brightest sparkle with a small cross
            const double arm = std::min(t + 0.12, SkyTone(x, y));
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (image.contains(x + dx, y + dy))
                    image.at(x + dx, y + dy) = Shade(kSkyRamp, arm, x + dx, y + dy);
        }
    }
}

// A fir: a narrow triangle standing on the ridge at x, height h.
bool InFir(double x, double y, double treeX, double baseY, double h) {
    const double top = baseY - h;
    if (y < top || y > baseY + 2) return false;
    const double halfWidth = (y - top) / h * h * 0.28 + 0.5;
    // Layered boughs: the outline steps in a little every few pixels.
    const double bough = 0.75 + 0.25 * std::fmod(y - top, 5.0) / 5.0;
    return std::abs(x - treeX) <= halfWidth * bough;
}

void DrawHills(Image8& image) {
    std::mt19937 random(7);
    auto uniform = [&random] { return random() / 4294967296.0; };
    struct Fir {
        double x, h;
    };
    std::vector<Fir> firs;
    for (double x = 4; x < kWidth; x += 9 + uniform() * 22)
        firs.push_back({x, 14 + uniform() * 22});

    for (int layer = 0; layer < 3; ++layer) {
        const Ridge& ridge = kRidges[layer];
        for (int x = 0; x < kWidth; ++x) {
            const double top = ridge.HeightAt(x);
            for (int y = std::max(0, static_cast<int>(std::ceil(top))); y < kHeight; ++y) {
                const double depth = y - top;
                // Moonlight catches the ridge; the slope darkens downhill.
                double t = kRidgeTone[layer] - std::min(depth / 160.0, 0.14);
                if (depth < 2) t += 0.22 - 0.08 * depth;
                image.at(x, y) = Shade(kHillRamp, t, x, y);
            }
        }
    }
    const Ridge& near = kRidges[2];
    for (const Fir& fir : firs) {
        const double baseY = near.HeightAt(fir.x) + 3;
        for (int y = static_cast<int>(baseY - fir.h); y <= static_cast<int>(baseY) + 2; ++y)
            for (int x = static_cast<int>(fir.x - fir.h * 0.3) - 1; x <= fir.x + fir.h * 0.3 + 1;
                 ++x)
                if (image.contains(x, y) && InFir(x, y, fir.x, baseY, fir.h))
                    image.at(x, y) = Shade(kHillRamp, 0.02, x, y);
    }
}

}  // namespace

Image8 DrawNightScene() {
    Image8 image(kWidth, kHeight, 0);
    DrawSky(image);
    DrawMoon(image);
    DrawStars(image);
    DrawHills(image);
    return image;
}
