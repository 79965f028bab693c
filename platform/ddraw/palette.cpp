// Palettes and clippers.
#include "platform/ddraw/objects.h"
#include "platform/ddraw/system_palette.h"

namespace vorn::platform {

Palette::Palette(int entryCount, const PALETTEENTRY* entries) : m_entryCount(entryCount) {
    for (int i = 0; i < entryCount; ++i) m_entries[i] = entries[i];
    ResolvePalette(m_entries, m_colors);
}

bool Palette::InRange(DWORD start, DWORD count, const void* entries) const {
    return entries && start < static_cast<DWORD>(m_entryCount) && count <= m_entryCount - start;
}

HRESULT Palette::GetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawPalette::GetEntries", this, DDERR_GENERIC, failure))
        return failure;
    if (!InRange(start, count, entries)) return DDERR_INVALIDPARAMS;
    for (DWORD i = 0; i < count; ++i) entries[i] = m_entries[start + i];
    return DD_OK;
}

HRESULT Palette::SetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawPalette::SetEntries", this, DDERR_GENERIC, failure))
        return failure;
    if (!InRange(start, count, entries)) return DDERR_INVALIDPARAMS;
    for (DWORD i = 0; i < count; ++i) m_entries[start + i] = entries[i];
    ResolvePalette(m_entries, m_colors);
    return DD_OK;
}

HRESULT Clipper::SetHWnd(DWORD flags, HWND window) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawClipper::SetHWnd", this, DDERR_GENERIC, failure))
        return failure;
    m_window = window;
    return DD_OK;
}

HRESULT Clipper::GetHWnd(HWND* window) {
    if (!window) return DDERR_INVALIDPARAMS;
    *window = m_window;
    return DD_OK;
}

}  // namespace vorn::platform
