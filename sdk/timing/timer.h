// CTimer: a stopwatch on the time source that can be paused, and the registry of all
// live stopwatches, through which the frame pauses every one of them while the
// application is inactive. Paused spans never count as elapsed time.
#pragma once

#include "platform/base/types.h"

class CTimer {
public:
    // Starts running at 0 and joins the registry.
    CTimer();
    // Leaves the registry.
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // Pauses nest: the timer runs again at the Resume that matches the outermost Pause,
    // and the whole span since that Pause is left out. A Resume without a Pause does
    // nothing.
    void Pause();
    void Resume();
    bool IsPaused() const { return m_nPauseCount > 0; }

    // Back to 0 (a paused timer stays paused, at 0).
    void Reset();

    // Milliseconds counted since the construction or the last Reset, paused spans left
    // out.
    DWORD Get() const;

    // Pause or Resume every live timer, in registry order.
    static void PauseAll();
    static void ResumeAll();

private:
    DWORD m_dwBaseTime = 0;    // moved forward by every completed pause
    DWORD m_dwPauseStart = 0;  // when the outermost pause began
    int m_nPauseCount = 0;     // nesting depth of pauses; 0 = running
};
