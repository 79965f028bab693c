// A display device on its own game window, driven through the real platform layer.
// Every report of the error log is written to a temporary base folder so that a test
// can read back all of them, not only the last.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/testing.h"
#include "sdk/display/direct_draw.h"
#include "support/test_support.h"

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Records the mode, creates the game window and initialises the display; returns
    // Initialize's result.
    int Open(int mode, int width, int height, int bits);
    // Terminates the display and destroys its window, so that a test can open another.
    void Close();

    // Every message reported since SetUp, in order.
    std::vector<std::string> Reports() const;
    bool Reported(const std::string& message) const;

    HWND window = nullptr;
    CDirectDraw display;
    vorn::test::TempDir dir;
};

// Raw pixel access to a surface by locking it.
DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y);
void WritePixel(LPDIRECTDRAWSURFACE surface, int x, int y, DWORD value);
// Fills a rectangle of the surface with a raw pixel value.
void FillPixels(LPDIRECTDRAWSURFACE surface, RECT rect, DWORD value);
DDSURFACEDESC DescriptionOf(LPDIRECTDRAWSURFACE surface);
