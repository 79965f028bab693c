// The counted component start-up and creation of the built-in classes.
#include "platform/ole/com.h"

#include "platform/testing/faults.h"

const IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {
int g_startCount = 0;  // successful CoInitialize calls not yet matched by CoUninitialize
}

HRESULT CoInitialize(LPVOID reserved) {
    std::int64_t result = E_FAIL;
    if (vorn::platform::ShouldFail("CoInitialize", nullptr, &result))
        return static_cast<HRESULT>(result);
    return g_startCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (g_startCount > 0) --g_startCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                         LPVOID* object) {
    std::int64_t result = E_FAIL;
    if (vorn::platform::ShouldFail("CoCreateInstance", nullptr, &result))
        return static_cast<HRESULT>(result);
    if (!object) return E_POINTER;
    *object = nullptr;
    if (g_startCount == 0) return E_FAIL;
    if (outer) return CLASS_E_NOAGGREGATION;
    for (int i = 0; i < vorn::platform::kBuiltinClassCount; ++i) {
        const auto& entry = vorn::platform::kBuiltinClasses[i];
        if (*entry.clsid == clsid) return entry.factory(iid, object);
    }
    return REGDB_E_CLASSNOTREG;
}
