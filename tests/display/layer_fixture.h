// The frame's display device running in a window, for the layer tests, with a reader of
// the secondary surface's raw pixels.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/testing.h"
#include "platform/windows.h"
#include "sdk/display/direct_draw.h"
#include "sdk/display/layer.h"
#include "sdk/frame/game_frame.h"

namespace vorn::test {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive; empty: right < left
    bool empty() const { return right < left; }
    void add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
    }
};

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ClearFaults();
        m_display = GetDirectDraw();
        if (!s_window) s_window = m_display->CreateWindow(GetModuleHandleA(nullptr), "layer test");
        ASSERT_NE(s_window, nullptr);
        if (!lpSecondary) {
            ASSERT_EQ(m_display->Initialize(s_window, GetModuleHandleA(nullptr)), 0);
        }
        m_display->SetFillColor(RGB(0, 0, 0));
        ASSERT_EQ(m_display->Clear(), 0);
    }
    void TearDown() override { testing::ClearFaults(); }
    // The device's primary owns the one emulated screen; release it after each suite so
    // that later tests of this program get the desktop format they ask for.
    static void TearDownTestSuite() { GetDirectDraw()->Terminate(); }

    // Presents a frame and reads the secondary surface as it stands afterwards.
    void PresentAndRead() {
        m_display->Present();
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(lpSecondary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        m_width = static_cast<int>(desc.dwWidth);
        m_height = static_cast<int>(desc.dwHeight);
        const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount) / 8;
        m_pixels.assign(static_cast<size_t>(m_width) * m_height, 0);
        for (int y = 0; y < m_height; ++y) {
            const auto* row = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch;
            for (int x = 0; x < m_width; ++x) {
                DWORD value = 0;
                for (int b = 0; b < bytes; ++b) value |= DWORD{row[x * bytes + b]} << (8 * b);
                m_pixels[static_cast<size_t>(y) * m_width + x] = value;
            }
        }
        lpSecondary->Unlock(nullptr);
    }

    // Where the pixels of an RGB colour lie in the last frame read.
    Box BoundsOf(COLORREF rgb) const {
        const DWORD value = ColorMatch(lpSecondary, rgb);
        Box box;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (m_pixels[static_cast<size_t>(y) * m_width + x] == value) box.add(x, y);
        return box;
    }
    int CountOf(COLORREF rgb, int top = 0, int bottom = -1) const {
        const DWORD value = ColorMatch(lpSecondary, rgb);
        if (bottom < 0) bottom = m_height;
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < m_width; ++x)
                count += m_pixels[static_cast<size_t>(y) * m_width + x] == value;
        return count;
    }

    static inline HWND s_window = nullptr;
    CDirectDraw* m_display = nullptr;
    int m_width = 0, m_height = 0;
    std::vector<DWORD> m_pixels;
};

}  // namespace vorn::test
