// The error reporter: the last message, and the exact bytes of the log file.
#include "frame/error_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/path.h"
#include "platform/testing/testing.h"
#include "support/test_support.h"

namespace {

// "vornSDK 内部エラー : " as it stands in the file: Shift-JIS bytes.
const std::string kFixedWords = "vornSDK \x93\xE0\x95\x94\x83\x47\x83\x89\x81\x5B : ";

class ErrorLog : public ::testing::Test {
protected:
    void SetUp() override {
        SetBaseFolder(dir.path().c_str());
        vorn::testing::FixLocalTime({2027, 1, 0, 5, 9, 3, 7, 250});
    }
    void TearDown() override {
        CErrorLog::m_bEnabled = false;
        vorn::testing::UseRealClock();
        SetBaseFolder("");
    }
    std::string Log() const { return vorn::test::ReadHostFile(dir.file("ErrorLog.txt")); }
    bool LogExists() const { return std::filesystem::exists(dir.file("ErrorLog.txt")); }

    vorn::test::TempDir dir;
};

}  // namespace

TEST_F(ErrorLog, WithLoggingOffOnlyTheLastMessageChanges) {
    CErrorLog::Report("first");
    CErrorLog::Report(std::string("second"));
    EXPECT_EQ(CErrorLog::GetLastMessage(), "second");
    EXPECT_FALSE(LogExists());
}

TEST_F(ErrorLog, AppendsOneDatedLinePerReportInCallOrder) {
    vorn::test::WriteHostFile(dir.file("ErrorLog.txt"), "earlier\n");
    CErrorLog::m_bEnabled = true;
    CErrorLog::Report("CPlane::LoadBitmapFileのCreateSurfaceに失敗");
    CErrorLog::Report(std::string("100% %s %n"));
    CErrorLog::Report("");
    CErrorLog::Report(static_cast<const char*>(nullptr));
    const std::string prefix = "01/05/27 09:03:07 " + kFixedWords;
    EXPECT_EQ(Log(), "earlier\n" + prefix +
                         "CPlane::LoadBitmapFile\x82\xCC"
                         "CreateSurface\x82\xC9\x8E\xB8\x94\x73\n" +
                         prefix + "100% %s %n\n" + prefix + "\n" + prefix + "\n");
    EXPECT_EQ(CErrorLog::GetLastMessage(), "");
}

TEST_F(ErrorLog, AnUnwritableLogLosesTheLineButKeepsTheMessage) {
    CErrorLog::m_bEnabled = true;
    vorn::testing::FailNext("CreateFileA");
    CErrorLog::Report("lost");
    vorn::testing::ClearFaults();
    EXPECT_EQ(CErrorLog::GetLastMessage(), "lost");
    EXPECT_FALSE(LogExists());
}
