// The file reader: plain files, pack archives built with the archive tool's library,
// scrambled images, bad archives, and every result code through injected faults.
#include "files/file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive.h"
#include "files/path.h"
#include "platform/testing/testing.h"
#include "support/test_support.h"

using vorn::pack::BuildArchive;
using vorn::pack::Entry;
using vorn::pack::ScrambleImage;

namespace {

// Open file descriptors of this process: a failed read must leave none behind.
int OpenDescriptors() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

std::string Content(const CFileReader& reader) {
    return std::string(reinterpret_cast<const char*>(reader.GetMemory()), reader.GetSize());
}

class FileReader : public ::testing::Test {
protected:
    void SetUp() override {
        vorn::testing::ClearFaults();
        std::filesystem::create_directories(dir.file("data"));
        SetBaseFolder(dir.path().c_str());
    }
    void TearDown() override {
        vorn::testing::ClearFaults();
        SetBaseFolder("");
    }
    void WriteArchive(const std::string& name, const std::vector<Entry>& entries) {
        vorn::test::WriteHostFile(dir.file(name), BuildArchive(entries));
    }
    // Reads and checks the result; on success returns the content.
    std::string ReadExpecting(const std::string& name, int expected) {
        const int before = OpenDescriptors();
        const int result = reader.Read(name);
        EXPECT_EQ(result, expected) << name;
        EXPECT_EQ(OpenDescriptors(), before) << name << ": a handle stayed open";
        if (result != 0) {
            EXPECT_EQ(reader.GetMemory(), nullptr);
            EXPECT_EQ(reader.GetSize(), 0u);
            return {};
        }
        return Content(reader);
    }

    vorn::test::TempDir dir;
    CFileReader reader;
};

}  // namespace

TEST_F(FileReader, PrefersThePlainFileAndFallsBackToTheFoldersArchive) {
    vorn::test::WriteHostFile(dir.file("data/both.bmp"), "plain");
    WriteArchive("data.dat", {{"both.bmp", "packed"},
                              {"Nae.Bmp", "nae"},
                              {"twice", "first"},
                              {"twice", "second"},
                              {"\x95\x5C.bmp", "table"}});
    EXPECT_EQ(ReadExpecting("data/both.bmp", 0), "plain");
    EXPECT_EQ(ReadExpecting("data/nae.bmp", 0), "nae");
    EXPECT_EQ(ReadExpecting("DATA\\NAE.BMP", 0), "nae");  // Data.dat found whatever its case
    EXPECT_EQ(ReadExpecting("data/twice", 0), "first");
    // A name whose double-byte character ends in the backslash code is still split at
    // its real separator.
    EXPECT_EQ(ReadExpecting("data\\\x95\x5C.bmp", 0), "table");
    ReadExpecting("data/missing.bmp", 1);
    ReadExpecting("nodata/nae.bmp", 1);
    ReadExpecting("C:nae.bmp", 1);  // no folder, no archive
}

TEST_F(FileReader, ResolvesParentStepsAgainstTheBaseFolder) {
    std::filesystem::create_directories(dir.file("game/sub"));
    vorn::test::WriteHostFile(dir.file("game/x.bmp"), "up one");
    SetBaseFolder((dir.path() + "/game/sub").c_str());
    EXPECT_EQ(ReadExpecting("../x.bmp", 0), "up one");
    EXPECT_EQ(ReadExpecting("..\\..\\game\\x.bmp", 0), "up one");
}

TEST_F(FileReader, UnscramblesImagesInFilesAndArchives) {
    const std::string plain("BM\x00\xFF\xA7\x7A", 6);
    vorn::test::WriteHostFile(dir.file("data/s.bmp"), ScrambleImage(plain));
    vorn::test::WriteHostFile(dir.file("data/marker.bin"), "VPK1");
    vorn::test::WriteHostFile(dir.file("data/other.bin"), "VPK2abc");
    vorn::test::WriteHostFile(dir.file("data/empty.bin"), "");
    WriteArchive("data.dat", {{"packed.bmp", ScrambleImage(plain)}});
    struct Case {
        const char* name;
        std::string content;
    } cases[] = {
        {"data/s.bmp", plain},         {"data/packed.bmp", plain}, {"data/marker.bin", ""},
        {"data/other.bin", "VPK2abc"}, {"data/empty.bin", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadExpecting(c.name, 0), c.content) << c.name;
    reader.Close();
    EXPECT_EQ(reader.GetMemory(), nullptr);
    EXPECT_EQ(reader.GetSize(), 0u);
}

TEST_F(FileReader, SuffixIsWhatFollowsTheLastDotOfTheNameAsGiven) {
    vorn::test::WriteHostFile(dir.file("data/title.jpg"), "j");
    struct Case {
        const char* name;
        const char* suffix;
    } cases[] = {{"data/title.jpg", "jpg"}, {"data/none", ""}, {"a.b/c", "b/c"}, {"x.", ""}};
    for (const Case& c : cases) {
        reader.Read(c.name);
        EXPECT_EQ(reader.GetSuffix(), c.suffix) << c.name;
    }
}

TEST_F(FileReader, RefusesBadArchivesCleanly) {
    std::string good = BuildArchive({{"a.bmp", "0123456789"}});
    auto patched = [&](std::size_t at, std::string bytes) {
        std::string archive = good;
        archive.replace(at, bytes.size(), bytes);
        return archive;
    };
    const std::size_t offsetField = 12 + 32;
    struct Case {
        const char* what;
        std::string archive;
        int result;
    } cases[] = {
        {"wrong magic", patched(0, "vornpacK"), 1},
        {"no records", patched(8, std::string(4, '\0')), 1},
        {"too short for its header", good.substr(0, 10), 1},
        {"more records than it holds", BuildArchive({{"b.bmp", ""}}).replace(8, 1, "\x02"), 1},
        {"name without a terminator", patched(12, std::string(32, 'a')), 1},
        {"entry cut short", good.substr(0, good.size() - 1), 4},
        {"offset past the end", patched(offsetField, std::string("\xFF\x00\x00\x00", 4)), 4},
        {"size past the end", patched(offsetField + 4, std::string("\x0B\x00\x00\x00", 4)), 4},
        {"offset and size wrap 32 bits", patched(offsetField, std::string("\xF8\xFF\xFF\xFF", 4)),
         4},
        {"huge size", patched(offsetField + 4, std::string("\xFF\xFF\xFF\xFF", 4)), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vorn::test::WriteHostFile(dir.file("data.dat"), c.archive);
        ReadExpecting("data/a.bmp", c.result);
    }
}

TEST_F(FileReader, EveryFailingStepHasItsResultAndLeavesNothingOpen) {
    vorn::test::WriteHostFile(dir.file("data/plain.bmp"), "plain");
    WriteArchive("data.dat", {{"other", "x"}, {"packed.bmp", "packed"}});
    struct Case {
        const char* name;
        const char* operation;
        int fromCall;
        int result;
    } cases[] = {
        {"data/plain.bmp", "CreateFileA", 1, 1},  // and then the archive has no such record
        {"data/plain.bmp", "GetFileSize", 1, 2},     {"data/plain.bmp", "GlobalAlloc", 1, 3},
        {"data/plain.bmp", "ReadFile", 1, 4},        {"data/plain.bmp", "CloseHandle", 1, 5},
        {"data/packed.bmp", "CreateFileA", 2, 1},  // the archive does not open
        {"data/packed.bmp", "ReadFile", 1, 1},     // the magic
        {"data/packed.bmp", "ReadFile", 2, 1},     // the record count
        {"data/packed.bmp", "ReadFile", 4, 1},     // the second record
        {"data/packed.bmp", "SetFilePointer", 1, 1}, {"data/packed.bmp", "GlobalAlloc", 1, 3},
        {"data/packed.bmp", "ReadFile", 5, 4},  // the entry's data
        {"data/packed.bmp", "CloseHandle", 1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.operation + " #" + std::to_string(c.fromCall));
        ASSERT_EQ(reader.Read("data/plain.bmp"), 0);  // a failure also drops earlier content
        vorn::testing::ClearFaults();
        vorn::testing::Fault fault;
        fault.operation = c.operation;
        fault.fromCall = c.fromCall;
        vorn::testing::InjectFault(fault);
        ReadExpecting(c.name, c.result);
        vorn::testing::ClearFaults();
    }
    EXPECT_EQ(ReadExpecting("data/packed.bmp", 0), "packed");
}
