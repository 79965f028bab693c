// The classes CoCreateInstance can make, one line per class.
#include "platform/ddraw/ddraw.h"
#include "platform/dinput/dinput_internal.h"
#include "platform/ddraw/objects.h"
#include "platform/ole/com.h"

namespace vorn::platform {

const BuiltinClass kBuiltinClasses[] = {
    {&CLSID_DirectDraw, CreateDirectDrawObject},
    {&CLSID_DirectInput, CreateDirectInputObject},
};
const int kBuiltinClassCount = sizeof(kBuiltinClasses) / sizeof(kBuiltinClasses[0]);

}  // namespace vorn::platform
