// Components: the counted component start-up, creation of the layer's built-in
// classes by class id, and the base interface every component object implements.
//
// Interfaces are C++ abstract classes. An object starts with one reference owned by
// whoever created it; AddRef adds one, Release drops one and deletes the object at 0
// (Release returns the references left). Pointers lent by an interface carry no
// reference unless the operation says so.
#pragma once

#include "platform/base/types.h"

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

extern const IID IID_IUnknown;

#define CLSCTX_INPROC_SERVER 0x1u
#define CLSCTX_INPROC_HANDLER 0x2u
#define CLSCTX_LOCAL_SERVER 0x4u
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER)

// Starts the component library for this thread: S_OK the first time, S_FALSE when it
// was already started (each success is matched by one CoUninitialize), E_FAIL when
// it cannot start.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// Creates an object of a registered class and returns the interface asked for (one
// reference, owned by the caller). REGDB_E_CLASSNOTREG for an unknown class,
// CLASS_E_NOAGGREGATION when an outer object is given, E_NOINTERFACE when the class
// lacks the interface, E_FAIL when the component library is not started.
HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);

namespace vorn::platform {

// The built-in classes: a class id and a factory that makes a new object and returns
// the asked interface (with one reference), or an error. The table is a plain list in
// platform/ole/class_table.cpp, one line per class, so that every class is linked in.
using ClassFactory = HRESULT (*)(REFIID iid, void** object);
struct BuiltinClass {
    const CLSID* clsid;
    ClassFactory factory;
};
extern const BuiltinClass kBuiltinClasses[];
extern const int kBuiltinClassCount;

}  // namespace vorn::platform
