// The twenty static colours of the emulated 256-colour display.
#include "platform/ddraw/system_palette.h"

namespace vorn::platform {

namespace {

struct Rgb {
    BYTE r, g, b;
};
// Entries 0-9, then 246-255.
constexpr Rgb kLowStatic[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                {192, 220, 192}, {166, 202, 240}};
constexpr Rgb kHighStatic[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                 {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                 {0, 255, 255},   {255, 255, 255}};

}  // namespace

PALETTEENTRY StaticSystemColor(int index) {
    if (index >= 0 && index < 10)
        return {kLowStatic[index].r, kLowStatic[index].g, kLowStatic[index].b, 0};
    if (index >= 246 && index < 256) {
        const Rgb& c = kHighStatic[index - 246];
        return {c.r, c.g, c.b, 0};
    }
    return {0, 0, 0, 0};
}

static std::uint32_t XrgbOfEntry(const PALETTEENTRY& e) {
    return (std::uint32_t(e.peRed) << 16) | (std::uint32_t(e.peGreen) << 8) | e.peBlue;
}

void ResolvePalette(const PALETTEENTRY (&entries)[256], XrgbPalette& colors) {
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = entries[i];
        colors[i] =
            (e.peFlags & PC_EXPLICIT) ? XrgbOfEntry(StaticSystemColor(e.peRed)) : XrgbOfEntry(e);
    }
}

const XrgbPalette& SystemPaletteColors() {
    static const struct Table {
        XrgbPalette colors;
        Table() {
            for (int i = 0; i < 256; ++i) colors[i] = XrgbOfEntry(StaticSystemColor(i));
        }
    } table;
    return table.colors;
}

}  // namespace vorn::platform
