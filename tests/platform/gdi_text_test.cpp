// Fonts and Shift-JIS text drawn into surfaces.
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "ddraw_fixture.h"
#include "platform/gdi/gdi.h"

namespace {

HFONT MakeFont(int height, const char* face) {
    return CreateFontA(height, 0, 0, 0, 300, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_MODERN, face);
}

// Where a character's ink falls, from its cell's top-left corner, and its advance.
struct CharacterInk {
    std::vector<POINT> points;
    LONG advance = 0;
};

class TextDepth : public DisplayTest, public ::testing::WithParamInterface<int> {
protected:
    // Each character drawn alone, well inside a 32-bit surface.
    static std::vector<CharacterInk> InkOfEach(IDirectDrawSurface* scratch, HFONT font,
                                               const std::vector<std::string>& characters) {
        constexpr int kAt = 40;
        std::vector<CharacterInk> inks;
        for (const std::string& c : characters) {
            DDBLTFX fx{};
            fx.dwSize = sizeof fx;
            scratch->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
            HDC dc;
            EXPECT_EQ(scratch->GetDC(&dc), DD_OK);
            HGDIOBJ previous = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            SIZE size{};
            GetTextExtentPoint32A(dc, c.data(), static_cast<int>(c.size()), &size);
            TextOutA(dc, kAt, kAt, c.data(), static_cast<int>(c.size()));
            SelectObject(dc, previous);
            scratch->ReleaseDC(dc);
            CharacterInk ink;
            ink.advance = size.cx;
            DDSURFACEDESC desc{};
            desc.dwSize = sizeof desc;
            scratch->GetSurfaceDesc(&desc);
            const auto pixels = Pixels(scratch);
            for (size_t i = 0; i < pixels.size(); ++i)
                if (pixels[i])
                    ink.points.push_back({static_cast<LONG>(i % desc.dwWidth) - kAt,
                                          static_cast<LONG>(i / desc.dwWidth) - kAt});
            EXPECT_FALSE(ink.points.empty()) << c;
            inks.push_back(ink);
        }
        return inks;
    }

    // The raw pixel value a colour becomes on the surface, as SetPixel writes it.
    static std::uint32_t RawPixel(IDirectDrawSurface* s, COLORREF color) {
        HDC dc;
        EXPECT_EQ(s->GetDC(&dc), DD_OK);
        SetPixel(dc, 0, 0, color);
        s->ReleaseDC(dc);
        return Pixels(s)[0];
    }
};

// Japanese text in one colour: only that colour appears, on the background that was
// there, within the font's cell.
TEST_P(TextDepth, DrawsOnlyTheTextColourInsideTheCell) {
    const int bits = GetParam();
    IDirectDrawSurface* s = Offscreen(120, 40, bits);
    PALETTEENTRY table[256] = {};
    for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), 0, BYTE(255 - i), 0};
    IDirectDrawPalette* palette = nullptr;
    if (bits == 8) {
        ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
        owned.push_back(palette);
        s->SetPalette(palette);
    }
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = bits == 8 ? 7 : 0x000010;
    ASSERT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);

    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    HFONT font = MakeFont(20, "ＭＳ ゴシック");
    ASSERT_NE(font, nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    EXPECT_NE(previous, nullptr);  // the default font
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(200, 0, 55));
    const char text[] = "日本語テキスト";
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, text, sizeof text - 1, &extent));
    EXPECT_EQ(extent.cy, 20);
    SIZE one{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "日", 2, &one));
    EXPECT_EQ(extent.cx, 7 * one.cx);  // full-width characters of a fixed-pitch face
    EXPECT_GE(one.cx, 18);
    ASSERT_TRUE(TextOutA(dc, 3, 5, text, sizeof text - 1));
    SelectObject(dc, previous);
    EXPECT_TRUE(DeleteObject(font));
    s->ReleaseDC(dc);

    const std::uint32_t ink = bits == 8 ? 200 : bits == 16 ? (25u << 11) | 6u : 0xC80037;
    int inked = 0;
    const auto pixels = Pixels(s);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t v = pixels[y * 120 + x];
            if (v == fx.dwFillColor) continue;
            ASSERT_EQ(v, ink) << x << "," << y;
            EXPECT_TRUE(y >= 5 && y < 25) << "row " << y << " outside the cell";
            ++inked;
        }
    EXPECT_GT(inked, 100);
}

// A line of text, at every depth, opaque or not, inside the surface or cut by any of its
// edges, is exactly its characters drawn one after the other: each character's cell
// filled with the background colour (opaque), then every character's ink over them.
TEST_P(TextDepth, DrawsItsCharactersOneAfterAnotherCutAtTheSurfaceEdges) {
    const int bits = GetParam();
    constexpr int kWidth = 90, kHeight = 40;
    IDirectDrawSurface* s = Offscreen(kWidth, kHeight, bits);
    if (bits == 8) {
        PALETTEENTRY table[256] = {};
        for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
        IDirectDrawPalette* palette = nullptr;
        ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
        owned.push_back(palette);
        s->SetPalette(palette);
    }
    const COLORREF inkColor = RGB(200, 55, 100), backColor = RGB(30, 225, 15);  // entries 200, 30
    const std::uint32_t ink = RawPixel(s, inkColor), back = RawPixel(s, backColor);
    const std::uint32_t fill = bits == 8 ? 3 : 0x10;

    HFONT font = MakeFont(20, "ＭＳ ゴシック");
    ASSERT_NE(font, nullptr);
    const std::vector<std::string> characters = {"A", "j", "日", "g", "ｱ"};
    std::string text;
    for (const std::string& c : characters) text += c;
    const std::vector<CharacterInk> inks = InkOfEach(Offscreen(120, 100, 32), font, characters);

    const POINT positions[] = {{10, 8}, {-6, 8}, {60, 8}, {10, -9}, {10, 30}, {-25, -12}, {75, 33}};
    for (const int mode : {TRANSPARENT, OPAQUE})
        for (const POINT at : positions) {
            SCOPED_TRACE((mode == OPAQUE ? "opaque at " : "transparent at ") +
                         std::to_string(at.x) + "," + std::to_string(at.y));
            std::vector<std::uint32_t> expected(kWidth * kHeight, fill);
            auto put = [&](LONG x, LONG y, std::uint32_t v) {
                if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) expected[y * kWidth + x] = v;
            };
            LONG pen = at.x;
            for (const CharacterInk& c : inks) {
                if (mode == OPAQUE)
                    for (LONG y = 0; y < 20; ++y)
                        for (LONG x = 0; x < c.advance; ++x) put(pen + x, at.y + y, back);
                pen += c.advance;
            }
            pen = at.x;
            for (const CharacterInk& c : inks) {
                for (const POINT p : c.points) put(pen + p.x, at.y + p.y, ink);
                pen += c.advance;
            }

            DDBLTFX fx{};
            fx.dwSize = sizeof fx;
            fx.dwFillColor = fill;
            ASSERT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
            HDC dc;
            ASSERT_EQ(s->GetDC(&dc), DD_OK);
            HGDIOBJ previous = SelectObject(dc, font);
            SetBkMode(dc, mode);
            SetBkColor(dc, backColor);
            SetTextColor(dc, inkColor);
            EXPECT_TRUE(TextOutA(dc, at.x, at.y, text.data(), static_cast<int>(text.size())));
            SelectObject(dc, previous);
            s->ReleaseDC(dc);

            const auto pixels = Pixels(s);
            for (int i = 0; i < kWidth * kHeight; ++i)
                ASSERT_EQ(pixels[i], expected[i]) << "at " << i % kWidth << "," << i / kWidth;
        }
    DeleteObject(font);
}

INSTANTIATE_TEST_SUITE_P(Depths, TextDepth, ::testing::Values(8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bits"; });

TEST_F(DisplayTest, SystemFacesKeepTheirPitch) {
    IDirectDrawSurface* s = Offscreen(8, 8, 32);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    auto width = [&](const char* face, const char* text) {
        HFONT font = MakeFont(16, face);
        EXPECT_NE(font, nullptr) << face;
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text, 4, &size);
        SelectObject(dc, previous);
        DeleteObject(font);
        return size.cx;
    };
    // Fixed pitch: every half-width letter is as wide as any other.
    for (const char* fixed : {"ＭＳ ゴシック", "ＭＳ 明朝", ""})
        EXPECT_EQ(width(fixed, "iiii"), width(fixed, "WWWW")) << fixed;
    for (const char* proportional : {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"})
        EXPECT_LT(width(proportional, "iiii"), width(proportional, "WWWW")) << proportional;
    s->ReleaseDC(dc);

    vorn::testing::FailNext("CreateFontA");
    EXPECT_EQ(MakeFont(16, ""), nullptr);
}

// Places at the far ends of the coordinates, where the text's own pixels lie beyond
// what a coordinate can hold, draw nothing and touch no memory outside the surface.
TEST_F(DisplayTest, TextAtTheEndsOfTheCoordinatesDrawsNothing) {
    IDirectDrawSurface* s = Offscreen(30, 20, 8);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SetTextColor(dc, RGB(255, 255, 255));
    const char text[] = "WWWW";
    const int ends[] = {INT_MIN, INT_MIN + 1, INT_MAX - 20, INT_MAX};
    for (const int mode : {TRANSPARENT, OPAQUE}) {
        SetBkMode(dc, mode);
        for (const int end : ends) {
            EXPECT_TRUE(TextOutA(dc, end, 0, text, 4));
            EXPECT_TRUE(TextOutA(dc, 0, end, text, 4));
        }
    }
    s->ReleaseDC(dc);
    for (const std::uint32_t v : Pixels(s)) ASSERT_EQ(v, 0u);
}

// Colours are matched to the palette as it is when the text is drawn, even when the
// same colour was drawn before under other entries.
TEST_F(DisplayTest, TextOnEightBitsFollowsChangesOfThePalette) {
    IDirectDrawSurface* s = Offscreen(30, 20, 8);
    PALETTEENTRY table[256] = {};
    table[9] = {250, 10, 10, 0};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);
    s->SetPalette(palette);
    auto inkOfText = [&] {
        DDBLTFX fx{};
        fx.dwSize = sizeof fx;
        s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
        HDC dc;
        EXPECT_EQ(s->GetDC(&dc), DD_OK);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(250, 10, 10));
        TextOutA(dc, 0, 0, "W", 1);
        s->ReleaseDC(dc);
        std::set<std::uint32_t> seen;
        for (std::uint32_t v : Pixels(s)) seen.insert(v);
        return seen;
    };
    EXPECT_EQ(inkOfText(), (std::set<std::uint32_t>{0, 9}));
    PALETTEENTRY moved[2] = {{0, 0, 0, 0}, {250, 10, 10, 0}};
    ASSERT_EQ(palette->SetEntries(0, 9, 1, &moved[0]), DD_OK);
    ASSERT_EQ(palette->SetEntries(0, 77, 1, &moved[1]), DD_OK);
    EXPECT_EQ(inkOfText(), (std::set<std::uint32_t>{0, 77}));
}

TEST_F(DisplayTest, OpaqueTextFillsItsCellWithTheBackground) {
    IDirectDrawSurface* s = Offscreen(40, 30, 32);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);  // the default font
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
    SetTextColor(dc, RGB(255, 255, 255));
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "A", 1, &size));
    ASSERT_TRUE(TextOutA(dc, 0, 0, "A", 1));
    s->ReleaseDC(dc);
    const auto pixels = Pixels(s);
    std::set<std::uint32_t> seen;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) seen.insert(pixels[y * 40 + x]);
    EXPECT_EQ(seen, (std::set<std::uint32_t>{0x0000FF, 0xFFFFFF}));
    EXPECT_EQ(pixels[size.cy * 40], 0u);  // below the cell
}

}  // namespace
