// Host keys reach games as the keyboard's scan codes, by physical position.
#include <gtest/gtest.h>

#include <set>

#include "keyboard_device_fixture.h"
#include "platform/dinput/scancode_table.h"

namespace vorn::test {
namespace {

struct KeyCase {
    SDL_Scancode host;
    int dik;
};

// The keys the samples read, then a sample of every group of the table.
const KeyCase kKeys[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_A, DIK_A},
    {SDL_SCANCODE_Z, DIK_Z},
    {SDL_SCANCODE_1, DIK_1},
    {SDL_SCANCODE_0, DIK_0},
    {SDL_SCANCODE_RETURN, DIK_RETURN},
    {SDL_SCANCODE_SLASH, DIK_SLASH},
    {SDL_SCANCODE_F1, DIK_F1},
    {SDL_SCANCODE_F12, DIK_F12},
    {SDL_SCANCODE_LSHIFT, DIK_LSHIFT},
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT},
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL},
    {SDL_SCANCODE_RCTRL, DIK_RCONTROL},
    {SDL_SCANCODE_LALT, DIK_LMENU},
    {SDL_SCANCODE_RALT, DIK_RMENU},
    {SDL_SCANCODE_HOME, DIK_HOME},
    {SDL_SCANCODE_PAGEDOWN, DIK_NEXT},
    {SDL_SCANCODE_INSERT, DIK_INSERT},
    {SDL_SCANCODE_DELETE, DIK_DELETE},
    {SDL_SCANCODE_KP_0, DIK_NUMPAD0},
    {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER},
    {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE},
    {SDL_SCANCODE_KP_PLUS, DIK_ADD},
    {SDL_SCANCODE_INTERNATIONAL1, DIK_ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL2, DIK_KANA},
    {SDL_SCANCODE_INTERNATIONAL3, DIK_YEN},
    {SDL_SCANCODE_INTERNATIONAL4, DIK_CONVERT},
    {SDL_SCANCODE_INTERNATIONAL5, DIK_NOCONVERT},
    {SDL_SCANCODE_LANG5, DIK_KANJI},
};

using ScancodeTableTest = KeyboardDeviceTest;

TEST_F(ScancodeTableTest, HostKeysReadAsTheirScanCodesAlone) {
    Ready();
    ASSERT_EQ(m_device->Acquire(), DI_OK);
    for (const KeyCase& key : kKeys) {
        testing::InjectKey(key.host, true);
        ASSERT_EQ(m_device->GetDeviceState(256, m_state), DI_OK);
        for (int k = 0; k < 256; ++k)
            ASSERT_EQ(m_state[k], k == key.dik ? 0x80 : 0)
                << SDL_GetScancodeName(key.host) << " at scan code " << k;
        testing::InjectKey(key.host, false);
    }
}

TEST(ScancodeTable, EveryHostKeyHasOneScanCode) {
    std::set<int> seen;
    for (int i = 0; i < platform::kScancodeTableSize; ++i) {
        const auto& entry = platform::kScancodeTable[i];
        EXPECT_TRUE(seen.insert(entry.hostScancode).second)
            << SDL_GetScancodeName(static_cast<SDL_Scancode>(entry.hostScancode)) << " twice";
        EXPECT_NE(entry.dik, 0);
        EXPECT_GT(entry.hostScancode, SDL_SCANCODE_UNKNOWN);
        EXPECT_LT(entry.hostScancode, SDL_NUM_SCANCODES);
    }
}

}  // namespace
}  // namespace vorn::test
