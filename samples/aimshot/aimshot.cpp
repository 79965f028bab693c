// The aimed-shot sample: a ship moved by the arrow keys in a 640x480 window at 60
// frames per second; each press of Space fires a shot from the screen centre toward it.
#include "aimshot/ship_and_shots.h"
#include "common/fixed_math.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/layer.h"
#include "sdk/display/plane.h"
#include "sdk/input/key_input.h"
#include "vornsdk.h"

namespace {

CPlane* g_pBackground = nullptr;
CPlane* g_pSprites = nullptr;
CFPSLayer* g_pFPSLayer = nullptr;

void DrawSprite(int x, int y, const RECT& cell) { g_pSprites->BltTrans(x, y, cell); }

void Start() {
    g_pBackground = new CPlane;
    g_pBackground->LoadBitmapFile("nae.bmp", true);
    g_pSprites = new CPlane;
    g_pSprites->LoadBitmapFile("spark.bmp", true);
    GetDirectDraw()->SetPaletteSource(g_pSprites);
    g_pFPSLayer = new CFPSLayer;
    RegisterLayer(g_pFPSLayer);
    g_aimShot.drawSprite = DrawSprite;
    StartAimShot();
}

template <class T>
void DeleteAndForget(T*& object) {
    delete object;  // a layer leaves the registry as it goes
    object = nullptr;
}

void End() {
    DeleteAndForget(g_pBackground);
    DeleteAndForget(g_pSprites);
    DeleteAndForget(g_pFPSLayer);
    EndAimShot();
}

void Frame() {
    CKeyInput* keyboard = GetKeyInput();
    keyboard->Update();
    const KeySnapshot keys = KeySnapshot::From(*keyboard);
    MoveShip(keys);
    g_pBackground->Blt(0, 0);
    PoolUpdate();  // shots move
    DrawShip();
    PoolDraw();  // shots are drawn over the ship
    if (HandleAimShotKeys(keys) == FrameEnd::kQuit) GetGameFrame()->Quit();
}

// Events 3 and 4 start and end the sample like 1 and 2.
void AimShotMain(int event) {
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
    GetFPSTimer()->SetFPS(60);
    GetDirectDraw()->SetDisplay(1, 640, 480, 16);
    GetDirectDraw()->SetSystemMemory(true);
    GetGameFrame()->SetCaption("スペースキーを押すと自機に向かって弾発射サンプル");
    GetGameFrame()->SetCallBack(AimShotMain);
    InitSinTable();
}
