// Reference counting and fault checks shared by the layer's component objects.
// Internal to the platform layer.
#pragma once

#include <cstdint>

#include "platform/ole/com.h"
#include "platform/testing/faults.h"

namespace vorn::platform {

// An object with one reference from its creation; deleted when the last goes.
template <class Interface>
class ComObject : public Interface {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown) {
            this->AddRef();
            *object = static_cast<IUnknown*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

protected:
    ULONG m_references = 1;
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
