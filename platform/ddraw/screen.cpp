// The shared emulated screen.
#include "platform/ddraw/screen.h"

#include <algorithm>

#include "platform/ddraw/system_palette.h"
#include "platform/host/display_host.h"
#include "platform/host/host.h"

namespace vorn::platform {

DisplayMode Screen::Desktop() const {
    const host::DesktopMode desktop = host::GetDesktopMode();
    return {desktop.width, desktop.height, PixelFormatOfBits(desktop.bits)};
}

DisplayMode Screen::Current() const {
    if (exclusiveOwner && modeSet) return mode;
    return Desktop();
}

std::uint8_t* Screen::DesktopBits() {
    const DisplayMode desktop = Desktop();
    // A window-mode primary keeps the image it was made on until it is released.
    const bool primaryOnImage = primary && primary->GetKind() == Surface::Kind::kPrimary &&
                                !primary->BackBuffer() && m_desktopStorage;
    if (!primaryOnImage && (!m_desktopStorage || desktop.width != m_desktopImageMode.width ||
                            desktop.height != m_desktopImageMode.height ||
                            desktop.format != m_desktopImageMode.format)) {
        m_desktopImageMode = desktop;
        m_desktopPitch = PitchOf(desktop.width, desktop.format);
        m_desktopStorage.reset(
            new std::uint8_t[static_cast<size_t>(m_desktopPitch) * desktop.height]());
    }
    return m_desktopStorage.get();
}

void Screen::Unregister(Surface* surface) {
    m_surfaces.erase(std::remove(m_surfaces.begin(), m_surfaces.end(), surface), m_surfaces.end());
    if (primary == surface) primary = nullptr;
}

void Screen::LoseAll() {
    for (Surface* surface : m_surfaces) surface->MarkLost();
}

bool Screen::DisplayTakenAway() { return exclusiveOwner && !host::AppActive(); }

const XrgbPalette& Screen::DisplayPalette() const {
    if (primary && primary->AttachedPalette()) return primary->AttachedPalette()->Colors();
    return SystemPaletteColors();
}

}  // namespace vorn::platform
