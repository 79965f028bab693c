// The per-user window directory (see window_directory.h): a listening thread per
// process that has windows, and the client side that FindWindowA, ShowWindow and
// SetForegroundWindow use for the windows of other processes.
#include "platform/host/window_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "platform/host/host_internal.h"
#include "platform/host/window_registry.h"
#include "platform/user/user.h"

namespace vorn::host {
namespace {

enum Op : std::uint8_t { kFind = 1, kShow = 2, kForeground = 3 };
constexpr std::uint16_t kAbsent = 0xFFFF;  // a string that was not given (null)

// One request per connection; the reply is one 32-bit value.
struct RequestHeader {
    std::uint8_t op = 0;
    std::uint8_t reserved[3] = {};
    std::uint32_t window = 0;  // the window's handle in the receiving process
    std::int32_t argument = 0;
    std::uint16_t classLength = kAbsent;
    std::uint16_t captionLength = kAbsent;
};

struct Request {
    RequestHeader header;
    std::string className;
    std::string caption;
};

bool ReadAll(int fd, void* buffer, std::size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t got = read(fd, bytes, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const void* buffer, std::size_t size) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (size > 0) {
        const ssize_t put = send(fd, bytes, size, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool ReadString(int fd, std::uint16_t length, std::string& out) {
    if (length == kAbsent) return true;
    out.resize(length);
    return ReadAll(fd, out.data(), length);
}

std::string SocketPath(pid_t pid) {
    const char* folder = RuntimeFolder();
    return folder ? std::string(folder) + "/win-" + std::to_string(pid) + ".sock" : std::string();
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void SetTimeouts(int fd) {
    // A peer that hangs must not hang us: a second is plenty on one machine.
    timeval timeout{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

// ---- the listening side -------------------------------------------------------------

std::int32_t Answer(const Request& request) {
    const char* className =
        request.header.classLength == kAbsent ? nullptr : request.className.c_str();
    const char* caption =
        request.header.captionLength == kAbsent ? nullptr : request.caption.c_str();
    switch (request.header.op) {
        case kFind:
            return static_cast<std::int32_t>(
                reinterpret_cast<UINT_PTR>(FindLocalWindow(className, caption)));
        case kShow:
        case kForeground: {
            const HWND window =
                reinterpret_cast<HWND>(static_cast<UINT_PTR>(request.header.window));
            if (!FindWindowRecord(window)) return FALSE;
            const int command = request.header.argument;
            // Windows belong to the main thread: it acts at its next event pump.
            if (request.header.op == kShow) {
                RunOnMainThread([window, command] { ShowWindow(window, command); });
            } else {
                RunOnMainThread([window] { SetForegroundWindow(window); });
            }
            return TRUE;
        }
        default:
            return 0;
    }
}

class Listener {
public:
    ~Listener() { Stop(); }

    void Start() {
        if (m_thread.joinable()) return;
        const std::string path = SocketPath(getpid());
        sockaddr_un address{};
        if (!FillAddress(path, address) || pipe2(m_stop, O_CLOEXEC) != 0) return;
        m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        unlink(path.c_str());  // a socket left by a process that had our pid before
        if (m_socket < 0 ||
            bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(m_socket, 8) != 0) {
            Close();
            return;
        }
        m_path = path;
        m_thread = std::thread([this] { Serve(); });
    }

private:
    void Serve() {
        for (;;) {
            pollfd fds[2] = {{m_socket, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (fds[1].revents) return;
            if (!(fds[0].revents & POLLIN)) continue;
            const int peer = accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
            if (peer < 0) continue;
            SetTimeouts(peer);
            Request request;
            if (ReadAll(peer, &request.header, sizeof request.header) &&
                ReadString(peer, request.header.classLength, request.className) &&
                ReadString(peer, request.header.captionLength, request.caption)) {
                const std::int32_t reply = Answer(request);
                WriteAll(peer, &reply, sizeof reply);
            }
            close(peer);
        }
    }

    void Stop() {
        if (m_thread.joinable()) {
            const char byte = 0;
            if (write(m_stop[1], &byte, 1) == 1)
                m_thread.join();
            else
                m_thread.detach();
        }
        if (!m_path.empty()) unlink(m_path.c_str());
        Close();
    }

    void Close() {
        for (int* fd : {&m_socket, &m_stop[0], &m_stop[1]}) {
            if (*fd >= 0) close(*fd);
            *fd = -1;
        }
    }

    int m_socket = -1;
    int m_stop[2] = {-1, -1};
    std::string m_path;
    std::thread m_thread;
};

// ---- the asking side ----------------------------------------------------------------

struct RemoteWindow {
    pid_t pid;
    std::uint32_t window;
};

std::mutex g_proxiesLock;
std::map<HWND, RemoteWindow> g_proxies;

// Sends one request to a process; false when it does not answer.
bool Ask(pid_t pid, const RequestHeader& header, const char* className, const char* caption,
         std::int32_t& reply) {
    sockaddr_un address{};
    if (!FillAddress(SocketPath(pid), address)) return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    SetTimeouts(fd);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              WriteAll(fd, &header, sizeof header) &&
              (!className || WriteAll(fd, className, header.classLength)) &&
              (!caption || WriteAll(fd, caption, header.captionLength)) &&
              ReadAll(fd, &reply, sizeof reply);
    const int error = errno;
    close(fd);
    // A socket whose process has ended is removed, so that the folder stays small.
    if (!ok && (error == ECONNREFUSED || error == ENOENT) && kill(pid, 0) != 0 && errno == ESRCH)
        unlink(SocketPath(pid).c_str());
    return ok;
}

bool StringFits(const char* text) { return !text || std::strlen(text) < kAbsent; }

bool AskProxy(HWND window, Op op, int argument, BOOL* result) {
    RemoteWindow remote{};
    {
        std::lock_guard guard(g_proxiesLock);
        auto it = g_proxies.find(window);
        if (it == g_proxies.end()) return false;
        remote = it->second;
    }
    RequestHeader header;
    header.op = op;
    header.window = remote.window;
    header.argument = argument;
    std::int32_t reply = 0;
    *result = Ask(remote.pid, header, nullptr, nullptr, reply) && reply ? TRUE : FALSE;
    return true;
}

}  // namespace

const char* RuntimeFolder() {
    static const std::string folder = [] {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        std::string path = runtime && *runtime ? std::string(runtime) + "/vorn"
                                               : "/tmp/vorn-" + std::to_string(getuid());
        mkdir(path.c_str(), 0700);
        // Only a folder of our own that nobody else may write to is trusted (the
        // fallback lives in the shared /tmp).
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
            (info.st_mode & 0077))
            return std::string();
        return path;
    }();
    return folder.empty() ? nullptr : folder.c_str();
}

void StartWindowDirectory() {
    static Listener listener;
    listener.Start();
}

HWND FindRemoteWindow(const char* className, const char* caption) {
    const char* folder = RuntimeFolder();
    if (!folder || !StringFits(className) || !StringFits(caption)) return nullptr;
    DIR* dir = opendir(folder);
    if (!dir) return nullptr;
    RequestHeader header;
    header.op = kFind;
    if (className) header.classLength = static_cast<std::uint16_t>(std::strlen(className));
    if (caption) header.captionLength = static_cast<std::uint16_t>(std::strlen(caption));
    HWND found = nullptr;
    while (const dirent* entry = readdir(dir)) {
        int pid = 0;
        char tail[8] = {};
        if (std::sscanf(entry->d_name, "win-%d%7s", &pid, tail) != 2 ||
            std::strcmp(tail, ".sock") != 0 || pid <= 0 || pid == getpid())
            continue;
        std::int32_t reply = 0;
        if (!Ask(pid, header, className, caption, reply) || reply == 0) continue;
        found = NewHandle();
        std::lock_guard guard(g_proxiesLock);
        g_proxies[found] = RemoteWindow{pid, static_cast<std::uint32_t>(reply)};
        break;
    }
    closedir(dir);
    return found;
}

bool RemoteShowWindow(HWND window, int command, BOOL* result) {
    return AskProxy(window, kShow, command, result);
}

bool RemoteSetForeground(HWND window, BOOL* result) {
    return AskProxy(window, kForeground, 0, result);
}

}  // namespace vorn::host
