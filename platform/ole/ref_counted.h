// The reference count that every component object of the layer carries, and the
// answer to QueryInterface for IUnknown and the object's own interface. Internal.
#pragma once

#include "platform/ole/com.h"

namespace vorn::platform {

// Implements AddRef and Release of an interface: the object starts with one reference
// and deletes itself when the last one is dropped.
template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

protected:
    // Answers QueryInterface for IUnknown and the interface's own id.
    HRESULT Answer(REFIID asked, REFIID own, void** object) {
        if (!object) return E_POINTER;
        if (!(asked == IID_IUnknown) && !(asked == own)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }

    // Objects that share their count with another (a back buffer with its front) read it.
    ULONG m_references = 1;
};

}  // namespace vorn::platform
