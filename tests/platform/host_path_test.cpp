// The mapping of system names onto host paths: separators, lead bytes, drive letters
// and the case-insensitive lookup.
#include "platform/kernel/host_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

using vorn::platform::HostPath;
using vorn::platform::SystemPathOfHost;

namespace {

// The system name of a host folder (ASCII temporary folders only).
std::string SystemName(const std::string& hostPath) {
    std::string name = hostPath;
    for (char& c : name)
        if (c == '/') c = '\\';
    return name;
}

}  // namespace

TEST(HostPath, FindsEntriesByExactOrUniqueCaseInsensitiveName) {
    vorn::test::TempDir dir;
    std::filesystem::create_directories(dir.file("Data/sub"));
    vorn::test::WriteHostFile(dir.file("Data/sub/Nae.bmp"), "x");
    vorn::test::WriteHostFile(dir.file("Data/twin.txt"), "1");
    vorn::test::WriteHostFile(dir.file("Data/TWIN.txt"), "2");
    // "表" is 0x95 0x5C in Shift-JIS: its second byte must not split the name.
    std::filesystem::create_directories(dir.file("\xE8\xA1\xA8"));
    vorn::test::WriteHostFile(dir.file("\xE8\xA1\xA8/x.txt"), "3");

    const std::string base = SystemName(dir.path());
    struct Case {
        std::string name;      // system name below the folder
        std::string expected;  // host path below the folder
    } cases[] = {
        {"\\Data\\sub\\Nae.bmp", "/Data/sub/Nae.bmp"},
        {"\\DATA\\SUB\\NAE.BMP", "/Data/sub/Nae.bmp"},
        {"/data/sub/nae.bmp", "/Data/sub/Nae.bmp"},
        {"\\data\\Twin.txt", "/Data/Twin.txt"},  // ambiguous: left as written
        {"\\data\\twin.txt", "/Data/twin.txt"},  // exact wins over the ambiguity
        {"\\DATA\\missing\\NAE.BMP", "/Data/missing/NAE.BMP"},
        {"\\\x95\x5C\\x.txt", "/\xE8\xA1\xA8/x.txt"},
        {"\\\\Data\\\\sub\\nae.bmp", "/Data/sub/Nae.bmp"},  // doubled separators
        {"\\Data\\.\\sub\\..\\sub\\nae.bmp", "/Data/./sub/../sub/Nae.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HostPath((base + c.name).c_str()), dir.path() + c.expected) << c.name;
}

TEST(HostPath, MapsDriveLettersAndRelativeNames) {
    EXPECT_EQ(HostPath("C:\\"), "/");
    EXPECT_EQ(HostPath("c:/no-such-folder/x"), "/no-such-folder/x");
    EXPECT_EQ(HostPath("C:no-such-file"), "no-such-file");
    EXPECT_EQ(HostPath("no-such\\file"), "no-such/file");
    EXPECT_EQ(HostPath(""), "");
    EXPECT_EQ(HostPath(nullptr), "");
}

TEST(HostPath, NeverPassesABackslashToTheHost) {
    // Lone lead bytes, lead bytes before a separator, and invalid pairs.
    const char* names[] = {"a\\b",         "\x81\\b",      "\x95\\",
                           "\x81\x5C\x5C", "\xFF\x5C\x81", "\\\x85\x5C"};
    for (const char* name : names) EXPECT_EQ(HostPath(name).find('\\'), std::string::npos) << name;
}

TEST(HostPath, PresentsHostPathsWithBackslashes) {
    EXPECT_EQ(SystemPathOfHost("/work/x/build"), "\\work\\x\\build");
    EXPECT_EQ(SystemPathOfHost("/"), "\\");
    EXPECT_EQ(SystemPathOfHost("/\xE8\xA1\xA8/a"), "\\\x95\x5C\\a");
    EXPECT_EQ(SystemPathOfHost("rel/x"), "rel\\x");
}
