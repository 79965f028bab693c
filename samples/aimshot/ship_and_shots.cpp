// The ship and the shots of the aimed-shot sample, in 16.16 fixed point.
#include "aimshot/ship_and_shots.h"

#include <algorithm>

#include "common/fixed_math.h"

AimShot g_aimShot;

namespace {

constexpr std::int32_t Fixed(int pixels) { return pixels * kFixedOne; }

constexpr RECT kShotCell{0, 0, 16, 16};
constexpr RECT kShipLeftCell{32, 0, 48, 16};
constexpr RECT kShipLevelCell{48, 0, 64, 16};
constexpr RECT kShipRightCell{64, 0, 80, 16};

constexpr std::int32_t kCentreX = Fixed(320);
constexpr std::int32_t kCentreY = Fixed(240);

// Sprites are 16x16 and drawn centred on their position.
void DrawCentred(std::int32_t x, std::int32_t y, const RECT& cell) {
    if (g_aimShot.drawSprite) g_aimShot.drawSprite((x >> 16) - 8, (y >> 16) - 8, cell);
}

}  // namespace

void StartAimShot() {
    PoolInit();
    g_aimShot.shipX = Fixed(320);
    g_aimShot.shipY = Fixed(400);
    g_aimShot.shipSpeedX = Fixed(2);
    g_aimShot.shipSpeedY = Fixed(2);
    g_aimShot.tilt = 0;
}

void EndAimShot() { PoolTerm(); }

void MoveShip(const KeySnapshot& keys) {
    AimShot& s = g_aimShot;
    if (keys.IsPress(kKeyLeft)) {
        s.tilt = std::max(s.tilt - 1, -kMaxTilt);
        s.shipX = std::max(s.shipX - s.shipSpeedX, Fixed(8));
    } else if (keys.IsPress(kKeyRight)) {
        s.tilt = std::min(s.tilt + 1, kMaxTilt);
        s.shipX = std::min(s.shipX + s.shipSpeedX, Fixed(632));
    } else if (s.tilt != 0) {
        s.tilt += s.tilt < 0 ? 1 : -1;
    }
    if (keys.IsPress(kKeyUp))
        s.shipY = std::max(s.shipY - s.shipSpeedY, Fixed(8));
    else if (keys.IsPress(kKeyDown))
        s.shipY = std::min(s.shipY + s.shipSpeedY, Fixed(472));
}

const RECT& ShipCell(int tilt) {
    if (tilt < -4) return kShipLeftCell;
    if (tilt >= 4) return kShipRightCell;
    return kShipLevelCell;
}

void DrawShip() { DrawCentred(g_aimShot.shipX, g_aimShot.shipY, ShipCell(g_aimShot.tilt)); }

FrameEnd HandleAimShotKeys(const KeySnapshot& keys) {
    if (keys.IsPush(kKeyEscape)) return FrameEnd::kQuit;
    if (keys.IsPush(kKeySpace)) {
        const int angle = GetAngle(g_aimShot.shipX - kCentreX, g_aimShot.shipY - kCentreY);
        CreateShot(kCentreX, kCentreY, kFixedOne, angle);
    }
    return FrameEnd::kContinue;
}

void CreateShot(std::int32_t x, std::int32_t y, std::int32_t speed, int angle) {
    Task* task = PoolAlloc();
    if (!task) return;
    task->x = x;
    task->y = y;
    task->vx = FixedMul(Cos(angle), speed);
    task->vy = FixedMul(Sin(angle), speed);
    task->move = MoveShot;
    task->draw = DrawShot;
    task->onFree = nullptr;
}

bool MoveShot(Task* task) {
    task->x += task->vx;
    task->y += task->vy;
    // Kept while the 16-pixel shot centred on its position still touches the screen.
    return task->x >= Fixed(-8) && task->x <= Fixed(648) && task->y >= Fixed(-8) &&
           task->y <= Fixed(488);
}

void DrawShot(Task* task) { DrawCentred(task->x, task->y, kShotCell); }
