// The interface of every key device (keyboard, joystick, MIDI keyboard): two snapshots of
// 256 key-state bytes, refreshed by Update once per frame, and the press and push tests
// by key code.
#pragma once

#include <cstdint>

class CKeyInput {
public:
    CKeyInput() = default;
    virtual ~CKeyInput() = default;
    CKeyInput(const CKeyInput&) = delete;
    CKeyInput& operator=(const CKeyInput&) = delete;

    // Takes a new snapshot: the latest one becomes the previous one and the device
    // writes all 256 bytes of the new one. 0 when a snapshot was read.
    virtual int Update() = 0;

    // The key (0..255) is held in the latest snapshot.
    virtual bool IsPress(int key) const { return m_byKeyState[m_nCurrent][key] != 0; }

    // The key went down between the previous snapshot and the latest one.
    virtual bool IsPush(int key) const {
        return m_byKeyState[m_nCurrent][key] != 0 && m_byKeyState[1 - m_nCurrent][key] == 0;
    }

    // The 256 bytes of the latest snapshot. Valid for the device's life; overwritten by
    // the second Update after the call.
    virtual const std::uint8_t* GetKeyState() const { return m_byKeyState[m_nCurrent]; }

protected:
    // Makes the older snapshot the target of the next write and returns it.
    std::uint8_t* FlipSnapshot() {
        m_nCurrent = 1 - m_nCurrent;
        return m_byKeyState[m_nCurrent];
    }
    // Forgets both snapshots: nothing reads as held or pushed.
    void ClearSnapshots();

    int m_nCurrent = 0;                      // index of the latest snapshot
    std::uint8_t m_byKeyState[2][256] = {};  // [m_nCurrent] latest, [1 - m_nCurrent] previous
};
