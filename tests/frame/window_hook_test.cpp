// The window hook list and the game window's procedure, on real windows of a class
// whose procedure is GameWndProc.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/window_hook.h"
#include "platform/host/host.h"
#include "platform/windows.h"

namespace {

std::vector<std::string> g_seen;

class RecordingHook : public CWindowHook {
public:
    RecordingHook(std::string name, LRESULT result = 0)
        : m_name(std::move(name)), m_result(result) {}
    LRESULT OnMessage(HWND, UINT message, WPARAM, LPARAM) override {
        g_seen.push_back(m_name);
        if (m_onMessage) m_onMessage();
        return m_result;
    }
    std::string m_name;
    LRESULT m_result;
    std::function<void()> m_onMessage;
};

class WindowHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(vorn::host::EnsureVideo());
        g_seen.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = GameWndProc;
            windowClass.lpszClassName = "vorn-hook-test";
            ASSERT_NE(RegisterClassA(&windowClass), 0);
            registered = true;
        }
        m_window = MakeWindow();
        m_other = MakeWindow();
    }
    void TearDown() override {
        DestroyWindow(m_window);
        DestroyWindow(m_other);
    }
    static HWND MakeWindow() {
        return CreateWindowExA(0, "vorn-hook-test", "hooked", WS_POPUP, 0, 0, 64, 64, nullptr,
                               nullptr, nullptr, nullptr);
    }
    HWND m_window = nullptr;
    HWND m_other = nullptr;
};

TEST_F(WindowHookTest, HooksSeeTheirWindowsMessagesInOrderThenTheDefaultProcedure) {
    RecordingHook first("first"), second("second"), elsewhere("elsewhere");
    first.AddHook(m_window);
    elsewhere.AddHook(m_other);
    second.AddHook(m_window);
    EXPECT_EQ(first.GetHookWindow(), m_window);
    // Nobody consumes WM_CLOSE, so the default procedure destroys the window, whose
    // WM_DESTROY passes the hooks in turn.
    EXPECT_EQ(SendMessageA(m_window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"first", "second", "first", "second"}));
    EXPECT_FALSE(IsWindow(m_window));
}

TEST_F(WindowHookTest, TheFirstNonZeroResultConsumesTheMessage) {
    RecordingHook first("first", 5), second("second");
    first.AddHook(m_window);
    second.AddHook(m_window);
    EXPECT_EQ(SendMessageA(m_window, WM_CLOSE, 0, 0), 5);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"first"}));
    EXPECT_TRUE(IsWindow(m_window));
}

TEST_F(WindowHookTest, RemoveHookTakesEveryEntryOfTheHook) {
    RecordingHook twice("twice"), once("once");
    twice.AddHook(m_window);
    once.AddHook(m_window);
    twice.AddHook(m_other);
    twice.RemoveHook();
    SendMessageA(m_window, WM_USER, 0, 0);
    SendMessageA(m_other, WM_USER, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"once"}));
}

TEST_F(WindowHookTest, HooksMayLeaveTheListWhileItIsWalked) {
    // Like devices terminated from the last hook's WM_CLOSE: the entries before the one
    // running go away, and the walk ends on the consuming result.
    RecordingHook display("display"), sound("sound"), frame("frame", 1), after("after");
    display.AddHook(m_window);
    sound.AddHook(m_window);
    frame.AddHook(m_window);
    after.AddHook(m_window);
    frame.m_onMessage = [&] {
        display.RemoveHook();
        sound.RemoveHook();
        frame.RemoveHook();
    };
    EXPECT_EQ(SendMessageA(m_window, WM_USER, 0, 0), 1);
    // A hook that removes a later one mid-walk: the removed one is not called.
    sound.AddHook(m_window);
    after.m_onMessage = [] {};
    RecordingHook remover("remover");
    remover.AddHook(m_window);
    after.RemoveHook();
    after.AddHook(m_window);
    remover.m_onMessage = [&] { after.RemoveHook(); };
    g_seen.clear();
    SendMessageA(m_window, WM_USER, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"sound", "remover"}));
    g_seen.clear();
    SendMessageA(m_window, WM_USER, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"sound", "remover"}));
}

TEST_F(WindowHookTest, AMessageForAWindowNoHookNamesGoesToTheDefaultProcedureOnly) {
    RecordingHook hook("hook", 5);
    hook.AddHook(m_window);
    EXPECT_EQ(SendMessageA(m_other, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(g_seen.empty());
    EXPECT_FALSE(IsWindow(m_other));
}

TEST_F(WindowHookTest, ADestroyedHookLeavesTheList) {
    {
        RecordingHook shortLived("short", 7);
        shortLived.AddHook(m_window);
    }
    EXPECT_EQ(SendMessageA(m_window, WM_USER, 0, 0), 0);
    EXPECT_TRUE(g_seen.empty());
}

}  // namespace
