// The program's host options: taken out of the command line before the game sees it.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/host.h"

namespace vorn::host {
namespace {

bool ParseCount(const char* text, long& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno || end == text || *end || value < 0) return false;
    out = value;
    return true;
}

bool ParseSeconds(const char* text, double& out) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno || end == text || *end || !std::isfinite(value) || value < 0) return false;
    out = value;
    return true;
}

bool Usage(const char* program, const char* option) {
    std::fprintf(stderr,
                 "%s: bad option %s\n"
                 "usage: %s [--headless] [--frames N] [--seconds S] [--screenshot FILE.png] "
                 "[--report] [game arguments]\n",
                 program, option, program);
    return false;
}

}  // namespace

Options& GetOptions() {
    static Options options;
    return options;
}

bool ParseOptions(int& argc, char** argv) {
    Options& options = GetOptions();
    const char* program = argc > 0 ? argv[0] : "program";
    int kept = argc > 0 ? 1 : 0;
    for (int i = kept; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "--headless") == 0) {
            options.headless = true;
        } else if (std::strcmp(arg, "--report") == 0) {
            options.report = true;
        } else if (std::strcmp(arg, "--frames") == 0) {
            if (!hasValue || !ParseCount(argv[++i], options.frames)) return Usage(program, arg);
        } else if (std::strcmp(arg, "--seconds") == 0) {
            if (!hasValue || !ParseSeconds(argv[++i], options.seconds)) return Usage(program, arg);
        } else if (std::strcmp(arg, "--screenshot") == 0) {
            if (!hasValue || !*argv[i + 1]) return Usage(program, arg);
            options.screenshot = argv[++i];
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    if (kept >= 0) argv[kept] = nullptr;
    return true;
}

}  // namespace vorn::host
