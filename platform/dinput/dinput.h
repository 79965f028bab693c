// Keyboard input as a device of 256 key-state bytes, read whole on request.
//
// The input object (IDirectInput) is created through CoCreateInstance with
// CLSID_DirectInput, then Initialize, or in one step by the "DirectInputCreateA" export
// of the built-in module "dinput.dll" (LoadLibraryA + GetProcAddress). It makes the
// system keyboard device (IDirectInputDevice, GUID_SysKeyboard), which reports the
// physical keys of the host keyboard by scan code (the DIK_ values below), whatever the
// keyboard layout: byte k of a state snapshot is 0x80 while key k is held, else 0.
//
// A device is used in three steps: SetDataFormat(&c_dfDIKeyboard), SetCooperativeLevel
// with the game window, then Acquire. With DISCL_FOREGROUND the device follows the
// application's activation: when the application loses the focus the device is taken
// away (the next GetDeviceState returns DIERR_INPUTLOST) and Acquire fails until the
// application is active again.
#pragma once

#include "platform/base/types.h"
#include "platform/ole/com.h"

#define DIRECTINPUT_VERSION 0x0300u

extern const CLSID CLSID_DirectInput;      // {25E609E0-B259-11CF-BFC7-444553540000}
extern const IID IID_IDirectInputA;        // {89521360-AA8A-11CF-BFC7-444553540000}
extern const IID IID_IDirectInputDeviceA;  // {5944E680-C92E-11CF-BFC7-444553540000}
extern const GUID GUID_SysKeyboard;        // {6F1D2B61-D5A0-11CF-BFC7-444553540000}
extern const GUID GUID_Key;                // {55728220-D33C-11CF-BFC7-444553540000}, a key object
using REFGUID = const GUID&;

// ---- results ------------------------------------------------------------------------
#define DI_OK S_OK
#define DI_NOEFFECT S_FALSE  // already acquired, or not acquired for Unacquire
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_GENERIC E_FAIL
#define DIERR_UNSUPPORTED E_NOTIMPL
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_OTHERAPPHASPRIO (static_cast<HRESULT>(0x80070005))        // the app is not active
#define DIERR_NOTINITIALIZED (static_cast<HRESULT>(0x80070015))         // Initialize not called
#define DIERR_DEVICENOTREG REGDB_E_CLASSNOTREG                          // no such device
#define DIERR_OLDDIRECTINPUTVERSION (static_cast<HRESULT>(0x8007047E))  // version too new
#define DIERR_ACQUIRED (static_cast<HRESULT>(0x800700AA))               // not while acquired
#define DIERR_NOTACQUIRED (static_cast<HRESULT>(0x8007000C))            // Acquire first
#define DIERR_INPUTLOST (static_cast<HRESULT>(0x8007001E))              // taken away; reacquire

// ---- data formats -------------------------------------------------------------------
// A data format lists where each device object lands in the state block that
// GetDeviceState fills. The keyboard's objects are its 256 keys, one byte each, at the
// offset of their scan code.
struct DIOBJECTDATAFORMAT {
    const GUID* pguid;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
};
struct DIDATAFORMAT {
    DWORD dwSize;     // sizeof(DIDATAFORMAT)
    DWORD dwObjSize;  // sizeof(DIOBJECTDATAFORMAT)
    DWORD dwFlags;
    DWORD dwDataSize;  // bytes of the state block
    DWORD dwNumObjs;
    const DIOBJECTDATAFORMAT* rgodf;
};
using LPCDIDATAFORMAT = const DIDATAFORMAT*;

// The predefined keyboard format: 256 one-byte key objects, a 256-byte state block.
extern const DIDATAFORMAT c_dfDIKeyboard;

// ---- cooperative levels -------------------------------------------------------------
// One of EXCLUSIVE / NONEXCLUSIVE and one of FOREGROUND / BACKGROUND. The keyboard
// refuses EXCLUSIVE with BACKGROUND (DIERR_UNSUPPORTED).
#define DISCL_EXCLUSIVE 0x00000001u
#define DISCL_NONEXCLUSIVE 0x00000002u
#define DISCL_FOREGROUND 0x00000004u
#define DISCL_BACKGROUND 0x00000008u

// ---- interfaces ---------------------------------------------------------------------
struct IDirectInputDevice : IUnknown {
    // Chooses the state block's layout. DIERR_INVALIDPARAM unless it is the keyboard
    // format (c_dfDIKeyboard or an equal one); DIERR_ACQUIRED while acquired.
    virtual HRESULT SetDataFormat(LPCDIDATAFORMAT format) = 0;

    // Binds the device to a window and says how it shares the keyboard. FOREGROUND
    // needs a live top-level window. DIERR_INVALIDPARAM for bad flags or window,
    // DIERR_ACQUIRED while acquired.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;

    // Starts reading the keyboard. DI_OK, DI_NOEFFECT when already acquired,
    // DIERR_INVALIDPARAM before SetDataFormat, DIERR_OTHERAPPHASPRIO (a failure) with
    // the foreground level while the application is not active.
    virtual HRESULT Acquire() = 0;

    // Stops reading. DI_OK, or DI_NOEFFECT when the device was not acquired.
    virtual HRESULT Unacquire() = 0;

    // Copies the current key states (0x80 held, 0 up) into `data`, which must have the
    // format's size (256). DIERR_NOTACQUIRED when not acquired; DIERR_INPUTLOST when the
    // device was taken away (the application lost the focus): it is then no longer
    // acquired. `data` is written only on success.
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
};
using LPDIRECTINPUTDEVICE = IDirectInputDevice*;
using LPDIRECTINPUTDEVICEA = IDirectInputDevice*;

struct IDirectInput : IUnknown {
    // Creates a device (one reference, the caller's). GUID_SysKeyboard is the only
    // device. DIERR_NOTINITIALIZED before Initialize, DIERR_DEVICENOTREG for another
    // GUID, CLASS_E_NOAGGREGATION with an outer object, DIERR_INVALIDPARAM for a null
    // out pointer.
    virtual HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE* out, LPUNKNOWN outer) = 0;

    // Readies an object made by CoCreateInstance for the program instance and the
    // interface version it was written for (0x0300 to 0x0500).
    // DIERR_OLDDIRECTINPUTVERSION for a newer version, DIERR_INVALIDPARAM for an older.
    virtual HRESULT Initialize(HINSTANCE instance, DWORD version) = 0;
};
using LPDIRECTINPUT = IDirectInput*;
using LPDIRECTINPUTA = IDirectInput*;

// The "DirectInputCreateA" export of "dinput.dll": creates an initialised input object
// (one reference, the caller's) in *out; the result is that of Initialize, or
// CLASS_E_NOAGGREGATION with an outer object. *out is null on failure.
using LPDIRECTINPUTCREATEA = HRESULT (*)(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out,
                                         LPUNKNOWN outer);

// ---- keyboard scan codes ------------------------------------------------------------
// Byte offsets in the keyboard's state block. Keys of the extended block (the arrows,
// the editing keys, the right-hand modifiers, keypad Enter and divide) have 128 added.
#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_2 0x03
#define DIK_3 0x04
#define DIK_4 0x05
#define DIK_5 0x06
#define DIK_6 0x07
#define DIK_7 0x08
#define DIK_8 0x09
#define DIK_9 0x0A
#define DIK_0 0x0B
#define DIK_MINUS 0x0C
#define DIK_EQUALS 0x0D
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_W 0x11
#define DIK_E 0x12
#define DIK_R 0x13
#define DIK_T 0x14
#define DIK_Y 0x15
#define DIK_U 0x16
#define DIK_I 0x17
#define DIK_O 0x18
#define DIK_P 0x19
#define DIK_LBRACKET 0x1A
#define DIK_RBRACKET 0x1B
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_S 0x1F
#define DIK_D 0x20
#define DIK_F 0x21
#define DIK_G 0x22
#define DIK_H 0x23
#define DIK_J 0x24
#define DIK_K 0x25
#define DIK_L 0x26
#define DIK_SEMICOLON 0x27
#define DIK_APOSTROPHE 0x28
#define DIK_GRAVE 0x29  // also the half-width/full-width key of Japanese keyboards
#define DIK_LSHIFT 0x2A
#define DIK_BACKSLASH 0x2B
#define DIK_Z 0x2C
#define DIK_X 0x2D
#define DIK_C 0x2E
#define DIK_V 0x2F
#define DIK_B 0x30
#define DIK_N 0x31
#define DIK_M 0x32
#define DIK_COMMA 0x33
#define DIK_PERIOD 0x34
#define DIK_SLASH 0x35
#define DIK_RSHIFT 0x36
#define DIK_MULTIPLY 0x37  // keypad *
#define DIK_LMENU 0x38     // left Alt
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_F2 0x3C
#define DIK_F3 0x3D
#define DIK_F4 0x3E
#define DIK_F5 0x3F
#define DIK_F6 0x40
#define DIK_F7 0x41
#define DIK_F8 0x42
#define DIK_F9 0x43
#define DIK_F10 0x44
#define DIK_NUMLOCK 0x45
#define DIK_SCROLL 0x46
#define DIK_NUMPAD7 0x47
#define DIK_NUMPAD8 0x48
#define DIK_NUMPAD9 0x49
#define DIK_SUBTRACT 0x4A  // keypad -
#define DIK_NUMPAD4 0x4B
#define DIK_NUMPAD5 0x4C
#define DIK_NUMPAD6 0x4D
#define DIK_ADD 0x4E  // keypad +
#define DIK_NUMPAD1 0x4F
#define DIK_NUMPAD2 0x50
#define DIK_NUMPAD3 0x51
#define DIK_NUMPAD0 0x52
#define DIK_DECIMAL 0x53  // keypad .
#define DIK_OEM_102 0x56  // the extra key left of Z on 102-key keyboards
#define DIK_F11 0x57
#define DIK_F12 0x58
#define DIK_F13 0x64
#define DIK_F14 0x65
#define DIK_F15 0x66
#define DIK_KANA 0x70       // Japanese: katakana/hiragana
#define DIK_ABNT_C1 0x73    // Japanese: the ro key (backslash/underscore)
#define DIK_CONVERT 0x79    // Japanese: henkan
#define DIK_NOCONVERT 0x7B  // Japanese: muhenkan
#define DIK_YEN 0x7D        // Japanese: yen
#define DIK_ABNT_C2 0x7E    // keypad . of Brazilian keyboards
#define DIK_NUMPADEQUALS 0x8D
#define DIK_PREVTRACK 0x90
#define DIK_CIRCUMFLEX 0x90
#define DIK_AT 0x91
#define DIK_COLON 0x92
#define DIK_UNDERLINE 0x93
#define DIK_KANJI 0x94  // Japanese: kanji
#define DIK_STOP 0x95
#define DIK_AX 0x96
#define DIK_UNLABELED 0x97
#define DIK_NEXTTRACK 0x99
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_MUTE 0xA0
#define DIK_CALCULATOR 0xA1
#define DIK_PLAYPAUSE 0xA2
#define DIK_MEDIASTOP 0xA4
#define DIK_VOLUMEDOWN 0xAE
#define DIK_VOLUMEUP 0xB0
#define DIK_WEBHOME 0xB2
#define DIK_NUMPADCOMMA 0xB3
#define DIK_DIVIDE 0xB5  // keypad /
#define DIK_SYSRQ 0xB7   // print screen
#define DIK_RMENU 0xB8   // right Alt
#define DIK_PAUSE 0xC5
#define DIK_HOME 0xC7
#define DIK_UP 0xC8
#define DIK_PRIOR 0xC9  // page up
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_END 0xCF
#define DIK_DOWN 0xD0
#define DIK_NEXT 0xD1  // page down
#define DIK_INSERT 0xD2
#define DIK_DELETE 0xD3
#define DIK_LWIN 0xDB
#define DIK_RWIN 0xDC
#define DIK_APPS 0xDD
#define DIK_POWER 0xDE
#define DIK_SLEEP 0xDF
#define DIK_WAKE 0xE3
#define DIK_WEBSEARCH 0xE5
#define DIK_WEBFAVORITES 0xE6
#define DIK_WEBREFRESH 0xE7
#define DIK_WEBSTOP 0xE8
#define DIK_WEBFORWARD 0xE9
#define DIK_WEBBACK 0xEA
#define DIK_MYCOMPUTER 0xEB
#define DIK_MAIL 0xEC
#define DIK_MEDIASELECT 0xED
