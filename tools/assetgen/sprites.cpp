// The sprite sheets: the spark benchmark's strip of ageing sparks and the aimed-shot
// sample's shot and ship. The top-left pixel of each sheet is its transparent colour,
// so the background of both is the sheet background and no sprite pixel uses it.
#include <algorithm>
#include <cmath>

#include "assetgen/palette.h"
#include "assetgen/pictures.h"

namespace {

// The brightest fire entry that is not the transparent black.
constexpr double kDarkestFire = (kFireRamp.count - 2.0) / (kFireRamp.count - 1);

// A round glow centred at (cx, cy): `core` on the fire ramp at the centre, dimming
// outward by `falloff` over `radius`; pixels that would fade to black stay transparent.
void DrawGlow(Image8& image, double cx, double cy, double radius, double core, double falloff) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d >= 1) continue;
            const double t = core + falloff * d * d;
            if (t >= 1) continue;
            image.at(x, y) = Nearest(kFireRamp, std::min(t, kDarkestFire));
        }
    }
}

// The level ship, nose up. d/m/l: dark, mid and light metal; c: canopy; f: exhaust.
constexpr const char* kShipArt[16] = {
    "       ll       ",  //
    "       lm       ",  //
    "      lccm      ",  //
    "      lccm      ",  //
    "     llccmm     ",  //
    "     lllmmm     ",  //
    "  d  lllmmm  d  ",  //
    "  l llllmmmm m  ",  //
    " lllllllmmmmmmm ",  //
    "llllllllmmmmmmmd",  //
    "dllllllmmmmmmmdd",  //
    " ddd  lmmm  ddd ",  //
    "      dmmd      ",  //
    "     dd  dd     ",  //
    "     ff  ff     ",  //
    "      f  f      ",  //
};

// Shade of one art pixel; `light` shifts the metal brighter (+) or darker (-).
int ArtPixel(char c, double light, int y) {
    switch (c) {
        case 'd':
            return Nearest(kMetalRamp, 0.18 + light);
        case 'm':
            return Nearest(kMetalRamp, 0.50 + light);
        case 'l':
            return Nearest(kMetalRamp, 0.78 + light);
        case 'c':
            return Nearest(kSkyRamp, 0.30 + light * 0.3 - 0.04 * y);
        case 'f':
            return Nearest(kFireRamp, 0.18 + 0.2 * (y & 1));
        default:
            return -1;
    }
}

// The ship into the 16x16 cell at (left, 0). lean -1 rolls it left: the left wing
// turns away (narrower, darker) and the right wing toward the light; +1 the mirror.
void DrawShip(Image8& image, int left, int lean) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // Rolled, the centre line moves toward the lean and the far wing shrinks.
            const double u = x + 0.5 - 8 - lean;
            const bool awaySide = lean != 0 && (u < 0) == (lean < 0);
            const double scale = awaySide ? 0.62 : 1.0;
            const int source = static_cast<int>(std::floor(u / scale + 8));
            if (source < 0 || source > 15) continue;
            const double light = lean == 0 ? 0.0 : (awaySide ? -0.22 : 0.14);
            const int pixel = ArtPixel(kShipArt[y][source], light, y);
            if (pixel >= 0) image.at(left + x, y) = static_cast<std::uint8_t>(pixel);
        }
    }
}

}  // namespace

Image8 DrawSparkStrip() {
    Image8 image(16 * 8, 8, kSheetBackground);
    for (int age = 0; age < 16; ++age) {
        Image8 cell(8, 8, kSheetBackground);
        const double a = age / 15.0;
        // Young: a large white-hot glow; old: a small ember fading toward black.
        DrawGlow(cell, 4, 4, 3.9 - 1.9 * a, 0.8 * std::pow(a, 0.8), 0.75 + 0.2 * a);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) image.at(8 * age + x, y) = cell.at(x, y);
    }
    return image;
}

Image8 DrawShipSheet() {
    Image8 image(80, 16, kSheetBackground);
    Image8 shot(16, 16, kSheetBackground);
    DrawGlow(shot, 8, 8, 6.5, 0.0, 0.9);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) image.at(x, y) = shot.at(x, y);
    DrawShip(image, 32, -1);
    DrawShip(image, 48, 0);
    DrawShip(image, 64, +1);
    return image;
}
