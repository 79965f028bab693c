// Plane blits onto the secondary surface: clipped to the screen here, then one fast
// copy of the platform, which neither clips nor stretches.
#include "display/display_state.h"
#include "display/plane.h"

int CPlane::ClippedBltFast(int x, int y, RECT source, DWORD flags) {
    if (lpSecondary == nullptr || m_lpSurface == nullptr) return -1;
    const int right = x + (source.right - source.left);
    const int bottom = y + (source.bottom - source.top);
    if (right <= 0 || bottom <= 0 || x >= m_nScreenWidth || y >= m_nScreenHeight) return 0;
    if (x < 0) {
        source.left -= x;
        x = 0;
    }
    if (y < 0) {
        source.top -= y;
        y = 0;
    }
    if (right > m_nScreenWidth) source.right -= right - m_nScreenWidth;
    if (bottom > m_nScreenHeight) source.bottom -= bottom - m_nScreenHeight;
    return lpSecondary->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), m_lpSurface, &source,
                                flags);
}

int CPlane::BltTrans(int x, int y, RECT source) {
    return ClippedBltFast(x, y, source, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

int CPlane::BltNoKey(int x, int y, RECT source) {
    return ClippedBltFast(x, y, source, DDBLTFAST_WAIT);
}

int CPlane::Blt(int x, int y) { return BltNoKey(x, y, RECT{0, 0, m_nWidth, m_nHeight}); }
