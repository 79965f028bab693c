// Presenting only what changed: a group of eight pixels is converted again exactly when
// it differs from the frame shown, and anything that may have changed the target or
// the colours (palette, format, size, target, a host window change, Forget) brings a
// whole conversion, as do the frames after one that changed mostly. The target is
// pre-filled with a marker colour that no conversion produces, so a pixel left alone is
// seen as the marker.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/ddraw/shown_frame.h"

namespace {

using vorn::platform::PixelFormatOfBits;
using vorn::platform::ShownFrame;
using vorn::platform::ShownTarget;
using vorn::platform::XrgbOfPixel;
using vorn::platform::XrgbPalette;

constexpr std::uint32_t kMarker = 0xFF000000;  // a top byte no conversion sets

struct Scene {
    int bits, width = 19, height = 3;  // two groups and a tail of three per row
    int bytes = bits / 8;
    int sourcePitch = width * bytes + 5;
    std::vector<std::uint8_t> source = std::vector<std::uint8_t>(sourcePitch * height);
    std::vector<std::uint32_t> target = std::vector<std::uint32_t>(width * height, kMarker);
    XrgbPalette palette{};

    explicit Scene(int depth) : bits(depth) {
        for (int i = 0; i < 256; ++i) palette[i] = 0x010203u * i;
        for (std::size_t i = 0; i < source.size(); ++i)
            source[i] = static_cast<std::uint8_t>(i * 7);
    }
    ShownTarget Target(unsigned long windowChanges = 0) {
        return {reinterpret_cast<std::uint8_t*>(target.data()), width * 4, windowChanges};
    }
    void Convert(ShownFrame& shown, unsigned long windowChanges = 0) {
        shown.Convert(PixelFormatOfBits(bits), source.data(), sourcePitch, width, height, palette,
                      Target(windowChanges));
    }
    void Mark() { std::fill(target.begin(), target.end(), kMarker); }
    std::uint32_t Expected(int x, int y) const {
        std::uint32_t raw = 0;
        std::memcpy(&raw, &source[y * sourcePitch + x * bytes], bytes);
        return XrgbOfPixel(PixelFormatOfBits(bits), raw, palette);
    }
    // Pixels left as the marker, in row order.
    std::vector<int> Untouched() const {
        std::vector<int> left;
        for (int i = 0; i < width * height; ++i)
            if (target[i] == kMarker) left.push_back(i);
        return left;
    }
    void ExpectWhole() const {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(target[y * width + x], Expected(x, y)) << x << "," << y;
    }
};

TEST(ShownFrame, ConvertsOnlyTheGroupsThatChanged) {
    for (int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        Scene scene(bits);
        ShownFrame shown;
        scene.Convert(shown);
        scene.ExpectWhole();

        // Unchanged: nothing is written but the tails, which are always converted.
        scene.Mark();
        scene.Convert(shown);
        std::vector<int> expected;
        for (int y = 0; y < scene.height; ++y)
            for (int x = 0; x < 16; ++x) expected.push_back(y * scene.width + x);
        EXPECT_EQ(scene.Untouched(), expected);

        // One byte of the second group of row 1 changes: that group comes back.
        scene.Mark();
        scene.source[1 * scene.sourcePitch + 10 * scene.bytes] ^= 0x5A;
        scene.Convert(shown);
        for (int x = 8; x < 16; ++x) EXPECT_EQ(scene.target[scene.width + x], scene.Expected(x, 1));
        EXPECT_EQ(scene.Untouched().size(), expected.size() - 8);
    }
}

TEST(ShownFrame, StopsKeepingTrackForAWhileAfterAFrameThatChangedMostly) {
    Scene scene(8);
    ShownFrame shown;
    scene.Convert(shown);
    for (std::uint8_t& byte : scene.source) ++byte;  // a scrolled picture: every pixel
    scene.Convert(shown);
    scene.ExpectWhole();

    // The same frame again: converted whole while tracking rests, then left alone.
    int wholeFrames = 0;
    for (; wholeFrames < 100; ++wholeFrames) {
        scene.Mark();
        scene.Convert(shown);
        if (!scene.Untouched().empty()) break;
        scene.ExpectWhole();
    }
    EXPECT_GT(wholeFrames, 0);
    EXPECT_LT(wholeFrames, 100);
}

TEST(ShownFrame, ConvertsWholeAfterAnythingThatMayHaveChangedTheTargetOrTheColours) {
    struct Case {
        const char* what;
        void (*change)(Scene&, ShownFrame&, unsigned long& windowChanges);
        int bits;
    };
    const Case cases[] = {
        {"palette", [](Scene& s, ShownFrame&, unsigned long&) { s.palette[s.source[0]] ^= 0x10; },
         8},
        {"forgotten", [](Scene&, ShownFrame& shown, unsigned long&) { shown.Forget(); }, 32},
        {"window changed", [](Scene&, ShownFrame&, unsigned long& changes) { ++changes; }, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene(c.bits);
        ShownFrame shown;
        unsigned long windowChanges = 4;
        scene.Convert(shown, windowChanges);
        scene.Mark();
        c.change(scene, shown, windowChanges);
        scene.Convert(shown, windowChanges);
        scene.ExpectWhole();
    }

    // Another place in the same memory, or another format of the same bytes.
    Scene scene(16);
    ShownFrame shown;
    scene.Convert(shown);
    scene.Mark();
    shown.Convert(PixelFormatOfBits(16), scene.source.data(), scene.sourcePitch, scene.width - 1,
                  scene.height, scene.palette, scene.Target());
    EXPECT_EQ(scene.target[0], scene.Expected(0, 0));
    scene.Mark();
    shown.Convert(PixelFormatOfBits(8), scene.source.data(), scene.sourcePitch, scene.width,
                  scene.height, scene.palette, scene.Target());
    EXPECT_TRUE(scene.Untouched().empty());
}

}  // namespace
