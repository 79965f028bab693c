// Fonts and Shift-JIS text in device contexts.
#include <string_view>

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

// Calls draw(code, glyph, pen) for each character of the text.
template <class Draw>
int WalkText(FontFace& face, LPCSTR text, int length, Draw draw) {
    int pen = 0;
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
    vorn::platform::FontFace& face = *font->face;
    const int bytes = t.format.BytesPerPixel();
    const int left = x + t.origin.x, top = y + t.origin.y;
    const int baseline = top + vorn::platform::FaceAscent(face);
    const int cell = vorn::platform::FaceCellHeight(face);
    auto put = [&](int px, int py, std::uint32_t pixel) {
        if (px >= t.clip.left && px < t.clip.right && py >= t.clip.top && py < t.clip.bottom)
            vorn::platform::WritePixel(t.At(px, py), bytes, pixel);
    };
    if (context->backMode == OPAQUE) {
        const std::uint32_t back = vorn::platform::PixelOfColor(t, context->backColor);
        vorn::platform::WalkText(face, text, length,
                                 [&](const vorn::platform::Glyph& glyph, int pen) {
                                     for (int row = 0; row < cell; ++row)
                                         for (int col = 0; col < glyph.advance; ++col)
                                             put(left + pen + col, top + row, back);
                                 });
    }
    const std::uint32_t ink = vorn::platform::PixelOfColor(t, context->textColor);
    vorn::platform::WalkText(face, text, length, [&](const vorn::platform::Glyph& glyph, int pen) {
        const int gx = left + pen + glyph.left, gy = baseline - glyph.top;
        for (int row = 0; row < glyph.rows; ++row)
            for (int col = 0; col < glyph.width; ++col)
                if (glyph.ink[static_cast<size_t>(row) * glyph.width + col])
                    put(gx + col, gy + row, ink);
    });
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size) {
    DeviceContext* context = DeviceContextOf(dc);
    if (!context || !size || length < 0 || (!text && length > 0)) return FALSE;
    Font* font = vorn::platform::SelectedFont(*context);
    if (!font->face) return FALSE;
    size->cx = vorn::platform::WalkText(*font->face, text, length,
                                        [](const vorn::platform::Glyph&, int) {});
    size->cy = vorn::platform::FaceCellHeight(*font->face);
    return TRUE;
}
