// vornSDK: a game's one include. The application frame with its accessors, and the
// SDK's public services.
#pragma once

#include "files/path.h"
#include "frame/device.h"
#include "display/layer.h"
#include "frame/error_log.h"
#include "frame/game_frame.h"
#include "frame/game_window.h"
#include "frame/window_hook.h"
#include "input/direct_input.h"
#include "platform/windows.h"
#include "timing/fps_timer.h"
#include "timing/time_source.h"
