// Host font faces at a pixel size, with their glyphs rendered once in monochrome and
// kept. Internal to the platform layer.
#pragma once

#include <string>
#include <vector>

namespace vorn::platform {

// A horizontal stretch of drawn pixels in one row of a glyph's bitmap.
struct InkRun {
    int row = 0;
    int column = 0;
    int length = 0;
};

struct Glyph {
    int left = 0;  // from the pen to the bitmap's first column
    int top = 0;   // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;  // pen movement in pixels
    // The drawn pixels, row by row and left to right: text drawing visits only these.
    std::vector<InkRun> ink;
};

class FontFace;

// The face of a host family (UTF-8 name; fontconfig picks the nearest installed one)
// sized as a font height asks: positive, the cell height (ascent plus descent);
// negative, the character (em) height. Faces live until the program ends. Null when
// no font is installed at all.
FontFace* FindFontFace(const std::string& family, int height);

int FaceAscent(const FontFace& face);
int FaceCellHeight(const FontFace& face);
// The glyph of one Shift-JIS character (a single byte, or lead byte << 8 | trail byte;
// only the low 16 bits count). Rendered at the first request; later requests are a
// table look-up that allocates nothing. The glyph lives as long as its face.
const Glyph& FaceGlyph(FontFace& face, unsigned sjisCode);

}  // namespace vorn::platform
