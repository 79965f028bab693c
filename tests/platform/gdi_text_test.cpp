// Fonts and Shift-JIS text drawn into surfaces.
#include <set>

#include "ddraw_fixture.h"
#include "platform/gdi/gdi.h"

namespace {

HFONT MakeFont(int height, const char* face) {
    return CreateFontA(height, 0, 0, 0, 300, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_MODERN, face);
}

class TextDepth : public DisplayTest, public ::testing::WithParamInterface<int> {};

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

INSTANTIATE_TEST_SUITE_P(Depths, TextDepth, ::testing::Values(8, 16, 32),
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
