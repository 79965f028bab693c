// Presentation in real windows of the dummy video driver: window-mode copies clipped to
// the client area and shown through each driver, 8-bit desktops through the display
// palette, full screen shown unscaled in the window's surface (and in the screenshot),
// and exclusive full screen lost while the application is inactive.
#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <utility>

#include "ddraw_fixture.h"
#include "platform/gdi/gdi.h"
#include "platform/host/host.h"
#include "platform/windows.h"
#include "support/test_support.h"

namespace {

LRESULT Quiet(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowDisplayTest : public DisplayTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(vorn::host::EnsureVideo());
        DisplayTest::SetUp();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Quiet;
        windowClass.lpszClassName = "vorn-display-test";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "vorn-display-test", "display", WS_POPUP | WS_VISIBLE, 0, 0, 64,
                                 48, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DisplayTest::TearDown();
        DestroyWindow(window);
        UnregisterClassA("vorn-display-test", nullptr);
        vorn::testing::SimulateActivation();
        vorn::host::GetOptions().screenshot.clear();
    }

    // The window-mode primary with a clipper on the window.
    IDirectDrawSurface* WindowPrimary() {
        EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
        IDirectDrawSurface* primary = Primary();
        IDirectDrawClipper* clipper = nullptr;
        EXPECT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        clipper->SetHWnd(0, window);
        primary->SetClipper(clipper);
        clipper->Release();
        return primary;
    }

    // Copies the frame to the client area, as the display device does each frame.
    void Show(IDirectDrawSurface* primary, IDirectDrawSurface* frame, int width, int height) {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        RECT dest{0, 0, width, height};
        OffsetRect(&dest, origin.x, origin.y);
        RECT source{0, 0, width, height};
        ASSERT_EQ(primary->Blt(&dest, frame, &source, DDBLT_WAIT, nullptr), DD_OK);
    }

    vorn::testing::PresentedImage Shown() {
        vorn::testing::PresentedImage image;
        EXPECT_TRUE(vorn::testing::LastPresentedImage(window, &image));
        return image;
    }

    HWND window = nullptr;
};

std::vector<std::uint32_t> Gradient(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<std::uint32_t>((x * 4) << 16 | (y * 5) << 8 | 7));
    return pixels;
}

TEST_F(WindowDisplayTest, WindowCopyShowsInTheClientAreaThroughEitherDriver) {
    for (GUID* driver : {DDCREATE_EMULATIONONLY, static_cast<GUID*>(nullptr)}) {
        SCOPED_TRACE(driver ? "emulation" : "default");
        IDirectDraw* display = nullptr;
        ASSERT_EQ(DirectDrawCreate(driver, &display, nullptr), DD_OK);
        std::swap(display, dd);
        IDirectDrawSurface* primary = WindowPrimary();
        IDirectDrawSurface* frame = Offscreen(64, 48);
        SetPixels(frame, Gradient(64, 48));
        const long before = vorn::testing::PresentedFrames();
        Show(primary, frame, 64, 48);
        EXPECT_EQ(vorn::testing::PresentedFrames(), before + 1);
        // Colour fills of the borders show but are no frames of their own.
        DDBLTFX fx{};
        fx.dwSize = sizeof fx;
        ASSERT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
                  DD_OK);
        EXPECT_EQ(vorn::testing::PresentedFrames(), before + 1);
        EXPECT_EQ(Shown().At(0, 0), 0u);
        Show(primary, frame, 64, 48);
        const auto image = Shown();
        ASSERT_EQ(image.width, 64);
        ASSERT_EQ(image.height, 48);
        EXPECT_EQ(image.pixels, Gradient(64, 48));
        // The window's own surface holds the frame: the dummy host has no accelerated
        // renderer, so the default driver shows through it too.
        SDL_Surface* surface = SDL_GetWindowSurface(vorn::host::SdlWindowOf(window));
        ASSERT_NE(surface, nullptr);
        const auto* row =
            static_cast<const std::uint32_t*>(surface->pixels) + 5 * surface->pitch / 4;
        EXPECT_EQ(row[9] & 0xFFFFFF, image.At(9, 5));
        for (IUnknown* object : owned) object->Release();
        owned.clear();
        std::swap(display, dd);
        display->Release();
    }
}

TEST_F(WindowDisplayTest, ClipperKeepsCopiesInsideTheClientArea) {
    IDirectDrawSurface* primary = WindowPrimary();
    IDirectDrawSurface* frame = Offscreen(100, 100);
    SetPixels(frame, std::vector<std::uint32_t>(100 * 100, 0xFFFFFF));
    Show(primary, frame, 100, 100);  // larger than the 64 x 48 client area
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    auto at = [&](int x, int y) {
        return static_cast<const std::uint32_t*>(
            desc.lpSurface)[(origin.y + y) * desc.lPitch / 4 + origin.x + x];
    };
    EXPECT_EQ(at(63, 47), 0xFFFFFFu);
    EXPECT_EQ(at(64, 10), 0u);  // right of the client area
    EXPECT_EQ(at(10, 48), 0u);  // below it
    primary->Unlock(nullptr);
}

TEST_F(WindowDisplayTest, EightBitDesktopShowsThroughTheDisplayPalette) {
    vorn::testing::SetDesktopFormat({8, 0, 0});
    IDirectDrawSurface* primary = WindowPrimary();
    PALETTEENTRY table[256];
    for (int i = 0; i < 256; ++i) table[i] = {BYTE(255 - i), BYTE(i), BYTE(i / 3), PC_RESERVED};
    for (int i = 0; i < 10; ++i) {
        table[i] = {BYTE(i), 0, 0, PC_EXPLICIT};
        table[255 - i] = {BYTE(255 - i), 0, 0, PC_EXPLICIT};
    }
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
    owned.push_back(palette);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    IDirectDrawSurface* frame = Offscreen(64, 48);
    std::vector<std::uint32_t> indexes(64 * 48);
    for (size_t i = 0; i < indexes.size(); ++i) indexes[i] = i % 256;
    SetPixels(frame, indexes);
    Show(primary, frame, 64, 48);
    const auto image = Shown();
    for (size_t i = 0; i < indexes.size(); ++i) {
        const int index = static_cast<int>(indexes[i]);
        std::uint32_t expected = ((255u - index) << 16) | (std::uint32_t(index) << 8) | (index / 3);
        if (index == 0) expected = 0;           // static black
        if (index == 249) expected = 0xFF0000;  // static red
        if (index == 255) expected = 0xFFFFFF;  // static white
        if (index == 0 || index == 249 || index == 255 || (index >= 10 && index < 246)) {
            ASSERT_EQ(image.pixels[i], expected) << index;
        }
    }
}

// A display mode more than half the host's screen shows unscaled in the middle of it:
// the frame goes straight into the window's surface there, and what the window shows,
// the presented image and the screenshot are all the frame, at every depth, through
// either driver.
TEST_F(WindowDisplayTest, FullScreenAtFactorOneShowsTheFrameInTheMiddle) {
    vorn::test::TempDir folder;
    const std::string shot = folder.file("shot.png");
    vorn::host::GetOptions().screenshot = shot;
    for (GUID* driver : {DDCREATE_EMULATIONONLY, static_cast<GUID*>(nullptr)})
        for (int bits : {8, 16, 24, 32}) {
            SCOPED_TRACE(std::string(driver ? "emulation, " : "default, ") + std::to_string(bits) +
                         " bits");
            IDirectDraw* display = nullptr;
            ASSERT_EQ(DirectDrawCreate(driver, &display, nullptr), DD_OK);
            std::swap(display, dd);
            ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
            SDL_Surface* screen = SDL_GetWindowSurface(vorn::host::SdlWindowOf(window));
            ASSERT_NE(screen, nullptr);
            // Odd sizes, so that rows end in the middle of the conversions' blocks.
            const int width = screen->w - 13, height = screen->h / 2 + 3;
            const int left = (screen->w - width) / 2, top = (screen->h - height) / 2;
            ASSERT_EQ(dd->SetDisplayMode(width, height, bits), DD_OK);
            IDirectDrawSurface* front =
                Primary(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 1);
            ASSERT_NE(front, nullptr);
            DDSCAPS caps{DDSCAPS_BACKBUFFER};
            IDirectDrawSurface* back = nullptr;
            ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
            PALETTEENTRY table[256];
            for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
            if (bits == 8) {
                IDirectDrawPalette* palette = nullptr;
                ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, table, &palette, nullptr), DD_OK);
                owned.push_back(palette);
                ASSERT_EQ(front->SetPalette(palette), DD_OK);
            }
            std::vector<std::uint32_t> raw, expected;
            for (int i = 0; i < width * height; ++i) {
                const std::uint32_t value = static_cast<std::uint32_t>(i) * 2654435761u >> 7;
                if (bits == 8) {  // indexes clear of the static colours at either end
                    const int index = 10 + static_cast<int>(value % 236);
                    raw.push_back(index);
                    expected.push_back(std::uint32_t(index) << 16 | (255u - index) << 8 |
                                       (index * 7 & 0xFF));
                } else if (bits == 16) {
                    const std::uint32_t r = value >> 11 & 31, g = value >> 5 & 63, b = value & 31;
                    raw.push_back(value & 0xFFFF);
                    expected.push_back((r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 |
                                       (b << 3 | b >> 2));
                } else {
                    raw.push_back(value);
                    expected.push_back(value & 0xFFFFFF);
                }
            }
            SetPixels(back, raw);
            ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);

            const auto image = Shown();
            ASSERT_EQ(image.width, width);
            ASSERT_EQ(image.height, height);
            ASSERT_EQ(image.pixels, expected);
            screen = SDL_GetWindowSurface(vorn::host::SdlWindowOf(window));
            auto shownAt = [&](int x, int y) {
                return static_cast<const std::uint32_t*>(
                           screen->pixels)[static_cast<long>(y) * screen->pitch / 4 + x] &
                       0xFFFFFF;
            };
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(shownAt(left + x, top + y), expected[y * width + x])
                        << x << ", " << y;
            for (auto [x, y] : {std::pair{left - 1, top},
                                {left + width, top + height - 1},
                                {left, top - 1},
                                {left + width - 1, top + height}})
                EXPECT_EQ(shownAt(x, y), 0u) << "border at " << x << ", " << y;

            vorn::host::Finish();
            SDL_Surface* png = IMG_Load(shot.c_str());
            ASSERT_NE(png, nullptr) << IMG_GetError();
            SDL_Surface* pixels = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_RGB888, 0);
            SDL_FreeSurface(png);
            ASSERT_NE(pixels, nullptr);
            EXPECT_EQ(pixels->w, width);
            EXPECT_EQ(pixels->h, height);
            for (int y = 0; y < height && y < pixels->h; ++y)
                for (int x = 0; x < width && x < pixels->w; ++x)
                    ASSERT_EQ(static_cast<const std::uint32_t*>(
                                  pixels->pixels)[static_cast<long>(y) * pixels->pitch / 4 + x] &
                                  0xFFFFFF,
                              expected[y * width + x])
                        << "screenshot at " << x << ", " << y;
            SDL_FreeSurface(pixels);

            for (IUnknown* object : owned) object->Release();
            owned.clear();
            dd->RestoreDisplayMode();
            dd->SetCooperativeLevel(window, DDSCL_NORMAL);
            std::swap(display, dd);
            display->Release();
        }
}

TEST_F(WindowDisplayTest, LeavingFullScreenLosesSurfacesUntilActiveAgain) {
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(64, 48, 16), DD_OK);
    IDirectDrawSurface* front = Primary(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 1);
    IDirectDrawSurface* plane = Offscreen(8, 8);
    ASSERT_EQ(front->IsLost(), DD_OK);
    vorn::testing::SimulateDeactivation();
    EXPECT_EQ(front->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(plane->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(front->Restore(), DDERR_WRONGMODE);
    vorn::testing::SimulateActivation();
    EXPECT_EQ(front->IsLost(), DDERR_SURFACELOST);  // lost until restored
    EXPECT_EQ(front->Restore(), DD_OK);
    EXPECT_EQ(plane->Restore(), DD_OK);
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    // The full-screen frame is the mode's image.
    const auto image = Shown();
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
}

}  // namespace

namespace {

TEST_F(WindowDisplayTest, InputContextSwitchesTextInput) {
    HIMC own = ImmAssociateContext(window, nullptr);
    EXPECT_NE(own, nullptr);
    EXPECT_FALSE(SDL_IsTextInputActive());
    EXPECT_EQ(ImmAssociateContext(window, own), nullptr);
    EXPECT_TRUE(SDL_IsTextInputActive());
}

}  // namespace
