// A plane's life: construction and destruction, ownership of its surface and palette,
// and the process-wide registry of live planes through which the display device
// releases and rebuilds every plane around a mode change.
#include <set>

#include "display/display_state.h"
#include "display/plane.h"

namespace {

// Ordered by address; never owns its members. A function-local static so that planes
// in static storage may be constructed before this file's globals.
std::set<CPlane*>& Registry() {
    static std::set<CPlane*> planes;
    return planes;
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
