// The spark benchmark ("New/Delete速度"): full screen at 640x480 with 8 bits per pixel
// and no frame pacing, fireworks and their sparks created and freed through the object
// pool every frame, and the frame rate it reaches on show. Up adds a firework, Down
// lets the newest one explode, Space fires one that explodes at its first wall, B
// switches the background between a fill, the picture plane and the raw picture rows.
#include "common/fixed_math.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/display_state.h"
#include "sdk/display/layer.h"
#include "sdk/display/plane.h"
#include "sdk/input/key_input.h"
#include "sparkbench/fireworks.h"
#include "sparkbench/raw_background.h"
#include "vornsdk.h"

namespace {

CPlane* g_pBackground = nullptr;
CPlane* g_pSpark = nullptr;
CFPSLayer* g_pFPSLayer = nullptr;
CTextLayer* g_pStatusLayer = nullptr;

void DrawSpark(int x, int y, const RECT& cell) { g_pSpark->BltTrans(x, y, cell); }

void Start() {
    g_pBackground = new CPlane;
    g_pBackground->LoadBitmapFile("nae.bmp", true);
    LoadRawBackground("nae.bmp");
    g_pSpark = new CPlane;
    g_pSpark->LoadBitmapFile("spark.bmp", true);
    GetDirectDraw()->SetPaletteSource(g_pSpark);  // the display palette on the 8-bit screen

    g_pFPSLayer = new CFPSLayer;
    RegisterLayer(g_pFPSLayer);
    g_pStatusLayer = new CTextLayer;
    g_pStatusLayer->SetSize(16);
    g_pStatusLayer->SetColor(RGB(255, 0, 128));
    g_pStatusLayer->SetShadowColor(RGB(221, 221, 255));
    g_pStatusLayer->SetPos(320, 450);
    RegisterLayer(g_pStatusLayer);

    g_sparkBench.drawSpark = DrawSpark;
    StartSparkBench();
}

template <class T>
void DeleteAndForget(T*& object) {
    delete object;  // a layer leaves the registry as it goes
    object = nullptr;
}

void End() {
    DeleteAndForget(g_pBackground);
    DeleteAndForget(g_pSpark);
    DeleteAndForget(g_pStatusLayer);
    DeleteAndForget(g_pFPSLayer);
    EndSparkBench();
}

void DrawBackground() {
    switch (g_sparkBench.drawMode) {
        case 0:
            GetDirectDraw()->Clear();
            break;
        case 1:
            g_pBackground->Blt(0, 0);
            break;
        case 2: {
            DDSURFACEDESC desc{};
            desc.dwSize = sizeof desc;
            if (lpSecondary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) break;
            CopyRawBackground(static_cast<std::uint8_t*>(desc.lpSurface), desc.lPitch);
            lpSecondary->Unlock(nullptr);
            break;
        }
    }
}

void Frame() {
    DrawBackground();
    PoolUpdate();  // fireworks move and emit sparks; sparks move and draw themselves
    PoolDraw();
    CKeyInput* keyboard = GetKeyInput();
    keyboard->Update();
    if (HandleSparkBenchKeys(KeySnapshot::From(*keyboard)) == FrameEnd::kQuit) {
        GetGameFrame()->Quit();
        return;
    }
    g_pStatusLayer->SetText(FormatSparkBenchStatus().text);
}

// Events 3 and 4 start and end the sample like 1 and 2.
void SparkBenchMain(int event) {
    switch (event) {
        case EVENT_INIT:
        case 3:
            Start();
            break;
        case EVENT_END:
        case 4:
            End();
            break;
        case EVENT_FRAME:
            Frame();
            break;
    }
}

}  // namespace

void SetupGame() {
    GetFPSTimer()->SetFPS(0);  // no pacing: show the rate the machine reaches
    GetDirectDraw()->SetDisplay(0, 640, 480, 8);
    GetGameFrame()->SetCaption("New/Delete速度");
    GetGameFrame()->SetCallBack(SparkBenchMain);
    InitSinTable();
}
