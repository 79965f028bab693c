// The display object: component start-up, cooperative levels and modes, primaries and
// flip chains, palettes and clippers.
#include "ddraw_fixture.h"
#include "platform/ddraw/objects.h"

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1000);  // stands for the game window

TEST(Components, StartCountedAndCreateOnlyKnownClasses) {
    IDirectDraw* dd = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                               reinterpret_cast<void**>(&dd)),
              E_FAIL);  // not started
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    const GUID unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                               reinterpret_cast<void**>(&dd)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectDraw, reinterpret_cast<IUnknown*>(&dd), CLSCTX_ALL,
                               IID_IDirectDraw, reinterpret_cast<void**>(&dd)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, unknown,
                               reinterpret_cast<void**>(&dd)),
              E_NOINTERFACE);
    ASSERT_EQ(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                               reinterpret_cast<void**>(&dd)),
              S_OK);
    EXPECT_EQ(dd->Initialize(nullptr), DD_OK);
    EXPECT_EQ(dd->Initialize(nullptr), DDERR_ALREADYINITIALIZED);
    EXPECT_EQ(dd->Release(), 0u);
    CoUninitialize();
    CoUninitialize();
    vorn::testing::FailNext("CoInitialize");
    EXPECT_EQ(CoInitialize(nullptr), E_FAIL);
    IDirectDraw* direct = nullptr;
    ASSERT_EQ(DirectDrawCreate(DDCREATE_EMULATIONONLY, &direct, nullptr), DD_OK);
    EXPECT_EQ(direct->Release(), 0u);
    vorn::testing::ClearFaults();
}

TEST_F(DisplayTest, CooperativeLevelsAndModes) {
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    ASSERT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    IDirectDraw* other = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DD_OK);
    EXPECT_EQ(other->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
              DDERR_EXCLUSIVEMODEALREADYSET);
    other->Release();
    for (DWORD bits : {1u, 4u, 15u, 64u})
        EXPECT_EQ(dd->SetDisplayMode(640, 480, bits), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(0, 480, 8), DDERR_INVALIDMODE);

    for (DWORD bits : {8u, 16u, 24u, 32u}) {
        ASSERT_EQ(dd->SetDisplayMode(320, 200, bits), DD_OK);
        DDSURFACEDESC mode{};
        ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
        EXPECT_EQ(mode.dwWidth, 320u);
        EXPECT_EQ(mode.dwHeight, 200u);
        EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, bits);
        // Off-screen surfaces take the mode's format.
        DDPIXELFORMAT pf{};
        Offscreen(2, 2)->GetPixelFormat(&pf);
        EXPECT_EQ(pf.dwRGBBitCount, bits);
    }
    ASSERT_EQ(dd->RestoreDisplayMode(), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC mode{};
    dd->GetDisplayMode(&mode);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 32u);  // the desktop's
}

TEST_F(DisplayTest, WindowPrimaryHasTheDesktopFormat) {
    vorn::testing::SetDesktopFormat({16, 800, 600});
    ASSERT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_NORMAL), DD_OK);
    IDirectDrawSurface* primary = Primary();
    ASSERT_NE(primary, nullptr);
    DDSURFACEDESC desc{};
    ASSERT_EQ(primary->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 800u);
    EXPECT_EQ(desc.dwHeight, 600u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, 0x07E0u);
    DDPIXELFORMAT pf{};
    Offscreen(4, 4)->GetPixelFormat(&pf);
    EXPECT_EQ(pf.dwRGBBitCount, 16u);

    // One primary at a time, and no flip chain outside exclusive full screen.
    IDirectDrawSurface* second = nullptr;
    DDSURFACEDESC make{};
    make.dwFlags = DDSD_CAPS;
    make.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    EXPECT_EQ(dd->CreateSurface(&make, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    primary->Release();
    owned.erase(owned.begin());
    make.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    make.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    make.dwBackBufferCount = 1;
    EXPECT_EQ(dd->CreateSurface(&make, &second, nullptr), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DisplayTest, FlipChainExchangesBuffers) {
    ASSERT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(64, 48, 8), DD_OK);
    IDirectDrawSurface* front = Primary(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 1);
    ASSERT_NE(front, nullptr);
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface* back = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    DDSURFACEDESC desc{};
    back->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.dwWidth, 64u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
    // Emulation keeps the chain in system memory, so a system-memory back buffer is found.
    caps.dwCaps = DDSCAPS_BACKBUFFER | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface* again = nullptr;
    EXPECT_EQ(front->GetAttachedSurface(&caps, &again), DD_OK);
    EXPECT_EQ(again, back);

    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 9;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Pixels(front)[0], 9u);
    EXPECT_EQ(Pixels(back)[0], 0u);
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
}

TEST(DefaultDriver, PlacesChainInVideoMemory) {
    CoInitialize(nullptr);
    IDirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(64, 48, 16), DD_OK);
    DDSURFACEDESC make{};
    make.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    make.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    make.dwBackBufferCount = 1;
    IDirectDrawSurface* front = nullptr;
    ASSERT_EQ(dd->CreateSurface(&make, &front, nullptr), DD_OK);
    DDSCAPS caps{DDSCAPS_BACKBUFFER | DDSCAPS_SYSTEMMEMORY};
    IDirectDrawSurface* back = nullptr;
    EXPECT_EQ(front->GetAttachedSurface(&caps, &back), DDERR_NOTFOUND);
    front->Release();
    dd->Release();
    CoUninitialize();
}

TEST_F(DisplayTest, PaletteEntriesAndExplicitSystemColors) {
    PALETTEENTRY table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE(i), BYTE(255 - i), 7, PC_RESERVED | PC_NOCOLLAPSE};
    table[3] = {249, 0, 0, PC_EXPLICIT};  // the static red
    table[4] = {7, 0, 0, PC_EXPLICIT};    // the static light grey
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);

    PALETTEENTRY read[256];
    ASSERT_EQ(palette->GetEntries(0, 10, 236, read), DD_OK);
    EXPECT_EQ(read[0].peRed, 10);
    EXPECT_EQ(read[0].peFlags, PC_RESERVED | PC_NOCOLLAPSE);
    EXPECT_EQ(palette->GetEntries(0, 10, 247, read), DDERR_INVALIDPARAMS);
    PALETTEENTRY blue{0, 0, 255, 0};
    ASSERT_EQ(palette->SetEntries(0, 255, 1, &blue), DD_OK);
    EXPECT_EQ(palette->SetEntries(0, 256, 1, &blue), DDERR_INVALIDPARAMS);

    const auto& colors = static_cast<vorn::platform::Palette*>(palette)->Colors();
    EXPECT_EQ(colors[3], 0xFF0000u);
    EXPECT_EQ(colors[4], 0xC0C0C0u);
    EXPECT_EQ(colors[255], 0x0000FFu);
    EXPECT_EQ(colors[10], 0x0AF507u);

    // Attached only to 8-bit surfaces; GetPalette hands out a reference.
    EXPECT_EQ(Offscreen(2, 2, 16)->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
    IDirectDrawSurface* s = Offscreen(2, 2, 8);
    IDirectDrawPalette* got = nullptr;
    EXPECT_EQ(s->GetPalette(&got), DDERR_NOPALETTEATTACHED);
    ASSERT_EQ(s->SetPalette(palette), DD_OK);
    ASSERT_EQ(s->GetPalette(&got), DD_OK);
    EXPECT_EQ(got, palette);
    got->Release();
}

TEST_F(DisplayTest, ClipperKeepsItsWindow) {
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    owned.push_back(clipper);
    ASSERT_EQ(clipper->SetHWnd(0, kWindow), DD_OK);
    HWND window = nullptr;
    ASSERT_EQ(clipper->GetHWnd(&window), DD_OK);
    EXPECT_EQ(window, kWindow);
    IDirectDrawSurface* primary = Primary();
    EXPECT_EQ(primary->SetClipper(clipper), DD_OK);
    vorn::testing::FailNext("IDirectDrawClipper::SetHWnd");
    EXPECT_EQ(clipper->SetHWnd(0, kWindow), DDERR_GENERIC);
}

}  // namespace
