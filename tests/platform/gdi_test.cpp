// Device contexts over surfaces and the screen: capabilities, pixels with palette
// matching, copies between formats, device-independent bitmaps, rectangles and the
// system palette.
#include "platform/gdi/gdi.h"
#include "ddraw_fixture.h"

namespace {

// Every bit count of the desktop shows in the screen's capabilities.
TEST_F(DisplayTest, ScreenReportsTheDesktopDepth) {
    for (int bits : {8, 16, 24, 32}) {
        vorn::testing::SetDesktopFormat({bits, 0, 0});
        HDC screen = GetDC(nullptr);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), bits);
        EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), bits == 8 ? 256 : 0);
        EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    }
    vorn::testing::FailNext("GetDC");
    EXPECT_EQ(GetDC(nullptr), nullptr);
}

// The pixel value GDI gives a colour on a surface, read back through a lock.
std::uint32_t MatchedPixel(IDirectDrawSurface* s, COLORREF color) {
    HDC dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DD_OK);
    SetPixel(dc, 0, 0, color);
    EXPECT_EQ(s->ReleaseDC(dc), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    std::uint32_t v = 0;
    std::memcpy(&v, desc.lpSurface, desc.ddpfPixelFormat.dwRGBBitCount / 8);
    s->Unlock(nullptr);
    return v;
}

TEST_F(DisplayTest, SetPixelMatchesEachFormat) {
    EXPECT_EQ(MatchedPixel(Offscreen(2, 2, 16), RGB(255, 128, 8)), (31u << 11) | (32u << 5) | 1u);
    EXPECT_EQ(MatchedPixel(Offscreen(2, 2, 24), RGB(1, 2, 3)), 0x010203u);
    EXPECT_EQ(MatchedPixel(Offscreen(2, 2, 32), RGB(1, 2, 3)), 0x010203u);
    // 8 bits without a palette of its own: the system's static colours.
    EXPECT_EQ(MatchedPixel(Offscreen(2, 2, 8), RGB(250, 10, 0)), 249u);

    // 8 bits with a palette: the nearest entry, and SetPixel reports the colour set.
    PALETTEENTRY table[256] = {};
    table[10] = {200, 0, 0, 0};
    table[11] = {0, 200, 0, 0};
    table[12] = {90, 90, 90, 0};
    for (int i = 13; i < 256; ++i) table[i] = {0, 0, 255, 0};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);
    IDirectDrawSurface* s = Offscreen(4, 4, 8);
    s->SetPalette(palette);
    EXPECT_EQ(MatchedPixel(s, RGB(255, 20, 20)), 10u);
    EXPECT_EQ(MatchedPixel(s, RGB(100, 80, 100)), 12u);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(10, 190, 10)), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 200, 0));
    EXPECT_EQ(SetPixel(dc, 4, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
    s->ReleaseDC(dc);
}

TEST_F(DisplayTest, BitBltCopiesAndConvertsClipped) {
    IDirectDrawSurface* from = Offscreen(4, 4, 32);
    IDirectDrawSurface* same = Offscreen(4, 4, 32);
    IDirectDrawSurface* other = Offscreen(4, 4, 16);
    SetPixels(from,
              {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    HDC a, b, c;
    ASSERT_EQ(from->GetDC(&a), DD_OK);
    ASSERT_EQ(same->GetDC(&b), DD_OK);
    ASSERT_EQ(other->GetDC(&c), DD_OK);
    EXPECT_TRUE(BitBlt(b, 1, 1, 8, 8, a, 0, 0, SRCCOPY));  // clipped to 3 x 3
    EXPECT_TRUE(BitBlt(c, 0, 0, 4, 1, a, 0, 0, SRCCOPY));
    same->ReleaseDC(b);
    other->ReleaseDC(c);
    from->ReleaseDC(a);
    EXPECT_EQ(Pixels(same), (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0xFF0000, 0x00FF00, 0x0000FF,
                                                        0, 1, 2, 3, 0, 5, 6, 7}));
    const auto converted = Pixels(other);
    EXPECT_EQ(std::vector<std::uint32_t>(converted.begin(), converted.begin() + 4),
              (std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F, 0xFFFF}));
}

// A bitmap in memory: header, colour table, then rows.
struct Dib {
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> rows;
    Dib(int width, int height, int bits, std::vector<RGBQUAD> table = {})
        : width(width), height(height < 0 ? -height : height) {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof h;
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(bits);
        h.biClrUsed = static_cast<DWORD>(table.size());
        header.resize(sizeof h + 4 * table.size() + 12);
        std::memcpy(header.data(), &h, sizeof h);
        if (!table.empty()) std::memcpy(header.data() + sizeof h, table.data(), 4 * table.size());
        stride = ((width * bits + 31) / 32) * 4;
        rows.assign(static_cast<size_t>(stride) * this->height, 0);
    }
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(header.data()); }
    // Draws the whole bitmap at the surface's top-left; returns the rows drawn.
    int DrawOn(IDirectDrawSurface* surface) {
        HDC dc;
        if (surface->GetDC(&dc) != DD_OK) return -1;
        const int drawn = SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, rows.data(),
                                            info(), DIB_RGB_COLORS);
        surface->ReleaseDC(dc);
        return drawn;
    }
    void Put(int row, int x, std::uint32_t value, int bytes) {
        std::memcpy(rows.data() + row * stride + x * bytes, &value, bytes);
    }
    int width;
    int height;  // rows, whichever way they run
    int stride;
};

class DibDepth : public DisplayTest, public ::testing::WithParamInterface<int> {};

// A 2 x 2 bitmap stored bottom-up lands upright in every surface format.
TEST_P(DibDepth, BottomUpBitmapLandsUpright) {
    const int bits = GetParam();
    Dib dib(2, 2, bits,
            bits == 8 ? std::vector<RGBQUAD>{{0, 0, 255, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}}
                      : std::vector<RGBQUAD>{});
    const int bytes = bits / 8;
    // Stored row 0 is the bottom row: red, green; row 1 (top): blue, red.
    const std::uint32_t red = bits == 8 ? 0 : 0xFF0000, green = bits == 8 ? 2 : 0x00FF00,
                        blue = bits == 8 ? 1 : 0x0000FF;
    dib.Put(0, 0, red, bytes);
    dib.Put(0, 1, green, bytes);
    dib.Put(1, 0, blue, bytes);
    dib.Put(1, 1, red, bytes);
    IDirectDrawSurface* s = Offscreen(2, 2, 32);
    EXPECT_EQ(dib.DrawOn(s), 2);
    EXPECT_EQ(Pixels(s), (std::vector<std::uint32_t>{0x0000FF, 0xFF0000, 0xFF0000, 0x00FF00}));
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepth, ::testing::Values(8, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bits"; });

TEST_F(DisplayTest, DibOnEightBitsTakesTheNearestPaletteEntry) {
    PALETTEENTRY table[256] = {};
    for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(i), BYTE(i), 0};  // a grey ramp
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);
    IDirectDrawSurface* s = Offscreen(3, 1, 8);
    s->SetPalette(palette);
    Dib dib(3, 1, 24);
    dib.Put(0, 0, 0x101010, 3);
    dib.Put(0, 1, 0x7F8081, 3);
    dib.Put(0, 2, 0xFFFFFF, 3);
    EXPECT_EQ(dib.DrawOn(s), 1);
    EXPECT_EQ(Pixels(s), (std::vector<std::uint32_t>{0x10, 0x80, 0xFF}));
}

// A header promising 64 rows with only 2 handed in draws those 2 and reads nothing
// more (the rows live in a buffer of exactly their size, which the sanitizer guards).
TEST_F(DisplayTest, DibNeverReadsPastTheRowsGiven) {
    Dib dib(4, 64, 32);
    std::vector<std::uint8_t> given(dib.rows.begin(), dib.rows.begin() + 2 * dib.stride);
    std::fill(given.begin(), given.end(), 0x40);
    IDirectDrawSurface* s = Offscreen(4, 64, 32);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(
        SetDIBitsToDevice(dc, 0, 0, 4, 64, 0, 0, 0, 2, given.data(), dib.info(), DIB_RGB_COLORS),
        2);
    // Scans beyond the bitmap are cut, a band starting past it draws nothing.
    EXPECT_EQ(
        SetDIBitsToDevice(dc, 0, 0, 4, 64, 0, 0, 63, 2, given.data(), dib.info(), DIB_RGB_COLORS),
        1);
    EXPECT_EQ(
        SetDIBitsToDevice(dc, 0, 0, 4, 64, 0, 0, 64, 2, given.data(), dib.info(), DIB_RGB_COLORS),
        0);
    s->ReleaseDC(dc);
    const auto pixels = Pixels(s);
    EXPECT_EQ(pixels[63 * 4], 0x404040u);  // scan 0 is the bottom row
    EXPECT_EQ(pixels[62 * 4], 0x404040u);
    EXPECT_EQ(pixels[61 * 4], 0u);
    EXPECT_EQ(pixels[0], 0x404040u);  // scan 63 is the top row
}

TEST_F(DisplayTest, DibRefusesHeadersItCannotDraw) {
    IDirectDrawSurface* s = Offscreen(4, 4, 32);
    HDC dc;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    struct Case {
        const char* what;
        void (*spoil)(BITMAPINFOHEADER&);
    };
    const Case cases[] = {
        {"short header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"no width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
        {"no height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"odd bit count", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
        {"run-length", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
        {"huge width", [](BITMAPINFOHEADER& h) { h.biWidth = 0x7FFFFFFF; }},
    };
    for (const Case& c : cases) {
        Dib dib(4, 4, 32);
        c.spoil(dib.info()->bmiHeader);
        EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 4, 4, 0, 0, 0, 4, dib.rows.data(), dib.info(),
                                    DIB_RGB_COLORS),
                  0)
            << c.what;
    }
    s->ReleaseDC(dc);
}

TEST(Rectangles, IntersectOffsetAndEmptiness) {
    RECT a, b, r;
    SetRect(&a, 0, 0, 10, 10);
    SetRect(&b, 5, -5, 15, 5);
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 5);
    OffsetRect(&b, 5, 0);  // touches a only at its right edge: no overlap
    EXPECT_FALSE(IntersectRect(&r, &a, &b));
    EXPECT_TRUE(IsRectEmpty(&r));
    EXPECT_FALSE(IsRectEmpty(&a));
}

TEST(SystemPalette, HoldsTheStaticColours) {
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetSystemPaletteEntries(nullptr, 0, 256, entries), 256u);
    EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);
    EXPECT_EQ(entries[7].peRed, 192);
    EXPECT_EQ(entries[249].peRed, 255);
    EXPECT_EQ(entries[249].peGreen, 0);
    EXPECT_EQ(entries[255].peBlue, 255);
    EXPECT_EQ(SetSystemPaletteUse(nullptr, SYSPAL_NOSTATIC), SYSPAL_STATIC);
    EXPECT_EQ(SetSystemPaletteUse(nullptr, SYSPAL_STATIC), SYSPAL_NOSTATIC);
}

}  // namespace
