// A plane's life beyond loading: empty planes, transparent colours, painting, the
// rebuild after a mode change, and the palette source.
#include "plane_fixture.h"

namespace {

using vorn::test::BitmapLayout;
using vorn::test::Picture;

class PlaneLife : public PlaneScreen {
protected:
    void SetUp() override {
        OpenScreen(32);
        // Top-left pixel red; the rest green and blue.
        WriteFile("sprite.bmp",
                  vorn::test::EncodeBitmap(
                      Picture{3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00}},
                      BitmapLayout{}));
    }
};

TEST_F(PlaneLife, CreatedPlanesAreBlackAndTransparentWhereBlack) {
    CPlane plane;
    ASSERT_EQ(plane.CreatePlane(4, 3), 0);
    EXPECT_EQ(Pixels(plane.GetSurface()), std::vector<std::uint32_t>(12, 0));
    EXPECT_EQ(KeyOf(plane), 0u);

    vorn::testing::FailNext("IDirectDraw::CreateSurface");
    EXPECT_EQ(plane.CreatePlane(4, 3), 2);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::CreateSurfaceのCreateSurfaceに失敗");
    EXPECT_EQ(plane.GetSurface(), nullptr);
}

TEST_F(PlaneLife, ColourKeysByColourAndByPosition) {
    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("sprite.bmp", true), 0);
    EXPECT_EQ(KeyOf(plane), 0xFF0000u);
    EXPECT_EQ(plane.SetColorKeyPos(1, 0), DD_OK);
    EXPECT_EQ(KeyOf(plane), 0x00FF00u);
    EXPECT_EQ(plane.SetColorKey(RGB(0, 0, 255)), DD_OK);
    EXPECT_EQ(KeyOf(plane), 0x0000FFu);

    // Outside the image no pixel is read and the key becomes all bits set, quietly.
    CErrorLog::Report("");
    EXPECT_EQ(plane.SetColorKeyPos(3, 0), DD_OK);
    EXPECT_EQ(KeyOf(plane), 0xFFFFFFFFu);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "");

    // A key that cannot be set after a load is only reported.
    vorn::testing::InjectFault(
        {.operation = "IDirectDrawSurface::SetColorKey", .times = vorn::testing::kAlways});
    EXPECT_EQ(plane.LoadBitmapFile("sprite.bmp", true), 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::位置指定型透過キーの設定に失敗");
    vorn::testing::ClearFaults();
    plane.SetColorKey(RGB(0, 0, 255));
    vorn::testing::FailAlways("IDirectDrawSurface::SetColorKey");
    EXPECT_EQ(plane.ApplyColorKey(), 0);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::色指定型透過キーの設定に失敗");
    vorn::testing::ClearFaults();

    CPlane empty;
    EXPECT_EQ(empty.SetColorKey(0), 1);
    EXPECT_EQ(empty.SetColorKeyPos(0, 0), 1);
    EXPECT_EQ(DDGetPixel(plane.GetSurface(), 0, 0), 0xFF0000u);
    EXPECT_EQ(DDGetPixel(plane.GetSurface(), -1, 0), 0xFFFFFFFFu);
}

TEST_F(PlaneLife, PaintingHoldsOneDeviceContextAtATime) {
    CPlane plane;
    HDC dc = nullptr;
    EXPECT_EQ(plane.BeginPaint(dc), 2);  // no surface
    ASSERT_EQ(plane.CreatePlane(2, 2), 0);
    ASSERT_EQ(plane.BeginPaint(dc), 0);
    HDC second = nullptr;
    EXPECT_EQ(plane.BeginPaint(second), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              "CPlane::EndPaintが呼び出されていないのにBeginPaintが呼び出された");
    EXPECT_NE(SetPixel(dc, 1, 1, RGB(255, 255, 255)), CLR_INVALID);  // the first stays valid
    EXPECT_EQ(plane.EndPaint(), 0);
    EXPECT_EQ(Pixels(plane.GetSurface())[3], 0xFFFFFFu);
    EXPECT_EQ(plane.EndPaint(), 1);
    EXPECT_EQ(CErrorLog::GetLastMessage(),
              "CPlane::BeginPaintが呼び出されていないのにEndPaintが呼び出された");

    vorn::testing::FailNext("IDirectDrawSurface::GetDC");
    EXPECT_EQ(plane.BeginPaint(dc), 3);
    ASSERT_EQ(plane.BeginPaint(dc), 0);
    vorn::testing::FailNext("IDirectDrawSurface::ReleaseDC");
    EXPECT_EQ(plane.EndPaint(), 3);
    EXPECT_EQ(plane.EndPaint(), 0);  // still held after the failure, given back now

    // A surface released while painting takes its context along; painting can start
    // again once the plane is rebuilt.
    ASSERT_EQ(plane.BeginPaint(dc), 0);
    plane.Release();
    EXPECT_EQ(plane.EndPaint(), 2);
    ASSERT_EQ(plane.CreatePlane(2, 2), 0);
    EXPECT_EQ(plane.BeginPaint(dc), 0);
    EXPECT_EQ(plane.EndPaint(), 0);
}

TEST_F(PlaneLife, LoadedPlanesSurviveAModeChangeWithTheirKeyCreatedOnesDoNot) {
    CPlane loaded;
    CPlane keyedByColour;
    CPlane created;
    ASSERT_EQ(loaded.LoadBitmapFile("sprite.bmp", true), 0);
    ASSERT_EQ(keyedByColour.LoadBitmapFile("sprite.bmp", true), 0);
    keyedByColour.SetColorKey(RGB(0, 255, 0));
    ASSERT_EQ(created.CreatePlane(8, 8), 0);

    CPlane::ReleaseAll();
    EXPECT_EQ(loaded.GetSurface(), nullptr);
    EXPECT_EQ(created.GetSurface(), nullptr);
    OpenScreen(16);
    CPlane::RestoreAll();

    ASSERT_NE(loaded.GetSurface(), nullptr);
    EXPECT_EQ(KeyOf(loaded), 0xF800u);  // red, now in 5-6-5
    EXPECT_EQ(KeyOf(keyedByColour), 0x07E0u);
    EXPECT_EQ(created.GetSurface(), nullptr);
    EXPECT_EQ(created.BltTrans(0, 0, RECT{0, 0, 8, 8}), -1);

    // Two files: the high-colour one is used off 8-bit screens.
    WriteFile("hi.bmp", vorn::test::EncodeBitmap(Picture{1, 1, {0x0000FF}}, BitmapLayout{}));
    loaded.m_bTwoFiles = true;
    loaded.m_strFileNameHighColor = "hi.bmp";
    EXPECT_EQ(loaded.Restore(), 0);
    EXPECT_EQ(loaded.GetWidth(), 1);

    // Only palette-dependent planes come back when the window gets a new palette.
    loaded.Release();
    keyedByColour.Release();
    keyedByColour.m_bPaletteDependent = true;
    CPlane::RestoreAllPaletteDependent();
    EXPECT_EQ(loaded.GetSurface(), nullptr);
    EXPECT_NE(keyedByColour.GetSurface(), nullptr);
}

TEST_F(PlaneLife, DeletingThePaletteSourceClearsIt) {
    auto* plane = new CPlane;
    m_lpPaletteSource = plane;
    { CPlane other; }  // deleting another plane leaves it
    EXPECT_EQ(m_lpPaletteSource, plane);
    delete plane;
    EXPECT_EQ(m_lpPaletteSource, nullptr);
}

}  // namespace
