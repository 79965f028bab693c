// The emulated 256-colour display's system palette: twenty static colours at entries
// 0-9 and 246-255 (those of the classic desktop), the entries between free for
// programs. Internal to the platform layer.
#pragma once

#include "platform/ddraw/ddraw.h"
#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

// Entry i of the static colours (i in 0-9 or 246-255); black for the free entries.
PALETTEENTRY StaticSystemColor(int index);

// Resolves a palette's entries to colours: PC_EXPLICIT entries take the static system
// colour their red byte names; the others their own red, green and blue.
void ResolvePalette(const PALETTEENTRY (&entries)[256], XrgbPalette& colors);

// The system palette as colours: the static colours and black between.
const XrgbPalette& SystemPaletteColors();

}  // namespace vorn::platform
