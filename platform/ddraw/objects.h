// The display objects behind the interfaces of ddraw.h. Internal to the platform
// layer (GDI draws into surfaces through them, presentation reads them).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ddraw/com_object.h"
#include "platform/ddraw/ddraw.h"
#include "platform/ddraw/pixel_format.h"

namespace vorn::platform {

class Palette final : public ComObject<IDirectDrawPalette> {
public:
    Palette(int entryCount, const PALETTEENTRY* entries);
    HRESULT GetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) override;
    HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) override;

    // The entries as colours, PC_EXPLICIT resolved through the system palette.
    const XrgbPalette& Colors() const { return m_colors; }
    const PALETTEENTRY (&Entries() const)[256] { return m_entries; }

private:
    bool InRange(DWORD start, DWORD count, const void* entries) const;

    int m_entryCount;  // 2, 4, 16 or 256
    PALETTEENTRY m_entries[256] = {};
    XrgbPalette m_colors = {};
};

class Clipper final : public ComObject<IDirectDrawClipper> {
public:
    HRESULT SetHWnd(DWORD flags, HWND window) override;
    HRESULT GetHWnd(HWND* window) override;
    HWND Window() const { return m_window; }

private:
    HWND m_window = nullptr;
};

class DirectDraw;

// A surface: pixels in memory of its own, or, for the window-mode primary, the screen's
// image. In a flip chain the front buffer owns the back buffer; both share the
// front's reference count.
class Surface final : public ComObject<IDirectDrawSurface> {
public:
    enum class Kind { kOffscreen, kPrimary, kBackBuffer };

    // Memory of its own (zeroed) of the size and format.
    Surface(Kind kind, int width, int height, const PixelFormat& format, DWORD caps);
    // The window-mode primary: the screen's image.
    Surface(int width, int height, const PixelFormat& format, DWORD caps, std::uint8_t* screenBits,
            int screenPitch);
    ~Surface() override;

    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(LPVOID memory) override;
    HRESULT Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect, DWORD flags,
                LPDDBLTFX fx) override;
    HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                    DWORD trans) override;
    HRESULT Flip(LPDIRECTDRAWSURFACE target, DWORD flags) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT GetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    HRESULT GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* surface) override;
    HRESULT SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
    HRESULT IsLost() override;
    HRESULT Restore() override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT GetPixelFormat(LPDDPIXELFORMAT format) override;

    // ---- for the layer ----
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const PixelFormat& Format() const { return m_format; }
    std::uint8_t* Bits() const { return m_bits; }
    int Pitch() const { return m_pitch; }
    Kind GetKind() const { return m_kind; }
    bool Lost() const { return m_lost; }
    void MarkLost() { m_lost = true; }
    Surface* BackBuffer() const { return m_backBuffer.get(); }
    void AttachBackBuffer(std::unique_ptr<Surface> back);
    Clipper* GetClipperObject() const { return m_clipper; }
    // The colours of 8-bit pixels: the surface's palette, else the display palette.
    const XrgbPalette& PaletteInEffect() const;
    Palette* AttachedPalette() const { return m_palette; }
    // Whether the surface is locked or lends a device context.
    bool Busy() const { return m_locked || m_dcOut; }

    // Called by GDI when it lends and takes back a device context on the surface.
    void SetDcOut(bool out) { m_dcOut = out; }
    bool DcOut() const { return m_dcOut; }
    HDC Dc() const { return m_dc; }

private:
    HRESULT CheckUsable(const char* operation) const;
    HRESULT CheckSource(const Surface* source, const RECT* sourceRect, RECT* from) const;
    // Shows a change of the primary; `wholeFrame` is false for colour fills. The test of
    // the kind is inline because most changes (every sprite) go to other surfaces.
    void Presented(bool wholeFrame = true) {
        if (m_kind == Kind::kPrimary) PresentPrimary(wholeFrame);
    }
    void PresentPrimary(bool wholeFrame);

    Kind m_kind;
    int m_width;
    int m_height;
    PixelFormat m_format;
    DWORD m_caps;
    std::unique_ptr<std::uint8_t[]> m_storage;
    std::uint8_t* m_bits = nullptr;
    int m_pitch = 0;
    bool m_locked = false;
    bool m_dcOut = false;
    HDC m_dc = nullptr;
    bool m_lost = false;
    bool m_hasColorKey = false;
    DDCOLORKEY m_colorKey = {};
    Palette* m_palette = nullptr;  // one reference
    Clipper* m_clipper = nullptr;  // one reference
    Surface* m_front = nullptr;    // the back buffer's front buffer
    std::unique_ptr<Surface> m_backBuffer;
};

class DirectDraw final : public ComObject<IDirectDraw> {
public:
    explicit DirectDraw(bool initialized, GUID* driver);
    ~DirectDraw() override;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT Initialize(GUID* driver) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override;
    HRESULT RestoreDisplayMode() override;
    HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                          IUnknown* outer) override;
    HRESULT CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                          IUnknown* outer) override;
    HRESULT CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) override;
    HRESULT FlipToGDISurface() override;
    HRESULT GetDisplayMode(LPDDSURFACEDESC desc) override;
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) override;

    bool Emulated() const { return m_emulated; }

private:
    void LeaveExclusive();

    bool m_initialized;
    bool m_emulated = false;
};

// Creates a display object that is not yet initialised (the component class factory).
HRESULT CreateDirectDrawObject(REFIID iid, void** object);

}  // namespace vorn::platform
