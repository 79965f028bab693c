// Text layers on the secondary surface: the text and shadow colours where they belong,
// line stepping, the faces, brightness on an 8-bit screen and the frame-rate text.
#include <gtest/gtest.h>

#include <string>

#include "layer_fixture.h"
#include "platform/testing/clock.h"
#include "sdk/timing/fps_timer.h"

namespace vorn::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class TextLayerTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        m_layer.SetPos(100, 100);
        m_layer.SetText("HI");
        RegisterLayer(&m_layer);
    }
    CTextLayer m_layer;
};

TEST_F(TextLayerTest, ShadowLiesBelowAndRightOfTheText) {
    PresentAndRead();
    const Box text = BoundsOf(kWhite);
    const Box shadow = BoundsOf(kGrey);
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(shadow.empty());
    EXPECT_GE(text.left, 100);
    EXPECT_GE(text.top, 100);
    // The five shadow copies reach from the text's own corner to two pixels beyond it.
    EXPECT_EQ(shadow.left, text.left);
    EXPECT_EQ(shadow.top, text.top);
    EXPECT_EQ(shadow.right, text.right + 2);
    EXPECT_EQ(shadow.bottom, text.bottom + 2);
    // The text pixel furthest down and right casts the last copy two pixels down and right.
    const DWORD white = ColorMatch(lpSecondary, kWhite);
    int far = -1;
    for (int i = 0; i < m_width * m_height; ++i)
        if (m_pixels[i] == white && (far < 0 || i % m_width + i / m_width > far % m_width + far / m_width)) far = i;
    EXPECT_EQ(m_pixels[far + 2 * m_width + 2], ColorMatch(lpSecondary, kGrey));
}

TEST_F(TextLayerTest, MinusOneLeavesOutTheTextOrTheShadow) {
    m_layer.SetShadowColor(-1);
    PresentAndRead();
    const Box alone = BoundsOf(kWhite);
    EXPECT_FALSE(alone.empty());
    EXPECT_EQ(CountOf(kGrey), 0);

    ASSERT_EQ(m_display->Clear(), 0);
    m_layer.SetShadowColor(static_cast<int>(kGrey));
    m_layer.SetColor(-1);
    PresentAndRead();
    EXPECT_EQ(CountOf(kWhite), 0);
    const Box shadow = BoundsOf(kGrey);
    EXPECT_EQ(shadow.left, alone.left);
    EXPECT_EQ(shadow.right, alone.right + 2);
    EXPECT_EQ(shadow.bottom, alone.bottom + 2);
}

TEST_F(TextLayerTest, EachLineFeedStepsDownByTheLineSpacing) {
    m_layer.SetShadowColor(-1);
    m_layer.SetText("A");
    PresentAndRead();
    const Box one = BoundsOf(kWhite);

    ASSERT_EQ(m_display->Clear(), 0);
    m_layer.SetText("A\nA\n");  // the final line feed only adds an empty line
    m_layer.SetLineSpacing(40);
    PresentAndRead();
    const Box two = BoundsOf(kWhite);
    EXPECT_EQ(two.top, one.top);
    EXPECT_EQ(two.bottom, one.bottom + 40);
    EXPECT_EQ(CountOf(kWhite), 2 * CountOf(kWhite, one.top, one.bottom + 1));

    // Near the bottom edge the second line is cut by the surface.
    ASSERT_EQ(m_display->Clear(), 0);
    m_layer.SetText("A\nB");
    m_layer.SetLineSpacing(20);
    m_layer.SetPos(320, 450);
    PresentAndRead();
    EXPECT_GT(CountOf(kWhite, 450, 470), 0);
    EXPECT_GT(CountOf(kWhite, 470, 480), 0);
    EXPECT_EQ(CountOf(kWhite, 0, 450), 0);
}

TEST_F(TextLayerTest, SizeSetsHeightAndSpacingAndFacesGoByNumber) {
    EXPECT_EQ(m_layer.GetFontHeight(), 16);
    EXPECT_EQ(m_layer.GetLineSpacing(), 20);
    EXPECT_EQ(m_layer.GetFontFace(), std::string("ＭＳ ゴシック"));
    m_layer.SetSize(16);
    EXPECT_EQ(m_layer.GetLineSpacing(), 16);
    const char* const faces[] = {
        "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "", ""};
    const int kinds[] = {0, 1, 2, 3, 7, -1};
    for (int i = 0; i < 6; ++i) {
        m_layer.SetFont(kinds[i]);
        EXPECT_EQ(m_layer.GetFontFace(), std::string(faces[i])) << "kind " << kinds[i];
    }
    // A bigger font draws bigger text.
    m_layer.SetShadowColor(-1);
    m_layer.SetFont(0);
    PresentAndRead();
    const Box small = BoundsOf(kWhite);
    ASSERT_EQ(m_display->Clear(), 0);
    m_layer.SetSize(32);
    PresentAndRead();
    const Box big = BoundsOf(kWhite);
    EXPECT_GT(big.bottom - big.top, small.bottom - small.top);
}

TEST_F(TextLayerTest, FontThatCannotBeMadeDrawsNothing) {
    testing::FailAlways("CreateFontA");
    PresentAndRead();
    EXPECT_EQ(CountOf(kWhite), 0);
    EXPECT_EQ(CountOf(kGrey), 0);
}

// The text colour set on the device context, as the last SetTextColor left it.
COLORREF TextColorAfter(int color) {
    HDC dc = nullptr;
    EXPECT_EQ(GetDirectDraw()->BeginPaintSecondary(dc), 0);
    SetTextColorBright(dc, color);
    const COLORREF set = SetTextColor(dc, 0);
    GetDirectDraw()->EndPaintSecondary();
    return set;
}

TEST_F(LayerTest, BrightnessDarkensTextColoursOnlyOnAnEightBitScreen) {
    m_display->m_nBrightness = 128;
    ASSERT_NE(GetDisplayBits(), 8);
    EXPECT_EQ(TextColorAfter(RGB(255, 0, 128)), RGB(255, 0, 128)) << "unchanged above 8 bits";

    ASSERT_EQ(m_display->SetDisplay(0, 640, 480, 8), 0);
    ASSERT_EQ(GetDisplayBits(), 8);
    EXPECT_EQ(TextColorAfter(RGB(255, 0, 128)), RGB(127, 0, 64));
    EXPECT_EQ(TextColorAfter(0x01FF00FF), 0x01FF00FFu) << "not a plain RGB value: unchanged";
    m_display->m_nBrightness = 256;
    EXPECT_EQ(TextColorAfter(RGB(255, 0, 128)), RGB(255, 0, 128));
    ASSERT_EQ(m_display->SetDisplay(1, 640, 480, 0), 0);
}

TEST_F(LayerTest, FrameRateLayerShowsMeasuredAndSetRates) {
    testing::UseVirtualClock(1000);
    CFPSTimer* timer = GetFPSTimer();
    timer->SetFPS(60);
    // Frames later than the pace: any 15 frame intervals in a row last 258 ms, which
    // measures as 58 frames per second.
    for (int frame = 0; frame < 20; ++frame) {
        testing::AdvanceClock(frame % 5 == 0 ? 18 : 17);
        timer->WaitFrame();
    }
    ASSERT_EQ(timer->GetRealFPS(), 58u);
    testing::UseRealClock();

    CFPSLayer layer;
    layer.SetPos(10, 20);
    RegisterLayer(&layer);
    PresentAndRead();
    UnregisterLayer(&layer);
    const std::vector<DWORD> drawn = m_pixels;

    // The same text drawn straight through GDI in the top colour lands on the same pixels.
    ASSERT_EQ(m_display->Clear(), 0);
    HDC dc = nullptr;
    ASSERT_EQ(m_display->BeginPaintSecondary(dc), 0);
    HFONT font = CreateFontA(30, 0, 0, 0, 300, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FF_MODERN, "");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(224, 220, 165));
    TextOutA(dc, 10, 20, "FPS 58/60", 9);
    SelectObject(dc, previous);
    DeleteObject(font);
    m_display->EndPaintSecondary();
    PresentAndRead();
    const DWORD beige = ColorMatch(lpSecondary, RGB(224, 220, 165));
    const DWORD blue = ColorMatch(lpSecondary, RGB(0, 0, 128));
    int beigePixels = 0, bluePixels = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        ASSERT_EQ(drawn[i] == beige, m_pixels[i] == beige)
            << "pixel " << i % m_width << "," << i / m_width;
        beigePixels += drawn[i] == beige;
        bluePixels += drawn[i] == blue;
    }
    EXPECT_GT(beigePixels, 0);
    EXPECT_GT(bluePixels, 0) << "the dark blue shadow";
}

}  // namespace
}  // namespace vorn::test
