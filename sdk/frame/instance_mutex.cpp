// The single-instance mutex.
#include "frame/instance_mutex.h"

#include <algorithm>
#include <cstring>

int CInstanceMutex::Open(const std::string& name) {
    Release();
    m_hMutex = CreateMutexA(nullptr, TRUE, name.c_str());
    return GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

void CInstanceMutex::Release() {
    if (m_hMutex) ReleaseMutex(m_hMutex);
}

std::string MakeInstanceMutexName(const char* modulePath) {
    std::string name(modulePath, strnlen(modulePath, MAX_PATH - 1));
    std::replace(name.begin(), name.end(), '\\', '+');
    return name;
}
