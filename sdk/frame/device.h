// CDevice: the two operations every device of the frame offers. A device acquires its
// platform objects in Initialize and releases them in Terminate, which may be called
// again safely.
#pragma once

#include "platform/windows.h"

class CDevice {
public:
    virtual ~CDevice() = default;

    // 0 on success, any other value on failure.
    virtual int Initialize(HWND window, HINSTANCE instance) { return 0; }

    // Releases what Initialize acquired. 0 on success.
    virtual int Terminate() { return 0; }
};
