// The frame's keyboard at start-up, over a whole program's life in a child process: a
// keyboard that cannot start ends the program after its two dialogs (written to standard
// error without a display), one that starts lets the game run.
#include <gtest/gtest.h>

#include <string>

#include "support/child_process.h"

namespace vorn::test {
namespace {

const std::string kProgram = VORN_BINARY_DIR "/tests/programs/keyboard_start";

// Literals are Shift-JIS in this program; the host writes UTF-8.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(KeyboardStart, KeyboardThatCannotStartEndsTheProgramAfterTwoDialogs) {
    struct Case {
        const char* failing;
        const char8_t* lastMessage;
    };
    const Case cases[] = {
        {"IDirectInput::Initialize", u8"DirectInputが初期化できない"},
        {"IDirectInput::CreateDevice", u8"DirectInputの初期化CreateDeviceに失敗"},
        {"IDirectInputDevice::SetCooperativeLevel",
         u8"DirectInputの初期化SetCooperativeLevelに失敗"},
    };
    for (const Case& c : cases) {
        const ChildResult run = RunChild({kProgram, "--headless", c.failing});
        EXPECT_EQ(run.exitCode, 0) << c.failing;
        EXPECT_EQ(run.out, "") << "the game never runs: " << c.failing;
        EXPECT_EQ(run.err,
                  Utf8(u8"DirectInputの初期化エラー: ") + Utf8(c.lastMessage) + "\n" +
                      Utf8(u8"問題発生: DirectX3以降が正常にセットアップされていないのでは？\n"));
    }
}

TEST(KeyboardStart, GameRunsWithAKeyboardFromEitherSource) {
    // The display asks the component library first, the keyboard second: from the second
    // call on, the keyboard has to load the input library itself.
    for (const char* failing : {"", "CoCreateInstance@2"}) {
        const ChildResult run = RunChild({kProgram, "--headless", failing});
        EXPECT_EQ(run.exitCode, 0) << failing;
        EXPECT_EQ(run.out, "running\n") << failing;
        EXPECT_EQ(run.err, "") << failing;
    }
}

}  // namespace
}  // namespace vorn::test
