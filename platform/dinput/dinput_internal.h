// How the rest of the platform layer reaches the keyboard input objects: the factory
// of the built-in class table and the export of the built-in "dinput.dll".
#pragma once

#include "platform/dinput/dinput.h"

namespace vorn::platform {

// CoCreateInstance's factory for CLSID_DirectInput: a new, uninitialised input object.
HRESULT CreateDirectInputObject(REFIID iid, void** object);

// The "DirectInputCreateA" export of the built-in "dinput.dll".
HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out, LPUNKNOWN outer);

// A new system keyboard device of the input object (one reference, the caller's). The
// device holds a reference to its input object.
LPDIRECTINPUTDEVICE NewSystemKeyboard(LPDIRECTINPUT owner);

}  // namespace vorn::platform
