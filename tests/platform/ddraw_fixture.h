// A display object for the display-surface tests, released (with every fault and
// desktop choice) after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ddraw/ddraw.h"
#include "platform/testing/testing.h"

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(CoCreateInstance(CLSID_DirectDraw, nullptr, CLSCTX_ALL, IID_IDirectDraw,
                                   reinterpret_cast<void**>(&dd)),
                  S_OK);
        ASSERT_EQ(dd->Initialize(DDCREATE_EMULATIONONLY), DD_OK);
    }
    void TearDown() override {
        for (IUnknown* object : owned) object->Release();
        dd->Release();
        CoUninitialize();
        vorn::testing::ClearFaults();
        vorn::testing::SetDesktopFormat({});
    }

    // An off-screen surface of the size, in the format of the bit count (0: the screen's).
    IDirectDrawSurface* Offscreen(int width, int height, int bits = 0) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (bits ? DDSD_PIXELFORMAT : 0);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        desc.ddpfPixelFormat.dwRGBBitCount = bits;
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        if (surface) owned.push_back(surface);
        return surface;
    }

    IDirectDrawSurface* Primary(DWORD caps = DDSCAPS_PRIMARYSURFACE, DWORD backBuffers = 0) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | (backBuffers ? DDSD_BACKBUFFERCOUNT : 0);
        desc.ddsCaps.dwCaps = caps;
        desc.dwBackBufferCount = backBuffers;
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        if (surface) owned.push_back(surface);
        return surface;
    }

    // Raw pixels of a surface, row by row.
    static std::vector<std::uint32_t> Pixels(IDirectDrawSurface* surface) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        std::vector<std::uint32_t> pixels;
        if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return pixels;
        const int bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        for (DWORD y = 0; y < desc.dwHeight; ++y)
            for (DWORD x = 0; x < desc.dwWidth; ++x) {
                std::uint32_t v = 0;
                std::memcpy(
                    &v, static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                    bytes);
                pixels.push_back(v);
            }
        surface->Unlock(nullptr);
        return pixels;
    }

    static void SetPixels(IDirectDrawSurface* surface, const std::vector<std::uint32_t>& pixels) {
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const int bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
        size_t i = 0;
        for (DWORD y = 0; y < desc.dwHeight; ++y)
            for (DWORD x = 0; x < desc.dwWidth; ++x, ++i)
                std::memcpy(
                    static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                    &pixels[i], bytes);
        surface->Unlock(nullptr);
    }

    IDirectDraw* dd = nullptr;
    std::vector<IUnknown*> owned;  // released in TearDown, in order
};
