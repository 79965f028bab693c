// The one emulated screen that every display object shares: the desktop's image and
// format, the exclusive owner and its display mode, the primary surface, and the
// live surfaces (all of them are lost together). Internal to the platform layer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/host/host.h"

namespace vorn::platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    PixelFormat format;
};

class Screen {
public:
    // Inline, as is CheckActivation: every surface operation, sprite blits included,
    // starts with both, so they must not cost a call each.
    static Screen& Get() {
        static Screen screen;
        return screen;
    }

    // The desktop's mode (from the host, or as a test chose it).
    DisplayMode Desktop() const;
    // The mode surfaces are made in: the exclusive owner's display mode, else the desktop's.
    DisplayMode Current() const;

    // The desktop's image in the desktop's format: what window-mode primaries and window
    // device contexts draw into. Rebuilt (black) when the desktop's mode changed and no window-mode
    // primary uses it.
    std::uint8_t* DesktopBits();
    int DesktopPitch() const { return m_desktopPitch; }
    const DisplayMode& DesktopImageMode() const { return m_desktopImageMode; }

    DirectDraw* exclusiveOwner = nullptr;  // the display object at the exclusive level
    HWND levelWindow = nullptr;            // the window of the last cooperative level
    bool modeSet = false;
    DisplayMode mode;
    Surface* primary = nullptr;  // no reference
    bool emulatedDriver = true;  // the driver of the display object that made the primary

    void Register(Surface* surface) { m_surfaces.push_back(surface); }
    void Unregister(Surface* surface);
    // Every live surface becomes lost (the display was taken away or changed mode).
    void LoseAll();
    // Exclusive full screen while the application is inactive: lost surfaces cannot
    // be restored.
    bool DisplayTakenAway();
    // Loses every surface once when exclusive full screen loses the activation.
    void CheckActivation() {
        const bool active = host::AppActive();
        if (exclusiveOwner && m_wasActive && !active) LoseAll();
        m_wasActive = active;
    }

    // The colours of the screen's 8-bit pixels: the primary's palette, else the system's.
    const XrgbPalette& DisplayPalette() const;

private:
    std::vector<Surface*> m_surfaces;
    std::unique_ptr<std::uint8_t[]> m_desktopStorage;
    DisplayMode m_desktopImageMode;
    int m_desktopPitch = 0;
    bool m_wasActive = true;
};

// Bytes per row of a surface: whole pixels rounded up to 4 bytes.
inline int PitchOf(int width, const PixelFormat& format) {
    return (width * format.BytesPerPixel() + 3) & ~3;
}

}  // namespace vorn::platform
