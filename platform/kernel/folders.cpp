// The current folder and the running program's path, presented as system paths.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/kernel/host_path.h"
#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace {

// The program's instance handle: an address that is unique to this program.
char g_instance;

bool ReadHostPath(std::string& out, bool executable) {
    std::string buffer(256, '\0');
    for (;;) {
        if (executable) {
            const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
            if (n < 0) return false;
            if (static_cast<size_t>(n) < buffer.size()) {
                out.assign(buffer.data(), static_cast<size_t>(n));
                return true;
            }
        } else {
            if (getcwd(buffer.data(), buffer.size())) {
                out = buffer.c_str();
                return true;
            }
            if (errno != ERANGE) return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    std::string host;
    if (vorn::platform::ShouldFail("GetCurrentDirectoryA") || !ReadHostPath(host, false)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    const std::string path = vorn::platform::SystemPathOfHost(host);
    if (!buffer || bufferLength <= path.size()) return static_cast<DWORD>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if (module && module != GetModuleHandleA(nullptr)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string host;
    if (vorn::platform::ShouldFail("GetModuleFileNameA") || !ReadHostPath(host, true)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const std::string path = vorn::platform::SystemPathOfHost(host);
    const size_t copied = path.size() < size ? path.size() : size - 1;
    std::memcpy(fileName, path.data(), copied);
    fileName[copied] = '\0';
    return static_cast<DWORD>(copied);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(&g_instance);
}
