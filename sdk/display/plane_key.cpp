// A plane's transparent colour: a source colour key given as a colour or taken from a
// pixel of the image, remembered so that a rebuilt plane gets it back.
#include "display/display_state.h"
#include "display/plane.h"
#include "frame/error_log.h"

int CPlane::SetSurfaceKey(DWORD pixel) {
    DDCOLORKEY key = {pixel, pixel};
    return m_lpSurface->SetColorKey(DDCKEY_SRCBLT, &key);
}

int CPlane::SetColorKey(COLORREF rgb) {
    if (m_lpSurface == nullptr) return 1;
    const DWORD pixel = ColorMatch(m_lpSurface, rgb);
    m_bKeyByPosition = false;
    m_crKeyColor = rgb;
    return SetSurfaceKey(pixel);
}

int CPlane::SetColorKeyPos(int x, int y) {
    if (m_lpSurface == nullptr) return 1;
    const DWORD pixel = DDGetPixel(m_lpSurface, x, y);
    m_bKeyByPosition = true;
    m_nKeyX = x;
    m_nKeyY = y;
    return SetSurfaceKey(pixel);
}

int CPlane::ApplyColorKey() {
    if (m_bKeyByPosition) {
        if (SetColorKeyPos(m_nKeyX, m_nKeyY) != 0) {
            CErrorLog::Report("CPlane::位置指定型透過キーの設定に失敗");
        }
    } else if (SetColorKey(m_crKeyColor) != 0) {
        CErrorLog::Report("CPlane::色指定型透過キーの設定に失敗");
    }
    return 0;
}

int CPlane::ResetColorKey() {
    m_bKeyByPosition = true;
    m_nKeyX = 0;
    m_nKeyY = 0;
    m_bBlendKey = false;
    return 0;
}

int CPlane::SetBlendKey(bool on) {
    m_bBlendKey = on;
    return 0;
}

DWORD DDGetPixel(LPDIRECTDRAWSURFACE surface, int x, int y) {
    if (surface == nullptr) return 0xFFFFFFFF;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        CErrorLog::Report("CPlane::DDGetPixelでSurfaceのLockに失敗");
        return 0xFFFFFFFF;
    }
    DWORD pixel = 0xFFFFFFFF;
    if (x >= 0 && y >= 0 && static_cast<DWORD>(x) < desc.dwWidth &&
        static_cast<DWORD>(y) < desc.dwHeight) {
        const BYTE* row =
            static_cast<const BYTE*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
        switch (desc.ddpfPixelFormat.dwRGBBitCount) {
            case 8:
                pixel = row[x];
                break;
            case 16:
                pixel = row[2 * x] | (row[2 * x + 1] << 8);
                break;
            case 24:
                pixel = row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
                break;
            case 32:
                pixel = row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) |
                        (static_cast<DWORD>(row[4 * x + 3]) << 24);
                break;
            default:
                pixel = 0;
                break;
        }
    }
    surface->Unlock(nullptr);
    return pixel;
}
