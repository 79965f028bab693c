// Display surfaces, done in software: the display object with its cooperative level
// and display modes, surfaces (primary, flip chains, off-screen) with locks, fills,
// copies and colour-keyed copies, palettes and clippers.
//
// Surfaces are memory in one of four formats: 8 bits (palette indices), 16 bits
// (5-6-5), 24 bits and 32 bits (8-8-8, the top byte of a 32-bit pixel spare). The
// primary surface stands for the screen: in window mode (normal cooperative level) it
// is the desktop's format and what is copied to it inside the clipper's window shows
// in that window; in exclusive full screen it has the display mode's format and a
// flip or a copy to it shows the whole image (scaled to fit the host screen, aspect
// kept). Every object is created by the display object with one reference.
#pragma once

#include "platform/base/types.h"
#include "platform/ole/com.h"

struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawPalette;
struct IDirectDrawClipper;
using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

extern const CLSID CLSID_DirectDraw;  // {D7B70EE0-4340-11CF-B063-0020AFC2CD35}
extern const IID IID_IDirectDraw;     // {6C14DB80-A733-11CE-A521-0020AF0BE560}

// The driver argument of IDirectDraw::Initialize: everything on the processor, shown
// through the host window's own surface. Null selects the default driver, which shows
// frames through the host's accelerated renderer where the machine has one.
#define DDCREATE_HARDWAREONLY (reinterpret_cast<GUID*>(static_cast<UINT_PTR>(1)))
#define DDCREATE_EMULATIONONLY (reinterpret_cast<GUID*>(static_cast<UINT_PTR>(2)))

// ---- results ------------------------------------------------------------------------
#define DD_OK S_OK
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_INVALIDRECT (static_cast<HRESULT>(0x88760096))
#define DDERR_INVALIDOBJECT (static_cast<HRESULT>(0x88760082))
#define DDERR_INVALIDMODE (static_cast<HRESULT>(0x88760078))
#define DDERR_NOEXCLUSIVEMODE (static_cast<HRESULT>(0x887600E1))
#define DDERR_EXCLUSIVEMODEALREADYSET (static_cast<HRESULT>(0x88760245))
#define DDERR_NOTFLIPPABLE (static_cast<HRESULT>(0x887601E5))
#define DDERR_NOTFOUND (static_cast<HRESULT>(0x887600FF))
#define DDERR_NOTLOCKED (static_cast<HRESULT>(0x887601E8))
#define DDERR_SURFACEBUSY (static_cast<HRESULT>(0x887601AE))
#define DDERR_SURFACELOST (static_cast<HRESULT>(0x887601C2))
#define DDERR_WASSTILLDRAWING (static_cast<HRESULT>(0x8876021C))
#define DDERR_NOCLIPPERATTACHED (static_cast<HRESULT>(0x88760205))
#define DDERR_NOPALETTEATTACHED (static_cast<HRESULT>(0x88760209))
#define DDERR_DCALREADYCREATED (static_cast<HRESULT>(0x8876026C))
#define DDERR_CANTCREATEDC (static_cast<HRESULT>(0x88760221))
#define DDERR_NOCOLORKEY (static_cast<HRESULT>(0x887600D7))
#define DDERR_ALREADYINITIALIZED (static_cast<HRESULT>(0x88760005))
#define DDERR_WRONGMODE (static_cast<HRESULT>(0x8876024B))
#define DDERR_INVALIDPIXELFORMAT (static_cast<HRESULT>(0x88760091))
#define DDERR_PRIMARYSURFACEALREADYEXISTS (static_cast<HRESULT>(0x88760234))
#define DDERR_NODC (static_cast<HRESULT>(0x8876023B))

// ---- cooperative levels -------------------------------------------------------------
#define DDSCL_FULLSCREEN 0x00000001u
#define DDSCL_ALLOWREBOOT 0x00000002u
#define DDSCL_NOWINDOWCHANGES 0x00000004u
#define DDSCL_NORMAL 0x00000008u
#define DDSCL_EXCLUSIVE 0x00000010u

// ---- surface description ------------------------------------------------------------
#define DDSD_CAPS 0x00000001u
#define DDSD_HEIGHT 0x00000002u
#define DDSD_WIDTH 0x00000004u
#define DDSD_PITCH 0x00000008u
#define DDSD_BACKBUFFERCOUNT 0x00000020u
#define DDSD_LPSURFACE 0x00000800u
#define DDSD_PIXELFORMAT 0x00001000u
#define DDSD_CKSRCBLT 0x00010000u

#define DDSCAPS_BACKBUFFER 0x00000004u
#define DDSCAPS_COMPLEX 0x00000008u
#define DDSCAPS_FLIP 0x00000010u
#define DDSCAPS_FRONTBUFFER 0x00000020u
#define DDSCAPS_OFFSCREENPLAIN 0x00000040u
#define DDSCAPS_PALETTE 0x00000100u
#define DDSCAPS_PRIMARYSURFACE 0x00000200u
#define DDSCAPS_SYSTEMMEMORY 0x00000800u
#define DDSCAPS_VIDEOMEMORY 0x00004000u

#define DDPF_PALETTEINDEXED8 0x00000020u
#define DDPF_RGB 0x00000040u

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;   // the key: pixels of this raw value are not copied
    DWORD dwColorSpaceHighValue;  // kept equal to the low value (ranges are not supported)
};
using LPDDCOLORKEY = DDCOLORKEY*;

struct DDSCAPS {
    DWORD dwCaps;
};
using LPDDSCAPS = DDSCAPS*;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;  // DDPF_PALETTEINDEXED8 or DDPF_RGB
    DWORD dwFourCC;
    DWORD dwRGBBitCount;  // 8, 16, 24 or 32
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};
using LPDDPIXELFORMAT = DDPIXELFORMAT*;

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;  // bytes from one row to the next (set by Lock and GetSurfaceDesc)
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;  // the locked memory (set by Lock)
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};
using LPDDSURFACEDESC = DDSURFACEDESC*;

// ---- blits, flips, locks, colour keys -----------------------------------------------
#define DDBLT_COLORFILL 0x00000400u
#define DDBLT_KEYSRC 0x00008000u
#define DDBLT_WAIT 0x01000000u
#define DDBLTFAST_NOCOLORKEY 0x00000000u
#define DDBLTFAST_SRCCOLORKEY 0x00000001u
#define DDBLTFAST_DESTCOLORKEY 0x00000002u
#define DDBLTFAST_WAIT 0x00000010u
#define DDFLIP_WAIT 0x00000001u
#define DDLOCK_SURFACEMEMORYPTR 0x00000000u
#define DDLOCK_WAIT 0x00000001u
#define DDLOCK_READONLY 0x00000010u
#define DDLOCK_WRITEONLY 0x00000020u
#define DDCKEY_SRCBLT 0x00000008u

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;  // raw pixel value for DDBLT_COLORFILL
    DDCOLORKEY ddckSrcColorkey;
};
using LPDDBLTFX = DDBLTFX*;

// ---- palettes -----------------------------------------------------------------------
#define DDPCAPS_4BIT 0x00000001u
#define DDPCAPS_8BIT 0x00000004u
#define DDPCAPS_1BIT 0x00000100u
#define DDPCAPS_2BIT 0x00000200u
#define DDPCAPS_ALLOW256 0x00000040u

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;  // PC_RESERVED, PC_EXPLICIT (peRed is then a system palette index), PC_NOCOLLAPSE
};
using LPPALETTEENTRY = PALETTEENTRY*;
#define PC_RESERVED 0x01
#define PC_EXPLICIT 0x02
#define PC_NOCOLLAPSE 0x04

// ---- interfaces ---------------------------------------------------------------------
struct IDirectDraw : IUnknown {
    // Selects the driver (see DDCREATE_*). DD_OK; DDERR_ALREADYINITIALIZED the second time.
    virtual HRESULT Initialize(GUID* driver) = 0;
    // DDSCL_NORMAL (window mode, window may be null) or DDSCL_EXCLUSIVE|DDSCL_FULLSCREEN
    // (needs the window, which then covers the host screen). DDERR_INVALIDPARAMS for
    // other combinations; DDERR_EXCLUSIVEMODEALREADYSET when another display object
    // holds the screen. Going back to the normal level also restores the display mode.
    // While the application is inactive at the exclusive level, every surface is lost.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // Sets an emulated display mode: needs the exclusive level (DDERR_NOEXCLUSIVEMODE),
    // bit counts 8, 16, 24, 32 and sides of 1 to 16384 (DDERR_INVALIDMODE). A change of
    // mode makes every existing surface lost.
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) = 0;
    // Back to the desktop's mode. DD_OK also when no mode was set.
    virtual HRESULT RestoreDisplayMode() = 0;
    // Creates a surface from the description's DDSD_CAPS (with DDSD_WIDTH and DDSD_HEIGHT
    // for an off-screen surface, DDSD_BACKBUFFERCOUNT 1 for a flip chain, which needs
    // exclusive full screen). Off-screen surfaces have the primary's pixel format (or
    // the screen's when no primary exists) unless DDSD_PIXELFORMAT gives one; sides
    // are 1 to 16384 pixels (DDERR_INVALIDPARAMS). Only one primary may exist at a
    // time (DDERR_PRIMARYSURFACEALREADYEXISTS). The outer object must be null. Caps
    // report DDSCAPS_SYSTEMMEMORY for every surface of the emulation driver, and for
    // surfaces that asked for it; DDSCAPS_VIDEOMEMORY otherwise.
    virtual HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                  IUnknown* outer) = 0;
    // Creates a palette from the entries given: 256 (DDPCAPS_8BIT), 16, 4 or 2
    // (DDPCAPS_4BIT, _2BIT, _1BIT) entries are read.
    virtual HRESULT CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                  IUnknown* outer) = 0;
    virtual HRESULT CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) = 0;
    // In exclusive full screen with a flip chain, shows the front buffer's image again.
    virtual HRESULT FlipToGDISurface() = 0;
    // The current display mode: size and pixel format of the screen.
    virtual HRESULT GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;
};

struct IDirectDrawSurface : IUnknown {
    // Locks the whole surface (rect null) or a rectangle: fills lpSurface, lPitch, size
    // and pixel format of the description. DDERR_SURFACELOST while lost,
    // DDERR_SURFACEBUSY when already locked or its device context is out.
    virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(LPVOID memory) = 0;
    // Copies source (null with DDBLT_COLORFILL: fills with fx->dwFillColor) into the
    // destination rectangle (null: whole surface). Source and destination rectangles
    // of the same size are copied; other sizes are stretched (nearest pixel).
    // DDBLT_KEYSRC honours the source's colour key. On the primary in window mode the
    // clipper's window client area clips the copy (rectangles in screen coordinates);
    // elsewhere a destination rectangle off the surface, like a source rectangle off
    // the source, is refused with DDERR_INVALIDRECT. Both surfaces must have the same
    // format (DDERR_INVALIDPIXELFORMAT). A copy to the primary shows at once.
    virtual HRESULT Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect, DWORD flags,
                        LPDDBLTFX fx) = 0;
    // Copies a source rectangle to (x, y) without stretching or clipping: a source
    // rectangle that does not lie inside the source, or a copy that would not fit
    // inside the destination, is refused with DDERR_INVALIDRECT. DDBLTFAST_SRCCOLORKEY
    // skips pixels equal to the source's colour key (a source without a key is copied
    // whole). DDBLTFAST_DESTCOLORKEY is not supported. Formats must match as for Blt.
    virtual HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                            DWORD trans) = 0;
    // Exchanges the front and back buffers of a flip chain and shows the new front.
    // DDERR_NOTFLIPPABLE on any other surface.
    virtual HRESULT Flip(LPDIRECTDRAWSURFACE target, DWORD flags) = 0;
    // A device context drawing into the surface (see gdi.h), until ReleaseDC; the
    // surface cannot be locked meanwhile. DDERR_DCALREADYCREATED while one is out.
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    // DDCKEY_SRCBLT only; the value is cut to the surface's bit count; null removes it.
    virtual HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    // DDERR_NOCOLORKEY when none is set.
    virtual HRESULT GetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    // Attaches a palette (null detaches) to an 8-bit surface (DDERR_INVALIDPIXELFORMAT
    // otherwise); the surface holds a reference. On the primary the palette becomes the
    // display palette (shown from the next presentation of the whole image).
    // DDERR_SURFACELOST while lost.
    virtual HRESULT SetPalette(LPDIRECTDRAWPALETTE palette) = 0;
    // The attached palette with one reference for the caller; DDERR_NOPALETTEATTACHED.
    virtual HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
    // The back buffer of a flip chain (DDSCAPS_BACKBUFFER); no new reference: it is
    // released with the primary (its AddRef and Release count on the primary).
    // DDERR_NOTFOUND when there is none or it lacks one of the asked capabilities:
    // the emulation driver keeps every surface in system memory, the default driver
    // keeps a flip chain in video memory.
    virtual HRESULT GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;
    // DD_OK, or DDERR_SURFACELOST after the display was taken away (the application
    // left exclusive full screen); the memory's content is then undefined.
    virtual HRESULT IsLost() = 0;
    // Gives a lost surface its memory back (content undefined); DD_OK when not lost;
    // DDERR_WRONGMODE while the display is still taken away.
    virtual HRESULT Restore() = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT GetPixelFormat(LPDDPIXELFORMAT format) = 0;
};

struct IDirectDrawPalette : IUnknown {
    // Copies count entries from start. DDERR_INVALIDPARAMS beyond 256.
    virtual HRESULT GetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) = 0;
    virtual HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, LPPALETTEENTRY entries) = 0;
};

struct IDirectDrawClipper : IUnknown {
    // Clips copies to the primary to the window's client area.
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
};

// Where the layer has no real display: creates a display object directly.
HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);
