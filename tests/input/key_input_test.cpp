// The key-device contract as games see it: held and pushed across Update calls, on the
// real keyboard fed with host key events, and the held-byte rule of each kind of device.
#include <gtest/gtest.h>

#include <cstring>

#include "keyboard_fixture.h"
#include "sdk/input/key_input.h"

namespace vorn::test {
namespace {

struct Step {
    const char* what;
    int action;  // +1 press, -1 release, 0 nothing, before the Update
    bool press;  // expected IsPress(DIK_SPACE) after it
    bool push;   // expected IsPush(DIK_SPACE) after it
};

using KeyInputTest = KeyboardTest;

TEST_F(KeyInputTest, PressAndPushFollowTheSnapshotsOfUpdate) {
    ASSERT_EQ(Initialize(), 0);
    EXPECT_FALSE(m_keyboard->IsPress(DIK_SPACE));
    EXPECT_FALSE(m_keyboard->IsPush(DIK_SPACE));
    const Step steps[] = {
        {"up at the first update", 0, false, false},
        {"held at an update", +1, true, true},
        {"still held", 0, true, false},
        {"released", -1, false, false},
        {"pressed again", +1, true, true},
        {"second update within the frame", 0, true, false},
    };
    for (const Step& step : steps) {
        if (step.action > 0) Press(SDL_SCANCODE_SPACE);
        if (step.action < 0) Release(SDL_SCANCODE_SPACE);
        ASSERT_EQ(m_keyboard->Update(), 0) << step.what;
        EXPECT_EQ(m_keyboard->IsPress(DIK_SPACE), step.press) << step.what;
        EXPECT_EQ(m_keyboard->IsPush(DIK_SPACE), step.push) << step.what;
        EXPECT_FALSE(m_keyboard->IsPress(DIK_C)) << step.what;
    }
}

TEST_F(KeyInputTest, KeyHeldAtTheFirstUpdateIsPushed) {
    Press(SDL_SCANCODE_B);
    ASSERT_EQ(Initialize(), 0);
    ASSERT_EQ(m_keyboard->Update(), 0);
    EXPECT_TRUE(m_keyboard->IsPress(DIK_B));
    EXPECT_TRUE(m_keyboard->IsPush(DIK_B));
    EXPECT_EQ(m_keyboard->GetKeyState()[DIK_B], 0x80);
}

// A keyboard whose snapshot bytes a test writes, to show which bits mean held.
class RawKeyboard : public CDirectInput {
public:
    void Write(int key, std::uint8_t latest, std::uint8_t previous) {
        m_byKeyState[m_nCurrent][key] = latest;
        m_byKeyState[1 - m_nCurrent][key] = previous;
    }
};

// A device of the kind that holds other values than 0x80 (a velocity, a button).
class ValueKeys : public CKeyInput {
public:
    int Update() override {
        std::memcpy(FlipSnapshot(), next, sizeof next);
        return 0;
    }
    std::uint8_t next[256] = {};
};

TEST(KeyInputBits, OnlyBitSevenMeansHeldOnTheKeyboard) {
    RawKeyboard keyboard;
    keyboard.Write(10, 0x7F, 0);
    EXPECT_FALSE(keyboard.IsPress(10));
    EXPECT_FALSE(keyboard.IsPush(10));
    keyboard.Write(10, 0x80, 0x7F);
    EXPECT_TRUE(keyboard.IsPress(10));
    EXPECT_TRUE(keyboard.IsPush(10)) << "0x7F before is not held";
    keyboard.Write(10, 0x81, 0x80);
    EXPECT_TRUE(keyboard.IsPress(10));
    EXPECT_FALSE(keyboard.IsPush(10));
}

TEST(KeyInputBits, AnyNonZeroByteMeansHeldOnOtherDevices) {
    ValueKeys keys;
    keys.next[60] = 1;
    keys.Update();
    EXPECT_TRUE(keys.IsPress(60));
    EXPECT_TRUE(keys.IsPush(60));
    keys.next[60] = 0x7F;
    keys.Update();
    EXPECT_TRUE(keys.IsPress(60));
    EXPECT_FALSE(keys.IsPush(60));
    EXPECT_EQ(keys.GetKeyState()[60], 0x7F);
}

}  // namespace
}  // namespace vorn::test
