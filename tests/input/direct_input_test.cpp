// The keyboard's start-up steps and their failures, the path through the input library
// loaded at run time, and reading the keyboard while the application loses and regains
// the focus.
#include <gtest/gtest.h>

#include <string>

#include "keyboard_fixture.h"
#include "sdk/frame/error_log.h"

namespace vorn::test {
namespace {

struct StartFailure {
    int code;
    const char* message;
    std::vector<const char*> failing;  // operations that fail once, in call order
};

using DirectInputStartTest = KeyboardTest;

TEST_F(DirectInputStartTest, EachFailedStepHasItsCodeAndMessage) {
    const StartFailure cases[] = {
        {3, "DirectInputが初期化できない", {"IDirectInput::Initialize"}},
        {4, "DirectInputのLoadLibraryに失敗", {"CoCreateInstance", "LoadLibraryA"}},
        {5, "DirectInputでGetProcAddressに失敗", {"CoCreateInstance", "GetProcAddress"}},
        {6, "DirectInput::DirectInputCreateに失敗", {"CoCreateInstance", "DirectInputCreateA"}},
        {7, "DirectInputの初期化CreateDeviceに失敗", {"IDirectInput::CreateDevice"}},
        {8, "DirectInputの初期化SetDataFormatに失敗", {"IDirectInputDevice::SetDataFormat"}},
        {9,
         "DirectInputの初期化SetCooperativeLevelに失敗",
         {"IDirectInputDevice::SetCooperativeLevel"}},
    };
    for (const StartFailure& c : cases) {
        testing::ClearFaults();
        CErrorLog::Report("");
        for (const char* operation : c.failing) testing::FailNext(operation);
        EXPECT_EQ(Initialize(), c.code) << c.message;
        EXPECT_EQ(CErrorLog::GetLastMessage(), std::string(c.message));
        EXPECT_EQ(m_keyboard->Update(), 1) << "no keyboard after a failed start: " << c.message;
    }
    // The same object starts cleanly after all those failures.
    testing::ClearFaults();
    EXPECT_EQ(Initialize(), 0);
    EXPECT_EQ(m_keyboard->Update(), 0);
}

TEST_F(DirectInputStartTest, NullInterfaceFromTheComponentLibraryIsCodeTwo) {
    testing::Fault fault;
    fault.operation = "CoCreateInstance";
    fault.hasResult = true;
    fault.result = S_OK;  // success without an object
    testing::InjectFault(fault);
    EXPECT_EQ(Initialize(), 2);
    EXPECT_EQ(CErrorLog::GetLastMessage(), std::string("DirectInputInterfaceが得られない"));
}

TEST_F(DirectInputStartTest, WithoutTheComponentLibraryItIsCodeOneAndCallsNothing) {
    m_keyboard.reset();
    testing::FailAlways("CoInitialize");
    m_keyboard = std::make_unique<CDirectInput>();
    testing::ClearFaults();
    EXPECT_EQ(Initialize(), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              std::string("DirectInput::CoInitializeに失敗。OLE動作不良？"));
    EXPECT_EQ(testing::CallCount("CoCreateInstance"), 0);
    EXPECT_EQ(testing::CallCount("LoadLibraryA"), 0);
}

TEST_F(DirectInputStartTest, InputLibraryServesWhenTheComponentLibraryCannot) {
    testing::FailAlways("CoCreateInstance");
    ASSERT_EQ(Initialize(), 0);
    EXPECT_EQ(testing::CallCount("LoadLibraryA"), 1);
    Press(SDL_SCANCODE_UP);
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPush(DIK_UP));
    // A second start keeps the library it loaded.
    ASSERT_EQ(Initialize(), 0);
    EXPECT_EQ(testing::CallCount("LoadLibraryA"), 1);
    m_keyboard.reset();
    EXPECT_EQ(testing::CallCount("FreeLibrary"), 1);
}

TEST_F(DirectInputStartTest, SecondInitializeStartsFromNothing) {
    Press(SDL_SCANCODE_C);
    ASSERT_EQ(Initialize(), 0);
    ASSERT_EQ(m_keyboard->Update(), 0);
    ASSERT_TRUE(m_keyboard->IsPress(DIK_C));
    ASSERT_EQ(Initialize(), 0);
    EXPECT_FALSE(m_keyboard->IsPress(DIK_C)) << "snapshots are cleared";
    EXPECT_EQ(testing::CallCount("IDirectInput::CreateDevice"), 2);
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPush(DIK_C)) << "a held key is pushed again after a restart";
}

TEST_F(DirectInputStartTest, UpdateWithoutADeviceChangesNothing) {
    EXPECT_EQ(m_keyboard->Update(), 1);
    const std::uint8_t* before = m_keyboard->GetKeyState();
    EXPECT_EQ(m_keyboard->Update(), 1);
    EXPECT_EQ(m_keyboard->GetKeyState(), before) << "the snapshots are not flipped";
    ASSERT_EQ(Initialize(), 0);
    EXPECT_EQ(m_keyboard->Terminate(), 0);
    EXPECT_EQ(m_keyboard->Terminate(), 0);
    EXPECT_EQ(m_keyboard->Update(), 1);
}

using DirectInputFocusTest = KeyboardTest;

TEST_F(DirectInputFocusTest, LosingTheFocusReadsAllUpUntilItReturns) {
    Press(SDL_SCANCODE_LEFT);
    ASSERT_EQ(Initialize(), 0);
    ASSERT_EQ(m_keyboard->Update(), 0);
    ASSERT_TRUE(m_keyboard->IsPush(DIK_LEFT));

    testing::SimulateDeactivation();
    EXPECT_EQ(m_keyboard->Update(), 1);
    EXPECT_FALSE(m_keyboard->IsPress(DIK_LEFT));
    const int acquiresBefore = testing::CallCount("IDirectInputDevice::Acquire");
    EXPECT_EQ(m_keyboard->Update(), 1);
    EXPECT_EQ(testing::CallCount("IDirectInputDevice::Acquire"), acquiresBefore + 1)
        << "one attempt to acquire per update while in the background";

    // Back in the foreground with the key still held: the host reports it anew.
    testing::SimulateActivation();
    Press(SDL_SCANCODE_LEFT);
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPush(DIK_LEFT)) << "a key held through the loss is pushed once";
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPress(DIK_LEFT));
    EXPECT_FALSE(m_keyboard->IsPush(DIK_LEFT));
}

TEST_F(DirectInputFocusTest, StartedInTheBackgroundItAcquiresOnceActive) {
    testing::SimulateDeactivation();
    ASSERT_EQ(Initialize(), 0);
    EXPECT_EQ(m_keyboard->Update(), 1);
    testing::SimulateActivation();
    Press(SDL_SCANCODE_RIGHT);
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPush(DIK_RIGHT));
}

TEST_F(DirectInputFocusTest, ReadFailureClearsTheSnapshot) {
    Press(SDL_SCANCODE_DOWN);
    ASSERT_EQ(Initialize(), 0);
    ASSERT_EQ(m_keyboard->Update(), 0);
    ASSERT_EQ(m_keyboard->Update(), 0);
    testing::FailNext("IDirectInputDevice::GetDeviceState");
    EXPECT_EQ(m_keyboard->Update(), 1);
    EXPECT_FALSE(m_keyboard->IsPress(DIK_DOWN));
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPush(DIK_DOWN));
}

TEST_F(DirectInputFocusTest, InputLostForeverDoesNotHoldTheFrame) {
    ASSERT_EQ(Initialize(), 0);
    testing::Fault lost;
    lost.operation = "IDirectInputDevice::GetDeviceState";
    lost.times = testing::kAlways;
    lost.hasResult = true;
    lost.result = DIERR_INPUTLOST;
    testing::InjectFault(lost);
    EXPECT_EQ(m_keyboard->Update(), 1);
}

}  // namespace
}  // namespace vorn::test
