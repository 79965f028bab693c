// The aimed-shot sample's game: a ship moved by the arrow keys, leaning while it moves
// sideways, and shots fired from the screen centre toward the ship's position. Shots
// are records of the object pool. The state is plain data; the program draws the
// background and the ship and takes the key snapshot.
#pragma once

#include <cstdint>

#include "common/draw_cell.h"
#include "common/key_snapshot.h"
#include "common/pool.h"

constexpr int kMaxTilt = 8;

struct AimShot {
    std::int32_t shipX = 0;  // ship centre, 16.16 pixels
    std::int32_t shipY = 0;
    std::int32_t shipSpeedX = 0;  // pixels per frame, 16.16
    std::int32_t shipSpeedY = 0;
    int tilt = 0;                     // -8..8: negative leans left, positive leans right
    DrawCellFn drawSprite = nullptr;  // draws one cell of the sprite sheet; null draws nothing
};
extern AimShot g_aimShot;

// Initialises the pool and puts the ship at (320, 400), level.
void StartAimShot();
// Releases the pool with every shot in it.
void EndAimShot();

// Left (before Right) moves and leans the ship left, Right right, neither levels it
// by one step; Up (before Down) moves it up. The ship stays within 8 pixels of the edges.
void MoveShip(const KeySnapshot& keys);

// The sprite-sheet cell for a tilt, and where the ship's top-left corner goes.
const RECT& ShipCell(int tilt);
void DrawShip();

// Escape: kQuit. Otherwise Space fires a shot from the centre toward the ship.
FrameEnd HandleAimShotKeys(const KeySnapshot& keys);

void CreateShot(std::int32_t x, std::int32_t y, std::int32_t speed, int angle);
bool MoveShot(Task* task);
void DrawShot(Task* task);
