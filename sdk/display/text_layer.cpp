// The text layers: fonts made for each draw, the shadow copies, the line stepping and
// the brightness of text colours on an 8-bit screen.
#include "sdk/display/layer.h"

#include <cstdio>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "sdk/display/direct_draw.h"
#include "sdk/frame/game_frame.h"
#include "sdk/timing/fps_timer.h"

namespace {

constexpr int kLightWeight = 300;
constexpr int kMaxLineBytes = 255;
constexpr int kNotDrawn = -1;

const char* const kFaces[] = {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"};

HFONT CreateLayerFont(int height, const char* face) {
    return CreateFontA(height, 0, 0, 0, kLightWeight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_MODERN, face);
}

// Offsets of the shadow copies, drawn in this order before the text itself.
struct Offset {
    int dx, dy;
};
constexpr Offset kTextShadow[] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}, {2, 2}};
constexpr Offset kFPSShadow[] = {{2, 0}, {0, 2}, {2, 1}, {1, 2}, {2, 2}};

}  // namespace

void SetTextColorBright(HDC dc, int color) {
    const auto rgb = static_cast<COLORREF>(color);
    const int brightness = GetDirectDraw()->GetBrightness();
    if ((rgb >> 24) != 0 || brightness == 256 || GetDisplayBits() != 8) {
        SetTextColor(dc, rgb);
        return;
    }
    const auto scale = [brightness](BYTE c) { return static_cast<BYTE>((c * brightness) >> 8); };
    SetTextColor(dc, RGB(scale(GetRValue(rgb)), scale(GetGValue(rgb)), scale(GetBValue(rgb))));
}

CTextLayer::CTextLayer() {
    m_bUseDC = true;
    SetFont(0);
}

void CTextLayer::SetText(const char* text) {
    if (!text) text = "";
    if (m_strText != text) m_strText = text;
}

void CTextLayer::SetFont(int kind) {
    const bool named = kind >= 0 && kind < static_cast<int>(sizeof kFaces / sizeof kFaces[0]);
    m_strFontFace = named ? kFaces[kind] : "";
}

void CTextLayer::DrawLines(HDC dc, int x, int y) const {
    const char* line = m_strText.c_str();
    for (int k = 0;; ++k) {
        const char* end = std::strchr(line, '\n');
        const int length = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
        TextOutA(dc, x, y + k * m_nLineSpacing, line,
                 length < kMaxLineBytes ? length : kMaxLineBytes);
        if (!end) return;
        line = end + 1;
    }
}

void CTextLayer::OnDrawDC(HDC dc) {
    HFONT font = CreateLayerFont(m_nFontHeight, m_strFontFace.c_str());
    if (!font) return;
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (m_nShadowColor != kNotDrawn) {
        SetTextColorBright(dc, m_nShadowColor);
        for (const Offset& o : kTextShadow) DrawLines(dc, m_nX + o.dx, m_nY + o.dy);
    }
    if (m_nTextColor != kNotDrawn) {
        SetTextColorBright(dc, m_nTextColor);
        DrawLines(dc, m_nX, m_nY);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
}

void CFPSLayer::OnDrawDC(HDC dc) {
    HFONT font = CreateLayerFont(30, "");
    if (!font) return;
    CFPSTimer* timer = GetFPSTimer();
    char text[32];
    const int length =
        std::snprintf(text, sizeof text, "FPS %d/%d", static_cast<int>(timer->GetRealFPS()),
                      static_cast<int>(timer->GetFPS()));
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 128));
    for (const Offset& o : kFPSShadow) TextOutA(dc, m_nX + o.dx, m_nY + o.dy, text, length);
    SetTextColor(dc, RGB(224, 220, 165));
    TextOutA(dc, m_nX, m_nY, text, length);
    SelectObject(dc, previous);
    DeleteObject(font);
}
