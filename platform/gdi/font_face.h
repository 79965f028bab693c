// Host font faces at a pixel size, with their glyphs rendered once in monochrome and
// kept. Internal to the platform layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn::platform {

struct Glyph {
    int left = 0;  // from the pen to the bitmap's first column
    int top = 0;   // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;                // pen movement in pixels
    std::vector<std::uint8_t> ink;  // width x rows, 1 where the glyph is drawn
};

class FontFace;

// The face of a host family (UTF-8 name; fontconfig picks the nearest installed one)
// sized as a font height asks: positive, the cell height (ascent plus descent);
// negative, the character (em) height. Faces live until the program ends. Null when
// no font is installed at all.
FontFace* FindFontFace(const std::string& family, int height);

int FaceAscent(const FontFace& face);
int FaceCellHeight(const FontFace& face);
// The glyph of one Shift-JIS character (a single byte, or lead byte << 8 | trail byte).
const Glyph& FaceGlyph(FontFace& face, unsigned sjisCode);

}  // namespace vorn::platform
