// The window classes registered in this process. Internal to the platform layer.
#pragma once

#include "platform/user/user.h"

namespace vorn::platform {

// The class of that name, or null. The record's strings are not kept; use the name
// that was looked up.
const WNDCLASSA* FindWindowClass(LPCSTR className);

}  // namespace vorn::platform
