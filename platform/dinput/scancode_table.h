// The one table that turns the host's physical key codes (SDL scancodes) into the
// keyboard's scan codes (DIK_ values). Internal to the platform layer.
#pragma once

#include <cstdint>

namespace vorn::platform {

struct ScancodeMapping {
    int hostScancode;  // SDL_Scancode
    std::uint8_t dik;  // DIK_ value, 1..255
};
extern const ScancodeMapping kScancodeTable[];
extern const int kScancodeTableSize;

// Writes a 256-byte keyboard snapshot (0x80 held, 0 up) from the host's held-key
// state, which is indexed by SDL scancode and has `count` entries.
void TranslateKeyboardState(const std::uint8_t* hostHeld, int count, std::uint8_t* snapshot);

}  // namespace vorn::platform
