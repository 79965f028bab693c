// The frame the host decorates a window of a given style with: caption and borders
// around the client area. AdjustWindowRect, CreateWindowExA, SetWindowPos and
// GetWindowRect all measure with it, so that outer and client sizes always agree.
// Internal to the platform layer.
#pragma once

#include "platform/user/user.h"

namespace vorn::platform {

inline constexpr int kBorder = 4;    // SM_CXFRAME, SM_CYFRAME
inline constexpr int kCaption = 23;  // SM_CYCAPTION
inline constexpr int kMenuBar = 20;

struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline FrameInsets InsetsOf(DWORD style, bool menu) {
    FrameInsets insets;
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    if (captioned || (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME))) {
        insets.left = insets.right = insets.bottom = insets.top = kBorder;
    }
    if (captioned) insets.top += kCaption;
    if (menu) insets.top += kMenuBar;
    return insets;
}

}  // namespace vorn::platform
