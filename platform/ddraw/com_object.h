// Reference counting and fault checks shared by the layer's component objects.
// Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/ole/com.h"
#include "platform/ole/ref_counted.h"
#include "platform/testing/faults.h"

namespace vorn::platform {

// An object with one reference from its creation, deleted when the last goes, that
// answers QueryInterface for IUnknown only.
template <class Interface>
class ComObject : public RefCounted<Interface> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return this->Answer(iid, IID_IUnknown, object);
    }
};

// Whether a fault injected for the operation (on this object or any) makes this call
// fail; `result` is then the fault's result or `usual`.
inline bool InjectedFailure(const char* operation, const void* object, HRESULT usual,
                            HRESULT& result) {
    std::int64_t value = usual;
    if (!ShouldFail(operation, object, &value)) return false;
    result = static_cast<HRESULT>(value);
    return true;
}

}  // namespace vorn::platform
