// The game start-up of this test program: its tests use the frame's display device
// in-process (the layers draw through it) without running a game.
#include "vornsdk.h"

void SetupGame() {}
