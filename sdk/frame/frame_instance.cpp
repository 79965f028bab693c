// The process-wide frame and its accessors.
#include "frame/game_frame.h"

namespace {

CGameFrame& Frame() {
    // Built on first use (at the latest by the program entry), so that it never runs
    // before the services it uses on construction.
    static CGameFrame frame;
    return frame;
}

}  // namespace

CGameFrame* GetGameFrame() { return &Frame(); }

CFPSTimer* GetFPSTimer() { return Frame().GetFPSTimer(); }

CDirectDraw* GetDirectDraw() { return Frame().GetDirectDraw(); }

CDirectInput* GetKeyInput() { return Frame().GetKeyInput(); }
