// The platform's keyboard device made through the component library, on a window, with
// activation, faults and keys put back after every test.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/dinput/dinput.h"
#include "platform/testing/testing.h"
#include "platform/windows.h"

namespace vorn::test {

class KeyboardDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ClearFaults();
        testing::SimulateActivation();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "keyboard device test";
        RegisterClassA(&windowClass);
        m_hWnd =
            CreateWindowExA(0, "keyboard device test", "keyboard device test", WS_OVERLAPPEDWINDOW,
                            0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        ASSERT_EQ(CoCreateInstance(CLSID_DirectInput, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IDirectInputA, reinterpret_cast<LPVOID*>(&m_input)),
                  S_OK);
        ASSERT_EQ(m_input->Initialize(nullptr, DIRECTINPUT_VERSION), DI_OK);
        ASSERT_EQ(m_input->CreateDevice(GUID_SysKeyboard, &m_device, nullptr), DI_OK);
    }
    void TearDown() override {
        for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
            testing::InjectKey(scancode, false);
        if (m_device) m_device->Release();
        if (m_input) m_input->Release();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        DestroyWindow(m_hWnd);
        CoUninitialize();
        testing::SimulateActivation();
        testing::ClearFaults();
    }
    void Ready() {
        ASSERT_EQ(m_device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
        ASSERT_EQ(m_device->SetCooperativeLevel(m_hWnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
                  DI_OK);
    }

    HWND m_hWnd = nullptr;
    LPDIRECTINPUT m_input = nullptr;
    LPDIRECTINPUTDEVICE m_device = nullptr;
    BYTE m_state[256] = {};
};

}  // namespace vorn::test
