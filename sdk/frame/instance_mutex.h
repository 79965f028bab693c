// CInstanceMutex: the named mutex by which a program tells whether a copy of itself is
// running already.
#pragma once

#include <string>

#include "platform/windows.h"

class CInstanceMutex {
public:
    ~CInstanceMutex() { Release(); }

    // Releases a held mutex, then creates or opens the named one (kept in both cases).
    // 1 when it existed before (another copy holds it), else 0.
    int Open(const std::string& name);

    // Releases the held mutex, if any. The handle stays open until the process ends.
    void Release();

private:
    HANDLE m_hMutex = nullptr;
};

// The mutex name of a program: its full path (as GetModuleFileNameA gives it, so at
// most 259 bytes) with every backslash made a plus sign.
std::string MakeInstanceMutexName(const char* modulePath);
