// The platform's keyboard device: creation both ways, the order of its set-up calls, key
// states by scan code, and acquisition that follows the application's activation.
#include <gtest/gtest.h>

#include <cstring>

#include "keyboard_device_fixture.h"
#include "platform/dinput/dinput_internal.h"

namespace vorn::test {
namespace {

TEST_F(KeyboardDeviceTest, SetUpCallsAreCheckedAndOrdered) {
    LPDIRECTINPUTDEVICE other = nullptr;
    EXPECT_EQ(m_input->CreateDevice(GUID_Key, &other, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(m_device->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";

    DIDATAFORMAT shortFormat = c_dfDIKeyboard;
    shortFormat.dwDataSize = 128;
    EXPECT_EQ(m_device->SetDataFormat(&shortFormat), DIERR_INVALIDPARAM);
    EXPECT_EQ(m_device->SetDataFormat(nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(m_device->SetCooperativeLevel(m_hWnd, DISCL_FOREGROUND), DIERR_INVALIDPARAM);
    EXPECT_EQ(m_device->SetCooperativeLevel(m_hWnd, DISCL_EXCLUSIVE | DISCL_BACKGROUND),
              DIERR_UNSUPPORTED);
    EXPECT_EQ(m_device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    Ready();
    EXPECT_EQ(m_device->GetDeviceState(256, m_state), DIERR_NOTACQUIRED);
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    EXPECT_EQ(m_device->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(m_device->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(m_device->GetDeviceState(255, m_state), DIERR_INVALIDPARAM);
    EXPECT_EQ(m_device->Unacquire(), DI_OK);
    EXPECT_EQ(m_device->Unacquire(), DI_NOEFFECT);
}

TEST_F(KeyboardDeviceTest, UninitialisedObjectMakesNoDevice) {
    LPDIRECTINPUT fresh = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DirectInput, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectInputA,
                               reinterpret_cast<LPVOID*>(&fresh)),
              S_OK);
    LPDIRECTINPUTDEVICE device = nullptr;
    EXPECT_EQ(fresh->CreateDevice(GUID_SysKeyboard, &device, nullptr), DIERR_NOTINITIALIZED);
    EXPECT_EQ(fresh->Initialize(nullptr, 0x0800), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(fresh->Initialize(nullptr, 0x0200), DIERR_INVALIDPARAM);
    fresh->Release();
}

TEST_F(KeyboardDeviceTest, CreateExportMakesAReadyObject) {
    LPDIRECTINPUT made = nullptr;
    ASSERT_EQ(platform::DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &made, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE device = nullptr;
    EXPECT_EQ(made->CreateDevice(GUID_SysKeyboard, &device, nullptr), DI_OK);
    made->Release();  // the device keeps its object alive
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    device->Release();

    EXPECT_EQ(platform::DirectInputCreateA(nullptr, 0x0900, &made, nullptr),
              DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(made, nullptr);
}

TEST_F(KeyboardDeviceTest, HeldKeysReadAsBitSevenAtTheirScanCode) {
    Ready();
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    testing::InjectKey(SDL_SCANCODE_ESCAPE, true);
    ASSERT_EQ(m_device->GetDeviceState(256, m_state), DI_OK);
    for (int k = 0; k < 256; ++k) ASSERT_EQ(m_state[k], k == DIK_ESCAPE ? 0x80 : 0) << k;
    testing::InjectKey(SDL_SCANCODE_ESCAPE, false);
    ASSERT_EQ(m_device->GetDeviceState(256, m_state), DI_OK);
    EXPECT_EQ(m_state[DIK_ESCAPE], 0);
}

TEST_F(KeyboardDeviceTest, ForegroundDeviceIsLostWithTheFocus) {
    Ready();
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    testing::InjectKey(SDL_SCANCODE_ESCAPE, true);
    testing::SimulateDeactivation();
    std::memset(m_state, 0x55, sizeof m_state);
    EXPECT_EQ(m_device->GetDeviceState(256, m_state), DIERR_INPUTLOST);
    EXPECT_EQ(m_state[0], 0x55) << "nothing written on failure";
    EXPECT_EQ(m_device->GetDeviceState(256, m_state), DIERR_NOTACQUIRED);
    EXPECT_EQ(m_device->Acquire(), DIERR_OTHERAPPHASPRIO);
    testing::SimulateActivation();
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    EXPECT_EQ(m_device->GetDeviceState(256, m_state), DI_OK);
}

TEST_F(KeyboardDeviceTest, BackgroundDeviceKeepsReading) {
    ASSERT_EQ(m_device->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(m_device->SetCooperativeLevel(m_hWnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    testing::SimulateDeactivation();
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    EXPECT_EQ(m_device->GetDeviceState(256, m_state), DI_OK);
}

}  // namespace
}  // namespace vorn::test
