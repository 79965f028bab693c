// The system keyboard device: the host's held keys, read as 256 scan-code bytes, with
// acquisition that follows the application's activation.
#include <SDL.h>

#include "platform/dinput/dinput_internal.h"
#include "platform/ole/ref_counted.h"
#include "platform/dinput/scancode_table.h"
#include "platform/host/host.h"
#include "platform/testing/faults.h"
#include "platform/user/user.h"

namespace {

bool IsKeyboardFormat(LPCDIDATAFORMAT format) {
    if (format == &c_dfDIKeyboard) return true;
    if (format->dwSize != sizeof(DIDATAFORMAT) || format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) ||
        format->dwDataSize != 256 || format->dwNumObjs != 256 || !format->rgodf)
        return false;
    for (DWORD k = 0; k < 256; ++k)
        if (format->rgodf[k].dwOfs != k) return false;
    return true;
}

class SystemKeyboard final : public vorn::platform::RefCounted<IDirectInputDevice> {
public:
    explicit SystemKeyboard(LPDIRECTINPUT owner) : m_owner(owner) { m_owner->AddRef(); }
    ~SystemKeyboard() override { m_owner->Release(); }

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IDirectInputDeviceA, object);
    }

    HRESULT SetDataFormat(LPCDIDATAFORMAT format) override {
        if (std::int64_t result = DIERR_GENERIC;
            vorn::platform::ShouldFail("IDirectInputDevice::SetDataFormat", this, &result))
            return static_cast<HRESULT>(result);
        if (m_acquired) return DIERR_ACQUIRED;
        if (!format || !IsKeyboardFormat(format)) return DIERR_INVALIDPARAM;
        m_hasFormat = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override {
        if (std::int64_t result = DIERR_GENERIC;
            vorn::platform::ShouldFail("IDirectInputDevice::SetCooperativeLevel", this, &result))
            return static_cast<HRESULT>(result);
        if (m_acquired) return DIERR_ACQUIRED;
        const bool exclusive = flags & DISCL_EXCLUSIVE, shared = flags & DISCL_NONEXCLUSIVE;
        const bool foreground = flags & DISCL_FOREGROUND, background = flags & DISCL_BACKGROUND;
        if (exclusive == shared || foreground == background) return DIERR_INVALIDPARAM;
        if (flags & ~(DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND))
            return DIERR_INVALIDPARAM;
        // Holding the whole keyboard while another program has the focus is not allowed.
        if (exclusive && background) return DIERR_UNSUPPORTED;
        if (foreground && !IsWindow(window)) return DIERR_INVALIDPARAM;
        m_foreground = foreground;
        return DI_OK;
    }

    HRESULT Acquire() override {
        if (std::int64_t result = DIERR_OTHERAPPHASPRIO;
            vorn::platform::ShouldFail("IDirectInputDevice::Acquire", this, &result))
            return static_cast<HRESULT>(result);
        if (!m_hasFormat) return DIERR_INVALIDPARAM;
        if (m_acquired) return DI_NOEFFECT;
        vorn::host::PumpEvents();
        if (m_foreground && !vorn::host::AppActive()) return DIERR_OTHERAPPHASPRIO;
        m_acquired = true;
        return DI_OK;
    }

    HRESULT Unacquire() override {
        if (!m_acquired) return DI_NOEFFECT;
        m_acquired = false;
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        if (std::int64_t result = DIERR_GENERIC;
            vorn::platform::ShouldFail("IDirectInputDevice::GetDeviceState", this, &result)) {
            // A loss injected by a test takes the device away, as a real one does.
            if (static_cast<HRESULT>(result) == DIERR_INPUTLOST) m_acquired = false;
            return static_cast<HRESULT>(result);
        }
        if (!data) return E_POINTER;
        if (size != 256) return DIERR_INVALIDPARAM;
        if (!m_acquired) return DIERR_NOTACQUIRED;
        vorn::host::PumpEvents();
        if (m_foreground && !vorn::host::AppActive()) {
            m_acquired = false;
            return DIERR_INPUTLOST;
        }
        vorn::platform::TranslateKeyboardState(vorn::host::KeyboardState(), SDL_NUM_SCANCODES,
                                               static_cast<std::uint8_t*>(data));
        return DI_OK;
    }

private:
    LPDIRECTINPUT m_owner;
    bool m_hasFormat = false;
    bool m_foreground = false;
    bool m_acquired = false;
};

}  // namespace

namespace vorn::platform {

LPDIRECTINPUTDEVICE NewSystemKeyboard(LPDIRECTINPUT owner) { return new SystemKeyboard(owner); }

}  // namespace vorn::platform
