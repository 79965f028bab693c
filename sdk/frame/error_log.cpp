// The error reporter and its log file.
#include "frame/error_log.h"

#include <cstdio>

#include "files/path.h"
#include "platform/windows.h"

namespace {

std::string g_lastMessage;

// Appends one line to the log; each report opens and closes the file, so the log is
// complete even when a crash follows. Appending writes always land at the end, so
// nothing already in the file is ever overwritten.
void AppendToLog(const std::string& line) {
    const std::string path = MakeFullPath("ErrorLog.txt");
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

bool CErrorLog::m_bEnabled = false;

void CErrorLog::Report(const char* message) { Report(std::string(message ? message : "")); }

void CErrorLog::Report(const std::string& message) {
    g_lastMessage = message;
    if (!m_bEnabled) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%02u/%02u/%02u %02u:%02u:%02u ", now.wMonth, now.wDay,
                  now.wYear % 100u, now.wHour, now.wMinute, now.wSecond);
    // The message is appended as it is: a '%' in it is text, not a format.
    AppendToLog(stamp + std::string("vornSDK 内部エラー : ") + message + "\n");
}

std::string CErrorLog::GetLastMessage() { return g_lastMessage; }
