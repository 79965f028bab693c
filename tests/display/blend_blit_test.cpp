// The blend blit: weights per channel without saturation, the blend key, the clip
// rectangle, 8-bit screens, surfaces that cannot be locked, and rectangles reaching
// outside either surface.
#include "plane_fixture.h"

namespace {

class BlendBlit : public PlaneScreen {
protected:
    // A w x h plane filled with one raw value over a secondary filled with another.
    void Prepare(CPlane& plane, int width, int height, DWORD source, DWORD dest) {
        ASSERT_EQ(plane.CreatePlane(width, height), 0);
        Fill(plane.GetSurface(), source);
        Fill(lpSecondary, dest);
    }
    std::uint32_t ScreenAt(int x, int y) { return Pixels(lpSecondary)[y * 640 + x]; }
};

struct MixCase {
    const char* what;
    int bits;
    DWORD source, dest;
    int weights[6];
    DWORD expected;
};

TEST_F(BlendBlit, MixesEachChannelWithItsWeightsAndWrapsAround) {
    const MixCase cases[] = {
        {"copy, 16 bits", 16, 0xFFFF, 0x1234, {256, 256, 256, 0, 0, 0}, 0xFFFF},
        {"halves of white over black, 5-6-5",
         16,
         0xFFFF,
         0x0000,
         {128, 128, 128, 128, 128, 128},
         (15 << 11) | (31 << 5) | 15},
        {"additive red 200 + 100 wraps at 32 bits",
         32,
         0xC80000,
         0x640000,
         {256, 256, 256, 256, 256, 256},
         0x2C0000},
        {"bits outside the masks become 0", 32, 0xAB102030, 0, {256, 256, 256, 0, 0, 0}, 0x102030},
        {"tint: only blue of the source, red of the destination",
         32,
         0x808080,
         0x404040,
         {0, 0, 256, 256, 0, 0},
         0x400080},
    };
    for (const MixCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenScreen(c.bits);
        CPlane plane;
        Prepare(plane, 4, 4, c.source, c.dest);
        const int* w = c.weights;
        EXPECT_EQ(plane.BlendBlt(10, 10, w[0], w[1], w[2], w[3], w[4], w[5]), 0);
        EXPECT_EQ(ScreenAt(10, 10), c.expected);
        EXPECT_EQ(ScreenAt(13, 13), c.expected);
        EXPECT_EQ(ScreenAt(14, 13), c.dest);
    }
}

TEST_F(BlendBlit, TheBlendKeyLeavesTheDestinationWhereTheSourceHasTheKey) {
    OpenScreen(32);
    CPlane plane;
    Prepare(plane, 2, 1, 0x000000, 0x505050);  // a created plane is keyed on black
    HDC dc;
    ASSERT_EQ(plane.BeginPaint(dc), 0);
    SetPixel(dc, 1, 0, RGB(0x10, 0x10, 0x10));
    plane.EndPaint();
    for (bool keyed : {true, false}) {
        Fill(lpSecondary, 0x505050);
        plane.SetBlendKey(keyed);
        EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 256, 256, 256), 0);
        EXPECT_EQ(ScreenAt(0, 0), 0x505050u);  // black adds nothing either way
        EXPECT_EQ(ScreenAt(1, 0), 0x606060u);
    }
    // Off, the key's pixels mix like the others.
    Fill(lpSecondary, 0x505050);
    plane.SetBlendKey(false);
    EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 0, 0, 0), 0);
    EXPECT_EQ(ScreenAt(0, 0), 0u);
    Fill(lpSecondary, 0x505050);
    plane.SetBlendKey(true);
    EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 0, 0, 0), 0);
    EXPECT_EQ(ScreenAt(0, 0), 0x505050u);
}

TEST_F(BlendBlit, StaysInsideTheClipRectangle) {
    OpenScreen(32);
    CPlane plane;
    Prepare(plane, 8, 8, 0x0000FF, 0);
    const RECT clip = {100, 100, 200, 200};
    // Partly left of the clip: the left columns are skipped, the rest lands from 100 on.
    EXPECT_EQ(plane.BlendBlt(96, 150, RECT{0, 0, 8, 8}, 256, 256, 256, 0, 0, 0, &clip), 0);
    EXPECT_EQ(ScreenAt(99, 150), 0u);
    EXPECT_EQ(ScreenAt(100, 150), 0xFFu);
    EXPECT_EQ(ScreenAt(103, 157), 0xFFu);
    EXPECT_EQ(ScreenAt(104, 150), 0u);
    // Wholly below it: nothing, and nothing is locked.
    vorn::testing::FailAlways("IDirectDrawSurface::Lock");
    EXPECT_EQ(plane.BlendBlt(150, 250, RECT{0, 0, 8, 8}, 256, 256, 256, 0, 0, 0, &clip), 0);
    vorn::testing::ClearFaults();
    // Rectangles reaching outside the plane or the screen are cut to what both have.
    const RECT wide = {-50, -50, 1000, 1000};
    Fill(lpSecondary, 0);
    EXPECT_EQ(plane.BlendBlt(636, 476, RECT{-2, -2, 20, 20}, 256, 256, 256, 0, 0, 0, &wide), 0);
    EXPECT_EQ(ScreenAt(637, 477), 0u);  // source (-1, -1) does not exist
    EXPECT_EQ(ScreenAt(638, 478), 0xFFu);
    EXPECT_EQ(ScreenAt(639, 479), 0xFFu);
}

TEST_F(BlendBlit, DrawsNothingOnAnEightBitScreen) {
    OpenScreen(8);
    CPlane plane;
    Prepare(plane, 4, 4, 5, 9);
    EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 256, 256, 256), 0);
    EXPECT_EQ(ScreenAt(0, 0), 9u);
    // Both surfaces were given back.
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(lpSecondary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    lpSecondary->Unlock(nullptr);
}

TEST_F(BlendBlit, ReportsSurfacesThatCannotBeLocked) {
    OpenScreen(16);
    CPlane plane;
    Prepare(plane, 4, 4, 0xFFFF, 0);
    vorn::testing::InjectFault(
        {.operation = "IDirectDrawSurface::Lock", .object = plane.GetSurface()});
    EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 0, 0, 0), 3);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::BlendBltでSurfaceのLockに失敗");
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(lpSecondary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);  // unlocked again
    lpSecondary->Unlock(nullptr);

    vorn::testing::InjectFault({.operation = "IDirectDrawSurface::Lock", .object = lpSecondary});
    EXPECT_EQ(plane.BlendBlt(0, 0, 256, 256, 256, 0, 0, 0), 2);
    EXPECT_EQ(ScreenAt(0, 0), 0u);

    CPlane empty;
    EXPECT_EQ(empty.BlendBlt(0, 0, 256, 256, 256, 0, 0, 0), -1);
}

}  // namespace
