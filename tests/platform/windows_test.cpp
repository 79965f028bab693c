// The window service on the host's dummy video driver: window geometry, classes, the
// message queue, activation and keys.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/host/host.h"
#include "platform/testing/testing.h"
#include "platform/windows.h"
#include "support/test_support.h"

namespace {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
};
std::vector<Received> g_received;

LRESULT RecordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_received.push_back({window, message, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(vorn::host::EnsureVideo());
        vorn::testing::ClearFaults();
        DrainQueue();
        g_received.clear();
        m_className = "vorn-test-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordMessage;
        windowClass.hbrBackground = GetStockObject(BLACK_BRUSH);
        windowClass.lpszClassName = m_className.c_str();
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }

    void TearDown() override {
        for (HWND window : m_windows) DestroyWindow(window);
        UnregisterClassA(m_className.c_str(), nullptr);
        vorn::testing::SimulateActivation();
        vorn::testing::ClearFaults();
        DrainQueue();
    }

    HWND Create(DWORD style, int x, int y, int width, int height, const char* caption = "test") {
        HWND window = CreateWindowExA(0, m_className.c_str(), caption, style, x, y, width, height,
                                      nullptr, nullptr, nullptr, nullptr);
        if (window) m_windows.push_back(window);
        return window;
    }

    static void DrainQueue() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // The messages of a kind that the queue holds now, in order (taken out).
    static std::vector<MSG> Take(UINT message) {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, message, message, PM_REMOVE)) taken.push_back(msg);
        return taken;
    }

    std::string m_className;
    std::vector<HWND> m_windows;
};

constexpr DWORD kGameStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TEST_F(WindowTest, AdjustedOuterSizeGivesTheClientSizeBack) {
    struct Case {
        DWORD style;
        int width, height;
    };
    for (const Case& c : {Case{kGameStyle, 640, 480}, Case{WS_OVERLAPPEDWINDOW, 320, 200},
                          Case{WS_POPUP, 800, 600}, Case{WS_CAPTION, 1, 1}}) {
        RECT rect{0, 0, c.width, c.height};
        ASSERT_TRUE(AdjustWindowRect(&rect, c.style, FALSE));
        const int outerWidth = rect.right - rect.left;
        const int outerHeight = rect.bottom - rect.top;
        if ((c.style & WS_CAPTION) == WS_CAPTION) {
            EXPECT_GT(outerHeight, c.height + 2 * GetSystemMetrics(SM_CYFRAME));
        }
        HWND window = Create(c.style, 10, 20, outerWidth, outerHeight);
        ASSERT_NE(window, nullptr);
        RECT client{}, outer{};
        ASSERT_TRUE(GetClientRect(window, &client));
        ASSERT_TRUE(GetWindowRect(window, &outer));
        EXPECT_EQ(client.right, c.width) << std::hex << c.style;
        EXPECT_EQ(client.bottom, c.height) << std::hex << c.style;
        EXPECT_EQ(outer.right - outer.left, outerWidth);
        EXPECT_EQ(outer.bottom - outer.top, outerHeight);
        // Resizing to an outer size keeps the same agreement.
        ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, outerWidth + 10, outerHeight + 6,
                                 SWP_NOMOVE | SWP_NOZORDER));
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right, c.width + 10);
        EXPECT_EQ(client.bottom, c.height + 6);
    }
}

TEST_F(WindowTest, FullScreenPopupCoversTheScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(width, 0);
    HWND window = Create(WS_POPUP | WS_VISIBLE, 0, 0, width, height);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowTest, ClassNamesAreUniqueAndCreationNeedsAClass) {
    WNDCLASSA again{};
    again.lpfnWndProc = RecordMessage;
    again.lpszClassName = m_className.c_str();
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(CreateWindowExA(0, "no such class", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    vorn::testing::FailNext("CreateWindowExA");
    EXPECT_EQ(Create(kGameStyle, 0, 0, 100, 100), nullptr);
    EXPECT_NE(Create(kGameStyle, 0, 0, 100, 100), nullptr);
}

TEST_F(WindowTest, CreateSendsCreateAndDestroySendsDestroyAndDropsQueuedMessages) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(g_received.empty());
    EXPECT_EQ(g_received.front().message, WM_CREATE);
    PostMessageA(window, WM_USER, 1, 0);
    // The default procedure destroys a window on WM_CLOSE.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_received.back().message, WM_DESTROY);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(Take(WM_USER).empty());
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(WindowTest, QueueKeepsOrderAndFilters) {
    HWND a = Create(kGameStyle, 0, 0, 100, 100, "a");
    HWND b = Create(kGameStyle, 0, 0, 100, 100, "b");
    DrainQueue();
    PostMessageA(a, WM_USER + 1, 0, 0);
    PostMessageA(b, WM_USER + 2, 0, 0);
    PostMessageA(a, WM_USER + 3, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    std::vector<UINT> order;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(g_received.back().window, b);
}

TEST_F(WindowTest, GetMessageWaitsForAMessageFromAnotherThread) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100);
    DrainQueue();
    std::thread poster([window] {
        SDL_Delay(50);
        PostMessageA(window, WM_USER + 7, 0, 0);
        PostQuitMessage(3);
    });
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, WM_USER + 7u);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 3u);
    poster.join();
}

TEST_F(WindowTest, ActivationReachesEveryWindowOncePerChangeAndReleasesKeys) {
    HWND a = Create(kGameStyle, 0, 0, 100, 100, "a");
    HWND b = Create(kGameStyle, 0, 0, 100, 100, "b");
    DrainQueue();
    vorn::testing::InjectKey(SDL_SCANCODE_LEFT, true);
    vorn::host::PumpEvents();
    EXPECT_EQ(vorn::host::KeyboardState()[SDL_SCANCODE_LEFT], 1);

    vorn::testing::SimulateDeactivation();
    vorn::testing::SimulateDeactivation();
    EXPECT_FALSE(vorn::host::AppActive());
    EXPECT_EQ(vorn::host::KeyboardState()[SDL_SCANCODE_LEFT], 0);
    auto messages = Take(WM_ACTIVATEAPP);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].hwnd, a);
    EXPECT_EQ(messages[1].hwnd, b);
    EXPECT_EQ(messages[0].wParam, 0u);

    // Bringing a window forward activates the application again.
    EXPECT_TRUE(SetForegroundWindow(b));
    messages = Take(WM_ACTIVATEAPP);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].wParam, 1u);
    EXPECT_TRUE(vorn::host::AppActive());
}

TEST_F(WindowTest, HostWindowEventsBecomeMessagesOfTheirWindow) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100);
    DrainQueue();
    const auto push = [window](SDL_WindowEventID id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(vorn::host::SdlWindowOf(window));
        event.window.event = static_cast<Uint8>(id);
        SDL_PushEvent(&event);
    };
    struct Case {
        std::vector<SDL_WindowEventID> events;
        UINT message;
        std::vector<WPARAM> wParams;  // of the messages that follow, in order
    };
    const Case cases[] = {
        {{SDL_WINDOWEVENT_CLOSE}, WM_CLOSE, {0}},
        {{SDL_WINDOWEVENT_MAXIMIZED}, WM_SIZE, {SIZE_MAXIMIZED}},
        {{SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_EXPOSED}, WM_PAINT, {0}},  // one paint
        {{SDL_WINDOWEVENT_FOCUS_LOST}, WM_ACTIVATEAPP, {0}},
        // Focus moving on within the program changes nothing; coming back activates.
        {{SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST}, WM_ACTIVATEAPP, {}},
        {{SDL_WINDOWEVENT_FOCUS_GAINED}, WM_ACTIVATEAPP, {1}},
    };
    for (const Case& c : cases) {
        for (SDL_WindowEventID id : c.events) push(id);
        vorn::host::PumpEvents();
        std::vector<WPARAM> wParams;
        for (const MSG& msg : Take(c.message)) {
            EXPECT_EQ(msg.hwnd, window);
            wParams.push_back(msg.wParam);
        }
        EXPECT_EQ(wParams, c.wParams) << c.message;
    }
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << msg.message;
}

TEST_F(WindowTest, KeysBecomeKeyMessagesAndHeldState) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100);
    DrainQueue();
    vorn::testing::InjectKey(SDL_SCANCODE_ESCAPE, true);
    vorn::testing::InjectKey(SDL_SCANCODE_A, true);
    vorn::testing::InjectKey(SDL_SCANCODE_A, false);
    auto downs = Take(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].hwnd, window);
    EXPECT_EQ(downs[0].wParam, VK_ESCAPE);
    EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>('A'));
    auto ups = Take(WM_KEYUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(vorn::host::KeyboardState()[SDL_SCANCODE_ESCAPE], 1);
    EXPECT_EQ(vorn::host::KeyboardState()[SDL_SCANCODE_A], 0);
    vorn::testing::InjectKey(SDL_SCANCODE_ESCAPE, false);
    vorn::host::PumpEvents();
}

TEST_F(WindowTest, CaptionsFindWindowsAndCanFail) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100, "first");
    ASSERT_TRUE(SetWindowTextA(window, "あしふ"));  // a Shift-JIS literal
    char text[16] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 6);
    EXPECT_EQ(SDL_GetWindowTitle(vorn::host::SdlWindowOf(window)), vorn::test::Utf8(u8"あしふ"));
    EXPECT_EQ(FindWindowA(nullptr, "あしふ"), window);
    EXPECT_EQ(FindWindowA(m_className.c_str(), "あしふ"), window);
    EXPECT_EQ(FindWindowA(nullptr, "first"), nullptr);
    vorn::testing::FailNext("SetWindowTextA");
    EXPECT_FALSE(SetWindowTextA(window, "other"));
    EXPECT_FALSE(SetWindowTextA(nullptr, "other"));
}

TEST_F(WindowTest, UpdateWindowPresentsTheBlankClientArea) {
    HWND window = Create(kGameStyle, 0, 0, 100, 100);
    const long before = vorn::testing::PresentedFrames();
    EXPECT_TRUE(UpdateWindow(window));
    EXPECT_EQ(vorn::testing::PresentedFrames(), before + 1);
    ShowWindow(window, SW_HIDE);
    EXPECT_TRUE(UpdateWindow(window));
    EXPECT_EQ(vorn::testing::PresentedFrames(), before + 1);
}

TEST(MessageBox, WithoutADisplayItWritesToStandardErrorAndAnswersAtOnce) {
    ASSERT_TRUE(vorn::host::EnsureVideo());
    ASSERT_TRUE(vorn::host::IsHeadless());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "問題", "タイトル", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO), IDYES);
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find(vorn::test::Utf8(u8"タイトル: 問題")), std::string::npos) << written;
}

}  // namespace

namespace {

TEST(Cursor, ShowsWhileTheCountIsNotNegativeAndACursorIsSet) {
    ASSERT_TRUE(vorn::host::EnsureVideo());
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(SetCursor(arrow), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

}  // namespace
