// A game window and a keyboard on it, with clean faults, activation and keys around
// every test of the keyboard.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/testing/activation.h"
#include "platform/testing/testing.h"
#include "platform/windows.h"
#include "sdk/input/direct_input.h"

namespace vorn::test {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ClearFaults();
        testing::SimulateActivation();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "keyboard test";
        RegisterClassA(&windowClass);  // already registered by an earlier test: fine
        m_hWnd = CreateWindowExA(0, "keyboard test", "keyboard test", WS_OVERLAPPEDWINDOW, 0, 0,
                                 320, 240, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_keyboard = std::make_unique<CDirectInput>();
    }

    void TearDown() override {
        for (int scancode : m_held) testing::InjectKey(scancode, false);
        m_keyboard.reset();
        DrainMessages();
        DestroyWindow(m_hWnd);
        testing::SimulateActivation();
        testing::ClearFaults();
    }

    void Press(int scancode) {
        testing::InjectKey(scancode, true);
        m_held.push_back(scancode);
    }
    void Release(int scancode) { testing::InjectKey(scancode, false); }

    int Initialize() { return m_keyboard->Initialize(m_hWnd, nullptr); }

    // Takes the queued window messages so that tests do not leave them to the next one.
    static void DrainMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND m_hWnd = nullptr;
    std::unique_ptr<CDirectInput> m_keyboard;
    std::vector<int> m_held;
};

}  // namespace vorn::test
