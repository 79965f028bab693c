// Frame pacing and frame-rate measuring.
#include "timing/fps_timer.h"

#include "platform/windows.h"
#include "timing/time_source.h"

void CFPSTimer::SetFPS(DWORD fps) {
    m_dwBase = GetTime();
    m_nSleepSkip = 0;
    m_nRingCount = 0;
    m_dwFPS = fps;
    if (fps != 0) {
        m_dwInterval = 1000 * kFixedOne / fps;
        m_dwAccumulator = 0;
    }
}

void CFPSTimer::WaitFrame() {
    DWORD now = GetTime();
    m_adwFrameTimes[m_nRingCount % kRingSize] = now;
    if (++m_nRingCount == 2 * kRingSize) m_nRingCount = kRingSize;
    if (m_dwFPS == 0) return;

    m_dwAccumulator = (m_dwAccumulator % kFixedOne) + m_dwInterval;
    const DWORD target = m_dwAccumulator / kFixedOne;  // this frame's length in whole ms
    const DWORD elapsed = now - m_dwBase;
    if (elapsed >= target) {
        // Late or just on time: keep the schedule while the delay is small (the next
        // frame absorbs it), else restart it a little behind now.
        m_dwBase = elapsed - target < kMaxBacklogMs ? m_dwBase + target : now - kMaxBacklogMs;
        return;
    }
    const DWORD remaining = target - elapsed;
    if (remaining > kSpinMs) {
        if (m_nSleepSkip > 0)
            --m_nSleepSkip;
        else
            Sleep(remaining - kSpinMs);
    }
    now = GetTime();
    if (now - m_dwBase >= target) {
        // The sleep overshot (or the deadline passed meanwhile): this system's sleeps
        // cannot be trusted for a while.
        m_nSleepSkip = kSpinFramesAfterOvershoot;
        m_dwBase += target;
        return;
    }
    while (GetTime() - m_dwBase < target) {
    }
    m_dwBase += target;
}

DWORD CFPSTimer::GetRealFPS() const {
    if (m_nRingCount < kRingSize) return 0;
    const DWORD newest = m_adwFrameTimes[(m_nRingCount - 1) % kRingSize];
    const DWORD oldest = m_adwFrameTimes[m_nRingCount % kRingSize];
    const DWORD span = newest - oldest;
    return span == 0 ? 0 : 15000 / span;
}
