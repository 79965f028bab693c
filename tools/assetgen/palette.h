// The one palette of the samples' pictures: 236 game colours in the first 236 entries
// of every file's colour table. Loading a bitmap moves a file's first 236 colours to
// the display palette's entries 10 to 245 (0-9 and 246-255 are the system's), and the
// spark benchmark shows the background's raw pixel values through that display palette,
// which then shows the colour ten entries earlier in the file. So the colours run along
// continuous ramps, each a smooth path, and the background uses no value below 10: the
// raw picture reads as a slightly shifted shade of the same picture.
#pragma once

#include <cstdint>

#include "assetgen/image8.h"

constexpr int kGameColours = 236;

// A run of palette entries that goes smoothly from one colour to another.
struct Ramp {
    int first;
    int count;
};

// Night sky: white (0) through pale and light blue, blue and navy to near black.
constexpr Ramp kSkyRamp{0, 120};
// Hills: near black through dark teal to moonlit teal.
constexpr Ramp kHillRamp{120, 50};
// Fire: white through yellow, orange and red to black; its last entry is pure black,
// the transparent colour of the sprite sheets.
constexpr Ramp kFireRamp{170, 46};
// Metal: dark to light blue-grey.
constexpr Ramp kMetalRamp{216, 20};

constexpr std::uint8_t kSheetBackground = kFireRamp.first + kFireRamp.count - 1;  // black

// The full colour table: the game colours, then black for the unused entries.
const Palette256& SamplePalette();

// The entry at position t (0 = the ramp's first colour, 1 = its last), ordered-dithered
// at pixel (x, y) so that a gradient shows no bands.
std::uint8_t Shade(const Ramp& ramp, double t, int x, int y);
// The entry nearest to position t, for sprites too small to dither.
std::uint8_t Nearest(const Ramp& ramp, double t);
