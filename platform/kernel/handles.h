// The kernel's handle table: every object that CloseHandle can close (files, mutexes)
// derives from KernelObject and is handed out as its address. The table knows which
// handles are live, so a stale or made-up handle is refused instead of followed.
// Internal to the platform layer.
#pragma once

#include <memory>

#include "platform/base/types.h"

namespace vorn::platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // Releases the host resource; false when the host reported an error (the object is
    // released either way).
    virtual bool Close() { return true; }
};

// Takes ownership of the object and returns its handle.
HANDLE AddHandle(std::unique_ptr<KernelObject> object);

// The live object behind a handle when it is of type T, else null. The pointer stays
// valid until the handle is closed; callers use it on the calling thread only.
KernelObject* FindHandle(HANDLE handle);
template <class T>
T* FindHandleAs(HANDLE handle) {
    return dynamic_cast<T*>(FindHandle(handle));
}

// Removes the handle from the table and closes its object. False for an unknown
// handle or when the object's Close reported an error.
bool RemoveHandle(HANDLE handle);

}  // namespace vorn::platform
