#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <stdexcept>

namespace vorn::test {
namespace {

long long NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv, const std::string& folder) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    m_pid = fork();
    if (m_pid < 0) throw std::runtime_error("fork");
    if (m_pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
}

Child::~Child() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
    if (m_err >= 0) close(m_err);
}

bool Child::ReadSome(int timeoutMs) {
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (m_out < 0 && m_err < 0) return false;
    if (poll(fds, 2, timeoutMs) <= 0) return false;
    int* ends[2] = {&m_out, &m_err};
    std::string* buffers[2] = {&m_outBuffer, &m_errBuffer};
    for (int i = 0; i < 2; ++i) {
        if (*ends[i] < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
        char chunk[4096];
        const ssize_t got = read(*ends[i], chunk, sizeof chunk);
        if (got > 0) {
            buffers[i]->append(chunk, static_cast<std::size_t>(got));
        } else {
            close(*ends[i]);
            *ends[i] = -1;
        }
    }
    return true;
}

std::string Child::ReadLine(int timeoutSeconds) {
    const long long deadline = NowMs() + timeoutSeconds * 1000LL;
    for (;;) {
        const auto end = m_outBuffer.find('\n');
        if (end != std::string::npos) {
            std::string line = m_outBuffer.substr(0, end);
            m_outBuffer.erase(0, end + 1);
            return line;
        }
        const long long left = deadline - NowMs();
        if (left <= 0 || m_out < 0 || !ReadSome(static_cast<int>(left))) return {};
    }
}

ChildResult Child::Finish(int timeoutSeconds) {
    const long long deadline = NowMs() + timeoutSeconds * 1000LL;
    while (m_out >= 0 || m_err >= 0) {
        const long long left = deadline - NowMs();
        if (left <= 0) break;
        ReadSome(static_cast<int>(left));
    }
    ChildResult result;
    int status = 0;
    if (m_out >= 0 || m_err >= 0) kill(m_pid, SIGKILL);  // timed out
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = std::move(m_outBuffer);
    result.err = std::move(m_errBuffer);
    return result;
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::string& folder,
                     int timeoutSeconds) {
    return Child(argv, folder).Finish(timeoutSeconds);
}

}  // namespace vorn::test
