// CFPSTimer: paces the main loop to a fixed frame rate and measures the rate reached.
//
// Frames are whole milliseconds of the time source, the fraction of the frame interval
// carried in 16.16 fixed point (at 60 frames per second they alternate 16 and 17 ms
// and average 16.667 ms). A wait sleeps for the bulk of the time and spins on the
// clock for the last 3 ms; after a sleep that overshot its deadline, the next 60 waits
// spin instead of sleeping. The schedule never trails real time by more than 7 ms, so
// a long hitch is followed by no burst of short frames.
#pragma once

#include "platform/base/types.h"

class CFPSTimer {
public:
    CFPSTimer() { SetFPS(60); }

    // Restarts pacing and measuring at the given rate; 0 measures without pacing.
    void SetFPS(DWORD fps);
    DWORD GetFPS() const { return m_dwFPS; }

    // Records this frame's time and returns at its deadline.
    void WaitFrame();

    // Frames per second over the last 16 frames: 15000 / their span in ms. 0 until 16
    // frames have been recorded since SetFPS, and when the span is 0 ms.
    DWORD GetRealFPS() const;

private:
    static constexpr int kRingSize = 16;
    static constexpr DWORD kFixedOne = 65536;  // 1 ms in 16.16 fixed point
    static constexpr DWORD kMaxBacklogMs = 7;  // how far the schedule may trail now
    static constexpr DWORD kSpinMs = 3;        // the end of a wait is spun, not slept
    static constexpr int kSpinFramesAfterOvershoot = 60;

    DWORD m_dwFPS = 0;                      // frames per second; 0 = no pacing
    DWORD m_dwInterval = 0;                 // ms per frame, 16.16
    DWORD m_dwBase = 0;                     // the previous deadline, from which this one counts
    DWORD m_dwAccumulator = 0;              // the fraction of a ms carried between frames, 16.16
    int m_nSleepSkip = 0;                   // coming waits that must spin instead of sleeping
    DWORD m_adwFrameTimes[kRingSize] = {};  // when the last 16 frames called WaitFrame
    int m_nRingCount = 0;                   // entries written, 0..31; 16 or more: the ring is full
};
