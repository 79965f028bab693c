// The one millisecond clock behind the tick count and the multimedia time. Internal
// to the platform layer.
#pragma once

#include "platform/base/types.h"

namespace vorn::platform {

// Milliseconds of the host's monotonic clock (or of the virtual clock while tests use
// it), wrapping modulo 2^32.
DWORD MillisecondClock();

}  // namespace vorn::platform
