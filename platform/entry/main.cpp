// The host's program entry: takes out the host options, starts the host's video and
// hands the rest of the command line to the SDK's WinMain.
#include <cstdio>
#include <string>

#include "platform/host/host.h"
#include "platform/windows.h"

int main(int argc, char** argv) {
    if (!vorn::host::ParseOptions(argc, argv)) return 2;
    if (!vorn::host::EnsureVideo()) {
        std::fprintf(stderr, "%s: the host's video could not start\n", argc > 0 ? argv[0] : "");
        return 1;
    }
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    const int result =
        WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    vorn::host::Finish();
    return result;
}
