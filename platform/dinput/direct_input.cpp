// The keyboard input object: made by CoCreateInstance (then Initialize) or by the
// "DirectInputCreateA" export of the built-in "dinput.dll"; it makes the keyboard device.
#include <array>

#include "platform/dinput/dinput_internal.h"
#include "platform/ole/ref_counted.h"
#include "platform/testing/faults.h"

const CLSID CLSID_DirectInput = {
    0x25E609E0, 0xB259, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IDirectInputA = {
    0x89521360, 0xAA8A, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IDirectInputDeviceA = {
    0x5944E680, 0xC92E, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_Key = {
    0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

// Object types of the keyboard format's entries: an optional button with its instance.
constexpr DWORD kOptionalButton = 0x8000000Cu;

constexpr std::array<DIOBJECTDATAFORMAT, 256> MakeKeyObjects() {
    std::array<DIOBJECTDATAFORMAT, 256> keys{};
    for (DWORD k = 0; k < 256; ++k) keys[k] = {&GUID_Key, k, kOptionalButton | (k << 8), 0};
    return keys;
}
constexpr std::array<DIOBJECTDATAFORMAT, 256> kKeyObjects = MakeKeyObjects();

constexpr DWORD kOldestVersion = 0x0300;
constexpr DWORD kNewestVersion = 0x0500;

class DirectInput final : public vorn::platform::RefCounted<IDirectInput> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IDirectInputA, object);
    }

    HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE* out, LPUNKNOWN outer) override {
        if (!out) return DIERR_INVALIDPARAM;
        *out = nullptr;
        if (std::int64_t result = DIERR_GENERIC;
            vorn::platform::ShouldFail("IDirectInput::CreateDevice", this, &result))
            return static_cast<HRESULT>(result);
        if (!m_initialized) return DIERR_NOTINITIALIZED;
        if (outer) return CLASS_E_NOAGGREGATION;
        if (!(device == GUID_SysKeyboard)) return DIERR_DEVICENOTREG;
        *out = vorn::platform::NewSystemKeyboard(this);
        return *out ? DI_OK : DIERR_OUTOFMEMORY;
    }

    HRESULT Initialize(HINSTANCE instance, DWORD version) override {
        if (std::int64_t result = DIERR_GENERIC;
            vorn::platform::ShouldFail("IDirectInput::Initialize", this, &result))
            return static_cast<HRESULT>(result);
        if (version > kNewestVersion) return DIERR_OLDDIRECTINPUTVERSION;
        if (version < kOldestVersion) return DIERR_INVALIDPARAM;
        m_initialized = true;
        return DI_OK;
    }

private:
    bool m_initialized = false;
};

}  // namespace

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), 0, 256, 256,
                                     kKeyObjects.data()};

namespace vorn::platform {

HRESULT CreateDirectInputObject(REFIID iid, void** object) {
    auto* input = new DirectInput;
    const HRESULT result = input->QueryInterface(iid, object);
    input->Release();  // the asked interface holds the only reference left
    return result;
}

HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out,
                           LPUNKNOWN outer) {
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (std::int64_t result = DIERR_GENERIC; ShouldFail("DirectInputCreateA", nullptr, &result))
        return static_cast<HRESULT>(result);
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* input = new DirectInput;
    const HRESULT result = input->Initialize(instance, version);
    if (FAILED(result)) {
        input->Release();
        return result;
    }
    *out = input;
    return DI_OK;
}

}  // namespace vorn::platform
