// The aimed-shot sample's game: the ship's lean and bounds, and shots aimed at it.
#include <gtest/gtest.h>

#include <vector>

#include "aimshot/ship_and_shots.h"
#include "common/fixed_math.h"

namespace {

struct DrawnSprite {
    int x, y;
    RECT cell;
};
std::vector<DrawnSprite> g_drawn;

void RecordSprite(int x, int y, const RECT& cell) { g_drawn.push_back({x, y, cell}); }

KeySnapshot Held(std::initializer_list<int> keys) {
    KeySnapshot snapshot;
    for (int key : keys) snapshot.pressed[key] = true;
    return snapshot;
}
KeySnapshot Pushed(std::initializer_list<int> keys) {
    KeySnapshot snapshot;
    for (int key : keys) snapshot.pressed[key] = snapshot.pushed[key] = true;
    return snapshot;
}

constexpr RECT kLeft{32, 0, 48, 16}, kLevel{48, 0, 64, 16}, kRight{64, 0, 80, 16};
constexpr RECT kShot{0, 0, 16, 16};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class AimShotTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSinTable();
        g_drawn.clear();
        g_aimShot.drawSprite = RecordSprite;
        StartAimShot();
    }
    void TearDown() override {
        EndAimShot();
        g_aimShot = AimShot{};
    }
    static void Hold(std::initializer_list<int> keys, int frames) {
        for (int i = 0; i < frames; ++i) MoveShip(Held(keys));
    }
};

TEST_F(AimShotTest, ShipLeansWhileMovingSidewaysAndLevelsWhenReleased) {
    EXPECT_EQ(g_aimShot.shipX, 320 * kFixedOne);
    EXPECT_EQ(g_aimShot.shipY, 400 * kFixedOne);
    const int expectedTilt[] = {-1, -2, -3, -4, -5, -6, -7, -8, -8};
    for (int frame = 0; frame < 9; ++frame) {
        MoveShip(Held({kKeyLeft}));
        EXPECT_EQ(g_aimShot.tilt, expectedTilt[frame]);
        EXPECT_TRUE(ShipCell(g_aimShot.tilt) == (frame >= 4 ? kLeft : kLevel)) << frame;
    }
    EXPECT_EQ(g_aimShot.shipX, (320 - 18) * kFixedOne);
    Hold({}, 7);
    EXPECT_EQ(g_aimShot.tilt, -1);
    Hold({}, 2);
    EXPECT_EQ(g_aimShot.tilt, 0);

    Hold({kKeyRight}, 3);
    EXPECT_TRUE(ShipCell(g_aimShot.tilt) == kLevel);
    Hold({kKeyRight}, 1);  // leans right from tilt 4
    EXPECT_TRUE(ShipCell(g_aimShot.tilt) == kRight);
    Hold({kKeyRight}, 10);
    EXPECT_EQ(g_aimShot.tilt, 8);
}

TEST_F(AimShotTest, LeftWinsOverRightAndUpOverDown) {
    MoveShip(Held({kKeyLeft, kKeyRight, kKeyUp, kKeyDown}));
    EXPECT_EQ(g_aimShot.shipX, 318 * kFixedOne);
    EXPECT_EQ(g_aimShot.shipY, 398 * kFixedOne);
    EXPECT_EQ(g_aimShot.tilt, -1);
}

TEST_F(AimShotTest, ShipStopsEightPixelsFromEachEdge) {
    Hold({kKeyLeft, kKeyUp}, 400);
    EXPECT_EQ(g_aimShot.shipX, 8 * kFixedOne);
    EXPECT_EQ(g_aimShot.shipY, 8 * kFixedOne);
    Hold({kKeyRight, kKeyDown}, 400);
    EXPECT_EQ(g_aimShot.shipX, 632 * kFixedOne);
    EXPECT_EQ(g_aimShot.shipY, 472 * kFixedOne);
}

TEST_F(AimShotTest, ShipIsDrawnCentredWithItsCell) {
    DrawShip();
    ASSERT_EQ(g_drawn.size(), 1u);
    EXPECT_EQ(g_drawn[0].x, 312);
    EXPECT_EQ(g_drawn[0].y, 392);
    EXPECT_TRUE(g_drawn[0].cell == kLevel);
}

TEST_F(AimShotTest, ShotAtTheShipBelowTheCentreFallsStraightDown) {
    EXPECT_EQ(HandleAimShotKeys(Pushed({kKeySpace})), FrameEnd::kContinue);
    ASSERT_EQ(PoolActiveCount(), 1);

    // Flies 248 frames to y = 488.0, still touching the screen, and leaves at the next.
    for (int frame = 1; frame <= 248; ++frame) {
        PoolUpdate();
        g_drawn.clear();
        PoolDraw();
        ASSERT_EQ(g_drawn.size(), 1u) << frame;
        ASSERT_EQ(g_drawn[0].x, 320 - 8);
        ASSERT_EQ(g_drawn[0].y, 240 + frame - 8);
        ASSERT_TRUE(g_drawn[0].cell == kShot);
    }
    PoolUpdate();
    EXPECT_EQ(PoolActiveCount(), 0);
}

TEST_F(AimShotTest, ShotAtAShipOnTheCentreFliesRight) {
    g_aimShot.shipY = 240 * kFixedOne;
    HandleAimShotKeys(Pushed({kKeySpace}));
    PoolUpdate();
    PoolDraw();
    ASSERT_EQ(g_drawn.size(), 1u);
    EXPECT_EQ(g_drawn[0].x, 321 - 8);
    EXPECT_EQ(g_drawn[0].y, 240 - 8);
}

TEST_F(AimShotTest, ShotsLeaveWhenTheyNoLongerTouchTheScreen) {
    struct Case {
        std::int32_t x, y;
        int angle, framesKept;
    };
    const Case cases[] = {
        {640 * kFixedOne, 100 * kFixedOne, 0, 8},     // right edge at x 648.0
        {0, 100 * kFixedOne, 2048, 8},                // left edge at x -8.0
        {100 * kFixedOne, 0, 3072, 8},                // top edge at y -8.0
        {100 * kFixedOne, 480 * kFixedOne, 1024, 8},  // bottom edge at y 488.0
    };
    for (const Case& c : cases) {
        CreateShot(c.x, c.y, kFixedOne, c.angle);
        for (int frame = 0; frame < c.framesKept; ++frame) PoolUpdate();
        EXPECT_EQ(PoolActiveCount(), 1) << c.angle;
        PoolUpdate();
        EXPECT_EQ(PoolActiveCount(), 0) << c.angle;
    }
}

TEST_F(AimShotTest, EscapeQuitsWithoutFiring) {
    EXPECT_EQ(HandleAimShotKeys(Pushed({kKeyEscape, kKeySpace})), FrameEnd::kQuit);
    EXPECT_EQ(PoolActiveCount(), 0);
    EXPECT_EQ(HandleAimShotKeys(Held({kKeySpace})), FrameEnd::kContinue);  // held, not pushed
    EXPECT_EQ(PoolActiveCount(), 0);
}

TEST_F(AimShotTest, AFullPoolFiresNothingMore) {
    for (int i = 0; i < kPoolTaskCount + 5; ++i) HandleAimShotKeys(Pushed({kKeySpace}));
    EXPECT_EQ(PoolActiveCount(), kPoolTaskCount);
}

TEST_F(AimShotTest, RestartPutsTheShipBackLevel) {
    Hold({kKeyLeft, kKeyUp}, 20);
    HandleAimShotKeys(Pushed({kKeySpace}));
    EndAimShot();
    StartAimShot();
    EXPECT_EQ(g_aimShot.shipX, 320 * kFixedOne);
    EXPECT_EQ(g_aimShot.shipY, 400 * kFixedOne);
    EXPECT_EQ(g_aimShot.tilt, 0);
    EXPECT_EQ(PoolActiveCount(), 0);
}

}  // namespace
