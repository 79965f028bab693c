// The display device's process-wide values, shared by the display device, planes and
// layers: the display object, the secondary surface that every frame is drawn into,
// the screen size that bounds every blit, and the palette source.
#pragma once

#include "platform/ddraw/ddraw.h"
#include "platform/gdi/gdi.h"

class CPlane;

extern LPDIRECTDRAW m_lpDirectDraw;          // null before Initialize and after Terminate
extern LPDIRECTDRAWSURFACE lpSecondary;      // the surface every frame is drawn into; null without a mode
extern LPDIRECTDRAWCLIPPER m_lpClipper;      // window mode only
extern int m_nScreenWidth;                   // size of the secondary surface, 640 x 480 by default
extern int m_nScreenHeight;
extern CPlane* m_lpPaletteSource;            // the plane whose palette feeds the display palette

// Bits per pixel of the screen (8, 16, 24 or 32).
int GetDisplayBits();

// The raw pixel value that the surface's format uses for an RGB colour, or 0xFFFFFFFF.
DWORD ColorMatch(LPDIRECTDRAWSURFACE surface, COLORREF rgb);

// The counted component start-up shared by the display, keyboard and sound devices.
int InitializeCOM();
void UninitializeCOM();
