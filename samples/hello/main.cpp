// hello: the smallest game on vornSDK. It draws a frame of coloured bars, a moving box
// and a line of text into the secondary surface, 60 times per second, in a 640x480
// window, or full screen at 8 bits per pixel when started with "fullscreen". The frame
// rate shows in the top left corner; the arrow keys move the box, Escape ends the game.
#include <cstdio>
#include <cstring>

#include "vornsdk.h"

namespace {

int g_frame = 0;
int g_boxY = 200;
int g_matchedBits = 0;  // the screen depth the colours below were matched for

// The screen's raw pixel values of the colours drawn, matched once the display exists.
DWORD g_bars[6];
DWORD g_box;

void FillRect(int left, int top, int right, int bottom, DWORD pixel) {
    RECT rect{left, top, right, bottom};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = pixel;
    lpSecondary->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void MatchColors() {
    const COLORREF bars[6] = {RGB(255, 0, 0), RGB(255, 170, 0), RGB(255, 255, 0),
                              RGB(0, 170, 0), RGB(0, 85, 255),  RGB(145, 0, 170)};
    for (int i = 0; i < 6; ++i) g_bars[i] = ColorMatch(lpSecondary, bars[i]);
    g_box = ColorMatch(lpSecondary, RGB(255, 255, 255));
    GetDirectDraw()->SetFillColor(RGB(0, 0, 85));
    g_matchedBits = GetDirectDraw()->GetCurrentDisplayBits();
}

void DrawFrame() {
    CDirectDraw* display = GetDirectDraw();
    // A maximised window goes full screen: the colours are matched again.
    if (display->GetCurrentDisplayBits() != g_matchedBits) MatchColors();
    display->Clear();
    const int width = m_nScreenWidth;
    for (int i = 0; i < 6; ++i) FillRect(0, 300 + i * 20, width, 316 + i * 20, g_bars[i]);
    const int x = 40 + (g_frame * 4) % (width - 120);
    FillRect(x, g_boxY, x + 40, g_boxY + 40, g_box);

    HDC dc;
    if (display->BeginPaintSecondary(dc) != 0) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const char title[] = "はろー vornSDK";
    TextOutA(dc, 40, 60, title, static_cast<int>(std::strlen(title)));
    char status[96];
    std::snprintf(status, sizeof status, "%s %dx%d, %d bits, frame %d",
                  display->GetDisplayMode() == 0 ? "full screen" : "window", width, m_nScreenHeight,
                  display->GetCurrentDisplayBits(), g_frame);
    SetTextColor(dc, RGB(255, 255, 0));
    TextOutA(dc, 40, 100, status, static_cast<int>(std::strlen(status)));
    display->EndPaintSecondary();
}

CFPSLayer* g_pFPSLayer = nullptr;

// Reads the keyboard: Escape ends the game, Up and Down move the box.
void ReadKeys() {
    CKeyInput* keys = GetKeyInput();
    if (keys->Update() != 0) return;
    if (keys->IsPush(DIK_ESCAPE)) GetGameFrame()->Quit();
    if (keys->IsPress(DIK_UP) && g_boxY > 140) g_boxY -= 4;
    if (keys->IsPress(DIK_DOWN) && g_boxY < 260) g_boxY += 4;
}

void HelloCallBack(int event) {
    switch (event) {
        case EVENT_INIT:
            g_pFPSLayer = new CFPSLayer;
            RegisterLayer(g_pFPSLayer);
            break;
        case EVENT_FRAME:
            ReadKeys();
            DrawFrame();
            ++g_frame;
            break;
        case EVENT_END:
            delete g_pFPSLayer;  // it leaves the layer registry as it goes
            g_pFPSLayer = nullptr;
            break;
    }
}

}  // namespace

void SetupGame() {
    const bool fullScreen = std::strcmp(GetGameFrame()->GetCommandLine(), "fullscreen") == 0;
    GetDirectDraw()->SetDisplay(fullScreen ? 0 : 1, 640, 480, 8);
    GetFPSTimer()->SetFPS(60);
    GetGameFrame()->SetCaption("はろー vornSDK");
    GetGameFrame()->SetCallBack(HelloCallBack);
}
