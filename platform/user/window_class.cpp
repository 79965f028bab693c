// Window classes: a name, a window procedure and a background brush per class.
#include "platform/user/window_class.h"

#include <map>
#include <string>

#include "platform/testing/faults.h"

namespace vorn::platform {
namespace {

std::map<std::string, WNDCLASSA>& Classes() {
    static std::map<std::string, WNDCLASSA> classes;
    return classes;
}

}  // namespace

const WNDCLASSA* FindWindowClass(LPCSTR className) {
    if (!className) return nullptr;
    auto& classes = Classes();
    auto it = classes.find(className);
    return it == classes.end() ? nullptr : &it->second;
}

}  // namespace vorn::platform

using namespace vorn::platform;

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (ShouldFail("RegisterClassA")) return 0;
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
    auto& classes = Classes();
    auto [it, added] = classes.try_emplace(windowClass->lpszClassName, *windowClass);
    if (!added) return 0;
    it->second.lpszClassName = nullptr;  // the caller's strings are not ours to keep
    it->second.lpszMenuName = nullptr;
    // Atoms are 0xC000 and up, like the atoms of registered names.
    return static_cast<ATOM>(0xC000 + classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    return className && Classes().erase(className) ? TRUE : FALSE;
}
