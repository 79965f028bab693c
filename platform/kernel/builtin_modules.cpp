// The built-in modules that LoadLibraryA answers by name, one entry per module.
#include "platform/kernel/module.h"

namespace vorn::platform {

// An empty list still needs one element to be an array.
const BuiltinModule kBuiltinModules[] = {{"", nullptr, 0}};
const int kBuiltinModuleCount = 0;

}  // namespace vorn::platform
