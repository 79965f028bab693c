// The path rules: parent paths, full paths against the base folder, the base folder.
#include "files/path.h"

#include <gtest/gtest.h>

namespace {

// "表" and "ソ" are 0x95 0x5C and 0x83 0x5C in Shift-JIS: their trail byte is a backslash.
const std::string kTable = "\x95\x5C";
const std::string kSo = "\x83\x5C";

class BaseFolder : public ::testing::Test {
protected:
    void TearDown() override { SetBaseFolder(""); }
};

}  // namespace

TEST(GetParentPath, CutsTheLastComponentAtRealSeparators) {
    struct Case {
        std::string path, expected;
        int result;
    } cases[] = {
        {"C:/a/b/", "C:/a/", 0},
        {"C:/a/b.bmp", "C:/a/", 0},
        {"C:\\a\\b", "C:\\a\\", 0},
        {"C:/a", "C:/a", 1},
        {"C:/", "C:/", 1},
        {"", "", 1},
        {"\\\\server\\share", "\\\\server\\share", 1},  // the leading pair never counts
        {"\\\\server\\share\\x", "\\\\server\\share\\", 0},
        {"C:\\" + kTable + kSo + "\\x.bmp", "C:\\" + kTable + kSo + "\\", 0},
        {"C:\\" + kTable + kSo + "\\", "C:\\", 0},
        {"C:\\a\\" + kTable, "C:\\a\\", 0},
        {"C:\\a\\b\x81", "C:\\a\\", 0},  // a lead byte at the very end
    };
    for (Case c : cases) {
        std::string path = c.path;
        EXPECT_EQ(GetParentPath(path), c.result) << c.path;
        EXPECT_EQ(path, c.expected) << c.path;
    }
}

TEST_F(BaseFolder, MakeFullPathResolvesLeadingParentStepsOnly) {
    struct Case {
        const char* base;
        std::string name, expected;
    } cases[] = {
        {"C:/game/sub/", "x.bmp", "C:/game/sub/x.bmp"},
        {"C:/game/sub/", "../x.bmp", "C:/game/x.bmp"},
        {"C:/game/sub/", "..\\x.bmp", "C:/game/x.bmp"},
        {"C:/game/sub/", "../../x.bmp", "C:/x.bmp"},
        {"C:/game/sub/", "../../../x.bmp", "C:/x.bmp"},  // never above the root
        {"C:/", "../x.bmp", "C:/x.bmp"},
        {"C:/game/", "a/../x.bmp", "C:/game/a/../x.bmp"},
        {"C:/game/", "./x.bmp", "C:/game/./x.bmp"},
        {"C:/game/", "D:/x.bmp", "D:/x.bmp"},
        {"C:/game/", "\\\\server\\x.bmp", "\\\\server\\x.bmp"},
        {"\\work\\game\\", "\\work\\x.bmp", "\\work\\x.bmp"},  // full host paths begin at the root
        {"\\work\\game\\", "../x.bmp", "\\work\\x.bmp"},
        {"", "x.bmp", "x.bmp"},
    };
    for (const Case& c : cases) {
        SetBaseFolder(c.base);
        EXPECT_EQ(MakeFullPath(c.name), c.expected) << c.base << " + " << c.name;
    }
}

TEST_F(BaseFolder, SetBaseFolderEndsTheFolderWithOneSeparator) {
    const std::string doubleByteFolder = "C:\\" + kTable;
    struct Case {
        const char* text;
        std::string expected;
    } cases[] = {
        {"C:/game", "C:/game\\"},
        {"C:/", "C:/"},
        {"C:\\game\\", "C:\\game\\"},
        {"\"C:\\game\\play.exe\"", "C:\\game\\"},
        {"\"C:\\game", "C:\\game\\"},  // quoted but no extension: a folder
        {"\"", ""},
        {"", ""},
        {nullptr, ""},
        // A folder ending in a character whose trail byte is a backslash still gets one.
        {doubleByteFolder.c_str(), doubleByteFolder + "\\"},
    };
    for (const Case& c : cases) {
        SetBaseFolder(c.text);
        EXPECT_EQ(GetBaseFolder(), c.expected) << (c.text ? c.text : "(null)");
    }
}

TEST(ToLowerString, LowersAsciiLettersOnly) {
    std::string text = "Data/NAE.Bmp\x82\x60\x83\x41@[Z]";
    ToLowerString(text);
    EXPECT_EQ(text, "data/nae.bmp\x82\x60\x83\x61@[z]");  // trail bytes are bytes like any other
}
