// Loading planes from bitmap files: every bitmap depth on 8-, 16- and 32-bit screens,
// the palette of 8-bit screens, the transparent colour, every result code with its
// message, and bitmaps that promise more than they hold.
#include <string>

#include "plane_fixture.h"

namespace {

using vorn::test::BitmapLayout;
using vorn::test::EncodeBitmap;
using vorn::test::Picture;

// Colours that are none of the system's static colours, and whose channels survive a
// round trip through 5 bits (v << 3 | v >> 2), so that 16-bit files hold them exactly.
std::vector<std::uint32_t> TestColors(int count) {
    std::vector<std::uint32_t> colors;
    for (int i = 0; i < count; ++i) {
        auto expand = [](int v5) { return (v5 << 3) | (v5 >> 2); };
        colors.push_back(expand(3 + i) << 16 | expand(28 - i) << 8 | expand((5 + 7 * i) % 32));
    }
    return colors;
}

// A 5 x 3 picture (rows of an odd width need padding) using `count` colours.
Picture TestPicture(const std::vector<std::uint32_t>& colors) {
    Picture picture{5, 3, {}};
    for (int i = 0; i < 15; ++i) picture.pixels.push_back(colors[(i * 7) % colors.size()]);
    return picture;
}

BitmapLayout TrueColor(bool topDown = false) {
    BitmapLayout layout;
    layout.topDown = topDown;
    return layout;
}

// What a colour is after a trip through 5-6-5 bits.
std::uint32_t Through565(std::uint32_t c) {
    const std::uint32_t r = (c >> 19) & 31, g = (c >> 10) & 63, b = (c >> 3) & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

class PlaneLoad : public PlaneScreen {};

struct DepthCase {
    int fileBits;
    bool bitfields565;
    int screenBits;
};

TEST_F(PlaneLoad, EveryBitmapDepthGivesThePicturesColoursOnEveryScreen) {
    const DepthCase cases[] = {
        {1, false, 8},   {4, false, 8},   {8, false, 8},  {1, false, 16},  {4, false, 16},
        {8, false, 16},  {16, false, 16}, {16, true, 16}, {24, false, 16}, {32, false, 16},
        {1, false, 32},  {4, false, 32},  {8, false, 32}, {16, false, 32}, {16, true, 32},
        {24, false, 32}, {32, false, 32},
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.fileBits << "-bit file" << (c.bitfields565 ? " (5-6-5)" : "") << " on a "
                     << c.screenBits << "-bit screen");
        OpenScreen(c.screenBits);
        BitmapLayout layout;
        layout.bits = c.fileBits;
        layout.bitfields565 = c.bitfields565;
        const auto colors = TestColors(c.fileBits == 1 ? 2 : 15);
        if (c.fileBits <= 8) layout.table = colors;
        const Picture picture = TestPicture(colors);
        WriteFile("picture.bmp", EncodeBitmap(picture, layout));

        CPlane plane;
        ASSERT_EQ(plane.LoadBitmapFile("picture.bmp", true), 0);
        EXPECT_EQ(plane.GetWidth(), 5);
        EXPECT_EQ(plane.GetHeight(), 3);
        const auto pixels = Pixels(plane.GetSurface());
        ASSERT_EQ(pixels.size(), 15u);
        for (int i = 0; i < 15; ++i) {
            const std::uint32_t color =
                c.bitfields565 ? Through565(picture.pixels[i]) : picture.pixels[i];
            // On an 8-bit screen the pixels index the plane's palette, whose game
            // entries hold the file's colour table from entry 10 on.
            const std::uint32_t expected =
                c.screenBits == 8
                    ? 10 + (std::find(colors.begin(), colors.end(), picture.pixels[i]) -
                            colors.begin())
                    : RawOf(c.screenBits, color);
            ASSERT_EQ(pixels[i], expected) << "pixel " << i % 5 << "," << i / 5;
        }
        EXPECT_EQ(plane.GetPalette() != nullptr, c.screenBits == 8);
        // The top-left pixel's colour is transparent.
        EXPECT_EQ(KeyOf(plane), pixels[0]);
    }
}

TEST_F(PlaneLoad, AnEightBitFileOnAnEightBitScreenBringsItsPaletteInTheGameEntries) {
    OpenScreen(8);
    std::vector<std::uint32_t> table;
    for (int i = 0; i < 256; ++i)
        table.push_back(static_cast<std::uint32_t>(i * 0x010203 + 0x400000) & 0xFFFFFF);
    Picture picture{2, 1, {table[0], table[235]}};
    WriteFile("full.bmp", EncodeBitmap(picture, {8, false, false, table}));
    WriteFile("two.bmp", EncodeBitmap(Picture{2, 1, {table[0], table[1]}},
                                      {1, false, false, {table[0], table[1]}}));

    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("full.bmp", true), 0);
    PALETTEENTRY entries[256];
    ASSERT_EQ(plane.GetPalette()->GetEntries(0, 0, 256, entries), DD_OK);
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const PALETTEENTRY& e = entries[i];
        if (i < 10 || i >= 246) {
            EXPECT_EQ(e.peRed, i);  // the system's static colours, by index
            EXPECT_EQ(e.peFlags, PC_EXPLICIT);
        } else {
            const std::uint32_t color = table[i - 10];
            EXPECT_EQ((e.peRed << 16) | (e.peGreen << 8) | e.peBlue, color);
            EXPECT_EQ(e.peFlags, PC_RESERVED | PC_NOCOLLAPSE);
        }
    }
    EXPECT_EQ(Pixels(plane.GetSurface()), (std::vector<std::uint32_t>{10, 245}));

    // A 1-bit file fills two game entries; the rest of them stay empty.
    ASSERT_EQ(plane.LoadBitmapFile("two.bmp", true), 0);
    ASSERT_EQ(plane.GetPalette()->GetEntries(0, 0, 256, entries), DD_OK);
    EXPECT_EQ(entries[11].peFlags, PC_RESERVED | PC_NOCOLLAPSE);
    for (int i = 12; i < 246; ++i)
        EXPECT_EQ(entries[i].peRed | entries[i].peGreen | entries[i].peBlue | entries[i].peFlags,
                  0);
    EXPECT_EQ(Pixels(plane.GetSurface()), (std::vector<std::uint32_t>{10, 11}));

    // Without the palette wanted, or on a deeper screen, no palette is made.
    ASSERT_EQ(plane.LoadBitmapFile("full.bmp", false), 0);
    EXPECT_EQ(plane.GetPalette(), nullptr);
    OpenScreen(16);
    ASSERT_EQ(plane.LoadBitmapFile("full.bmp", true), 0);
    EXPECT_EQ(plane.GetPalette(), nullptr);
}

struct FailureCase {
    const char* what;
    const char* fault;  // the platform operation made to fail, or null
    int screenBits;
    std::string file;
    int result;
    std::string message;
    bool keepsSurface;
};

TEST_F(PlaneLoad, EveryResultCodeComesWithItsMessage) {
    const Picture picture = TestPicture(TestColors(15));
    const std::string good = EncodeBitmap(picture, TrueColor());
    const std::string indexed = EncodeBitmap(picture, {8, false, false, TestColors(15)});
    const FailureCase cases[] = {
        {"a top-down bitmap", nullptr, 32, EncodeBitmap(picture, TrueColor(true)), 3,
         "CPlane::LoadBitmapFileのCreateSurfaceに失敗", false},
        {"no surface", "IDirectDraw::CreateSurface", 32, good, 3,
         "CPlane::LoadBitmapFileのCreateSurfaceに失敗", false},
        {"no palette", "IDirectDraw::CreatePalette", 8, indexed, 4,
         "CPlane::LoadBitmapFileで、CreatePaletteに失敗", true},
        {"no device context", "IDirectDrawSurface::GetDC", 32, good, 7,
         "CPlane::LoadBitmapFileのGetDCに失敗", true},
        {"nothing drawn", "SetDIBitsToDevice", 32, good, 8,
         "CPlane::LoadBitmapFileのSetDIBitsToDeviceに失敗", true},
        {"device context kept", "IDirectDrawSurface::ReleaseDC", 32, good, 9,
         "CPlane::LoadBitmapFileのReleaseDCに失敗", true},
        {"53 bytes", nullptr, 32, good.substr(0, 53), 2,
         "CPlane::LoadPlaneでBitmap以外のファイルを読んだ", false},
        {"not a bitmap", nullptr, 32, "PK\x03\x04 not a picture", 2,
         "CPlane::LoadPlaneでBitmap以外のファイルを読んだ", false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenScreen(c.screenBits);
        WriteFile("case.bmp", c.file);
        CPlane plane;
        if (c.fault) vorn::testing::FailNext(c.fault);
        EXPECT_EQ(plane.LoadBitmapFile("case.bmp", true), c.result);
        EXPECT_EQ(CErrorLog::GetLastMessage(), c.message);
        EXPECT_EQ(plane.GetSurface() != nullptr, c.keepsSurface);
        if (c.result == 4) {
            EXPECT_EQ(plane.GetPalette(), nullptr);
        }
    }
}

TEST_F(PlaneLoad, MissingFilesEmptyNamesAndNoDisplay) {
    OpenScreen(32);
    WriteFile("good.bmp", EncodeBitmap(TestPicture(TestColors(4)), TrueColor()));
    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("good.bmp", true), 0);

    // An empty name keeps the image, but nothing is left to rebuild it from.
    EXPECT_EQ(plane.LoadBitmapFile("", true), 0);
    EXPECT_NE(plane.GetSurface(), nullptr);
    CPlane::ReleaseAll();
    CPlane::RestoreAll();
    EXPECT_EQ(plane.GetSurface(), nullptr);

    EXPECT_EQ(plane.LoadBitmapFile("spark.bmp", true), 2);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              "CPlane::LoadBitmapFileで読み込むファイルが無い >spark.bmp");
    EXPECT_EQ(plane.GetSurface(), nullptr);

    ASSERT_EQ(plane.LoadBitmapFile("good.bmp", true), 0);
    LPDIRECTDRAW display = m_lpDirectDraw;
    m_lpDirectDraw = nullptr;
    EXPECT_EQ(plane.LoadBitmapFile("good.bmp", true), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::LoadBitmapでCDirectDraw::m_lpDirectDraw==NULL");
    EXPECT_NE(plane.GetSurface(), nullptr);  // unchanged
    EXPECT_EQ(plane.CreatePlane(8, 8), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              "CPlane::CreatePlaneでCDirectDraw::m_lpDirectDraw==NULL");
    m_lpDirectDraw = display;
}

// Bitmaps whose headers promise more than the file holds load what is there or are
// refused with a result code; none is read past its end (the sanitizer build checks).
TEST_F(PlaneLoad, BitmapsThatPromiseMoreThanTheyHoldAreCutOrRefused) {
    OpenScreen(32);
    const Picture picture = TestPicture(TestColors(15));
    const std::string good = EncodeBitmap(picture, TrueColor());
    auto patched = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
        std::string file = good;
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
        return file;
    };
    struct Case {
        const char* what;
        std::string file;
        int result;
    };
    const Case cases[] = {
        {"the last row missing", good.substr(0, good.size() - 16), 0},
        {"no pixel data at all", good.substr(0, 54), 8},
        {"pixel data offset past the end", patched(10, 0x7FFFFFF0), 8},
        {"zero bits per pixel", patched(28, 0, 2), 8},
        {"65535 bits per pixel", patched(28, 0xFFFF, 2), 8},
        {"run-length compressed", patched(30, 1), 8},
        {"a height far beyond the data", patched(22, 3000), 0},
        {"an absurd width", patched(18, 0x40000000), 3},
        {"an absurd height", patched(22, 0x40000000), 3},
        {"zero width", patched(18, 0), 3},
        {"an 8-bit file with its colour table cut",
         EncodeBitmap(picture, {8, false, false, TestColors(15)}).substr(0, 60), 8},
        {"a header size past the end", patched(14, 0xFFFFFFF0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile("bad.bmp", c.file);
        CPlane plane;
        EXPECT_EQ(plane.LoadBitmapFile("bad.bmp", true), c.result);
    }
    // A cut bottom-up bitmap keeps the rows it holds: its bottom rows.
    WriteFile("cut.bmp", good.substr(0, good.size() - 16));
    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("cut.bmp", true), 0);
    const auto pixels = Pixels(plane.GetSurface());
    for (int i = 5; i < 15; ++i) EXPECT_EQ(pixels[i], picture.pixels[i]);
}

}  // namespace
