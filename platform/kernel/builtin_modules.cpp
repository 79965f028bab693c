// The layer's built-in modules: libraries that LoadLibraryA answers by name from inside
// the program, each with the exports a system library of that name would have.
#include "platform/dinput/dinput_internal.h"
#include "platform/kernel/module.h"

namespace vorn::platform {
namespace {

const BuiltinExport kDinputExports[] = {
    {"DirectInputCreateA", reinterpret_cast<FARPROC>(&DirectInputCreateA)},
};

}  // namespace

const BuiltinModule kBuiltinModules[] = {
    {"dinput.dll", kDinputExports, sizeof(kDinputExports) / sizeof(kDinputExports[0])},
};
const int kBuiltinModuleCount = sizeof(kBuiltinModules) / sizeof(kBuiltinModules[0]);

}  // namespace vorn::platform
