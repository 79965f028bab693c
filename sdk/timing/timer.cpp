// Pausable timers and their registry.
#include "timing/timer.h"

#include <set>

#include "timing/time_source.h"

namespace {

// Ordered by address; it never owns its timers. Never destroyed, so that timers in
// static storage can leave it at exit whatever the order of destruction.
std::set<CTimer*>& Registry() {
    static auto* registry = new std::set<CTimer*>;
    return *registry;
}

}  // namespace

CTimer::CTimer() : m_dwBaseTime(GetTime()) { Registry().insert(this); }

CTimer::~CTimer() { Registry().erase(this); }

void CTimer::Pause() {
    if (m_nPauseCount++ == 0) m_dwPauseStart = GetTime();
}

void CTimer::Resume() {
    if (m_nPauseCount == 0) return;
    if (--m_nPauseCount == 0) m_dwBaseTime += GetTime() - m_dwPauseStart;
}

void CTimer::Reset() {
    m_dwBaseTime = GetTime();
    m_dwPauseStart = m_dwBaseTime;
}

DWORD CTimer::Get() const { return (IsPaused() ? m_dwPauseStart : GetTime()) - m_dwBaseTime; }

void CTimer::PauseAll() {
    for (CTimer* timer : Registry()) timer->Pause();
}

void CTimer::ResumeAll() {
    for (CTimer* timer : Registry()) timer->Resume();
}
