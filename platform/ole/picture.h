// The system picture decoder: memory streams and picture objects that decode PNG,
// JPEG, GIF, TGA and the other formats the host's image library reads, and draw
// themselves into a device context.
//
// Picture sizes are in HIMETRIC units (hundredths of a millimetre) at 96 pixels per
// inch. A picture's HIMETRIC width is the smallest value w for which
// int(float(w) * kPixelsPerHimetric) equals its width in pixels (the same for the
// height), so a caller that converts with that constant gets the exact pixel size back.
#pragma once

#include "platform/base/types.h"
#include "platform/ole/com.h"

using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;

// Pixels per HIMETRIC unit, a little above 96 / 2540 so that truncation is exact.
constexpr float kPixelsPerHimetric = 0.037796825f;

// The HIMETRIC length a picture reports for a length in pixels (see above).
LONG HimetricFromPixels(int pixels);

#define STREAM_SEEK_SET 0u
#define STREAM_SEEK_CUR 1u
#define STREAM_SEEK_END 2u

// A sequential stream of bytes with a position.
struct IStream : IUnknown {
    // Copies up to `count` bytes from the position onwards and advances it; `read` (may
    // be null) receives the number copied, fewer at the end. S_OK when all were
    // copied, S_FALSE when fewer were.
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    // Moves the position (STREAM_SEEK_*); `newPosition` may be null. E_INVALIDARG for a
    // position before the start or past the end.
    virtual HRESULT Seek(LONGLONG move, DWORD origin, std::uint64_t* newPosition) = 0;
};
using LPSTREAM = IStream*;

extern const IID IID_IStream;  // {0000000C-0000-0000-C000-000000000046}

// A stream over a block of memory, which it never writes. For a block that GlobalAlloc
// gave, the stream ends with the block. Any other handle is taken as the address of
// memory that the caller vouches for; its stream has no end of its own, so its reader
// must bound what it asks for (OleLoadPicture reads exactly the size it is given).
// With deleteOnRelease the block is freed with GlobalFree when the stream goes.
// E_INVALIDARG for a null block or stream pointer, E_OUTOFMEMORY on failure.
HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, LPSTREAM* stream);

// A decoded picture.
struct IPicture : IUnknown {
    // The size in HIMETRIC units (see the top of this file). E_POINTER for null.
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
    // Draws the source rectangle (HIMETRIC; y grows upwards from the picture's bottom,
    // so source y = height with source height = -height draws the picture upright)
    // into the destination rectangle (pixels) of the context, scaling to the nearest
    // pixel. Transparent parts of the picture are drawn as black. `bounds` is unused.
    // S_OK; E_INVALIDARG for a null context, an empty destination or source size;
    // E_FAIL when the context cannot take the drawing.
    virtual HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                           OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                           OLE_YSIZE_HIMETRIC cySrc, LPCRECT bounds) = 0;
};
using LPPICTURE = IPicture*;

extern const IID IID_IPicture;  // {7BF80980-BF32-101A-8BBB-00AA00300CAB}

// Decodes `size` bytes of the stream from its position into a new picture (one
// reference, owned by the caller). S_OK; E_INVALIDARG for a null stream or picture
// pointer; E_NOINTERFACE for an interface other than IID_IPicture or IID_IUnknown;
// CTL_E_INVALIDPICTURE when the bytes are not a picture the decoder reads (the
// picture pointer is then null). `runMode` is ignored.
#define CTL_E_INVALIDPICTURE (static_cast<HRESULT>(0x800A017C))
HRESULT OleLoadPicture(LPSTREAM stream, LONG size, BOOL runMode, REFIID iid, LPVOID* picture);
