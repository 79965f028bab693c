// Layers: objects that draw themselves onto the secondary surface at every present,
// without the game calling them, in the order they were registered (a later layer draws
// over an earlier one). The process-wide registry never owns its layers; a layer leaves
// it when it is destroyed. Two ready-made layers draw text through GDI: a positioned
// multi-line text with a shadow in one of four Japanese system faces, and the frame rate.
#pragma once

#include <string>

#include "platform/base/types.h"

class CLayer {
public:
    CLayer() = default;
    virtual ~CLayer();
    CLayer(const CLayer&) = delete;
    CLayer& operator=(const CLayer&) = delete;

    // Draws with GDI on the secondary surface's device context (layers that use it).
    virtual void OnDrawDC(HDC dc) {}
    // Draws without a device context (layers that do not use it).
    virtual void OnDraw() {}

    void SetPos(int x, int y) {
        m_nX = x;
        m_nY = y;
    }
    int GetX() const { return m_nX; }
    int GetY() const { return m_nY; }
    bool UsesDC() const { return m_bUseDC; }
    bool IsRegistered() const { return m_bRegistered; }

protected:
    int m_nX = 0;  // left edge of the drawing, in secondary-surface pixels
    int m_nY = 0;  // top edge
    // Set by the derived class's constructor; must not change while registered.
    bool m_bUseDC = false;

private:
    friend void RegisterLayer(CLayer* layer);
    friend void UnregisterLayer(CLayer* layer);
    bool m_bRegistered = false;
};

// Adds the layer to the drawing list; nothing when it is already there. The first
// registration hooks the registry into the display device's presentation, so the frame's
// display device must exist.
void RegisterLayer(CLayer* layer);

// Removes the layer; nothing when it is not registered.
void UnregisterLayer(CLayer* layer);

// A Shift-JIS text, one line per line feed, drawn transparently with a shadow.
class CTextLayer : public CLayer {
public:
    CTextLayer();

    void OnDrawDC(HDC dc) override;

    // The text becomes a copy of `text`; a line feed byte starts a new line.
    void SetText(const char* text);
    // Sets the line spacing and the font height to n pixels.
    void SetSize(int n) { m_nLineSpacing = m_nFontHeight = n; }
    // COLORREF values; -1 does not draw the text or the shadow.
    void SetColor(int color) { m_nTextColor = color; }
    void SetShadowColor(int color) { m_nShadowColor = color; }
    void SetLineSpacing(int n) { m_nLineSpacing = n; }
    // 0 fixed-pitch Gothic, 1 proportional Gothic, 2 fixed-pitch Mincho, 3 proportional
    // Mincho; any other number leaves the face to the platform.
    void SetFont(int kind);

    const std::string& GetText() const { return m_strText; }
    int GetColor() const { return m_nTextColor; }
    int GetShadowColor() const { return m_nShadowColor; }
    int GetFontHeight() const { return m_nFontHeight; }
    const std::string& GetFontFace() const { return m_strFontFace; }
    int GetLineSpacing() const { return m_nLineSpacing; }

private:
    void DrawLines(HDC dc, int x, int y) const;

    std::string m_strText;
    int m_nTextColor = 0x00FFFFFF;    // white
    int m_nShadowColor = 0x00808080;  // grey
    int m_nFontHeight = 16;
    std::string m_strFontFace;
    int m_nLineSpacing = 20;
};

// "FPS measured/set" of the frame-rate timer, in dark blue under light beige.
class CFPSLayer : public CLayer {
public:
    CFPSLayer() { m_bUseDC = true; }
    void OnDrawDC(HDC dc) override;
};

// Sets the text colour of dc, darkened by the display brightness on an 8-bit screen
// (where the palette brightness does not reach GDI's own colour matching). A colour
// that is not a plain RGB value (-1 included) is passed on unchanged.
void SetTextColorBright(HDC dc, int color);
