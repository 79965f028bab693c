// Plane blits onto a 640 x 480 secondary: clipping at every edge, the refused source
// rectangle, and the transparent colour at 8, 16 and 32 bits.
#include "plane_fixture.h"

namespace {

class PlaneBlit : public PlaneScreen {
protected:
    // An 8 x 8 plane whose pixel (x, y) has the raw value 1 + x + 8y.
    void MakeNumberedPlane(CPlane& plane) {
        ASSERT_EQ(plane.CreatePlane(8, 8), 0);
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(plane.GetSurface()->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const int bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const std::uint32_t value = 1 + x + 8 * y;
                std::memcpy(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                            &value, bytes);
            }
        plane.GetSurface()->Unlock(nullptr);
    }
};

TEST_F(PlaneBlit, ClipsAgainstTheScreen) {
    OpenScreen(32);
    CPlane plane;
    MakeNumberedPlane(plane);
    struct Case {
        int x, y;
        RECT drawn;  // the part of the plane that lands, at (max(x, 0), max(y, 0))
    };
    const Case cases[] = {
        {-3, 10, {3, 0, 8, 8}},   {636, 476, {0, 0, 4, 4}}, {-7, -7, {7, 7, 8, 8}},
        {100, 200, {0, 0, 8, 8}}, {-8, 0, {0, 0, 0, 0}},    {0, -8, {0, 0, 0, 0}},
        {640, 0, {0, 0, 0, 0}},   {0, 480, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        Fill(lpSecondary, 0);
        EXPECT_EQ(plane.BltNoKey(c.x, c.y, RECT{0, 0, 8, 8}), 0);
        const auto screen = Pixels(lpSecondary);
        const int left = std::max(c.x, 0), top = std::max(c.y, 0);
        int drawnPixels = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const std::uint32_t value = screen[y * 640 + x];
                const int px = c.drawn.left + x - left, py = c.drawn.top + y - top;
                const bool inside = px >= c.drawn.left && px < c.drawn.right && py >= c.drawn.top &&
                                    py < c.drawn.bottom;
                ASSERT_EQ(value, inside ? 1u + px + 8 * py : 0u) << x << "," << y;
                drawnPixels += inside;
            }
        EXPECT_EQ(drawnPixels, (c.drawn.right - c.drawn.left) * (c.drawn.bottom - c.drawn.top));
    }
}

TEST_F(PlaneBlit, RefusesASourceRectangleOutsideThePlaneAndNeedsBothSurfaces) {
    OpenScreen(32);
    CPlane plane;
    MakeNumberedPlane(plane);
    Fill(lpSecondary, 0);
    EXPECT_EQ(plane.BltTrans(0, 0, RECT{0, 0, 16, 8}), DDERR_INVALIDRECT);
    EXPECT_EQ(Pixels(lpSecondary), std::vector<std::uint32_t>(640 * 480, 0));

    CPlane empty;
    EXPECT_EQ(empty.Blt(0, 0), -1);
    LPDIRECTDRAWSURFACE secondary = lpSecondary;
    lpSecondary = nullptr;
    EXPECT_EQ(plane.BltTrans(0, 0, RECT{0, 0, 8, 8}), -1);
    lpSecondary = secondary;
}

TEST_F(PlaneBlit, BltCopiesTheWholePlaneKeyIncluded) {
    OpenScreen(16);
    CPlane background;
    ASSERT_EQ(background.CreatePlane(640, 480), 0);
    Fill(background.GetSurface(), 0x1234);  // black is its key, but Blt ignores keys
    Fill(lpSecondary, 0);
    EXPECT_EQ(background.Blt(0, 100), 0);
    const auto screen = Pixels(lpSecondary);
    EXPECT_EQ(screen[99 * 640], 0u);
    EXPECT_EQ(screen[100 * 640], 0x1234u);
    EXPECT_EQ(screen[479 * 640 + 639], 0x1234u);
}

TEST_F(PlaneBlit, BltTransLeavesOutTheTopLeftColourAtEveryDepth) {
    for (int bits : {8, 16, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits");
        OpenScreen(bits);
        // A 17 x 3 sprite (wider than one vector of pixels) whose top-left colour recurs.
        vorn::test::Picture sprite{17, 3, {}};
        for (int i = 0; i < 51; ++i)
            sprite.pixels.push_back(i % 3 == 0 ? 0xFF00FF : 0x102030 * (1 + i % 5));
        vorn::test::BitmapLayout layout;
        if (bits == 8) {
            layout.bits = 8;
            layout.table = {0xFF00FF, 0x102030, 0x204060, 0x306090, 0x4080C0, 0x50A0F0};
        }
        WriteFile("sprite.bmp", vorn::test::EncodeBitmap(sprite, layout));
        CPlane plane;
        ASSERT_EQ(plane.LoadBitmapFile("sprite.bmp", true), 0);
        const auto spritePixels = Pixels(plane.GetSurface());
        const DWORD key = KeyOf(plane);
        Fill(lpSecondary, 7);
        EXPECT_EQ(plane.BltTrans(600, 10, RECT{0, 0, 17, 3}), 0);
        const auto screen = Pixels(lpSecondary);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 17; ++x) {
                const std::uint32_t source = spritePixels[y * 17 + x];
                ASSERT_EQ(screen[(10 + y) * 640 + 600 + x], source == key ? 7u : source)
                    << x << "," << y;
            }
    }
}

}  // namespace
