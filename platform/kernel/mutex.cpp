// Named mutexes across this user's processes. A named mutex is a lock file in the
// user's runtime folder: every holder keeps a shared lock on it, so the name exists as
// long as any holder's handle is open, in this process or another. Creation is
// serialised by an exclusive lock on the folder itself, so two copies that start at
// the same moment cannot both believe they came first.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host/host_internal.h"
#include "platform/kernel/handles.h"
#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace vorn::platform {
namespace {

class Mutex : public KernelObject {
public:
    explicit Mutex(int lockFile) : m_lockFile(lockFile) {}
    ~Mutex() override { Close(); }
    bool Close() override {
        if (m_lockFile >= 0) close(m_lockFile);  // drops the shared lock with it
        m_lockFile = -1;
        return true;
    }
    bool owned = false;

private:
    int m_lockFile;
};

// The lock file's name: the readable part of the mutex name and a hash of all of it,
// so that any name (slashes, Shift-JIS, hundreds of bytes) makes a short, safe file name.
std::string LockFileName(std::string_view name) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    std::string readable;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' || c == '+';
        if (readable.size() < 48) readable += safe ? c : '_';
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "mutex-" + readable + "-" + hex;
}

// Opens the lock file and takes a shared lock on it; tells whether another holder had
// it already. -1 on failure.
int HoldName(const char* folder, std::string_view name, bool& existed) {
    const int guard = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (guard < 0) return -1;
    int file = -1;
    if (flock(guard, LOCK_EX) == 0) {
        const std::string path = std::string(folder) + "/" + LockFileName(name);
        file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (file >= 0) {
            // No shared holder lets the exclusive lock through: the name is new.
            existed = flock(file, LOCK_EX | LOCK_NB) != 0;
            if (flock(file, LOCK_SH) != 0) {
                close(file);
                file = -1;
            }
        }
    }
    close(guard);  // releases the folder's lock
    return file;
}

}  // namespace

}  // namespace vorn::platform

using namespace vorn::platform;

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name) {
    if (ShouldFail("CreateMutexA")) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    bool existed = false;
    int lockFile = -1;
    if (name && *name) {
        const char* folder = vorn::host::RuntimeFolder();
        if (!folder || (lockFile = HoldName(folder, name, existed)) < 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
    }
    auto mutex = std::make_unique<Mutex>(lockFile);
    // Only the creator takes the ownership asked for; an opened mutex is someone else's.
    mutex->owned = initialOwner && !existed;
    HANDLE handle = AddHandle(std::move(mutex));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReleaseMutex(HANDLE handle) {
    auto* mutex = FindHandleAs<vorn::platform::Mutex>(handle);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!mutex->owned) {
        SetLastError(ERROR_ACCESS_DENIED);  // not the owner
        return FALSE;
    }
    mutex->owned = false;
    return TRUE;
}
