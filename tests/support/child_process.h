// Child processes for tests that need a whole program's life: start a program, read
// its standard output line by line while it runs, and collect its exit code and the
// rest of its output.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace vorn::test {

struct ChildResult {
    int exitCode = -1;  // the exit status, or -1 when it was killed or timed out
    std::string out;    // standard output (what ReadLine did not take)
    std::string err;    // standard error
};

class Child {
public:
    // Starts argv[0] with the arguments in the folder (the current one when empty).
    Child(const std::vector<std::string>& argv, const std::string& folder = "");
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The next line of standard output without its line feed; empty when the program
    // closed its output or said nothing for timeoutSeconds.
    std::string ReadLine(int timeoutSeconds = 30);

    // Waits for the end (killing the program after timeoutSeconds) and collects it.
    ChildResult Finish(int timeoutSeconds = 60);

private:
    bool ReadSome(int timeoutMs);

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_outBuffer;
    std::string m_errBuffer;
};

// Runs a program to its end.
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& folder = "",
                     int timeoutSeconds = 60);

}  // namespace vorn::test
