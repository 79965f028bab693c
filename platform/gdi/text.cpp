// Fonts and Shift-JIS text in device contexts.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "platform/ddraw/blit.h"
#include "platform/gdi/draw_target.h"
#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/handle_table.h"
#include "platform/testing/faults.h"
#include "platform/text/sjis.h"

namespace vorn::platform {

struct Font {
    FontFace* face = nullptr;
    bool stock = false;  // the default font of new device contexts: never deleted
};

namespace {

constexpr int kDefaultHeight = 16;

HandleTable<Font>& Fonts() {
    static HandleTable<Font> fonts;
    return fonts;
}

// The installed faces standing for the system's Japanese faces, by style and pitch.
struct FaceMapping {
    const char* systemFace;  // Shift-JIS, as programs name it
    const char* hostFamily;
};
const FaceMapping kFaceMappings[] = {
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
};
constexpr const char* kFallbackFamily = "IPAGothic";  // fixed-pitch gothic

const char* HostFamily(LPCSTR faceName) {
    const std::string_view name = faceName ? faceName : "";
    for (const FaceMapping& mapping : kFaceMappings)
        if (name == mapping.systemFace) return mapping.hostFamily;
    return kFallbackFamily;
}

Font* DefaultFont() {
    static Font* font = [] {
        Font stock;
        stock.face = FindFontFace(kFallbackFamily, kDefaultHeight);
        stock.stock = true;
        return Fonts().Add(stock);
    }();
    return font;
}

Font* SelectedFont(const DeviceContext& context) {
    return context.font ? context.font : DefaultFont();
}

// Calls draw(glyph, pen) for each character of the text; returns the pen's last place.
// Pens count in 64 bits, so no length of text or starting place overflows them.
template <class Draw>
std::int64_t WalkText(FontFace& face, LPCSTR text, int length, Draw draw) {
    std::int64_t pen = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (int i = 0; i < length; ++i) {
        unsigned code = bytes[i];
        if (IsSjisLeadByte(bytes[i]) && i + 1 < length) code = (code << 8) | bytes[++i];
        const Glyph& glyph = FaceGlyph(face, code);
        draw(glyph, pen);
        pen += glyph.advance;
    }
    return pen;
}

void ForgetFont(DeviceContext& context, void* font) {
    if (context.font == font) context.font = nullptr;
}

// What one TextOutA call paints: pixel values already matched to the target.
struct TextPaint {
    bool opaque = false;  // fill each character's cell with `back` first
    std::uint32_t back = 0;
    std::uint32_t ink = 0;
};

// Sets the pixels [x0, x1) of target row y that lie inside the target's clip.
template <int kBytes>
void FillClippedSpan(const DrawTarget& t, std::int64_t y, std::int64_t x0, std::int64_t x1,
                     std::uint32_t pixel) {
    if (y < t.clip.top || y >= t.clip.bottom) return;
    const std::int64_t from = std::max<std::int64_t>(x0, t.clip.left);
    const std::int64_t to = std::min<std::int64_t>(x1, t.clip.right);
    if (from < to)
        FillRow<kBytes>(t.bits + y * t.pitch + from * kBytes, static_cast<int>(to - from), pixel);
}

// Draws the text with its cell's top-left corner at target pixel (left, top): every
// cell first (opaque), then the glyphs over them, so a glyph reaching into the next
// cell keeps its pixels.
template <int kBytes>
void DrawGlyphs(const DrawTarget& t, FontFace& face, std::int64_t left, std::int64_t top,
                LPCSTR text, int length, const TextPaint& paint) {
    if (paint.opaque) {
        const std::int64_t bottom = top + FaceCellHeight(face);
        WalkText(face, text, length, [&](const Glyph& glyph, std::int64_t pen) {
            for (std::int64_t y = top; y < bottom; ++y)
                FillClippedSpan<kBytes>(t, y, left + pen, left + pen + glyph.advance, paint.back);
        });
    }
    const std::int64_t baseline = top + FaceAscent(face);
    WalkText(face, text, length, [&](const Glyph& glyph, std::int64_t pen) {
        const std::int64_t x = left + pen + glyph.left, y = baseline - glyph.top;
        if (x >= t.clip.left && y >= t.clip.top && x + glyph.width <= t.clip.right &&
            y + glyph.rows <= t.clip.bottom) {
            // The usual case: the whole glyph shows, so its runs need no clipping.
            std::uint8_t* origin = t.bits + y * t.pitch + x * kBytes;
            for (const InkRun& run : glyph.ink)
                FillRow<kBytes>(origin + static_cast<long>(run.row) * t.pitch + run.column * kBytes,
                                run.length, paint.ink);
            return;
        }
        for (const InkRun& run : glyph.ink)
            FillClippedSpan<kBytes>(t, y + run.row, x + run.column, x + run.column + run.length,
                                    paint.ink);
    });
}

}  // namespace

}  // namespace vorn::platform

using vorn::platform::DeviceContext;
using vorn::platform::DeviceContextOf;
using vorn::platform::Font;

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    if (vorn::platform::ShouldFail("CreateFontA")) return nullptr;
    Font font;
    font.face = vorn::platform::FindFontFace(vorn::platform::HostFamily(faceName),
                                             height ? height : vorn::platform::kDefaultHeight);
    if (!font.face) return nullptr;
    return vorn::platform::Fonts().Add(font);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* context = DeviceContextOf(dc);
    Font* font = vorn::platform::Fonts().Find(object);
    if (!context || !font) return nullptr;
    Font* previous = vorn::platform::SelectedFont(*context);
    context->font = font;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    Font* font = vorn::platform::Fonts().Find(object);
    if (!font) return FALSE;
    if (font->stock) return TRUE;
    // Contexts that still hold the font fall back to the default one.
    vorn::platform::ForEachDeviceContext(vorn::platform::ForgetFont, font);
    vorn::platform::Fonts().Remove(font);
    return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (vorn::platform::ShouldFail("TextOutA", dc)) return FALSE;
    DeviceContext* context = DeviceContextOf(dc);
    vorn::platform::DrawTarget t;
    if (!context || length < 0 || (!text && length > 0) || !vorn::platform::TargetOf(*context, &t))
        return FALSE;
    Font* font = vorn::platform::SelectedFont(*context);
    if (!font->face) return FALSE;
    vorn::platform::TextPaint paint;
    paint.opaque = context->backMode == OPAQUE;
    if (paint.opaque) paint.back = vorn::platform::PixelOfColor(t, context->backColor);
    paint.ink = vorn::platform::PixelOfColor(t, context->textColor);
    const std::int64_t left = std::int64_t{x} + t.origin.x, top = std::int64_t{y} + t.origin.y;
    vorn::platform::FontFace& face = *font->face;
    switch (t.format.BytesPerPixel()) {
        case 1:
            vorn::platform::DrawGlyphs<1>(t, face, left, top, text, length, paint);
            break;
        case 2:
            vorn::platform::DrawGlyphs<2>(t, face, left, top, text, length, paint);
            break;
        case 3:
            vorn::platform::DrawGlyphs<3>(t, face, left, top, text, length, paint);
            break;
        default:
            vorn::platform::DrawGlyphs<4>(t, face, left, top, text, length, paint);
            break;
    }
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size) {
    DeviceContext* context = DeviceContextOf(dc);
    if (!context || !size || length < 0 || (!text && length > 0)) return FALSE;
    Font* font = vorn::platform::SelectedFont(*context);
    if (!font->face) return FALSE;
    size->cx = static_cast<LONG>(vorn::platform::WalkText(
        *font->face, text, length, [](const vorn::platform::Glyph&, std::int64_t) {}));
    size->cy = vorn::platform::FaceCellHeight(*font->face);
    return TRUE;
}
