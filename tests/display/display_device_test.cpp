// The display device's modes and surfaces: window and full screen, the fallbacks when
// the display refuses a step, the rebuilds of SetDisplay, SetSystemMemory and a lost
// surface, and the message of every failure.
#include "display_fixture.h"
#include "frame/error_log.h"

using vorn::testing::ClearFaults;
using vorn::testing::FailAlways;
using vorn::testing::FailNext;
using vorn::testing::InjectFault;

namespace {

constexpr char kChangeFailed[] = "BeginChangeDisplay～EndChangeDisplayに失敗";

}  // namespace

TEST_F(DisplayTest, OpensAWindowOnA32BitDesktop) {
    ASSERT_EQ(Open(1, 640, 480, 16), 0);
    EXPECT_EQ(display.GetDisplayMode(), 1);
    EXPECT_EQ(display.GetCurrentDisplayBits(), 32);
    EXPECT_FALSE(display.IsFlipping());
    EXPECT_NE(m_lpClipper, nullptr);
    EXPECT_EQ(display.GetDisplayPalette(), nullptr);
    DDSURFACEDESC secondary = DescriptionOf(lpSecondary);
    EXPECT_EQ(secondary.dwWidth, 640u);
    EXPECT_EQ(secondary.dwHeight, 480u);
    EXPECT_EQ(secondary.ddpfPixelFormat.dwRGBBitCount, 32u);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(DisplayTest, SetDisplayBeforeInitializeOnlyRecordsThenOpensFullScreenWithAFlipChain) {
    EXPECT_EQ(display.SetDisplay(0, 640, 480, 8), 0);
    EXPECT_EQ(display.GetPrimary(), nullptr);
    EXPECT_EQ(lpSecondary, nullptr);
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    EXPECT_EQ(display.GetDisplayMode(), 0);
    EXPECT_EQ(display.GetCurrentDisplayBits(), 8);
    EXPECT_EQ(GetDisplayBits(), 8);
    EXPECT_TRUE(display.IsFlipping());
    EXPECT_EQ(m_lpClipper, nullptr);
    EXPECT_NE(display.GetDisplayPalette(), nullptr);
    EXPECT_EQ(DescriptionOf(lpSecondary).ddsCaps.dwCaps & DDSCAPS_BACKBUFFER, DDSCAPS_BACKBUFFER);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_POPUP),
              static_cast<LONG>(WS_POPUP));
    EXPECT_TRUE(Reports().empty());
}

// A refused full-screen step falls back to a window of the same size; steps that only
// cost the flip chain keep full screen.
TEST_F(DisplayTest, FullScreenFallbacks) {
    struct Case {
        const char* operation;
        const char* message;
        int modeAfter;
        bool flippingAfter;
    } cases[] = {
        {"IDirectDraw::SetCooperativeLevel",
         "DirectDrawのSetCooperativeLevelにDDSC_EXCLUSIVEで失敗", 1, false},
        {"IDirectDraw::SetDisplayMode", "DirectDrawのSetDisplayModeに失敗", 1, false},
        {"IDirectDraw::CreateSurface", "DirectDrawのCreateSurfaceに失敗", 0, false},
        {"IDirectDrawSurface::GetAttachedSurface", "DirectDrawのGetAttachedSurfaceに失敗", 0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        CErrorLog::Report("-");
        display.SetDisplay(1, 640, 480, 0);
        ASSERT_EQ(display.GetDisplayMode(), 1);
        FailNext(c.operation);
        ASSERT_EQ(
            display.GetPrimary() ? display.SetDisplay(0, 640, 480, 16) : Open(0, 640, 480, 16), 0);
        ClearFaults();
        EXPECT_EQ(CErrorLog::GetLastMessage(), c.message);
        EXPECT_EQ(display.GetDisplayMode(), c.modeAfter);
        EXPECT_EQ(display.IsFlipping(), c.flippingAfter);
        EXPECT_NE(lpSecondary, nullptr);
        EXPECT_EQ(DescriptionOf(lpSecondary).dwWidth, 640u);
    }
}

TEST_F(DisplayTest, FailuresOfTheWindowModeEndTheChange) {
    struct Case {
        const char* operation;
        int fromCall;
        const char* message;
    } cases[] = {
        {"IDirectDraw::SetCooperativeLevel", 1,
         "DirectDrawのSetCooperativeLevelにDDSC_NORMALで失敗"},
        {"IDirectDraw::CreateSurface", 1, "DirectDrawのCreateSurfaceに失敗"},
        {"IDirectDraw::CreateSurface", 2, "DirectDrawのCreateSurfaceに失敗"},
        {"IDirectDraw::CreateClipper", 1, "DirectDrawClipper構築失敗"},
        {"IDirectDrawClipper::SetHWnd", 1, "DirectDrawClipperにhWNDをセットできない"},
        {"IDirectDrawSurface::SetClipper", 1, "DirectDrawのSetClipperに失敗"},
    };
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation + std::string(" call ") + std::to_string(c.fromCall));
        // The first cooperative level of a change is Begin's; the attempt's is the second.
        int call = c.fromCall + (std::string(c.operation) == "IDirectDraw::SetCooperativeLevel");
        ClearFaults();
        InjectFault({c.operation, nullptr, call, 1});
        EXPECT_EQ(display.ChangeDisplay(), 1);
        ClearFaults();
        std::vector<std::string> reports = Reports();
        ASSERT_GE(reports.size(), 2u);
        EXPECT_EQ(reports[reports.size() - 2], c.message);
        EXPECT_EQ(reports.back(), kChangeFailed);
        // Nothing of the failed attempt is left; the next change starts afresh.
        EXPECT_EQ(display.GetPrimary(), nullptr);
        EXPECT_EQ(lpSecondary, nullptr);
        EXPECT_EQ(m_lpClipper, nullptr);
        display.Present();
        EXPECT_EQ(display.ChangeDisplay(), 0);
    }
}

TEST_F(DisplayTest, WhenFullScreenAndWindowBothFailInitializeFails) {
    FailAlways("IDirectDraw::SetCooperativeLevel");
    EXPECT_EQ(Open(0, 640, 480, 8), 1);
    EXPECT_TRUE(Reported("DirectDrawのSetCooperativeLevelにDDSC_EXCLUSIVEで失敗"));
    EXPECT_TRUE(Reported("DirectDrawのSetCooperativeLevelにDDSC_NORMALで失敗"));
    EXPECT_EQ(CErrorLog::GetLastMessage(), kChangeFailed);
    EXPECT_EQ(display.GetPrimary(), nullptr);
    // Without surfaces SetDisplay only records, and Present does nothing.
    ClearFaults();
    EXPECT_EQ(display.SetDisplay(1, 0, 0, 0), 0);
    display.Present();
    EXPECT_EQ(lpSecondary, nullptr);
}

TEST_F(DisplayTest, DisplayObjectNotCreated) {
    FailNext("CoCreateInstance");
    EXPECT_EQ(Open(1, 640, 480, 0), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CDirectDraw::InitializeでCoCreateInstanceに失敗");
    EXPECT_EQ(m_lpDirectDraw, nullptr);
}

TEST_F(DisplayTest, LevelAndModeFailuresWhileLeavingAModeGoOn) {
    ASSERT_EQ(Open(0, 640, 480, 16), 0);
    FailNext("IDirectDraw::SetCooperativeLevel");
    FailNext("IDirectDraw::RestoreDisplayMode");
    EXPECT_EQ(display.SetDisplay(1, 0, 0, 0), 0);
    EXPECT_EQ(display.GetDisplayMode(), 1);
    EXPECT_TRUE(Reported("ChangeDisplayModeでSetCooperativeLevelに失敗.."));
    EXPECT_TRUE(Reported("ChangeDisplayModeでRestoreDisplayModeに失敗.."));

    FailNext("IDirectDraw::SetCooperativeLevel");
    FailNext("IDirectDraw::RestoreDisplayMode");
    EXPECT_EQ(display.Terminate(), 0);
    EXPECT_TRUE(Reported("DDraw:終了処理でSetCooperativeLevelに失敗"));
    EXPECT_EQ(CErrorLog::GetLastMessage(), "DDraw:終了処理でディスプレーモード復帰失敗..");
    EXPECT_EQ(m_lpDirectDraw, nullptr);
    EXPECT_EQ(display.Terminate(), 0);
}

TEST_F(DisplayTest, SetSystemMemoryWaitsBeforeInitializeAndRebuildsAfter) {
    display.SetSystemMemory(true);
    EXPECT_TRUE(Reports().empty());
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    EXPECT_TRUE(display.IsSystemMemory());
    EXPECT_NE(DescriptionOf(lpSecondary).ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY, 0u);

    const int surfacesMade = vorn::testing::CallCount("IDirectDraw::CreateSurface");
    display.SetSystemMemory(false);
    EXPECT_EQ(vorn::testing::CallCount("IDirectDraw::CreateSurface"), surfacesMade + 2);
    display.SetSystemMemory(false);
    EXPECT_EQ(vorn::testing::CallCount("IDirectDraw::CreateSurface"), surfacesMade + 2);
    EXPECT_TRUE(Reports().empty());
}

// Maximising the window (the frame calls SetDisplay(0, 0, 0, 0)) keeps size and depth;
// going back to a window from a flip chain releases the back buffer only with the
// primary.
TEST_F(DisplayTest, SwitchesBetweenWindowAndFullScreenKeepingSizeAndDepth) {
    ASSERT_EQ(Open(1, 320, 240, 16), 0);
    ASSERT_EQ(display.SetDisplay(0, 0, 0, 0), 0);
    EXPECT_EQ(display.GetDisplayMode(), 0);
    EXPECT_TRUE(display.IsFlipping());
    EXPECT_EQ(display.GetCurrentDisplayBits(), 16);
    EXPECT_EQ(m_nScreenWidth, 320);
    EXPECT_EQ(m_nScreenHeight, 240);
    ASSERT_EQ(display.SetDisplay(1, 0, 0, 0), 0);
    EXPECT_EQ(display.GetDisplayMode(), 1);
    EXPECT_EQ(display.GetCurrentDisplayBits(), 32);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
              display.GetGameWindow().m_dwStyle);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(DisplayTest, ActivationRestoresLostSurfacesOrRebuildsThem) {
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    const int surfacesMade = vorn::testing::CallCount("IDirectDraw::CreateSurface");
    vorn::testing::LoseAllSurfaces();
    SendMessageA(window, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(lpSecondary->IsLost(), DD_OK);
    EXPECT_EQ(vorn::testing::CallCount("IDirectDraw::CreateSurface"), surfacesMade);

    vorn::testing::LoseAllSurfaces();
    FailAlways("IDirectDrawSurface::Restore", lpSecondary);
    SendMessageA(window, WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(Reported("RestoreSurface lpSecondaryがLostしてまっせー"));
    EXPECT_EQ(vorn::testing::CallCount("IDirectDraw::CreateSurface"), surfacesMade + 2);
    EXPECT_EQ(lpSecondary->IsLost(), DD_OK);
    EXPECT_EQ(display.RestoreSurface(), 0);
}

TEST_F(DisplayTest, AnRGBFillColourIsMatchedAgainOnActivation) {
    ASSERT_EQ(Open(1, 640, 480, 0), 0);
    EXPECT_EQ(display.GetFillColor(), 0u);  // the window's black background
    EXPECT_EQ(display.SetFillColor(RGB(0, 0, 0)), 0u);
    EXPECT_EQ(display.SetFillColor(RGB(255, 0, 0)), 0xFF0000u);
    display.SetDisplay(0, 0, 0, 16);
    SendMessageA(window, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(display.GetFillColor(), 0xF800u);
    display.SetFillPixel(0x1234);
    SendMessageA(window, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(display.GetFillColor(), 0x1234u);
}

TEST_F(DisplayTest, CursorShowsInAWindowAndHidesInFullScreenOneStepAtATime) {
    ASSERT_EQ(Open(0, 640, 480, 8), 0);
    const int hidden = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    display.ShowCursorIfChanged(true);
    display.ShowCursorIfChanged(true);
    EXPECT_EQ(ShowCursor(TRUE) - 1, hidden + 1);
    ShowCursor(FALSE);
}

TEST(DisplayCOM, AFailedStartIsReportedAndNotCounted) {
    FailNext("CoInitialize");
    EXPECT_EQ(InitializeCOM(), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CoInitializeに失敗...");
    ClearFaults();
    EXPECT_EQ(InitializeCOM(), 0);
    EXPECT_EQ(InitializeCOM(), 0);
    EXPECT_EQ(vorn::testing::CallCount("CoInitialize"), 1);
    UninitializeCOM();
    UninitializeCOM();
    UninitializeCOM();  // one more than started does nothing
}
