// Presenting a frame: the overlay passes, the brightness, frame capture, and the copy or
// flip of the secondary surface to the screen; also the fill colour, the secondary's
// device context and the pause screen. Nothing here allocates.
#include <cstring>

#include "platform/gdi/gdi.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/plane.h"
#include "sdk/frame/error_log.h"

namespace {

RECT ScreenRect() { return {0, 0, m_nScreenWidth, m_nScreenHeight}; }

constexpr char kPauseText[] = "Game is paused... This is not a bug !!";

}  // namespace

void CDirectDraw::Present() {
    if (!m_lpPrimary || !lpSecondary) return;
    m_PrePaintCallbacks.CallAll();
    if (!m_DCPaintCallbacks.empty()) {
        HDC dc;
        if (BeginPaintSecondary(dc) == 0) {
            m_DCPaintCallbacks.CallAll(dc);
            EndPaintSecondary();
        }
    }
    RealizeBrightness(m_nBrightness, false);
    if (m_bCaptureRequested) {
        CaptureFrame();
        m_bCaptureRequested = false;
        Clear();
        return;
    }
    m_PrePresentCallbacks.CallAll();
    ShowFrame();
    RealizeBrightness(m_nBrightness, true);
}

void CDirectDraw::CaptureFrame() {
    if (!m_lpCapturePlane) return;
    LPDIRECTDRAWSURFACE target = m_lpCapturePlane->GetSurface();
    if (!target) return;
    RECT source = ScreenRect();
    target->BltFast(0, 0, lpSecondary, &source, DDBLTFAST_WAIT);
}

POINT CDirectDraw::ClientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(m_hWnd, &origin);
    return origin;
}

void CDirectDraw::ShowFrame() {
    if (!m_lpPrimary || !lpSecondary) return;
    if (m_nFrameOffsetX != 0 || m_nFrameOffsetY != 0) {
        ShowOffsetFrame();
        return;
    }
    RECT source = ScreenRect();
    HDC secondaryDC;
    if (m_nDisplayMode == 1) {
        if (m_bGDIPresent) {
            if (BeginPaintSecondary(secondaryDC) != 0) return;
            if (HDC windowDC = GetDC(m_hWnd)) {
                RECT client;
                GetClientRect(m_hWnd, &client);
                BitBlt(windowDC, client.left, client.top, client.right, client.bottom, secondaryDC,
                       0, 0, SRCCOPY);
                ReleaseDC(m_hWnd, windowDC);
            }
            EndPaintSecondary();
            return;
        }
        // The clipper keeps the copy inside the window; the image is never stretched.
        POINT origin = ClientOrigin();
        RECT dest = source;
        OffsetRect(&dest, origin.x, origin.y);
        m_lpPrimary->Blt(&dest, lpSecondary, &source, DDBLT_WAIT, nullptr);
        return;
    }
    if (m_bGDIPresent && BeginPaintSecondary(secondaryDC) == 0) {
        if (HDC windowDC = GetDC(m_hWnd)) {
            BitBlt(windowDC, 0, 0, m_nScreenWidth, m_nScreenHeight, secondaryDC, 0, 0, SRCCOPY);
            ReleaseDC(m_hWnd, windowDC);
        }
        EndPaintSecondary();
        return;
    }
    if (m_bFlipping)
        m_lpPrimary->Flip(nullptr, DDFLIP_WAIT);
    else
        m_lpPrimary->BltFast(0, 0, lpSecondary, &source, DDBLTFAST_WAIT);
}

// Fills one border rectangle of the primary with the fill colour; empty bands fill nothing.
void CDirectDraw::FillRect(RECT rect) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    if (m_nDisplayMode == 1) {
        POINT origin = ClientOrigin();
        OffsetRect(&rect, origin.x, origin.y);
    }
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = m_dwFillColor;
    m_lpPrimary->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

// The image shifted by the frame offset, straight onto the visible surface, with the
// uncovered bands painted in the fill colour.
void CDirectDraw::ShowOffsetFrame() {
    const int width = m_nScreenWidth;
    const int height = m_nScreenHeight;
    RECT dest = ScreenRect();
    RECT source = ScreenRect();
    if (m_nFrameOffsetX > 0) {
        source.right -= m_nFrameOffsetX;
        dest.left += m_nFrameOffsetX;
    } else {
        source.left -= m_nFrameOffsetX;
        dest.right += m_nFrameOffsetX;
    }
    if (m_nFrameOffsetY > 0) {
        source.bottom -= m_nFrameOffsetY;
        dest.top += m_nFrameOffsetY;
    } else {
        source.top -= m_nFrameOffsetY;
        dest.bottom += m_nFrameOffsetY;
    }

    FillRect({0, 0, width, dest.top});
    if (m_nDisplayMode == 1) {
        POINT origin = ClientOrigin();
        RECT shifted = dest;
        OffsetRect(&shifted, origin.x, origin.y);
        m_lpPrimary->Blt(&shifted, lpSecondary, &source, DDBLT_WAIT, nullptr);
    } else {
        m_lpPrimary->BltFast(dest.left, dest.top, lpSecondary, &source, DDBLTFAST_WAIT);
    }
    FillRect({0, dest.top, dest.left, dest.bottom});
    FillRect({dest.right, dest.top, width, dest.bottom});
    FillRect({0, dest.bottom, width, height});
}

int CDirectDraw::Clear() {
    if (!lpSecondary) return 1;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = m_dwFillColor;
    return FAILED(lpSecondary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx))
               ? 2
               : 0;
}

int CDirectDraw::BeginPaintSecondary(HDC& dc) {
    dc = nullptr;
    if (!lpSecondary) {
        CErrorLog::Report("CDirectDraw::BeginPaintSecondaryでlpSecondaryがNULL");
        return 1;
    }
    if (FAILED(lpSecondary->GetDC(&m_hSecondaryDC))) {
        lpSecondary->Restore();
        if (FAILED(lpSecondary->GetDC(&m_hSecondaryDC))) {
            CErrorLog::Report("BeginPaintSecondaryでGetDCに失敗");
            m_hSecondaryDC = nullptr;
            return 2;
        }
    }
    dc = m_hSecondaryDC;
    return 0;
}

int CDirectDraw::EndPaintSecondary() {
    if (!lpSecondary) return 1;
    if (m_hSecondaryDC) {
        lpSecondary->ReleaseDC(m_hSecondaryDC);
        m_hSecondaryDC = nullptr;
    }
    return 0;
}

DWORD CDirectDraw::SetFillColor(COLORREF rgb) {
    if (!lpSecondary) return CLR_INVALID;
    m_dwFillColor = ColorMatch(lpSecondary, rgb);
    m_rgbFillColor = rgb;
    return m_dwFillColor;
}

void CDirectDraw::SetFillPixel(DWORD pixel) {
    m_dwFillColor = pixel;
    m_rgbFillColor = CLR_INVALID;
}

void CDirectDraw::ShowPauseScreen() {
    Clear();
    HDC dc;
    if (BeginPaintSecondary(dc) == 0) {
        SetTextColor(dc, 0xFFFFFF);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 160, 230, kPauseText, static_cast<int>(sizeof kPauseText - 1));
        EndPaintSecondary();
    }
    ShowFrame();
}
