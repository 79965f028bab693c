// A screen for plane tests: a display object on a desktop of the chosen depth, a
// 640 x 480 secondary surface in its format, the display's shared values pointing at
// them, and a base folder of its own for the files a test writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "display/display_state.h"
#include "display/plane.h"
#include "files/path.h"
#include "frame/error_log.h"
#include "platform/testing/testing.h"
#include "support/picture_files.h"
#include "support/test_support.h"

class PlaneScreen : public ::testing::Test {
protected:
    void TearDown() override { CloseScreen(); }

    // Opens a screen of the depth (8, 16 or 32 bits); the previous one goes first.
    void OpenScreen(int bits) {
        CloseScreen();
        ASSERT_EQ(vorn::testing::OpenOffscreenDisplay(bits, 640, 480, &m_lpDirectDraw, &lpSecondary),
                  DD_OK);
        m_nScreenWidth = 640;
        m_nScreenHeight = 480;
        SetBaseFolder((m_folder.path() + "/").c_str());
        ASSERT_EQ(GetDisplayBits(), bits);
    }

    void CloseScreen() {
        vorn::testing::ClearFaults();
        if (lpSecondary) lpSecondary->Release();
        if (m_lpDirectDraw) m_lpDirectDraw->Release();
        lpSecondary = nullptr;
        m_lpDirectDraw = nullptr;
        vorn::testing::SetDesktopFormat({});
    }

    // Writes a file into the base folder.
    void WriteFile(const std::string& name, const std::string& bytes) {
        vorn::test::WriteHostFile(m_folder.file(name), bytes);
    }

    // Raw pixels of a surface, row by row.
    static std::vector<std::uint32_t> Pixels(IDirectDrawSurface* surface) {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        std::vector<std::uint32_t> pixels;
        if (surface == nullptr || surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
            return pixels;
        const int bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        for (DWORD y = 0; y < desc.dwHeight; ++y) {
            for (DWORD x = 0; x < desc.dwWidth; ++x) {
                std::uint32_t value = 0;
                std::memcpy(&value,
                            static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                            bytes);
                pixels.push_back(value);
            }
        }
        surface->Unlock(nullptr);
        return pixels;
    }

    static void Fill(IDirectDrawSurface* surface, DWORD value) {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        fx.dwFillColor = value;
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
                  DD_OK);
    }

    // The raw pixel of a colour on a 16-bit (5-6-5) or 32-bit screen.
    static std::uint32_t RawOf(int bits, std::uint32_t xrgb) {
        if (bits == 32) return xrgb;
        return ((xrgb >> 19) & 31) << 11 | ((xrgb >> 10) & 63) << 5 | ((xrgb >> 3) & 31);
    }

    static DWORD KeyOf(CPlane& plane) {
        DDCOLORKEY key = {};
        if (plane.GetSurface()->GetColorKey(DDCKEY_SRCBLT, &key) != DD_OK) return 0xDEADBEEF;
        EXPECT_EQ(key.dwColorSpaceLowValue, key.dwColorSpaceHighValue);
        return key.dwColorSpaceLowValue;
    }

    vorn::test::TempDir m_folder;
};
