// keyboard_start: a game that makes the platform operation named by its first argument
// fail from its first call ("name") or its Nth ("name@N") on (none: nothing fails), then
// prints "running" at its first frame and quits, so that tests can see how the frame
// starts or refuses to.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/testing/testing.h"
#include "vornsdk.h"

namespace {

void CallBack(int event) {
    if (event != EVENT_FRAME) return;
    std::printf("running\n");
    std::fflush(stdout);
    GetGameFrame()->Quit();
}

}  // namespace

void SetupGame() {
    const std::string failing = GetGameFrame()->GetCommandLine();
    if (!failing.empty()) {
        const auto at = failing.find('@');
        const std::string operation = failing.substr(0, at);
        vorn::testing::Fault fault;
        fault.operation = operation.c_str();
        fault.fromCall = at == std::string::npos ? 1 : std::atoi(failing.c_str() + at + 1);
        fault.times = vorn::testing::kAlways;
        vorn::testing::InjectFault(fault);
    }
    // Tests start several copies at once.
    GetGameFrame()->m_bMultiInstance = true;
    GetGameFrame()->SetCaption("keyboard start");
    GetGameFrame()->SetCallBack(CallBack);
}
