// CPlane: an off-screen image in the screen's pixel format, loaded from a bitmap or
// picture file (or made empty and painted through a device context), drawn onto the
// secondary surface with clipped, optionally keyed or blended blits.
//
// Every live plane stands in a process-wide registry, through which the display device
// releases all planes before a mode change and has them reload from their files after
// it. A plane is therefore a surface that can always be rebuilt from its file name; a
// plane made with CreatePlane has no file and stays empty after such a rebuild.
#pragma once

#include <string>

#include "platform/ddraw/ddraw.h"
#include "platform/gdi/gdi.h"

class CPlane {
public:
    CPlane();
    // Releases the surface and the palette, leaves the registry and, when this plane is
    // the palette source, clears it.
    virtual ~CPlane();

    CPlane(const CPlane&) = delete;
    CPlane& operator=(const CPlane&) = delete;

    // Releases the surface and palette and reloads from the file (the high-colour file
    // when two files is on and the screen is not 8-bit), keeping the remembered palette
    // flag and colour key. A plane without a file name ends empty with result 0.
    virtual int Restore();

    // ---- loading --------------------------------------------------------------------
    // Loads a bitmap file (or any picture the picture loader reads) into a new surface
    // and makes the top-left pixel's colour transparent. 0 loaded (or empty name),
    // 1 no display object, 2 file missing or not readable as a picture, 3 no surface,
    // 4 no palette, 7 no device context, 8 nothing drawn, 9 device context not given
    // back; a failed picture render gives its own result.
    int LoadBitmapFile(const std::string& fileName, bool paletteWanted = true);
    // An empty black plane, transparent where black. 0 ok, 1 no display object,
    // 2 no surface.
    int CreatePlane(int width, int height);
    // A new surface of the size (the palette is kept). 0 ok, 1 failed.
    int CreateSurface(int width, int height);
    // Drops the surface and the palette. Returns 0.
    int Release();

    // ---- transparent colour ---------------------------------------------------------
    // The result of the surface's SetColorKey, or 1 without a surface.
    int SetColorKey(COLORREF rgb);
    int SetColorKeyPos(int x, int y);
    // Sets the remembered key (position or colour) on the surface again. Returns 0.
    int ApplyColorKey();
    // Key by position at (0, 0), blend key off; the surface's key changes at the next
    // ApplyColorKey. Returns 0.
    int ResetColorKey();
    // Whether BlendBlt leaves out the pixels of the colour key. Returns 0.
    int SetBlendKey(bool on);

    // ---- painting -------------------------------------------------------------------
    // A device context of the surface until EndPaint. 0 ok, 1 already painting,
    // 2 no surface, 3 no device context.
    int BeginPaint(HDC& dc);
    // 0 ok, 1 not painting, 2 no surface, 3 device context not given back (still held).
    int EndPaint();

    // Lent without a reference; null when the plane holds none.
    LPDIRECTDRAWSURFACE GetSurface() const { return m_lpSurface; }
    LPDIRECTDRAWPALETTE GetPalette() const { return m_lpPalette; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // ---- blits onto the secondary surface, clipped to the screen ----------------------
    // −1 without a secondary or plane surface, 0 drawn or wholly off screen, else the
    // platform's error (a source rectangle outside the plane is refused).
    int BltTrans(int x, int y, RECT source);
    int BltNoKey(int x, int y, RECT source);
    int Blt(int x, int y);

    // Mixes the plane into the secondary channel by channel with weights in 256ths
    // (source red, green, blue, then destination red, green, blue), wrapping around on
    // overflow. −1 no surface, 0 done or nothing to draw, 2 secondary not locked,
    // 3 plane not locked. Nothing is mixed on an 8-bit screen.
    int BlendBlt(int x, int y, int redSource, int greenSource, int blueSource, int redDest,
                 int greenDest, int blueDest);
    int BlendBlt(int x, int y, RECT source, int redSource, int greenSource, int blueSource,
                 int redDest, int greenDest, int blueDest, const RECT* clip);

    // ---- the registry ---------------------------------------------------------------
    // Release / Restore every live plane; the last only those that depend on the
    // palette. Each returns 0.
    static int ReleaseAll();
    static int RestoreAll();
    static int RestoreAllPaletteDependent();

private:
    int LoadPlane(const std::string& fileName, bool paletteWanted);
    int LoadBitmapImage(const BYTE* content, DWORD size, bool paletteWanted);
    int LoadPicture(class CFileReader& reader, bool paletteWanted);
    bool CreateOffscreenSurface(int width, int height);
    int SetSurfaceKey(DWORD pixel);
    int ClippedBltFast(int x, int y, RECT source, DWORD flags);
    void ReleaseSurface();
    void ReleasePalette();

    bool m_bPaletteWanted = true;
    LPDIRECTDRAWSURFACE m_lpSurface = nullptr;
    LPDIRECTDRAWPALETTE m_lpPalette = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::string m_strFileName;

public:
    // Settings a game sets before loading.
    std::string
        m_strFileNameHighColor;  // used by Restore when two files is on and the screen is not 8-bit
    bool m_bTwoFiles = false;
    bool m_bPaletteDependent = false;  // reloaded when the window receives a new palette

private:
    bool m_bKeyByPosition = true;
    COLORREF m_crKeyColor = 0;
    int m_nKeyX = 0;
    int m_nKeyY = 0;
    HDC m_hPaintDC = nullptr;
    bool m_bBlendKey = false;

public:
    bool m_bSystemMemory = false;  // create the surface in system memory
};

// The raw pixel at (x, y) of a surface, or 0xFFFFFFFF when it cannot be locked or the
// point lies outside it.
DWORD DDGetPixel(LPDIRECTDRAWSURFACE surface, int x, int y);
