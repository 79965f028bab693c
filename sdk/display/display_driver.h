// The build's driver argument of IDirectDraw::Initialize. The SDK's default selects
// software emulation only (DDCREATE_EMULATIONONLY). A program that wants the default
// display driver defines this function in one of its own source files, returning null;
// its definition replaces the SDK's, and the display code stays the same.
#pragma once

#include "platform/base/types.h"

GUID* GetDisplayDriverArgument();
