// Surfaces: formats, locks, fills, copies with and without the colour key, refused
// rectangles, loss and injected failures.
#include "ddraw_fixture.h"

namespace {

struct FormatCase {
    int bits;
    DWORD red, green, blue;
};
const FormatCase kFormats[] = {{8, 0, 0, 0},
                               {16, 0xF800, 0x07E0, 0x001F},
                               {24, 0xFF0000, 0xFF00, 0xFF},
                               {32, 0xFF0000, 0xFF00, 0xFF}};

class SurfaceFormat : public DisplayTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SurfaceFormat, LockGivesMemoryPitchAndMasks) {
    const FormatCase& f = GetParam();
    IDirectDrawSurface* s = Offscreen(13, 5, f.bits);
    ASSERT_NE(s, nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_NE(desc.lpSurface, nullptr);
    EXPECT_EQ(desc.dwWidth, 13u);
    EXPECT_EQ(desc.dwHeight, 5u);
    EXPECT_GE(desc.lPitch, 13 * f.bits / 8);
    EXPECT_EQ(desc.lPitch % 4, 0);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(f.bits));
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, f.red);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, f.green);
    EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, f.blue);
    EXPECT_EQ((desc.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8) != 0, f.bits == 8);
    // A second lock, or a device context, waits for the unlock.
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    HDC dc;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);

    DDPIXELFORMAT pf{};
    ASSERT_EQ(s->GetPixelFormat(&pf), DD_OK);
    EXPECT_EQ(pf.dwRGBBitCount, static_cast<DWORD>(f.bits));
}

// A 3x2 source with the key value 1 in two places, copied over a filled destination.
TEST_P(SurfaceFormat, FillsCopiesAndKeyedCopies) {
    const int bits = GetParam().bits;
    const std::uint32_t fill = bits == 8 ? 0x77 : bits == 16 ? 0xBEEF : 0x123456;
    IDirectDrawSurface* source = Offscreen(3, 2, bits);
    IDirectDrawSurface* dest = Offscreen(4, 3, bits);
    SetPixels(source, {1, 2, 3, 4, 1, 6});
    DDCOLORKEY key{1, 1};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = fill;
    ASSERT_EQ(dest->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(Pixels(dest), std::vector<std::uint32_t>(12, fill));

    ASSERT_EQ(dest->BltFast(1, 1, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    const std::uint32_t F = fill;
    EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{F, F, F, F, F, F, 2, 3, F, 4, F, 6}));

    ASSERT_EQ(dest->BltFast(0, 0, source, nullptr, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{1, 2, 3, F, 4, 1, 6, 3, F, 4, F, 6}));

    // Blt honours the key only when asked, and stretches by the nearest pixel.
    RECT to{0, 0, 4, 2}, from{0, 0, 2, 1};
    ASSERT_EQ(dest->Blt(&to, source, &from, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{1, 2, 2, 2, 4, 1, 2, 2, F, 4, F, 6}));
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, SurfaceFormat, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::to_string(info.param.bits) + "bits"; });

TEST_F(DisplayTest, RefusesRectanglesOutsideEitherSurface) {
    IDirectDrawSurface* source = Offscreen(8, 8, 16);
    IDirectDrawSurface* dest = Offscreen(16, 16, 16);
    SetPixels(dest, std::vector<std::uint32_t>(256, 5));
    struct Case {
        DWORD x, y;
        RECT from;
    };
    const Case refused[] = {
        {0, 0, {-1, 0, 4, 4}},          // source starts left of the source
        {0, 0, {0, 0, 9, 4}},           // source ends right of the source
        {0, 0, {4, 4, 4, 8}},           // empty
        {12, 0, {0, 0, 8, 8}},          // does not fit across
        {0, 9, {0, 0, 8, 8}},           // does not fit downwards
        {0xFFFFFFFF, 0, {0, 0, 1, 1}},  // a negative position
    };
    for (const Case& c : refused) {
        RECT from = c.from;
        EXPECT_EQ(dest->BltFast(c.x, c.y, source, &from, DDBLTFAST_WAIT), DDERR_INVALIDRECT)
            << c.x << "," << c.y << " " << from.left << "," << from.top << "," << from.right << ","
            << from.bottom;
    }
    RECT outside{10, 10, 17, 12};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    EXPECT_EQ(dest->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
    EXPECT_EQ(Pixels(dest), std::vector<std::uint32_t>(256, 5));
    // Exactly at the edge fits.
    EXPECT_EQ(dest->BltFast(8, 8, source, nullptr, DDBLTFAST_WAIT), DD_OK);
    // Different formats do not mix.
    EXPECT_EQ(dest->BltFast(0, 0, Offscreen(2, 2, 32), nullptr, DDBLTFAST_WAIT),
              DDERR_INVALIDPIXELFORMAT);
}

TEST_F(DisplayTest, OverlappingCopyWithinOneSurface) {
    IDirectDrawSurface* s = Offscreen(1, 4, 8);
    SetPixels(s, {1, 2, 3, 4});
    RECT from{0, 0, 1, 3};
    ASSERT_EQ(s->BltFast(0, 1, s, &from, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixels(s), (std::vector<std::uint32_t>{1, 1, 2, 3}));
}

TEST_F(DisplayTest, ColorKeyIsKeptPerSurface) {
    IDirectDrawSurface* s = Offscreen(2, 2, 16);
    DDCOLORKEY key{};
    EXPECT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
    DDCOLORKEY set{0x12345, 0x12345};  // wider than the format: keeps the low 16 bits
    ASSERT_EQ(s->SetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
    ASSERT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x2345u);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0x2345u);
}

TEST_F(DisplayTest, LostSurfacesRefuseWorkUntilRestored) {
    IDirectDrawSurface* a = Offscreen(4, 4, 8);
    IDirectDrawSurface* b = Offscreen(4, 4, 8);
    vorn::testing::LoseAllSurfaces();
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(a->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(a->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    HDC dc;
    EXPECT_EQ(a->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(a->Restore(), DD_OK);
    EXPECT_EQ(a->IsLost(), DD_OK);
    EXPECT_EQ(b->IsLost(), DDERR_SURFACELOST);  // each surface is restored by itself
    EXPECT_EQ(b->Restore(), DD_OK);
    EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(DisplayTest, InjectedFailuresReachEachOperation) {
    IDirectDrawSurface* s = Offscreen(4, 4, 32);
    IDirectDrawSurface* other = Offscreen(4, 4, 32);
    vorn::testing::Fault fault;
    fault.operation = "IDirectDrawSurface::Lock";
    fault.object = other;  // only the other surface fails
    fault.times = vorn::testing::kAlways;
    vorn::testing::InjectFault(fault);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(other->Lock(nullptr, &desc, 0, nullptr), DDERR_GENERIC);
    EXPECT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    s->Unlock(nullptr);

    vorn::testing::FailNext("IDirectDraw::CreateSurface");
    DDSURFACEDESC make{};
    make.dwSize = sizeof make;
    make.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    make.dwWidth = make.dwHeight = 2;
    IDirectDrawSurface* made = nullptr;
    EXPECT_EQ(dd->CreateSurface(&make, &made, nullptr), DDERR_GENERIC);
    EXPECT_EQ(made, nullptr);
    vorn::testing::FailNext("IDirectDrawSurface::BltFast");
    EXPECT_EQ(s->BltFast(0, 0, other, nullptr, DDBLTFAST_WAIT), DDERR_GENERIC);
    EXPECT_EQ(s->BltFast(0, 0, other, nullptr, DDBLTFAST_WAIT), DD_OK);
}

}  // namespace
