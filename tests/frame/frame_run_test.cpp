// The frame's whole life, run in child processes of the probe program (the frame is one
// object per process): the callback protocol through the real message loop, closing,
// pausing, start-up failures, the single-instance check and the host options.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/test_support.h"

namespace {

using vorn::test::Child;
using vorn::test::ChildResult;
using vorn::test::RunChild;
using vorn::test::Utf8;

const std::string kProbe = VORN_BINARY_DIR "/tests/programs/frame_probe";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

ChildResult Probe(std::vector<std::string> words, const std::string& folder = "") {
    words.insert(words.begin(), {kProbe, "--headless"});
    return RunChild(words, folder);
}

TEST(FrameRun, CallbackProtocolInitOnceEndOnceAndNothingAfterQuit) {
    const ChildResult run = Probe({"protocol"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "first init",
                                  "first end",
                                  "second init",
                                  "second frame 1 presented 0",
                                  "second frame 2 presented 1",
                                  "second frame 3 presented 2",
                                  "second end presented since quit 0",
                              }));
}

TEST(FrameRun, QueryCloseCancelsOneCloseAndTheFramesGoOn) {
    const ChildResult run = Probe({"queryclose"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "frame 1 quitting 0 visible 1",
                                  "frame 2 quitting 0 visible 1",
                                  "query 1",
                                  "frame 3 quitting 0 visible 1",
                                  "frame 4 quitting 0 visible 1",
                                  "query 2",
                                  "end",
                              }));
}

TEST(FrameRun, DeactivationPausesWithoutFramesUntilActivation) {
    const ChildResult run = Probe({"pause"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "frame 1 presented 0",
                                  "frame 2 presented 1",
                                  "deactivate",
                                  "activateapp 0 paused 1",
                                  "activate",
                                  "activateapp 1 paused 0",
                                  // the pause screen was shown once in between
                                  "frame 3 presented 3",
                                  "frame 4 presented 4",
                                  "end",
                              }));
}

TEST(FrameRun, WithoutACallbackFramesArePacedAndPresentedUntilClosed) {
    const ChildResult run = Probe({"--frames", "5", "--report", "nocallback"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("report: 5 frames in ", 0), 0u) << run.out;
}

TEST(FrameRun, HostOptionsCloseTheWindowAfterFramesOrSeconds) {
    ChildResult run = Probe({"--frames", "3", "counting"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{"end after 3 frames"}));

    run = Probe({"--seconds", "0.5", "--report", "counting"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    int frames = 0, reported = 0;
    double seconds = 0, fps = 0;
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "end after %d frames", &frames), 1);
    ASSERT_EQ(std::sscanf(lines[1].c_str(), "report: %d frames in %lf s, %lf fps", &reported,
                          &seconds, &fps),
              3)
        << lines[1];
    EXPECT_EQ(reported, frames);
    EXPECT_GE(seconds, 0.5);
    // Paced at 60 frames per second: at most 30 in half a second (start-up takes part
    // of it, more so on a busy machine).
    EXPECT_GE(frames, 1);
    EXPECT_LE(frames, 31);
}

TEST(FrameRun, ScreenshotKeepsTheLastFrame) {
    vorn::test::TempDir folder;
    const ChildResult run =
        Probe({"--frames", "2", "--screenshot", folder.file("shot.png"), "counting"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string png = vorn::test::ReadHostFile(folder.file("shot.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(FrameRun, QuitDuringSetupEndsBeforeTheWindow) {
    const ChildResult run = Probe({"--report", "setupquit"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0], "setup");
    EXPECT_EQ(lines[1].rfind("report: 0 frames in ", 0), 0u) << lines[1];
}

TEST(FrameRun, WindowFailuresAreLoggedAndShownThenTheProgramEnds) {
    struct Case {
        const char* scenario;
        const char* windowReport;
    };
    for (const Case& c : {Case{"registerfail", "CGameWindow::CreateWindow()のRegisterClass失敗"},
                          Case{"createfail", "CGameWindowでCreateWindowに失敗。"}}) {
        vorn::test::TempDir folder;
        const ChildResult run = Probe({c.scenario}, folder.path());
        EXPECT_EQ(run.exitCode, 0) << c.scenario;
        EXPECT_EQ(run.out, "") << c.scenario;
        // Without a display the message box is written to standard error.
        EXPECT_NE(run.err.find(vorn::test::Utf8(u8"CreateWindowに失敗: 再起動すればなおるかも？")),
                  std::string::npos)
            << run.err;
        const auto log = Lines(vorn::test::ReadHostFile(folder.file("ErrorLog.txt")));
        ASSERT_EQ(log.size(), 2u) << c.scenario;
        EXPECT_NE(log[0].find(c.windowReport), std::string::npos) << log[0];
        EXPECT_NE(log[1].find("CGameFrame::CreateWindowに失敗"), std::string::npos) << log[1];
    }
}

TEST(FrameRun, ADisplayThatCannotStartIsShownInTwoDialogsThenTheProgramEnds) {
    const ChildResult run = Probe({"displayfail"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    // The first dialog shows the display's last report.
    const std::string first =
        Utf8(u8"DirectDrawの初期化エラー: BeginChangeDisplay～EndChangeDisplayに失敗");
    const std::string second =
        Utf8(u8"問題発生: DirectX3以降が正常にセットアップされていないのでは？");
    const auto at = run.err.find(first);
    ASSERT_NE(at, std::string::npos) << run.err;
    EXPECT_NE(run.err.find(second, at), std::string::npos) << run.err;
}

TEST(FrameRun, MaximisingGoesFullScreenAndADialogShowsTheCursor) {
    const ChildResult run = Probe({"display"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "frame 1 mode 1 bits 32 flipping 0 cursor 0",
                                  "frame 2 mode 0 bits 16 flipping 1 cursor -1",
                                  "after dialog cursor 0",
                              }));
}

// A second copy of one program ends silently and brings the first copy's window
// forward: the first, hidden and inactive, comes back visible and active.
void ExpectSecondCopyDefersToTheFirst(const std::string& first, const std::string& second) {
    const std::string tag = std::to_string(getpid()) + "-" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Child running({first, "--headless", "instance", tag});
    ASSERT_EQ(running.ReadLine(), "ready");
    const ChildResult copy = RunChild({second, "--headless", "instance", tag});
    EXPECT_EQ(copy.exitCode, 0);
    EXPECT_EQ(copy.out, "");
    EXPECT_EQ(copy.err, "");
    EXPECT_EQ(running.ReadLine(), "activateapp 0 paused 1");
    EXPECT_EQ(running.ReadLine(), "activateapp 1 paused 0");
    EXPECT_EQ(running.ReadLine(), "resumed visible 1");
    const ChildResult end = running.Finish();
    EXPECT_EQ(end.exitCode, 0) << end.err;
}

TEST(FrameRun, ASecondCopyEndsSilentlyAndBringsTheFirstForward) {
    ExpectSecondCopyDefersToTheFirst(kProbe, kProbe);
}

TEST(FrameRun, CopiesWhosePathsDifferOnlyPast259BytesCountAsOneProgram) {
    vorn::test::TempDir folder;
    const std::string common =
        folder.path() + "/" + std::string(200, 'a') + "/" + std::string(120, 'b');
    const std::string first = common + "1/frame_probe";
    const std::string second = common + "2/frame_probe";
    for (const std::string& copy : {first, second}) {
        std::filesystem::create_directories(std::filesystem::path(copy).parent_path());
        std::filesystem::copy_file(kProbe, copy);
    }
    ASSERT_GT(first.size(), 300u);
    ExpectSecondCopyDefersToTheFirst(first, second);
}

}  // namespace
