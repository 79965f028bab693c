// The platform operations that the SDK and games call: windows and messages, the
// kernel's files, memory, mutexes and time, and multimedia time. Graphics, input,
// sound and components have headers of their own beside this one.
#pragma once

#include "platform/base/types.h"
#include "platform/kernel/kernel.h"
#include "platform/mm/mmsystem.h"
#include "platform/user/user.h"
