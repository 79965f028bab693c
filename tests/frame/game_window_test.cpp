// CGameWindow: the window's geometry in both modes, its background, and the reports of
// its two failures.
#include <gtest/gtest.h>

#include "frame/error_log.h"
#include "frame/game_window.h"
#include "platform/host/host.h"
#include "platform/testing/testing.h"

namespace {

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(vorn::host::EnsureVideo());
        vorn::testing::ClearFaults();
    }
    void TearDown() override {
        if (m_window.m_hWnd) DestroyWindow(m_window.m_hWnd);
        vorn::testing::ClearFaults();
    }
    // Each test registers its own class: the class is named after the caption.
    static std::string Caption() {
        return std::string("game window ") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    CGameWindow m_window;
};

TEST_F(GameWindowTest, WindowModeHasExactlyTheGameSizeAsClientArea) {
    HWND window = m_window.CreateWindow(nullptr, Caption(), 1, 640, 480);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), 0x10CB0000u);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_EQ(Caption(), text);
    EXPECT_EQ(m_window.GetBackgroundFill(), 0u);
}

TEST_F(GameWindowTest, FullScreenModeIsAPopupOverTheWholeScreen) {
    m_window.m_nBackground = 1;
    HWND window = m_window.CreateWindow(nullptr, Caption(), 0, 320, 240);
    ASSERT_NE(window, nullptr);
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(client.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(m_window.GetBackgroundFill(), 0xFFFFFFFFu);
}

TEST_F(GameWindowTest, FailuresAreReportedAndGiveNoWindow) {
    struct Case {
        const char* operation;
        const char* report;
    };
    int round = 0;
    for (const Case& c : {Case{"RegisterClassA", "CGameWindow::CreateWindow()のRegisterClass失敗"},
                          Case{"CreateWindowExA", "CGameWindowでCreateWindowに失敗。"}}) {
        CGameWindow window;
        window.m_nBackground = 2;
        vorn::testing::FailNext(c.operation);
        EXPECT_EQ(window.CreateWindow(nullptr, Caption() + std::to_string(++round), 1, 64, 64),
                  nullptr);
        EXPECT_EQ(CErrorLog::GetLastMessage(), c.report);
        EXPECT_EQ(window.GetBackgroundFill(), 0x80808080u);
    }
    // The class is named after the caption: a second window of one caption fails.
    ASSERT_NE(m_window.CreateWindow(nullptr, Caption(), 1, 64, 64), nullptr);
    CGameWindow second;
    EXPECT_EQ(second.CreateWindow(nullptr, Caption(), 1, 64, 64), nullptr);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CGameWindow::CreateWindow()のRegisterClass失敗");
}

}  // namespace
