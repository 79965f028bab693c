// A plane's life: construction and destruction, ownership of its surface and palette,
// and the process-wide registry of live planes through which the display device
// releases and rebuilds every plane around a mode change.
#include <set>

#include "display/display_state.h"
#include "display/plane.h"

namespace {

// Ordered by address; never owns its members. Made on first use and never destroyed,
// so that planes in static storage, and the display device's capture plane deleted by
// the frame's destructor at exit, may still leave it whatever the order of destruction.
std::set<CPlane*>& Registry() {
    static auto* planes = new std::set<CPlane*>;
    return *planes;
}

}  // namespace

CPlane::CPlane() { Registry().insert(this); }

CPlane::~CPlane() {
    ReleaseSurface();
    ReleasePalette();
    Registry().erase(this);
    if (m_lpPaletteSource == this) m_lpPaletteSource = nullptr;
}

void CPlane::ReleaseSurface() {
    if (m_lpSurface == nullptr) return;
    m_lpSurface->Release();
    m_lpSurface = nullptr;
}

void CPlane::ReleasePalette() {
    if (m_lpPalette == nullptr) return;
    m_lpPalette->Release();
    m_lpPalette = nullptr;
}

int CPlane::Release() {
    ReleaseSurface();
    ReleasePalette();
    return 0;
}

int CPlane::ReleaseAll() {
    for (CPlane* plane : Registry()) plane->Release();
    return 0;
}

int CPlane::RestoreAll() {
    for (CPlane* plane : Registry()) plane->Restore();
    return 0;
}

int CPlane::RestoreAllPaletteDependent() {
    for (CPlane* plane : Registry()) {
        if (plane->m_bPaletteDependent) plane->Restore();
    }
    return 0;
}
