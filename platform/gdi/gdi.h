// Device contexts over surfaces and windows: pixels, copies, device-independent
// bitmaps, fonts and Shift-JIS text, the system palette, and the input-method switch.
//
// A device context draws into a surface (IDirectDrawSurface::GetDC) or a window's
// client area (GetDC of a window; GetDC(null) is the whole screen). Colours given as
// COLORREF are matched to the target's format: on 8-bit targets the nearest entry of
// the palette in effect (the surface's palette, else the display palette).
#pragma once

#include "platform/base/types.h"

// ---- device contexts ----------------------------------------------------------------
// The device context of a window's client area, or of the screen for null. Null on
// failure. Released with ReleaseDC (1 on success, 0 otherwise).
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);

#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define RASTERCAPS 38
#define SIZEPALETTE 104
#define RC_PALETTE 0x0100
int GetDeviceCaps(HDC dc, int index);

#define CLR_INVALID 0xFFFFFFFFu
// Writes one pixel; returns the colour actually set, or CLR_INVALID outside the target.
// A colour with the top byte 1 is a palette index (the entry itself on 8 bits).
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

#define SRCCOPY 0x00CC0020u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
// Copies a rectangle between device contexts (SRCCOPY), converting formats.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop);

// ---- device-independent bitmaps -----------------------------------------------------
#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;  // "BM"
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: bottom-up rows; negative: top-down
    WORD biPlanes;
    WORD biBitCount;  // 1, 4, 8, 16, 24, 32
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];  // the colour table (or the three masks of BI_BITFIELDS) follows
};
using LPBITMAPINFO = BITMAPINFO*;

#define BI_RGB 0u
#define BI_RLE8 1u
#define BI_RLE4 2u
#define BI_BITFIELDS 3u
#define DIB_RGB_COLORS 0u
#define DIB_PAL_COLORS 1u

// Draws rows of a device-independent bitmap into the target at (x, y). The bitmap's
// header and colour table (biClrUsed entries, or all 2^bits when 0; the three masks
// after a plain header for BI_BITFIELDS) are read from `info`, its pixels from `bits`,
// which must hold `lines` stored rows of the bitmap's stride starting at stored row
// `startScan` (stored rows count from the first in memory: the bottom row of a
// bottom-up bitmap); the function never reads past them. The source rectangle
// (sourceX, sourceY, width, height) counts rows the same way, so a whole bottom-up
// bitmap drawn from (0, 0) lands upright. Uncompressed 1, 4, 8, 16, 24 and 32 bits and
// BI_BITFIELDS 16 and 32 bits are drawn; on 8-bit targets every colour becomes the
// nearest entry of the palette in effect. Returns the number of stored rows inside
// both the band and the source rectangle, 0 on failure (an unsupported or
// inconsistent header).
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT colorUse);

// ---- rectangles ---------------------------------------------------------------------
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL IsRectEmpty(const RECT* rect);

// ---- fonts and text -----------------------------------------------------------------
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SHIFTJIS_CHARSET 128
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define NONANTIALIASED_QUALITY 3
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30

// A font of the face name (Shift-JIS) and height: a positive height is the character
// cell height in pixels, a negative one the character height, 0 a default size. The
// Japanese system faces map to installed faces of the same style and pitch; an empty
// or unknown face gives a fixed-pitch gothic face. Null on failure. Freed with
// DeleteObject.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
// Selects a font into the device context; returns the one it replaces (every new
// device context starts with a default font: the fixed-pitch gothic face with a
// 16-pixel cell), null on failure. Deleting a selected font puts the default back.
// The width, weight, italic and other style arguments of CreateFontA are not used.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);

#define TRANSPARENT 1
#define OPAQUE 2
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);

// Draws Shift-JIS text with its cell's top-left corner at (x, y), in the text colour,
// without anti-aliasing (every drawn pixel is exactly the text colour). TRUE on success.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size);

// ---- system palette -----------------------------------------------------------------
#define SYSPAL_ERROR 0u
#define SYSPAL_STATIC 1u
#define SYSPAL_NOSTATIC 2u
#define SYSPAL_NOSTATIC256 3u
// The emulated 256-colour display's system palette: entries 0-9 and 246-255 hold the
// twenty static colours of the classic desktop.
UINT SetSystemPaletteUse(HDC dc, UINT use);
struct PALETTEENTRY;
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);

// ---- input method -------------------------------------------------------------------
// Associates an input context with the window (null switches the host's text input
// off, a context on) and returns the one associated before; every window starts with
// a context of its own.
HIMC ImmAssociateContext(HWND window, HIMC context);
