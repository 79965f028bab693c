// Key devices: the part of the two snapshots that every device shares.
#include "sdk/input/key_input.h"

#include <cstring>

void CKeyInput::ClearSnapshots() {
    std::memset(m_byKeyState, 0, sizeof m_byKeyState);
    m_nCurrent = 0;
}
