// The host options: taken out of the command line, malformed ones refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host/host.h"

namespace {

struct CommandLine {
    std::vector<std::string> words;
    std::vector<char*> argv;
    int argc = 0;
    explicit CommandLine(std::vector<std::string> all) : words(std::move(all)) {
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        argc = static_cast<int>(words.size());
    }
    std::vector<std::string> Rest() const { return {argv.begin(), argv.begin() + argc}; }
};

class HostOptions : public ::testing::Test {
protected:
    void TearDown() override { vorn::host::GetOptions() = {}; }
};

TEST_F(HostOptions, AreTakenOutAndTheGameArgumentsStayInOrder) {
    CommandLine line({"game", "-x", "--frames", "12", "--headless", "level1", "--seconds", "2.5",
                      "--screenshot", "out.png", "--report"});
    ASSERT_TRUE(vorn::host::ParseOptions(line.argc, line.argv.data()));
    EXPECT_EQ(line.Rest(), (std::vector<std::string>{"game", "-x", "level1"}));
    EXPECT_EQ(line.argv[line.argc], nullptr);
    const auto& options = vorn::host::GetOptions();
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frames, 12);
    EXPECT_DOUBLE_EQ(options.seconds, 2.5);
    EXPECT_EQ(options.screenshot, "out.png");
    EXPECT_TRUE(options.report);
}

TEST_F(HostOptions, MalformedValuesAreRefused) {
    for (const char* bad : {"--frames x", "--frames -1", "--frames", "--seconds nan",
                            "--seconds 1e999", "--seconds -2", "--screenshot"}) {
        std::vector<std::string> words{"game"};
        std::string text = bad;
        for (std::size_t at; (at = text.find(' ')) != std::string::npos; text.erase(0, at + 1))
            words.push_back(text.substr(0, at));
        words.push_back(text);
        CommandLine line(words);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(vorn::host::ParseOptions(line.argc, line.argv.data())) << bad;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("usage:"), std::string::npos);
    }
}

}  // namespace
