// The keys one frame of a sample looks at, as plain data: which keys are held and which
// went down since the previous snapshot. A sample takes it from its key device once per
// frame, so that its game logic runs (and is tested) without the device.
#pragma once

#include <bitset>

// DirectInput keyboard scan codes of the keys the samples use.
enum SampleKey : int {
    kKeyEscape = 1,
    kKeyC = 46,
    kKeyB = 48,
    kKeySpace = 57,
    kKeyUp = 200,
    kKeyLeft = 203,
    kKeyRight = 205,
    kKeyDown = 208,
};

struct KeySnapshot {
    std::bitset<256> pressed;  // held now
    std::bitset<256> pushed;   // held now and not at the previous snapshot

    bool IsPress(int key) const { return pressed[key]; }
    bool IsPush(int key) const { return pushed[key]; }

    // The state of a key device (anything with IsPress and IsPush by key code) after its
    // Update.
    template <class KeyDevice>
    static KeySnapshot From(KeyDevice& device) {
        KeySnapshot keys;
        for (int key = 0; key < 256; ++key) {
            keys.pressed[key] = device.IsPress(key);
            keys.pushed[key] = device.IsPush(key);
        }
        return keys;
    }
};

// What a frame's key handling decided.
enum class FrameEnd { kContinue, kQuit };
