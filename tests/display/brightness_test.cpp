// The brightness: finished frames darkened pixel by pixel at 16, 24 and 32 bits, what
// the pre-present passes draw left alone, and the 8-bit display palette with its colour
// cube.
#include <cstring>
#include <vector>

#include "display/plane.h"
#include "display_fixture.h"
#include "frame/error_log.h"
#include "support/picture_files.h"

namespace {

// What a pre-present pass draws: a marker pixel that the brightness must not touch.
DWORD g_marker = 0;
void DrawMarker() { WritePixel(lpSecondary, 0, 0, g_marker); }

}  // namespace

TEST_F(DisplayTest, DarkensTheFinishedFrameButNotThePrePresentDrawing) {
    struct Case {
        int bits;
        DWORD pixel;
        int brightness;
        DWORD darkened;
    } cases[] = {
        {16, 0xFFFF, 128, 0x7BEF},          // 5-6-5 white (31, 63, 31) -> (15, 31, 15)
        {16, 0xFFFF, 0, 0x0000},            // black
        {16, 0x8A49, 192, 0x61A6},          // (17, 18, 9) -> (12, 13, 6)
        {24, 0x0281FF, 128, 0x01407F},      // every byte halved
        {32, 0xFF808080, 128, 0x00404040},  // the spare top byte cleared
        {32, 0x00FF4001, 0, 0x00000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits, brightness " + std::to_string(c.brightness));
        vorn::testing::SetDesktopFormat({c.bits, 0, 0});
        ASSERT_EQ(Open(1, 64, 32, 0), 0);
        ASSERT_EQ(display.GetCurrentDisplayBits(), c.bits);
        g_marker = c.pixel;
        display.m_PrePresentCallbacks.Add(DrawMarker);
        FillPixels(lpSecondary, {0, 0, 64, 32}, c.pixel);
        display.m_nBrightness = c.brightness;
        display.Present();
        EXPECT_EQ(ReadPixel(lpSecondary, 5, 7), c.darkened);
        EXPECT_EQ(ReadPixel(lpSecondary, 63, 31), c.darkened);
        EXPECT_EQ(ReadPixel(lpSecondary, 0, 0), c.pixel);
        display.m_PrePresentCallbacks.Remove(DrawMarker);
        Close();
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(DisplayTest, AnOddWidthAt16BitsLeavesTheLastColumn) {
    vorn::testing::SetDesktopFormat({16, 0, 0});
    ASSERT_EQ(Open(1, 641, 3, 0), 0);
    FillPixels(lpSecondary, {0, 0, 641, 3}, 0xFFFF);
    display.m_nBrightness = 128;
    display.Present();
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(ReadPixel(lpSecondary, 639, y), 0x7BEFu);
        EXPECT_EQ(ReadPixel(lpSecondary, 640, y), 0xFFFFu);
    }
}

TEST_F(DisplayTest, FullBrightnessLocksNothingAndAFailedLockShowsTheFrameUndarkened) {
    ASSERT_EQ(Open(1, 64, 32, 0), 0);
    FillPixels(lpSecondary, {0, 0, 64, 32}, 0x808080);
    vorn::testing::ClearFaults();
    display.Present();
    EXPECT_EQ(vorn::testing::CallCount("IDirectDrawSurface::Lock"), 0);

    display.m_nBrightness = 100;
    vorn::testing::FailNext("IDirectDrawSurface::Lock");
    display.Present();
    EXPECT_EQ(CErrorLog::GetLastMessage(), "RealizeBrightnessでSurfaceのLockに失敗");
    EXPECT_EQ(ReadPixel(lpSecondary, 3, 3), 0x808080u);
}

TEST_F(DisplayTest, The8BitDisplayPaletteHoldsTheColourCubeUntilAPaletteSourceIsNamed) {
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    display.m_nBrightness = 64;
    display.Present();  // no palette source: the palette phase changes nothing
    PALETTEENTRY entries[256];
    ASSERT_EQ(display.GetDisplayPalette()->GetEntries(0, 0, 256, entries), DD_OK);
    const BYTE redLevels[8] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (int k = 0; k < 128; ++k) {
        const PALETTEENTRY& e = entries[10 + k];
        ASSERT_EQ(e.peRed, redLevels[k >> 4]) << k;
        ASSERT_EQ(e.peGreen, ((k >> 2) & 3) * 85) << k;
        ASSERT_EQ(e.peBlue, (k & 3) * 85) << k;
        ASSERT_EQ(e.peFlags, PC_RESERVED | PC_NOCOLLAPSE) << k;
    }
    for (int i = 138; i <= 245; ++i) {
        EXPECT_EQ(entries[i].peRed | entries[i].peGreen | entries[i].peBlue, 0) << i;
        EXPECT_EQ(entries[i].peFlags, PC_RESERVED | PC_NOCOLLAPSE) << i;
    }
    // Full screen takes the system's static colours: black first, white last.
    EXPECT_EQ(entries[0].peRed | entries[0].peGreen | entries[0].peBlue, 0);
    EXPECT_EQ(entries[255].peRed & entries[255].peGreen & entries[255].peBlue, 255);
}

TEST_F(DisplayTest, AnEightBitWindowPointsTheSystemEntriesAtTheSystemPalette) {
    vorn::testing::SetDesktopFormat({8, 0, 0});
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    ASSERT_NE(display.GetDisplayPalette(), nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(display.GetDisplayPalette()->GetEntries(0, 0, 256, entries), DD_OK);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(entries[i].peRed, i);
        EXPECT_EQ(entries[i].peFlags, PC_EXPLICIT);
        EXPECT_EQ(entries[255 - i].peRed, 255 - i);
        EXPECT_EQ(entries[255 - i].peFlags, PC_EXPLICIT);
    }
}

TEST_F(DisplayTest, PaletteFailuresAreReported) {
    vorn::testing::FailNext("IDirectDraw::CreatePalette");
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "DirectDrawInitで、CreatePaletteに失敗");
    EXPECT_EQ(display.GetDisplayPalette(), nullptr);
    display.Present();  // the palette phase has nothing to do

    vorn::testing::InjectFault(
        {"IDirectDrawSurface::SetPalette", nullptr, 2, 2, true, DDERR_SURFACELOST});
    EXPECT_EQ(display.ChangeDisplay(), 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "DirectDrawInitでSetPaletteに失敗");
    EXPECT_NE(display.GetDisplayPalette(), nullptr);
    EXPECT_EQ(display.InstallPalette(), 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              "なぜにCDirectDraw::InstallPaletteでm_lpPaletteMain!=NULL?");
}

namespace {

std::vector<PALETTEENTRY> EntriesOf(LPDIRECTDRAWPALETTE palette) {
    std::vector<PALETTEENTRY> entries(256);
    EXPECT_EQ(palette->GetEntries(0, 0, 256, entries.data()), DD_OK);
    return entries;
}

}  // namespace

// The palette source's game entries become the display palette's, scaled by the
// brightness as it stood when the palette was last refreshed.
TEST_F(DisplayTest, ThePaletteSourceFeedsTheGameEntriesScaledByTheBrightness) {
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    vorn::test::Picture picture{4, 4, {}};
    for (std::uint32_t i = 0; i < 16; ++i) picture.pixels.push_back(i * 0x0F0D0B + 0x102030);
    vorn::test::WriteHostFile(dir.file("source.bmp"),
                              vorn::test::EncodeBitmap(picture, {8, false, false, picture.pixels}));
    auto* plane = new CPlane;
    ASSERT_EQ(plane->LoadBitmapFile("source.bmp", true), 0);
    ASSERT_NE(plane->GetPalette(), nullptr);
    const std::vector<PALETTEENTRY> source = EntriesOf(plane->GetPalette());
    const std::vector<PALETTEENTRY> before = EntriesOf(display.GetDisplayPalette());

    auto expectScaled = [&](int brightness) {
        const std::vector<PALETTEENTRY> shown = EntriesOf(display.GetDisplayPalette());
        for (int i = 10; i <= 245; ++i) {
            ASSERT_EQ(shown[i].peRed, source[i].peRed * brightness >> 8) << i;
            ASSERT_EQ(shown[i].peGreen, source[i].peGreen * brightness >> 8) << i;
            ASSERT_EQ(shown[i].peBlue, source[i].peBlue * brightness >> 8) << i;
            ASSERT_EQ(shown[i].peFlags, source[i].peFlags) << i;
        }
        for (int i : {0, 9, 246, 255})
            EXPECT_EQ(std::memcmp(&shown[i], &before[i], sizeof(PALETTEENTRY)), 0) << i;
    };
    display.m_nBrightness = 128;
    EXPECT_EQ(display.SetPaletteSource(plane), 0);
    display.Present();
    expectScaled(128);

    display.m_nBrightness = 256;
    display.Present();
    expectScaled(128);  // a new brightness waits for a refresh of the palette
    display.RefreshPalette();
    expectScaled(256);

    // The source plane goes: the display keeps its colours.
    delete plane;
    EXPECT_EQ(m_lpPaletteSource, nullptr);
    display.Present();
    expectScaled(256);
}

TEST_F(DisplayTest, ANewPaletteMessageAttachesTheDisplayPaletteAgainInAWindow) {
    vorn::testing::SetDesktopFormat({8, 0, 0});
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    display.SetFillColor(RGB(255, 255, 255));
    SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.GetPrimary()->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.GetDisplayPalette());
    if (attached) attached->Release();  // GetPalette adds a reference
    EXPECT_TRUE(Reports().empty());

    vorn::testing::FailNext("IDirectDrawSurface::SetPalette");
    SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "DirectDraw::OnQueryNewPaletteでSetPaletteに失敗");
}
