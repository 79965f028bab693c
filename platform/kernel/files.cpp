// Files: CreateFileA and the operations on its handles, over host file descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/kernel/handles.h"
#include "platform/kernel/host_path.h"
#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace {

using vorn::platform::ShouldFail;

class HostFile final : public vorn::platform::KernelObject {
public:
    explicit HostFile(int fd) : m_fd(fd) {}
    ~HostFile() override { Close(); }
    bool Close() override {
        if (m_fd < 0) return true;
        const int result = close(m_fd);
        m_fd = -1;
        return result == 0;
    }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

HostFile* FileOf(HANDLE handle) { return vorn::platform::FindHandleAs<HostFile>(handle); }

// The last error for a host error; `other` for the host errors without a match.
DWORD ErrorOfErrno(int error, DWORD other) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return ERROR_ACCESS_DENIED;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        default:
            return ERROR_READ_FAULT;
    }
}

// Fails the calling operation: sets the last error and returns the failure value.
template <class Result>
Result Fail(Result result, DWORD error) {
    SetLastError(error);
    return result;
}

// Runs a read or a write of `size` bytes to its end, resuming after interruptions and
// partial transfers. Returns the bytes moved (fewer only when the host moves none,
// as at the end of a file), or -1 with errno set.
template <class Step>
std::int64_t TransferAll(DWORD size, Step step) {
    DWORD done = 0;
    while (done < size) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    return done;
}

int OpenFlags(DWORD access, DWORD disposition, bool& valid) {
    valid = true;
    int flags = O_CLOEXEC;
    const bool reads = access & GENERIC_READ;
    const bool writes = access & (GENERIC_WRITE | FILE_APPEND_DATA);
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if ((access & FILE_APPEND_DATA) && !(access & GENERIC_WRITE)) flags |= O_APPEND;
    switch (disposition) {
        case CREATE_NEW:
            return flags | O_CREAT | O_EXCL;
        case CREATE_ALWAYS:
            return flags | O_CREAT | O_TRUNC;
        case OPEN_EXISTING:
            return flags;
        case OPEN_ALWAYS:
            return flags | O_CREAT;
        case TRUNCATE_EXISTING:
            return flags | O_TRUNC;
        default:
            valid = false;
            return flags;
    }
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile) {
    if (ShouldFail("CreateFileA")) return Fail(INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
    bool valid = false;
    const int flags = OpenFlags(desiredAccess, creationDisposition, valid);
    if (!fileName || !valid) return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    const std::string path = vorn::platform::HostPath(fileName);
    if (path.empty()) return Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);

    const bool creates = creationDisposition == OPEN_ALWAYS || creationDisposition == CREATE_ALWAYS;
    const bool existed = creates && access(path.c_str(), F_OK) == 0;
    int fd;
    do fd = open(path.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return Fail(INVALID_HANDLE_VALUE, ErrorOfErrno(errno, ERROR_ACCESS_DENIED));
    auto file = std::make_unique<HostFile>(fd);
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        return Fail(INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return vorn::platform::AddHandle(std::move(file));
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED overlapped) {
    if (bytesRead) *bytesRead = 0;
    if (ShouldFail("ReadFile", handle)) return Fail(FALSE, ERROR_READ_FAULT);
    HostFile* file = FileOf(handle);
    if (!file) return Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!buffer && bytesToRead > 0) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    const std::int64_t done = TransferAll(bytesToRead, [&](DWORD offset) {
        return read(file->fd(), static_cast<char*>(buffer) + offset, bytesToRead - offset);
    });
    if (done < 0) return Fail(FALSE, ErrorOfErrno(errno, ERROR_READ_FAULT));
    if (bytesRead) *bytesRead = static_cast<DWORD>(done);  // fewer at the end of the file
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped) {
    if (bytesWritten) *bytesWritten = 0;
    if (ShouldFail("WriteFile", handle)) return Fail(FALSE, ERROR_WRITE_FAULT);
    HostFile* file = FileOf(handle);
    if (!file) return Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!buffer && bytesToWrite > 0) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    const std::int64_t done = TransferAll(bytesToWrite, [&](DWORD offset) {
        return write(file->fd(), static_cast<const char*>(buffer) + offset, bytesToWrite - offset);
    });
    if (done < 0) return Fail(FALSE, ErrorOfErrno(errno, ERROR_WRITE_FAULT));
    if (bytesWritten) *bytesWritten = static_cast<DWORD>(done);
    if (done < bytesToWrite) return Fail(FALSE, ERROR_WRITE_FAULT);
    return TRUE;
}

DWORD GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
    if (ShouldFail("GetFileSize", handle)) return Fail(INVALID_FILE_SIZE, ERROR_ACCESS_DENIED);
    HostFile* file = FileOf(handle);
    if (!file) return Fail(INVALID_FILE_SIZE, ERROR_INVALID_HANDLE);
    struct stat info;
    if (fstat(file->fd(), &info) != 0)
        return Fail(INVALID_FILE_SIZE, ErrorOfErrno(errno, ERROR_ACCESS_DENIED));
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);  // lets a caller tell a low half of 0xFFFFFFFF from failure
    return static_cast<DWORD>(size);
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LPLONG distanceHigh, DWORD moveMethod) {
    if (ShouldFail("SetFilePointer", handle))
        return Fail(INVALID_SET_FILE_POINTER, ERROR_ACCESS_DENIED);
    HostFile* file = FileOf(handle);
    if (!file) return Fail(INVALID_SET_FILE_POINTER, ERROR_INVALID_HANDLE);
    // Without a high half the distance is a signed 32-bit value; with one, the two
    // halves make a signed 64-bit value.
    const std::int64_t offset =
        distanceHigh ? static_cast<std::int64_t>(
                           (static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32) |
                           static_cast<DWORD>(distance))
                     : distance;
    const int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
                       : moveMethod == FILE_CURRENT ? SEEK_CUR
                       : moveMethod == FILE_END     ? SEEK_END
                                                    : -1;
    if (whence < 0) return Fail(INVALID_SET_FILE_POINTER, ERROR_INVALID_PARAMETER);
    const off_t position = lseek(file->fd(), offset, whence);
    if (position < 0)
        return Fail(INVALID_SET_FILE_POINTER, ErrorOfErrno(errno, ERROR_ACCESS_DENIED));
    if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}
