// Font faces on FreeType, found through fontconfig. Glyphs are rendered without
// anti-aliasing, so text drawn in one colour uses exactly that colour, and are cached
// per face as runs of drawn pixels: drawing the same text again does no FreeType work
// and looks each character up in a table.
#include "platform/gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <cmath>
#include <deque>
#include <memory>

#include "platform/text/sjis.h"

namespace vorn::platform {

class FontFace {
public:
    FT_Face face = nullptr;
    std::string family;
    int height = 0;
    int ascent = 0;
    int cellHeight = 0;
    // The glyphs drawn so far, by their code's high byte (0 for single bytes), then its
    // low byte. A page is made when the first character of its lead byte is drawn.
    using GlyphPage = std::array<const Glyph*, 256>;
    std::array<std::unique_ptr<GlyphPage>, 256> pages;
    std::deque<Glyph> glyphs;  // never moves its elements, which the pages point to

    ~FontFace() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

struct FontLibrary {
    FT_Library library = nullptr;
    struct Location {
        std::string family;
        std::string file;
        int index = 0;
    };
    std::vector<Location> locations;               // families already looked up
    std::vector<std::unique_ptr<FontFace>> faces;  // destroyed before the library

    FontLibrary() { FT_Init_FreeType(&library); }
    ~FontLibrary() {
        faces.clear();
        if (library) FT_Done_FreeType(library);
        if (usedFontconfig) FcFini();  // its caches would otherwise outlive the program's checks
    }
    bool usedFontconfig = false;
};

FontLibrary& Library() {
    static FontLibrary library;
    return library;
}

const FontLibrary::Location* Locate(const std::string& family) {
    FontLibrary& lib = Library();
    for (const auto& location : lib.locations)
        if (location.family == family) return &location;
    if (!lib.usedFontconfig && !FcInit()) return nullptr;
    lib.usedFontconfig = true;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    FontLibrary::Location location{family, "", 0};
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        location.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            location.index = index;
    }
    FcPatternDestroy(match);
    if (location.file.empty()) return nullptr;
    lib.locations.push_back(location);
    return &lib.locations.back();
}

// Decodes a UTF-8 character.
unsigned FirstCodePoint(const std::string& utf8) {
    if (utf8.empty()) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    if (s[0] < 0x80) return s[0];
    if ((s[0] & 0xE0) == 0xC0 && utf8.size() >= 2) return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    if ((s[0] & 0xF0) == 0xE0 && utf8.size() >= 3)
        return ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
    if (utf8.size() >= 4)
        return ((s[0] & 0x07) << 18) | ((s[1] & 0x3F) << 12) | ((s[2] & 0x3F) << 6) | (s[3] & 0x3F);
    return 0;
}

Glyph Render(FT_Face face, unsigned codePoint) {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) FT_Render_Glyph(slot, FT_RENDER_MODE_MONO);
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        const auto on = [&](int x) {
            return bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                       ? (row[x >> 3] >> (7 - (x & 7))) & 1
                       : row[x] >= 128;  // grey embedded bitmaps
        };
        for (int x = 0; x < glyph.width;) {
            if (!on(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < glyph.width && on(x)) ++x;
            glyph.ink.push_back({y, start, x - start});
        }
    }
    return glyph;
}

}  // namespace

FontFace* FindFontFace(const std::string& family, int height) {
    FontLibrary& lib = Library();
    for (const auto& face : lib.faces)
        if (face->family == family && face->height == height) return face.get();
    const FontLibrary::Location* location = Locate(family);
    if (!lib.library || !location) return nullptr;
    auto face = std::make_unique<FontFace>();
    if (FT_New_Face(lib.library, location->file.c_str(), location->index, &face->face) != 0)
        return nullptr;
    face->family = family;
    face->height = height;
    FT_Face ft = face->face;
    // The cell is the face's Windows ascent and descent where it has them.
    double above = ft->ascender, below = -ft->descender;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            above = os2->usWinAscent;
            below = os2->usWinDescent;
        }
    }
    const double units = ft->units_per_EM ? ft->units_per_EM : 1000.0;
    if (above + below <= 0) above = units, below = 0;
    double em;
    if (height > 0) {
        em = height * units / (above + below);
        face->cellHeight = height;
    } else {
        em = -height;
        face->cellHeight = static_cast<int>(std::lround((above + below) * em / units));
    }
    face->ascent = static_cast<int>(std::lround(above * em / units));
    FT_Set_Char_Size(ft, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
    lib.faces.push_back(std::move(face));
    return lib.faces.back().get();
}

int FaceAscent(const FontFace& face) { return face.ascent; }
int FaceCellHeight(const FontFace& face) { return face.cellHeight; }

const Glyph& FaceGlyph(FontFace& face, unsigned sjisCode) {
    sjisCode &= 0xFFFF;
    std::unique_ptr<FontFace::GlyphPage>& page = face.pages[sjisCode >> 8];
    if (page) {
        if (const Glyph* glyph = (*page)[sjisCode & 0xFF]) return *glyph;
    } else {
        page = std::make_unique<FontFace::GlyphPage>();  // value-initialised: all null
    }
    char bytes[2];
    const int count = sjisCode > 0xFF ? 2 : 1;
    if (count == 2) {
        bytes[0] = static_cast<char>(sjisCode >> 8);
        bytes[1] = static_cast<char>(sjisCode & 0xFF);
    } else {
        bytes[0] = static_cast<char>(sjisCode);
    }
    const unsigned codePoint = FirstCodePoint(SjisToUtf8(std::string_view(bytes, count)));
    const Glyph& glyph = face.glyphs.emplace_back(Render(face.face, codePoint));
    (*page)[sjisCode & 0xFF] = &glyph;
    return glyph;
}

}  // namespace vorn::platform
