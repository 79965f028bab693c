// Presenting frames: the order of the passes, what reaches the screen in each mode, the
// frame offset, capture and the pause screen.
#include <string>

#include "display_fixture.h"
#include "frame/error_log.h"
#include "sdk/display/plane.h"

namespace {

std::string g_calls;
CDirectDraw* g_display = nullptr;
void PrePaintA() { g_calls += "a"; }
void PrePaintAppending() {
    g_calls += "b";
    if (g_calls == "b") g_display->m_PrePaintCallbacks.Add(PrePaintA);
}
void PaintDC(HDC dc) {
    g_calls += dc ? "d" : "?";
    SetPixel(dc, 1, 1, RGB(255, 255, 255));
}
void PrePresent() { g_calls += "p"; }

vorn::testing::PresentedImage Shown(HWND window) {
    vorn::testing::PresentedImage image;
    EXPECT_TRUE(vorn::testing::LastPresentedImage(window, &image));
    return image;
}

}  // namespace

TEST_F(DisplayTest, BeforeInitializeNothingIsPresentedAndNoPassRuns) {
    g_calls.clear();
    display.m_PrePaintCallbacks.Add(PrePaintA);
    display.m_PrePresentCallbacks.Add(PrePresent);
    display.Present();
    display.ShowFrame();
    EXPECT_EQ(g_calls, "");
    EXPECT_EQ(display.Clear(), 1);
    display.ShowPauseScreen();
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CDirectDraw::BeginPaintSecondaryでlpSecondaryがNULL");
}

// The passes run in list order; a pre-paint pass may append to its own list; the DC
// passes draw before the brightness and are darkened with the frame.
TEST_F(DisplayTest, PassesRunInOrderAroundTheBrightness) {
    ASSERT_EQ(Open(1, 64, 32, 0), 0);
    g_calls.clear();
    g_display = &display;
    display.m_PrePaintCallbacks.Add(PrePaintAppending);
    display.m_DCPaintCallbacks.Add(PaintDC);
    display.m_PrePresentCallbacks.Add(PrePresent);
    display.m_nBrightness = 128;
    display.Present();
    EXPECT_EQ(g_calls, "badp");
    EXPECT_EQ(ReadPixel(lpSecondary, 1, 1), 0x7F7F7Fu);

    // Without DC passes the secondary's device context is not taken.
    display.m_DCPaintCallbacks.Remove(PaintDC);
    vorn::testing::ClearFaults();
    display.Present();
    EXPECT_EQ(vorn::testing::CallCount("IDirectDrawSurface::GetDC"), 0);
    EXPECT_EQ(g_calls, "badpbap");
}

TEST_F(DisplayTest, ADeviceContextRefusedTwiceSkipsTheDCPasses) {
    ASSERT_EQ(Open(1, 64, 32, 0), 0);
    g_calls.clear();
    display.m_DCPaintCallbacks.Add(PaintDC);
    vorn::testing::InjectFault({"IDirectDrawSurface::GetDC", nullptr, 1, 2});
    display.Present();
    EXPECT_EQ(g_calls, "");
    EXPECT_EQ(CErrorLog::GetLastMessage(), "BeginPaintSecondaryでGetDCに失敗");
}

// The screen shows exactly the secondary: 1:1 in a window (by the display object or by
// GDI), and at 8 bits through the display palette.
TEST_F(DisplayTest, WhatIsShownIsWhatWasDrawn) {
    struct Case {
        int mode;
        int bits;
        bool gdi;
    } cases[] = {{1, 0, false}, {1, 0, true}, {0, 8, false}, {0, 16, false}, {0, 8, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", " + std::to_string(c.bits) +
                     " bits, GDI " + std::to_string(c.gdi));
        ASSERT_EQ(Open(c.mode, 64, 48, c.bits), 0);
        display.m_bGDIPresent = c.gdi;
        for (int y = 0; y < 48; ++y)
            FillPixels(lpSecondary, {0, y, 64, y + 1}, c.bits == 8 ? 10 + y * 4 : y * 0x050403);
        display.SetFillPixel(c.bits == 8 ? 20 : 0x123456);
        display.Clear();
        FillPixels(lpSecondary, {8, 8, 56, 40}, c.bits == 8 ? 100 : 0x00FFFF);
        // The expected image, read before a flip exchanges the buffers.
        HDC dc;
        ASSERT_EQ(display.BeginPaintSecondary(dc), 0);
        std::vector<COLORREF> expected;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) expected.push_back(GetPixel(dc, x, y));
        display.EndPaintSecondary();

        display.Present();
        vorn::testing::PresentedImage shown = Shown(window);
        ASSERT_EQ(shown.width, 64);
        ASSERT_EQ(shown.height, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const COLORREF rgb = expected[y * 64 + x];
                const DWORD xrgb = GetRValue(rgb) << 16 | GetGValue(rgb) << 8 | GetBValue(rgb);
                ASSERT_EQ(shown.At(x, y), xrgb) << x << ", " << y;
            }
        Close();
    }
}

TEST_F(DisplayTest, AFrameOffsetShiftsTheImageAndFillsTheUncoveredBands) {
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    display.SetFillPixel(0x00FF00);
    FillPixels(lpSecondary, {0, 0, 640, 480}, 0x000080);
    WritePixel(lpSecondary, 0, 5, 0x112233);
    WritePixel(lpSecondary, 629, 479, 0x445566);
    display.m_nFrameOffsetX = 10;
    display.m_nFrameOffsetY = -5;
    display.Present();
    vorn::testing::PresentedImage shown = Shown(window);
    EXPECT_EQ(shown.At(10, 0), 0x112233u);
    EXPECT_EQ(shown.At(639, 474), 0x445566u);
    EXPECT_EQ(shown.At(320, 200), 0x000080u);
    for (int y : {0, 474}) EXPECT_EQ(shown.At(9, y), 0x00FF00u);
    for (int x : {0, 639}) EXPECT_EQ(shown.At(x, 475), 0x00FF00u);
    EXPECT_EQ(shown.At(639, 0), 0x000080u);  // no band at the top or the right
}

TEST_F(DisplayTest, ACaptureTakesTheFrameInsteadOfShowingIt) {
    ASSERT_EQ(Open(1, 64, 32, 0), 0);
    display.m_lpCapturePlane = new CPlane;
    ASSERT_EQ(display.m_lpCapturePlane->CreatePlane(64, 32), 0);
    FillPixels(lpSecondary, {0, 0, 64, 32}, 0x202020);
    display.Present();
    FillPixels(lpSecondary, {0, 0, 64, 32}, 0xC0C0C0);
    g_calls.clear();
    display.m_PrePresentCallbacks.Add(PrePresent);
    display.m_bCaptureRequested = true;
    display.Present();
    EXPECT_FALSE(display.m_bCaptureRequested);
    EXPECT_EQ(g_calls, "");
    EXPECT_EQ(ReadPixel(display.m_lpCapturePlane->GetSurface(), 63, 31), 0xC0C0C0u);
    EXPECT_EQ(ReadPixel(lpSecondary, 63, 31), 0u);  // cleared
    EXPECT_EQ(Shown(window).At(63, 31), 0x202020u);

    display.Present();
    EXPECT_EQ(g_calls, "p");
    EXPECT_EQ(Shown(window).At(63, 31), 0u);
}

TEST_F(DisplayTest, ThePauseScreenIsClearedWithItsText) {
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    FillPixels(lpSecondary, {0, 0, 640, 480}, 100);
    display.ShowPauseScreen();
    vorn::testing::PresentedImage shown = Shown(window);
    int white = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const DWORD pixel = shown.At(x, y);
            if (pixel == 0xFFFFFF) {
                ++white;
                EXPECT_TRUE(x >= 160 && y >= 230 && y < 260) << x << ", " << y;
            } else {
                ASSERT_EQ(pixel, 0u) << x << ", " << y;
            }
        }
    EXPECT_GT(white, 100);
}
