// keyboard_layers: a text layer that the arrow keys move by 16 pixels per push and C
// recolours (magenta, cyan), over the frame-rate layer; Escape ends the program.
#include "sdk/display/layer.h"
#include "sdk/input/key_input.h"
#include "vornsdk.h"

namespace {

CTextLayer* g_pText = nullptr;
CFPSLayer* g_pFPS = nullptr;
int g_nX = 200;
int g_nY = 200;
bool g_bCyan = false;

void Frame() {
    GetDirectDraw()->Clear();
    CKeyInput* keys = GetKeyInput();
    if (keys->Update() != 0) return;
    if (keys->IsPush(DIK_ESCAPE)) {
        GetGameFrame()->Quit();
        return;
    }
    g_nX += 16 * (keys->IsPush(DIK_RIGHT) - keys->IsPush(DIK_LEFT));
    g_nY += 16 * (keys->IsPush(DIK_DOWN) - keys->IsPush(DIK_UP));
    if (keys->IsPush(DIK_C)) g_bCyan = !g_bCyan;
    g_pText->SetPos(g_nX, g_nY);
    g_pText->SetColor(g_bCyan ? RGB(0, 255, 255) : RGB(255, 0, 255));
}

void CallBack(int event) {
    switch (event) {
        case EVENT_INIT:
            g_pFPS = new CFPSLayer;
            RegisterLayer(g_pFPS);
            g_pText = new CTextLayer;
            g_pText->SetText("KEYS");
            g_pText->SetSize(32);
            g_pText->SetShadowColor(-1);
            RegisterLayer(g_pText);
            break;
        case EVENT_FRAME:
            Frame();
            break;
        case EVENT_END:
            delete g_pText;
            delete g_pFPS;
            break;
    }
}

}  // namespace

void SetupGame() {
    GetFPSTimer()->SetFPS(60);
    GetGameFrame()->SetCaption("keyboard layers");
    GetGameFrame()->SetCallBack(CallBack);
}
