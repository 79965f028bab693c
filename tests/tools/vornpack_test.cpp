// The vornpack tool: its commands run as a program on real files, and its archive
// library against the file reader's format.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "archive.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string output;  // standard output and error together
};

// Runs vornpack in `folder` with the arguments (each quoted for the shell).
Outcome RunVornpack(const std::string& folder, const std::vector<std::string>& args) {
    std::string command = "cd '" + folder + "' && '" VORNPACK_PROGRAM "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Outcome outcome{-1, {}};
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, n);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

const std::string kTableUtf8 = "\xE8\xA1\xA8.txt";  // "表.txt"

class Vornpack : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return dir.file(name); }
    vorn::test::TempDir dir;
};

}  // namespace

TEST_F(Vornpack, CreatesListsAndExtractsUnderBaseNames) {
    fs::create_directories(File("in"));
    vorn::test::WriteHostFile(File("in/Nae.BMP"), std::string("BM\0\1", 4));
    vorn::test::WriteHostFile(File("in/" + kTableUtf8), "table");
    ASSERT_EQ(RunVornpack(dir.path(), {"create", "d.dat", "in/Nae.BMP", "in/" + kTableUtf8}).status,
              0);

    // Record names are Shift-JIS base names, in the order given.
    const auto entries = vorn::pack::ParseArchive(vorn::test::ReadHostFile(File("d.dat")));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Nae.BMP");
    EXPECT_EQ(entries[1].name, "\x95\x5C.txt");

    const Outcome list = RunVornpack(dir.path(), {"list", "d.dat"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.output, "Nae.BMP\t4\n" + kTableUtf8 + "\t5\n");

    fs::create_directories(File("one"));
    EXPECT_EQ(RunVornpack(dir.path(), {"extract", "d.dat", "nae.bmp", "-C", "one"}).status, 0);
    EXPECT_EQ(vorn::test::ReadHostFile(File("one/Nae.BMP")), std::string("BM\0\1", 4));
    EXPECT_FALSE(fs::exists(File("one/" + kTableUtf8)));
    fs::create_directories(File("all"));
    EXPECT_EQ(RunVornpack(dir.path(), {"extract", "d.dat", "-C", "all"}).status, 0);
    EXPECT_EQ(vorn::test::ReadHostFile(File("all/" + kTableUtf8)), "table");
}

TEST_F(Vornpack, ScramblesAndUnscrambles) {
    const std::string plain("\x00\x0F\xF0\xA7\xFF hello", 10);
    vorn::test::WriteHostFile(File("plain"), plain);
    ASSERT_EQ(RunVornpack(dir.path(), {"scramble", "plain", "s"}).status, 0);
    const std::string image = vorn::test::ReadHostFile(File("s"));
    EXPECT_EQ(image.substr(0, 4), "VPK1");
    EXPECT_EQ(image[4 + 3], '\0');  // 0xA7 XOR the key is 0, and 0 swapped is 0
    EXPECT_EQ(image[4], '\x7A');    // 0x00 XOR 0xA7 = 0xA7, nibbles swapped
    ASSERT_EQ(RunVornpack(dir.path(), {"unscramble", "s", "back"}).status, 0);
    EXPECT_EQ(vorn::test::ReadHostFile(File("back")), plain);
}

TEST_F(Vornpack, RefusesBadInputWithAClearMessage) {
    vorn::test::WriteHostFile(File("a.bmp"), "a");
    vorn::test::WriteHostFile(File("A.BMP"), "A");
    const std::string longName(32, 'n');
    vorn::test::WriteHostFile(File(longName), "x");
    vorn::test::WriteHostFile(File("not-an-archive"), "hello, world");
    vorn::test::WriteHostFile(File("escape.dat"), vorn::pack::BuildArchive({{"..", "x"}}));
    vorn::test::WriteHostFile(File("cut.dat"),
                              vorn::pack::BuildArchive({{"a", "0123456789"}}).substr(0, 55));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"create", "x.dat", longName}, 1, "at most 31"},
        {{"create", "x.dat", "a.bmp", "A.BMP"}, 1, "share the record name"},
        {{"create", "x.dat", "missing"}, 1, "cannot open missing"},
        {{"list", "not-an-archive"}, 1, "not a pack archive"},
        {{"list", "cut.dat"}, 1, "past the end"},
        {{"extract", "escape.dat"}, 1, "not a plain file name"},
        {{"extract", "cut.dat", "-C"}, 2, "-C needs a folder"},
        {{"unscramble", "a.bmp", "out"}, 1, "no \"VPK1\" marker"},
        {{"scramble", "a.bmp"}, 2, "usage:"},
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "usage:"},
        {{"--help"}, 0, "vornpack extract ARCHIVE.dat"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunVornpack(dir.path(), c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(outcome.status, c.status) << what << ": " << outcome.output;
        EXPECT_NE(outcome.output.find(c.message), std::string::npos)
            << what << ": " << outcome.output;
    }
    EXPECT_FALSE(fs::exists(File("x.dat")));
}

TEST(VornpackLibrary, ArchivesRoundTripAndNamesAreChecked) {
    const std::vector<vorn::pack::Entry> entries = {
        {"a", ""}, {std::string(31, 'n'), std::string("\0\1\2", 3)}, {"a", "again"}};
    const std::string archive = vorn::pack::BuildArchive(entries);
    EXPECT_EQ(archive.substr(0, 12), std::string("vornpack\x03\0\0\0", 12));
    const auto parsed = vorn::pack::ParseArchive(archive);
    ASSERT_EQ(parsed.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(parsed[i].name, entries[i].name);
        EXPECT_EQ(parsed[i].data, entries[i].data);
    }
    EXPECT_THROW(vorn::pack::BuildArchive({{std::string(32, 'n'), ""}}), vorn::pack::FormatError);
    EXPECT_THROW(vorn::pack::BuildArchive({{"", ""}}), vorn::pack::FormatError);
    EXPECT_THROW(vorn::pack::BuildArchive({{std::string("a\0b", 3), ""}}), vorn::pack::FormatError);
    EXPECT_EQ(vorn::pack::UnscrambleImage("VPK1"), "");
}
