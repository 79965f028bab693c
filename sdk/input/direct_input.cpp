// The keyboard device: creation through the component library or, failing that,
// through the input library loaded at run time; snapshots that survive losing the focus.
#include "sdk/input/direct_input.h"

#include <cstring>

#include "platform/kernel/module.h"
#include "sdk/display/display_state.h"
#include "sdk/frame/error_log.h"

namespace {

constexpr DWORD kInputVersion = 0x0300;
constexpr int kMaxReadPasses = 4;

// "dinput.dll" loaded by a keyboard that could not be created through the component
// library; freed when that keyboard is destroyed.
HMODULE g_hInputLibrary = nullptr;

}  // namespace

CDirectInput::CDirectInput() { m_bCOMReady = InitializeCOM() == 0; }

CDirectInput::~CDirectInput() {
    Terminate();
    UninitializeCOM();
    if (g_hInputLibrary) {
        FreeLibrary(g_hInputLibrary);
        g_hInputLibrary = nullptr;
    }
}

int CDirectInput::Initialize(HWND window, HINSTANCE instance) {
    Terminate();
    ClearSnapshots();
    if (!m_bCOMReady) {
        CErrorLog::Report("DirectInput::CoInitializeに失敗。OLE動作不良？");
        return 1;
    }

    const HRESULT created =
        CoCreateInstance(CLSID_DirectInput, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectInputA,
                         reinterpret_cast<LPVOID*>(&m_lpDirectInput));
    if (FAILED(created)) {
        m_lpDirectInput = nullptr;
        if (const int result = CreateThroughLibrary(instance)) return result;
    } else if (!m_lpDirectInput) {
        CErrorLog::Report("DirectInputInterfaceが得られない");
        return 2;
    } else if (FAILED(m_lpDirectInput->Initialize(instance, kInputVersion))) {
        CErrorLog::Report("DirectInputが初期化できない");
        return 3;
    }

    if (FAILED(m_lpDirectInput->CreateDevice(GUID_SysKeyboard, &m_lpKeyboard, nullptr))) {
        m_lpKeyboard = nullptr;
        CErrorLog::Report("DirectInputの初期化CreateDeviceに失敗");
        return 7;
    }
    if (FAILED(m_lpKeyboard->SetDataFormat(&c_dfDIKeyboard))) {
        m_lpKeyboard->Release();
        m_lpKeyboard = nullptr;
        CErrorLog::Report("DirectInputの初期化SetDataFormatに失敗");
        return 8;
    }
    if (FAILED(m_lpKeyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))) {
        m_lpKeyboard->Release();
        m_lpKeyboard = nullptr;
        CErrorLog::Report("DirectInputの初期化SetCooperativeLevelに失敗");
        return 9;
    }

    // A window that is not in the foreground yet acquires the keyboard later, in Update.
    m_bAcquired = SUCCEEDED(m_lpKeyboard->Acquire());
    return 0;
}

int CDirectInput::CreateThroughLibrary(HINSTANCE instance) {
    if (!g_hInputLibrary) {
        g_hInputLibrary = LoadLibraryA("dinput.dll");
        if (!g_hInputLibrary) {
            CErrorLog::Report("DirectInputのLoadLibraryに失敗");
            return 4;
        }
    }
    const auto create = reinterpret_cast<LPDIRECTINPUTCREATEA>(
        GetProcAddress(g_hInputLibrary, "DirectInputCreateA"));
    if (!create) {
        CErrorLog::Report("DirectInputでGetProcAddressに失敗");
        return 5;
    }
    if (FAILED(create(instance, kInputVersion, &m_lpDirectInput, nullptr))) {
        m_lpDirectInput = nullptr;
        CErrorLog::Report("DirectInput::DirectInputCreateに失敗");
        return 6;
    }
    return 0;
}

int CDirectInput::Terminate() {
    if (m_lpKeyboard) {
        m_lpKeyboard->Unacquire();
        m_lpKeyboard->Release();
        m_lpKeyboard = nullptr;
    }
    if (m_lpDirectInput) {
        m_lpDirectInput->Release();
        m_lpDirectInput = nullptr;
    }
    m_bAcquired = false;
    return 0;
}

int CDirectInput::Update() {
    if (!m_lpKeyboard) return 1;
    std::uint8_t* snapshot = FlipSnapshot();
    // Each pass reads or re-acquires once. A device that keeps reporting its input as
    // lost right after a successful Acquire would otherwise hold the frame forever.
    for (int pass = 0; pass < kMaxReadPasses; ++pass) {
        if (m_bAcquired) {
            const HRESULT read = m_lpKeyboard->GetDeviceState(256, snapshot);
            if (SUCCEEDED(read)) return 0;
            if (read != DIERR_INPUTLOST) break;
            if (FAILED(m_lpKeyboard->Acquire())) {
                m_bAcquired = false;
                break;
            }
        } else if (SUCCEEDED(m_lpKeyboard->Acquire())) {
            m_bAcquired = true;
        } else {
            break;
        }
    }
    std::memset(snapshot, 0, 256);
    return 1;
}
