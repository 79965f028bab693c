// hello: the smallest game on vornSDK. It opens the game window at 60 frames per
// second and runs until the window is closed.
#include "vornsdk.h"

namespace {

void HelloCallBack(int event) {
    // Resources are made on EVENT_INIT and freed on EVENT_END; this game has none.
}

}  // namespace

void SetupGame() {
    GetFPSTimer()->SetFPS(60);
    GetGameFrame()->SetCaption("はろー vornSDK");
    GetGameFrame()->SetCallBack(HelloCallBack);
}
