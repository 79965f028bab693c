// Surfaces: locks, fills, copies, flips, colour keys, palettes, clippers and loss.
#include <algorithm>

#include "platform/ddraw/blit.h"
#include "platform/ddraw/objects.h"
#include "platform/ddraw/present.h"
#include "platform/ddraw/screen.h"
#include "platform/gdi/device_context.h"

namespace vorn::platform {

namespace {

bool Inside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width &&
           r.bottom <= height;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

PixelView ViewOf(const Surface& s) { return {s.Bits(), s.Pitch(), s.Format().BytesPerPixel()}; }

std::uint32_t MaskToBits(std::uint32_t value, int bits) {
    return bits >= 32 ? value : value & ((1u << bits) - 1);
}

}  // namespace

Surface::Surface(Kind kind, int width, int height, const PixelFormat& format, DWORD caps)
    : m_kind(kind), m_width(width), m_height(height), m_format(format), m_caps(caps) {
    m_pitch = PitchOf(width, format);
    m_storage.reset(new std::uint8_t[static_cast<size_t>(m_pitch) * height]());
    m_bits = m_storage.get();
    Screen::Get().Register(this);
}

Surface::Surface(int width, int height, const PixelFormat& format, DWORD caps,
                 std::uint8_t* screenBits, int screenPitch)
    : m_kind(Kind::kPrimary), m_width(width), m_height(height), m_format(format), m_caps(caps) {
    m_bits = screenBits;
    m_pitch = screenPitch;
    Screen::Get().Register(this);
}

Surface::~Surface() {
    Screen::Get().Unregister(this);
    if (m_dcOut) DeleteDeviceContext(m_dc);
    if (m_palette) m_palette->Release();
    if (m_clipper) m_clipper->Release();
}

void Surface::AttachBackBuffer(std::unique_ptr<Surface> back) {
    m_backBuffer = std::move(back);
    m_backBuffer->m_front = this;
}

// The back buffer of a flip chain lives and dies with its front buffer.
ULONG Surface::AddRef() { return m_front ? m_front->AddRef() : ++m_references; }
ULONG Surface::Release() { return m_front ? m_front->Release() : ComObject::Release(); }

// Inline (as is CheckSource): both run before every blit, and a sprite blit is little
// more than its checks.
inline HRESULT Surface::CheckUsable(const char* operation) const {
    HRESULT failure;
    if (InjectedFailure(operation, this, DDERR_GENERIC, failure)) return failure;
    Screen::Get().CheckActivation();
    if (m_lost) return DDERR_SURFACELOST;
    if (m_locked || m_dcOut) return DDERR_SURFACEBUSY;
    return DD_OK;
}

const XrgbPalette& Surface::PaletteInEffect() const {
    return m_palette ? m_palette->Colors() : Screen::Get().DisplayPalette();
}

void Surface::PresentPrimary(bool wholeFrame) {
    Screen& screen = Screen::Get();
    if (screen.exclusiveOwner) {
        PresentFullScreen(*this, wholeFrame);
        return;
    }
    HWND window = m_clipper && m_clipper->Window() ? m_clipper->Window() : screen.levelWindow;
    if (window) PresentWindowArea(window, wholeFrame);
}

HRESULT Surface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) {
    if (HRESULT hr = CheckUsable("IDirectDrawSurface::Lock"); hr != DD_OK) return hr;
    if (!desc) return DDERR_INVALIDPARAMS;
    const RECT whole{0, 0, m_width, m_height};
    const RECT area = rect ? *rect : whole;
    if (!Inside(area, m_width, m_height)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface =
        m_bits + static_cast<long>(area.top) * m_pitch + area.left * m_format.BytesPerPixel();
    m_locked = true;
    return DD_OK;
}

HRESULT Surface::Unlock(LPVOID memory) {
    if (!m_locked) return DDERR_NOTLOCKED;
    m_locked = false;
    Presented();
    return DD_OK;
}

// A source must be usable, of this surface's format, and the rectangle (null: all of
// it) must lie on it. The rectangle is read field by field: callers usually have just
// written it that way (a sprite's clipped cell), and one wide load of several narrower
// stores still in flight stalls until they are written out; the volatile reads keep
// the compiler from merging them.
inline HRESULT Surface::CheckSource(const Surface* source, const RECT* sourceRect,
                                    RECT* from) const {
    if (!source) return DDERR_INVALIDPARAMS;
    if (source != this) {
        if (source->m_lost) return DDERR_SURFACELOST;
        if (source->Busy()) return DDERR_SURFACEBUSY;
    }
    if (source->m_format != m_format) return DDERR_INVALIDPIXELFORMAT;
    // Four values rather than one rectangle chosen between two, which would be put
    // together in memory and read back.
    LONG left = 0, top = 0, right = source->m_width, bottom = source->m_height;
    if (sourceRect) {
        const volatile RECT* fields = sourceRect;
        left = fields->left;
        top = fields->top;
        right = fields->right;
        bottom = fields->bottom;
    }
    *from = {left, top, right, bottom};
    return Inside(*from, source->m_width, source->m_height) ? DD_OK : DDERR_INVALIDRECT;
}

HRESULT Surface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE sourceSurface, LPRECT sourceRect,
                     DWORD flags, LPDDBLTFX fx) {
    if (HRESULT hr = CheckUsable("IDirectDrawSurface::Blt"); hr != DD_OK) return hr;
    const RECT whole{0, 0, m_width, m_height};
    const RECT dest = destRect ? *destRect : whole;
    if (Empty(dest)) return DDERR_INVALIDRECT;
    // Without a clipper the rectangle must lie on the surface; with one it is clipped
    // to the window's client area on the screen.
    RECT clip = dest;
    if (m_clipper && m_kind == Kind::kPrimary) {
        RECT client;
        if (!ClientAreaOnScreen(m_clipper->Window(), &client)) return DDERR_INVALIDPARAMS;
        clip = Intersection(Intersection(dest, whole), client);
    } else if (!Inside(dest, m_width, m_height)) {
        return DDERR_INVALIDRECT;
    }

    if (flags & DDBLT_COLORFILL) {
        if (!fx) return DDERR_INVALIDPARAMS;
        if (!Empty(clip))
            FillPixels(ViewOf(*this), clip, MaskToBits(fx->dwFillColor, m_format.bits));
        Presented(false);
        return DD_OK;
    }

    auto* source = static_cast<Surface*>(sourceSurface);
    RECT from;
    if (HRESULT hr = CheckSource(source, sourceRect, &from); hr != DD_OK) return hr;
    const bool keyed = (flags & DDBLT_KEYSRC) && source->m_hasColorKey;
    const std::uint32_t key = source->m_colorKey.dwColorSpaceLowValue;
    if (Empty(clip)) return DD_OK;

    const bool sameSize = from.right - from.left == dest.right - dest.left &&
                          from.bottom - from.top == dest.bottom - dest.top;
    if (sameSize) {
        const RECT part{from.left + clip.left - dest.left, from.top + clip.top - dest.top,
                        from.left + clip.right - dest.left, from.top + clip.bottom - dest.top};
        if (keyed)
            CopyPixelsKeyed(ViewOf(*this), clip.left, clip.top, ViewOf(*source), part, key);
        else
            CopyPixels(ViewOf(*this), clip.left, clip.top, ViewOf(*source), part);
    } else {
        StretchPixels(ViewOf(*this), dest, clip, ViewOf(*source), from, keyed, key);
    }
    Presented();
    return DD_OK;
}

HRESULT Surface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE sourceSurface, LPRECT sourceRect,
                         DWORD trans) {
    if (HRESULT hr = CheckUsable("IDirectDrawSurface::BltFast"); hr != DD_OK) return hr;
    if (trans & DDBLTFAST_DESTCOLORKEY) return DDERR_UNSUPPORTED;
    auto* source = static_cast<Surface*>(sourceSurface);
    RECT from;
    if (HRESULT hr = CheckSource(source, sourceRect, &from); hr != DD_OK) return hr;
    // Unsigned positions: a "negative" one is huge and does not fit.
    if (x > static_cast<DWORD>(m_width) || y > static_cast<DWORD>(m_height) ||
        from.right - from.left > m_width - static_cast<int>(x) ||
        from.bottom - from.top > m_height - static_cast<int>(y))
        return DDERR_INVALIDRECT;
    if ((trans & DDBLTFAST_SRCCOLORKEY) && source->m_hasColorKey) {
        CopyPixelsKeyed(ViewOf(*this), static_cast<int>(x), static_cast<int>(y), ViewOf(*source),
                        from, source->m_colorKey.dwColorSpaceLowValue);
    } else {
        // A copy of its own for the call out of line, so that the sprite path above
        // keeps the rectangle in registers instead of storing it for this one.
        const RECT part = from;
        CopyPixels(ViewOf(*this), static_cast<int>(x), static_cast<int>(y), ViewOf(*source), part);
    }
    Presented();
    return DD_OK;
}

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE target, DWORD flags) {
    if (HRESULT hr = CheckUsable("IDirectDrawSurface::Flip"); hr != DD_OK) return hr;
    if (!m_backBuffer) return DDERR_NOTFLIPPABLE;
    if (target && target != m_backBuffer.get()) return DDERR_INVALIDPARAMS;
    if (m_backBuffer->m_lost) return DDERR_SURFACELOST;
    if (m_backBuffer->Busy()) return DDERR_SURFACEBUSY;
    std::swap(m_storage, m_backBuffer->m_storage);
    std::swap(m_bits, m_backBuffer->m_bits);
    Presented();
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* dc) {
    if (!dc) return DDERR_INVALIDPARAMS;
    if (m_dcOut) return DDERR_DCALREADYCREATED;
    if (HRESULT hr = CheckUsable("IDirectDrawSurface::GetDC"); hr != DD_OK) return hr;
    DeviceContext context;
    context.target = DeviceContext::Target::kSurface;
    context.surface = this;
    m_dc = NewDeviceContext(context);
    m_dcOut = true;
    *dc = m_dc;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::ReleaseDC", this, DDERR_GENERIC, failure))
        return failure;
    if (!m_dcOut || dc != m_dc) return DDERR_NODC;
    DeleteDeviceContext(m_dc);
    m_dc = nullptr;
    m_dcOut = false;
    Presented();
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD flags, LPDDCOLORKEY key) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::SetColorKey", this, DDERR_GENERIC, failure))
        return failure;
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    m_hasColorKey = key != nullptr;
    if (key) {
        const std::uint32_t value = MaskToBits(key->dwColorSpaceLowValue, m_format.bits);
        m_colorKey = {value, value};
    }
    return DD_OK;
}

HRESULT Surface::GetColorKey(DWORD flags, LPDDCOLORKEY key) {
    if (!key || !(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    if (!m_hasColorKey) return DDERR_NOCOLORKEY;
    *key = m_colorKey;
    return DD_OK;
}

HRESULT Surface::SetPalette(LPDIRECTDRAWPALETTE palette) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::SetPalette", this, DDERR_GENERIC, failure))
        return failure;
    if (m_lost) return DDERR_SURFACELOST;
    if (palette && m_format.bits != 8) return DDERR_INVALIDPIXELFORMAT;
    auto* object = static_cast<Palette*>(palette);
    if (object) object->AddRef();
    if (m_palette) m_palette->Release();
    m_palette = object;
    return DD_OK;
}

HRESULT Surface::GetPalette(LPDIRECTDRAWPALETTE* palette) {
    if (!palette) return DDERR_INVALIDPARAMS;
    *palette = m_palette;
    if (!m_palette) return DDERR_NOPALETTEATTACHED;
    m_palette->AddRef();
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* surface) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::GetAttachedSurface", this, DDERR_NOTFOUND, failure))
        return failure;
    if (!caps || !surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (!m_backBuffer || (caps->dwCaps & ~m_backBuffer->m_caps) != 0) return DDERR_NOTFOUND;
    *surface = m_backBuffer.get();
    return DD_OK;
}

HRESULT Surface::SetClipper(LPDIRECTDRAWCLIPPER clipper) {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::SetClipper", this, DDERR_GENERIC, failure))
        return failure;
    auto* object = static_cast<Clipper*>(clipper);
    if (object) object->AddRef();
    if (m_clipper) m_clipper->Release();
    m_clipper = object;
    return DD_OK;
}

HRESULT Surface::IsLost() {
    Screen::Get().CheckActivation();
    return m_lost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Surface::Restore() {
    HRESULT failure;
    if (InjectedFailure("IDirectDrawSurface::Restore", this, DDERR_GENERIC, failure))
        return failure;
    Screen& screen = Screen::Get();
    screen.CheckActivation();
    if (!m_lost) return DD_OK;
    if (screen.DisplayTakenAway()) return DDERR_WRONGMODE;
    m_lost = false;
    if (m_backBuffer) m_backBuffer->m_lost = false;
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(m_width);
    desc->dwHeight = static_cast<DWORD>(m_height);
    desc->lPitch = m_pitch;
    desc->ddsCaps.dwCaps = m_caps;
    desc->ddpfPixelFormat = ToDDPixelFormat(m_format);
    if (m_backBuffer) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    if (m_hasColorKey) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = m_colorKey;
    }
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT format) {
    if (!format) return DDERR_INVALIDPARAMS;
    *format = ToDDPixelFormat(m_format);
    return DD_OK;
}

}  // namespace vorn::platform
