// The program entry of every game: runs the frame.
#include "frame/game_frame.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    GetGameFrame()->Run(instance, commandLine, showCommand);
    return 0;
}
