// Painting into a plane through a device context of its surface.
#include "display/plane.h"
#include "frame/error_log.h"

int CPlane::BeginPaint(HDC& dc) {
    if (m_hPaintDC != nullptr) {
        CErrorLog::Report("CPlane::EndPaintが呼び出されていないのにBeginPaintが呼び出された");
        return 1;
    }
    if (m_lpSurface == nullptr) return 2;
    HDC surfaceDC = nullptr;
    if (m_lpSurface->GetDC(&surfaceDC) != DD_OK) return 3;
    m_hPaintDC = surfaceDC;
    dc = surfaceDC;
    return 0;
}

int CPlane::EndPaint() {
    if (m_hPaintDC == nullptr) {
        CErrorLog::Report("CPlane::BeginPaintが呼び出されていないのにEndPaintが呼び出された");
        return 1;
    }
    if (m_lpSurface == nullptr) {
        // The surface went (a mode change) and took its device context with it; holding
        // on to it would refuse every later BeginPaint.
        m_hPaintDC = nullptr;
        return 2;
    }
    if (m_lpSurface->ReleaseDC(m_hPaintDC) != DD_OK) return 3;
    m_hPaintDC = nullptr;
    return 0;
}
