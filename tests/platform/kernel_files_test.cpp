// Files through the kernel's operations: opening, reading, writing, seeking, closing,
// appending, and the failures that the SDK must survive.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/testing/testing.h"
#include "platform/windows.h"
#include "support/test_support.h"

namespace {

HANDLE Open(const std::string& name, DWORD access, DWORD disposition) {
    return CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class KernelFiles : public ::testing::Test {
protected:
    void SetUp() override { vorn::testing::ClearFaults(); }
    void TearDown() override { vorn::testing::ClearFaults(); }
    vorn::test::TempDir dir;
};

}  // namespace

TEST_F(KernelFiles, WritesReadsSeeksAndSizes) {
    HANDLE file = Open(dir.file("f.bin"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, "0123456789", 10, &written, nullptr));
    EXPECT_EQ(written, 10u);
    DWORD high = 99;
    EXPECT_EQ(GetFileSize(file, &high), 10u);
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    EXPECT_EQ(SetFilePointer(file, -2, nullptr, FILE_CURRENT), 2u);
    char buffer[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file, buffer, 16, &read, nullptr));  // stops at the end of the file
    EXPECT_EQ(std::string(buffer, read), "23456789");
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));  // already closed
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(Open(dir.file("f.bin"), GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST_F(KernelFiles, AppendsWithOpenAlwaysAndNeverTruncates) {
    const std::string name = dir.file("log.txt");
    for (const char* line : {"one\n", "two\n"}) {
        HANDLE file = Open(name, FILE_APPEND_DATA, OPEN_ALWAYS);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(),
                  static_cast<DWORD>(line[0] == 'o' ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS));
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);  // appending ignores the position
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, line, 4, &written, nullptr));
        EXPECT_TRUE(CloseHandle(file));
    }
    EXPECT_EQ(vorn::test::ReadHostFile(name), "one\ntwo\n");
}

TEST_F(KernelFiles, RefusesFoldersMissingFilesAndBadHandles) {
    EXPECT_EQ(Open(dir.path(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(dir.file("none"), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    int notAHandle = 0;
    DWORD read = 7;
    char byte;
    EXPECT_FALSE(ReadFile(&notAHandle, &byte, 1, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(GetFileSize(&notAHandle, nullptr), INVALID_FILE_SIZE);
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST_F(KernelFiles, InjectedFaultsFailPerHandleAndCloseStillReleases) {
    vorn::test::WriteHostFile(dir.file("a"), "abc");
    HANDLE a = Open(dir.file("a"), GENERIC_READ, OPEN_EXISTING);
    HANDLE b = Open(dir.file("a"), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(a, INVALID_HANDLE_VALUE);
    ASSERT_NE(b, INVALID_HANDLE_VALUE);
    vorn::testing::FailAlways("ReadFile", a);
    vorn::testing::FailAlways("CloseHandle", a);
    char buffer[3];
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(a, buffer, 3, &read, nullptr));
    EXPECT_TRUE(ReadFile(b, buffer, 3, &read, nullptr));
    EXPECT_FALSE(CloseHandle(a));
    vorn::testing::ClearFaults();
    EXPECT_FALSE(CloseHandle(a));  // the failed close released it all the same
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(b));
    vorn::testing::FailNext("CreateFileA");
    EXPECT_EQ(Open(dir.file("a"), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
}

TEST(KernelFolders, PresentCurrentFolderAndProgramAsSystemPaths) {
    vorn::test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    std::filesystem::current_path(previous);
    std::string expected = dir.path();
    for (char& c : expected)
        if (c == '/') c = '\\';
    EXPECT_EQ(std::string(buffer, length), expected);
    EXPECT_EQ(GetCurrentDirectoryA(2, buffer), GetCurrentDirectoryA(MAX_PATH, buffer) + 1);

    const DWORD full = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string program(buffer, full);
    EXPECT_EQ(program.front(), '\\');
    EXPECT_EQ(program.find('/'), std::string::npos);
    EXPECT_TRUE(program.ends_with("\\test_platform")) << program;
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, 5), 4u);  // cut and terminated
    EXPECT_EQ(std::string(buffer), program.substr(0, 4));
}

TEST(KernelMemory, AllocatesZeroFilledFixedBlocksAndRefusesAbsurdSizes) {
    vorn::testing::ClearFaults();
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 4096);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalSize(block), 4096u);
    const auto* bytes = static_cast<const unsigned char*>(block);
    EXPECT_EQ(std::count(bytes, bytes + 4096, 0), 4096);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);  // no longer a live block
    EXPECT_EQ(GlobalLock(block), nullptr);

    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, SIZE_MAX), nullptr);
    EXPECT_EQ(LocalAlloc(LMEM_FIXED, SIZE_MAX / 2), nullptr);
    HLOCAL empty = LocalAlloc(LMEM_ZEROINIT, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(LocalLock(empty), empty);
    EXPECT_EQ(LocalFree(empty), nullptr);

    vorn::testing::FailNext("GlobalAlloc");
    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, 1), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    vorn::testing::ClearFaults();
}
