// The SDK's default driver argument for the display object: software emulation only.
// It is a weak definition, so a program's own definition takes its place at link time.
#include "sdk/display/display_driver.h"

#include "platform/ddraw/ddraw.h"

__attribute__((weak)) GUID* GetDisplayDriverArgument() { return DDCREATE_EMULATIONONLY; }
