// How a sample's game logic draws: one cell of a sprite sheet at a screen position. The
// program installs a function that blits from its plane; tests install a recorder.
#pragma once

#include "platform/base/types.h"

using DrawCellFn = void (*)(int x, int y, const RECT& cell);
