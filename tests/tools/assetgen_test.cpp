// The samples' pictures: files the samples can load, one shared palette laid out for
// the 8-bit display, sprite sheets keyed by their top-left pixel, and sparks that dim
// as they age.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "assetgen/palette.h"
#include "assetgen/pictures.h"
#include "support/test_support.h"

namespace {

// A parsed 8-bit bitmap file: the header fields the samples rely on, its colour
// table and its pixels top row first.
struct Bitmap {
    std::uint32_t fileSize, pixelOffset, infoSize, compression;
    std::int32_t width, height;
    std::uint16_t planes, bits;
    Palette256 palette;
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(int x, int y) const { return pixels[y * width + x]; }
};

std::uint32_t Read(const std::string& bytes, size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

Bitmap Parse(const std::string& bytes) {
    Bitmap b{};
    EXPECT_GE(bytes.size(), 1078u);
    if (bytes.size() < 1078) return b;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    b.fileSize = Read(bytes, 2, 4);
    b.pixelOffset = Read(bytes, 10, 4);
    b.infoSize = Read(bytes, 14, 4);
    b.width = static_cast<std::int32_t>(Read(bytes, 18, 4));
    b.height = static_cast<std::int32_t>(Read(bytes, 22, 4));
    b.planes = static_cast<std::uint16_t>(Read(bytes, 26, 2));
    b.bits = static_cast<std::uint16_t>(Read(bytes, 28, 2));
    b.compression = Read(bytes, 30, 4);
    for (int i = 0; i < 256; ++i) {
        b.palette[i] = {static_cast<std::uint8_t>(bytes[54 + 4 * i + 2]),
                        static_cast<std::uint8_t>(bytes[54 + 4 * i + 1]),
                        static_cast<std::uint8_t>(bytes[54 + 4 * i])};
        EXPECT_EQ(bytes[54 + 4 * i + 3], 0) << "reserved byte of entry " << i;
    }
    const int stride = (b.width + 3) & ~3;
    EXPECT_EQ(bytes.size(), 1078u + static_cast<size_t>(stride) * b.height);
    if (b.width <= 0 || b.height <= 0 || bytes.size() < 1078u + size_t(stride) * b.height) return b;
    for (int y = 0; y < b.height; ++y) {  // bottom-up in the file
        const size_t row = 1078 + static_cast<size_t>(b.height - 1 - y) * stride;
        b.pixels.insert(b.pixels.end(), bytes.begin() + row, bytes.begin() + row + b.width);
    }
    return b;
}

class SamplePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new vorn::test::TempDir;
        ASSERT_TRUE(WriteSamplePictures("sparkbench", s_dir->path()));
        s_nae = new Bitmap(Parse(vorn::test::ReadHostFile(s_dir->file("nae.bmp"))));
        s_strip = new Bitmap(Parse(vorn::test::ReadHostFile(s_dir->file("spark.bmp"))));
        ASSERT_TRUE(WriteSamplePictures("aimshot", s_dir->path()));
        s_sheet = new Bitmap(Parse(vorn::test::ReadHostFile(s_dir->file("spark.bmp"))));
    }
    static void TearDownTestSuite() {
        delete s_nae;
        delete s_strip;
        delete s_sheet;
        delete s_dir;
    }
    static vorn::test::TempDir* s_dir;
    static Bitmap *s_nae, *s_strip, *s_sheet;
};
vorn::test::TempDir* SamplePictures::s_dir;
Bitmap *SamplePictures::s_nae, *SamplePictures::s_strip, *SamplePictures::s_sheet;

TEST_F(SamplePictures, AreUncompressedEightBitBottomUpBitmaps) {
    struct Case {
        const char* name;
        const Bitmap* bitmap;
        int width, height;
    };
    const Case cases[] = {
        {"nae", s_nae, 640, 480},
        {"sparkbench spark", s_strip, 128, 8},
        {"aimshot spark", s_sheet, 80, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.bitmap->pixelOffset, 1078u);
        EXPECT_EQ(c.bitmap->infoSize, 40u);
        EXPECT_EQ(c.bitmap->width, c.width);
        EXPECT_EQ(c.bitmap->height, c.height);  // positive: bottom-up
        EXPECT_EQ(c.bitmap->planes, 1);
        EXPECT_EQ(c.bitmap->bits, 8);
        EXPECT_EQ(c.bitmap->compression, 0u);
        EXPECT_EQ(c.bitmap->fileSize, 1078u + c.width * c.height);
    }
}

TEST_F(SamplePictures, ShareOnePaletteOfDistinctGameColoursInItsFirstEntries) {
    EXPECT_EQ(s_strip->palette, s_nae->palette);
    EXPECT_EQ(s_sheet->palette, s_nae->palette);
    // The first 236 colours become the display's entries 10 to 245: all of them
    // distinct, so that matching a pixel to the palette finds its own entry.
    std::set<std::tuple<int, int, int>> colours;
    for (int i = 0; i < kGameColours; ++i)
        colours.insert({s_nae->palette[i].r, s_nae->palette[i].g, s_nae->palette[i].b});
    EXPECT_EQ(colours.size(), static_cast<size_t>(kGameColours));
    for (int i = kGameColours; i < 256; ++i) EXPECT_EQ(s_nae->palette[i], (Rgb{0, 0, 0})) << i;
}

TEST_F(SamplePictures, BackgroundUsesGameColoursTheRawModeCanShow) {
    // Shown raw, pixel value v takes display entry v, which holds file colour v - 10:
    // values below 10 would show the system's colours.
    std::set<int> used(s_nae->pixels.begin(), s_nae->pixels.end());
    EXPECT_GE(*used.begin(), 10);
    EXPECT_LT(*used.rbegin(), kGameColours);
    EXPECT_GT(used.size(), 100u);  // a picture, not a few flat areas
}

TEST_F(SamplePictures, SheetsAreKeyedByTheirTopLeftPixel) {
    for (const Bitmap* sheet : {s_strip, s_sheet}) {
        EXPECT_EQ(sheet->at(0, 0), kSheetBackground);
        EXPECT_EQ(sheet->palette[kSheetBackground], (Rgb{0, 0, 0}));
    }
    // Every cell the samples draw has something in it.
    auto painted = [](const Bitmap* sheet, int left, int size) {
        int count = 0;
        for (int y = 0; y < size; ++y)
            for (int x = left; x < left + size; ++x) count += sheet->at(x, y) != kSheetBackground;
        return count;
    };
    for (int cell = 0; cell < 16; ++cell) EXPECT_GT(painted(s_strip, 8 * cell, 8), 0) << cell;
    for (int left : {0, 32, 48, 64}) EXPECT_GT(painted(s_sheet, left, 16), 20) << left;
    EXPECT_EQ(painted(s_sheet, 16, 16), 0);  // the unused cell
}

TEST_F(SamplePictures, SparksDimAsTheyAge) {
    // Cell i is drawn at age i: the young spark is the brightest.
    auto light = [](const Bitmap& strip, int cell) {
        int sum = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 8 * cell; x < 8 * cell + 8; ++x) {
                const Rgb& c = strip.palette[strip.at(x, y)];
                sum += c.r + c.g + c.b;
            }
        return sum;
    };
    for (int cell = 1; cell < 16; ++cell)
        EXPECT_LT(light(*s_strip, cell), light(*s_strip, cell - 1)) << cell;
    const Rgb& youngCentre = s_strip->palette[s_strip->at(4, 4)];
    EXPECT_GT(youngCentre.b, 200);  // white-hot
    const Rgb& oldCentre = s_strip->palette[s_strip->at(8 * 15 + 4, 4)];
    EXPECT_LT(oldCentre.g, 40);  // a dark ember
}

TEST(AssetGen, RefusesUnknownSamplesAndUnwritableFolders) {
    vorn::test::TempDir dir;
    EXPECT_FALSE(WriteSamplePictures("pong", dir.path()));
    EXPECT_FALSE(WriteSamplePictures("aimshot", dir.file("no/such/folder")));
}

}  // namespace
