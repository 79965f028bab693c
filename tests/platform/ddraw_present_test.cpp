// Presentation: what a flip or a copy to the primary shows, through the display
// palette on 8 bits, how a full-screen image is fitted to the host screen, and the
// conversion of rows of every depth to colours.
#include "ddraw_fixture.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/ddraw/present.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x2000);

class FullScreenTest : public DisplayTest {
protected:
    void Open(int width, int height, int bits) {
        ASSERT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        ASSERT_EQ(dd->SetDisplayMode(width, height, bits), DD_OK);
        front = Primary(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 1);
        ASSERT_NE(front, nullptr);
        DDSCAPS caps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    }
    vorn::testing::PresentedImage Shown() {
        vorn::testing::PresentedImage image;
        EXPECT_TRUE(vorn::testing::LastPresentedImage(kWindow, &image));
        return image;
    }
    IDirectDrawSurface* front = nullptr;
    IDirectDrawSurface* back = nullptr;
};

TEST_F(FullScreenTest, EightBitFrameIsExpandedThroughTheDisplayPalette) {
    Open(16, 8, 8);
    PALETTEENTRY table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE(i), BYTE(i / 2), BYTE(255 - i), PC_RESERVED | PC_NOCOLLAPSE};
    for (int i = 0; i < 10; ++i) table[i] = {BYTE(i), 0, 0, PC_EXPLICIT};  // the static colours
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);
    ASSERT_EQ(front->SetPalette(palette), DD_OK);

    std::vector<std::uint32_t> indexes(16 * 8);
    for (size_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<std::uint32_t>(i * 2);
    SetPixels(back, indexes);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    auto image = Shown();
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 8);
    for (int i = 5; i < 16 * 8; ++i) {  // indexes 10 and up: the entries' own colours
        const std::uint32_t index = i * 2;
        EXPECT_EQ(image.pixels[i], (index << 16) | ((index / 2) << 8) | (255u - index)) << i;
    }
    // Explicit entries show the static colours they name.
    EXPECT_EQ(image.At(1, 0), 0x008000u);
    EXPECT_EQ(image.At(3, 0), 0x008080u);
    EXPECT_EQ(image.At(4, 0), 0xC0DCC0u);
    // A palette change shows at the next presentation of the whole image.
    PALETTEENTRY white{255, 255, 255, 0};
    ASSERT_EQ(palette->SetEntries(0, 20, 1, &white), DD_OK);
    EXPECT_EQ(Shown().At(10, 0), 0x140AEBu);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Shown().At(10, 0), 0xFFFFFFu);
}

TEST_F(FullScreenTest, CopyToTheFrontShowsAtEveryDepth) {
    for (int bits : {16, 24, 32}) {
        SCOPED_TRACE(bits);
        for (IUnknown* object : owned) object->Release();
        owned.clear();
        Open(4, 2, bits);
        IDirectDrawSurface* frame = Offscreen(4, 2);
        const std::uint32_t white = bits == 16 ? 0xFFFF : 0xFFFFFF;
        SetPixels(frame, {white, 0, 0, 0, 0, 0, 0, white});
        ASSERT_EQ(front->BltFast(0, 0, frame, nullptr, DDBLTFAST_WAIT), DD_OK);
        const auto image = Shown();
        EXPECT_EQ(image.At(0, 0), 0xFFFFFFu);
        EXPECT_EQ(image.At(1, 0), 0u);
        EXPECT_EQ(image.At(3, 1), 0xFFFFFFu);
    }
}

TEST(FitImage, KeepsTheAspectAndPrefersWholeFactors) {
    struct Case {
        int w, h, outW, outH;
        RECT expected;
    };
    const Case cases[] = {
        {640, 480, 640, 480, {0, 0, 640, 480}},
        {640, 480, 1920, 1080, {320, 60, 1600, 1020}},  // factor 2, borders around
        {640, 480, 1024, 768, {192, 144, 832, 624}},    // factor 1 fits, 1.6 would not be whole
        {640, 480, 1280, 1024, {0, 32, 1280, 992}},     // factor 2 across, bands above and below
        {640, 480, 320, 320, {0, 40, 320, 280}},        // smaller screen: shrunk, aspect kept
        {640, 480, 600, 1000, {0, 275, 600, 725}},
    };
    for (const Case& c : cases) {
        const RECT r = vorn::platform::FitImage(c.w, c.h, c.outW, c.outH);
        EXPECT_EQ(r.left, c.expected.left) << c.outW << "x" << c.outH;
        EXPECT_EQ(r.top, c.expected.top) << c.outW << "x" << c.outH;
        EXPECT_EQ(r.right, c.expected.right) << c.outW << "x" << c.outH;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.outW << "x" << c.outH;
    }
}

// The row conversions work on blocks of pixels: every length, so that each block size
// meets its remainder, at every depth, and every 5-6-5 pixel, agree with the colour of
// each pixel on its own.
TEST(RowToXrgb, AgreesWithEachPixelsColourAtEveryDepthAndLength) {
    using vorn::platform::PixelFormatOfBits;
    using vorn::platform::ReadPixel;
    using vorn::platform::XrgbOfPixel;
    vorn::platform::XrgbPalette palette;
    for (std::uint32_t i = 0; i < 256; ++i) palette[i] = (i * 0x9E3779B9u) >> 8;
    std::vector<std::uint8_t> bytes(4 * 40 + 1);
    std::uint32_t state = 12345;
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    std::vector<std::uint32_t> row(65536 + 1);
    for (int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const auto format = PixelFormatOfBits(bits);
        const int size = bits / 8;
        for (int count = 0; count <= 40; ++count) {
            row[count] = 0xDEADBEEF;  // the pixel after the row stays untouched
            const std::uint8_t* source = bytes.data() + 1;  // rows need not be aligned
            vorn::platform::RowToXrgb(format, source, count, palette, row.data());
            for (int x = 0; x < count; ++x)
                ASSERT_EQ(row[x], XrgbOfPixel(format, ReadPixel(source + x * size, size), palette))
                    << count << " pixels, at " << x;
            ASSERT_EQ(row[count], 0xDEADBEEFu) << count;
        }
    }
    std::vector<std::uint8_t> every565(2 * 65536);
    for (std::uint32_t pixel = 0; pixel < 65536; ++pixel) {
        const auto value = static_cast<std::uint16_t>(pixel);
        std::memcpy(&every565[2 * pixel], &value, 2);
    }
    const auto rgb565 = PixelFormatOfBits(16);
    vorn::platform::RowToXrgb(rgb565, every565.data(), 65536, palette, row.data());
    for (std::uint32_t pixel = 0; pixel < 65536; ++pixel)
        ASSERT_EQ(row[pixel], XrgbOfPixel(rgb565, pixel, palette)) << pixel;
}

}  // namespace
