// The platform layer's testing controls, for tests only: fault injection, the virtual
// clock, simulated devices and activation, injected messages. Games never include it.
#pragma once

#include "platform/testing/clock.h"
#include "platform/testing/faults.h"
#include "platform/testing/activation.h"
#include "platform/testing/display.h"
