// Stock brushes and fonts. Internal to the platform layer.
#pragma once

#include "platform/user/user.h"

namespace vorn::platform {

// The colour of a solid brush (a stock brush). False for the null brush, fonts and
// anything that is not a brush.
bool BrushColor(HBRUSH brush, COLORREF* color);

}  // namespace vorn::platform
