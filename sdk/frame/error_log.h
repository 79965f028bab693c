// CErrorLog: the one error reporter of the SDK. Each report is kept as the last
// message and, while logging is on, appended as one dated line to "ErrorLog.txt" in
// the base folder. A report never fails visibly and never stops its caller.
#pragma once

#include <string>

class CErrorLog {
public:
    // Records one error (a null text is recorded as an empty one). With logging on,
    // appends "MM/DD/YY HH:MM:SS vornSDK 内部エラー : <message>\n" in local time; an
    // unwritable log loses the line but keeps the last message.
    static void Report(const char* message);
    static void Report(const std::string& message);

    // The text of the most recent report; empty before the first.
    static std::string GetLastMessage();

    // Whether reports are appended to the log file; off until a game turns it on.
    static bool m_bEnabled;
};
