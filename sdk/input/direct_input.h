// The keyboard: the whole keyboard read once per frame as 256 scan-code bytes (the DIK_
// values, 0x80 while held) through the platform's keyboard input device.
#pragma once

#include "platform/dinput/dinput.h"
#include "platform/windows.h"
#include "sdk/frame/device.h"
#include "sdk/input/key_input.h"

class CDirectInput : public CKeyInput, public CDevice {
public:
    CDirectInput();
    ~CDirectInput() override;

    // Reads a new snapshot. 0 on success; 1 without a device or when the keyboard cannot
    // be read (lost to another window): the snapshot then reads as all keys up, so every
    // key still held when input comes back is pushed once.
    int Update() override;

    // Only bit 7 of a keyboard byte means held.
    bool IsPress(int key) const override { return (m_byKeyState[m_nCurrent][key] & 0x80) != 0; }
    bool IsPush(int key) const override {
        return (m_byKeyState[m_nCurrent][key] & 0x80) != 0 &&
               (m_byKeyState[1 - m_nCurrent][key] & 0x80) == 0;
    }

    // Creates the input object and the keyboard device for the window. 0 on success;
    // 1 to 9 name the failed step (each reported to the error log). Starts from nothing
    // each time: a second call releases what the first one made.
    int Initialize(HWND window, HINSTANCE instance) override;

    // Releases the device and the input object. Always 0; safe to repeat.
    int Terminate() override;

private:
    int CreateThroughLibrary(HINSTANCE instance);

    LPDIRECTINPUT m_lpDirectInput = nullptr;
    LPDIRECTINPUTDEVICE m_lpKeyboard = nullptr;
    bool m_bAcquired = false;
    bool m_bCOMReady = false;
};
