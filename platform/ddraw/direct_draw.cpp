// The display object: cooperative levels, emulated display modes, and the creation of
// surfaces, palettes and clippers.
#include <new>

#include "platform/ddraw/objects.h"
#include "platform/ddraw/present.h"
#include "platform/ddraw/screen.h"
#include "platform/host/display_host.h"

const CLSID CLSID_DirectDraw = {
    0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const IID IID_IDirectDraw = {
    0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

namespace vorn::platform {

namespace {

constexpr int kLargestSide = 16384;  // no host shows more; keeps sizes far from overflow

DWORD MemoryCaps(bool emulated, DWORD asked) {
    // Emulation keeps every surface in system memory; the default driver places them
    // where they are asked for, video memory by default.
    return emulated || (asked & DDSCAPS_SYSTEMMEMORY) ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY;
}

}  // namespace

DirectDraw::DirectDraw(bool initialized, GUID* driver) : m_initialized(initialized) {
    m_emulated = driver == DDCREATE_EMULATIONONLY;
}

DirectDraw::~DirectDraw() {
    if (Screen::Get().exclusiveOwner == this) LeaveExclusive();
}

HRESULT DirectDraw::QueryInterface(REFIID iid, void** object) {
    if (object && iid == IID_IDirectDraw) {
        AddRef();
        *object = static_cast<IDirectDraw*>(this);
        return S_OK;
    }
    return ComObject::QueryInterface(iid, object);
}

HRESULT DirectDraw::Initialize(GUID* driver) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::Initialize", this, DDERR_GENERIC, failure)) return failure;
    if (m_initialized) return DDERR_ALREADYINITIALIZED;
    m_initialized = true;
    m_emulated = driver == DDCREATE_EMULATIONONLY;
    return DD_OK;
}

void DirectDraw::LeaveExclusive() {
    Screen& screen = Screen::Get();
    if (screen.modeSet) screen.LoseAll();
    screen.modeSet = false;
    screen.exclusiveOwner = nullptr;
    host::SetWindowFullscreen(screen.levelWindow, false);
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::SetCooperativeLevel", this, DDERR_GENERIC, failure))
        return failure;
    Screen& screen = Screen::Get();
    const bool exclusive = flags & DDSCL_EXCLUSIVE, fullscreen = flags & DDSCL_FULLSCREEN,
               normal = flags & DDSCL_NORMAL;
    if (exclusive && fullscreen && !normal) {
        if (!window) return DDERR_INVALIDPARAMS;
        if (screen.exclusiveOwner && screen.exclusiveOwner != this)
            return DDERR_EXCLUSIVEMODEALREADYSET;
        screen.exclusiveOwner = this;
        screen.levelWindow = window;
        host::SetWindowFullscreen(window, true);
        return DD_OK;
    }
    if (!normal || exclusive || fullscreen) return DDERR_INVALIDPARAMS;
    if (screen.exclusiveOwner == this) LeaveExclusive();
    screen.levelWindow = window;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::SetDisplayMode", this, DDERR_GENERIC, failure))
        return failure;
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner != this) return DDERR_NOEXCLUSIVEMODE;
    const PixelFormat format = PixelFormatOfBits(static_cast<int>(bitsPerPixel));
    if (!format.IsValid() || width == 0 || height == 0 || width > kLargestSide ||
        height > kLargestSide)
        return DDERR_INVALIDMODE;
    const DisplayMode wanted{static_cast<int>(width), static_cast<int>(height), format};
    const DisplayMode current = screen.Current();
    if (wanted.width != current.width || wanted.height != current.height ||
        wanted.format != current.format)
        screen.LoseAll();
    screen.mode = wanted;
    screen.modeSet = true;
    return DD_OK;
}

HRESULT DirectDraw::RestoreDisplayMode() {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::RestoreDisplayMode", this, DDERR_GENERIC, failure))
        return failure;
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner == this && screen.modeSet) {
        screen.modeSet = false;
        screen.LoseAll();
    }
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* out, IUnknown* outer) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::CreateSurface", this, DDERR_GENERIC, failure)) return failure;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!desc || !out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    Screen& screen = Screen::Get();
    const DWORD asked = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    const DWORD memory = MemoryCaps(m_emulated, asked);
    Surface* made = nullptr;
    try {
        if (asked & DDSCAPS_PRIMARYSURFACE) {
            if (screen.primary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
            const DisplayMode mode = screen.Current();
            if (asked & DDSCAPS_FLIP) {
                if (screen.exclusiveOwner != this) return DDERR_NOEXCLUSIVEMODE;
                if (!(desc->dwFlags & DDSD_BACKBUFFERCOUNT) || desc->dwBackBufferCount != 1 ||
                    !(asked & DDSCAPS_COMPLEX))
                    return DDERR_INVALIDPARAMS;
                const DWORD chain = DDSCAPS_FLIP | DDSCAPS_COMPLEX | memory;
                made = new Surface(Surface::Kind::kPrimary, mode.width, mode.height, mode.format,
                                   DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER | chain);
                made->AttachBackBuffer(
                    std::make_unique<Surface>(Surface::Kind::kBackBuffer, mode.width, mode.height,
                                              mode.format, DDSCAPS_BACKBUFFER | chain));
            } else if (screen.exclusiveOwner == this) {
                made = new Surface(Surface::Kind::kPrimary, mode.width, mode.height, mode.format,
                                   DDSCAPS_PRIMARYSURFACE | memory);
            } else {
                std::uint8_t* bits = screen.DesktopBits();
                const DisplayMode& image = screen.DesktopImageMode();
                made = new Surface(image.width, image.height, image.format,
                                   DDSCAPS_PRIMARYSURFACE | memory, bits, screen.DesktopPitch());
            }
            screen.primary = made;
            screen.emulatedDriver = m_emulated;
        } else {
            if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) ||
                desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > kLargestSide ||
                desc->dwHeight > kLargestSide)
                return DDERR_INVALIDPARAMS;
            PixelFormat format =
                screen.primary ? screen.primary->Format() : screen.Current().format;
            if (desc->dwFlags & DDSD_PIXELFORMAT) {
                format = FromDDPixelFormat(desc->ddpfPixelFormat);
                if (!format.IsValid()) return DDERR_INVALIDPIXELFORMAT;
            }
            made = new Surface(Surface::Kind::kOffscreen, static_cast<int>(desc->dwWidth),
                               static_cast<int>(desc->dwHeight), format,
                               DDSCAPS_OFFSCREENPLAIN | memory);
        }
    } catch (const std::bad_alloc&) {
        delete made;
        return DDERR_OUTOFMEMORY;
    }
    if (desc->dwFlags & DDSD_CKSRCBLT) made->SetColorKey(DDCKEY_SRCBLT, &desc->ddckCKSrcBlt);
    *out = made;
    return DD_OK;
}

HRESULT DirectDraw::CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* out,
                                  IUnknown* outer) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::CreatePalette", this, DDERR_GENERIC, failure)) return failure;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!entries || !out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const int count = (flags & DDPCAPS_8BIT)   ? 256
                      : (flags & DDPCAPS_4BIT) ? 16
                      : (flags & DDPCAPS_2BIT) ? 4
                      : (flags & DDPCAPS_1BIT) ? 2
                                               : 0;
    if (!count) return DDERR_INVALIDPARAMS;
    *out = new Palette(count, entries);
    return DD_OK;
}

HRESULT DirectDraw::CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* out, IUnknown* outer) {
    HRESULT failure;
    if (InjectedFailure("IDirectDraw::CreateClipper", this, DDERR_GENERIC, failure)) return failure;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!out) return DDERR_INVALIDPARAMS;
    *out = new Clipper;
    return DD_OK;
}

HRESULT DirectDraw::FlipToGDISurface() {
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner == this && screen.primary) PresentFullScreen(*screen.primary, true);
    return DD_OK;
}

HRESULT DirectDraw::GetDisplayMode(LPDDSURFACEDESC desc) {
    if (!desc) return DDERR_INVALIDPARAMS;
    const DisplayMode mode = Screen::Get().Current();
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(mode.width);
    desc->dwHeight = static_cast<DWORD>(mode.height);
    desc->lPitch = PitchOf(mode.width, mode.format);
    desc->ddpfPixelFormat = ToDDPixelFormat(mode.format);
    return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE event) { return DD_OK; }

HRESULT CreateDirectDrawObject(REFIID iid, void** object) {
    auto* directDraw = new DirectDraw(false, nullptr);
    const HRESULT hr = directDraw->QueryInterface(iid, object);
    directDraw->Release();
    return hr;
}

}  // namespace vorn::platform

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    HRESULT failure;
    if (vorn::platform::InjectedFailure("DirectDrawCreate", nullptr, DDERR_GENERIC, failure))
        return failure;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!directDraw) return DDERR_INVALIDPARAMS;
    *directDraw = new vorn::platform::DirectDraw(true, driver);
    return DD_OK;
}
