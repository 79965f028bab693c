// sparkbench_hw's one difference from sparkbench: its display object is initialised
// with the default display driver instead of software emulation only.
#include "sdk/display/display_driver.h"

GUID* GetDisplayDriverArgument() { return nullptr; }
