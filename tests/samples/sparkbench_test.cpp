// The spark benchmark's game: the first frame, the keys, spark ageing and the counts
// under load, and the raw background rows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/fixed_math.h"
#include "sparkbench/fireworks.h"
#include "sparkbench/raw_background.h"
#include "support/test_support.h"

namespace {

struct DrawnCell {
    int x, y, cell;
};
std::vector<DrawnCell> g_drawn;

void RecordSpark(int x, int y, const RECT& cell) {
    g_drawn.push_back({x, y, static_cast<int>(cell.left / 8)});
    EXPECT_EQ(cell.right - cell.left, 8);
    EXPECT_EQ(cell.top, 0);
    EXPECT_EQ(cell.bottom, 8);
}

KeySnapshot Pushed(std::initializer_list<int> keys) {
    KeySnapshot snapshot;
    for (int key : keys) snapshot.pressed[key] = snapshot.pushed[key] = true;
    return snapshot;
}

// Fireworks are the active records that are not sparks.
int FireworksAlive() { return PoolActiveCount() - g_sparkBench.sparkCount; }

class SparkBenchTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSinTable();
        SeedRand(12345);
        g_drawn.clear();
        g_sparkBench.drawSpark = RecordSpark;
        StartSparkBench();
    }
    void TearDown() override {
        EndSparkBench();
        g_sparkBench = SparkBench{};
    }
    static void RunFrames(int frames) {
        for (int i = 0; i < frames; ++i) PoolUpdate();
    }
};

TEST_F(SparkBenchTest, FirstFrameShowsThirtyFiveFireworksAndTheirFirstSparks) {
    EXPECT_STREQ(FormatSparkBenchStatus().text, "object = 35,    0");
    PoolUpdate();
    EXPECT_STREQ(FormatSparkBenchStatus().text, "object = 35,  140");
    EXPECT_EQ(FireworksAlive(), 35);
    EXPECT_TRUE(g_drawn.empty());  // new sparks first move and draw in the next frame
    PoolUpdate();
    EXPECT_EQ(g_drawn.size(), 140u);
}

TEST_F(SparkBenchTest, DownThirtyFiveTimesLetsEveryFireworkExplode) {
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(HandleSparkBenchKeys(Pushed({kKeyDown})), FrameEnd::kContinue);
    EXPECT_EQ(g_sparkBench.fireworkCount, 0);  // stops at 0

    // From the centre at 3 pixels a frame, some wall is at most 134 frames away (the
    // worst heading reaches both at once: 319 / 2.4 = 240 / 1.8 frames).
    RunFrames(135);
    EXPECT_EQ(FireworksAlive(), 0);
    RunFrames(97);  // the slowest-ageing sparks live 96 frames
    EXPECT_EQ(PoolActiveCount(), 0);
    EXPECT_EQ(g_sparkBench.sparkCount, 0);
}

TEST_F(SparkBenchTest, SpaceFiresAFireworkThatExplodesAtItsFirstWall) {
    HandleSparkBenchKeys(Pushed({kKeySpace}));
    EXPECT_EQ(g_sparkBench.fireworkCount, 35);
    EXPECT_EQ(FireworksAlive(), 36);
    int frames = 0;
    while (FireworksAlive() == 36 && frames < 135) {
        PoolUpdate();
        ++frames;
    }
    EXPECT_EQ(FireworksAlive(), 35);
    RunFrames(200);  // the others only bounce
    EXPECT_EQ(FireworksAlive(), 35);
}

TEST_F(SparkBenchTest, UpAddsAFireworkThatStays) {
    HandleSparkBenchKeys(Pushed({kKeyUp}));
    EXPECT_EQ(g_sparkBench.fireworkCount, 36);
    RunFrames(300);
    EXPECT_EQ(FireworksAlive(), 36);
}

TEST_F(SparkBenchTest, KeysAreTakenInOrderOneAFrame) {
    struct Case {
        std::initializer_list<int> keys;
        FrameEnd end;
        int fireworkCount, drawMode;
    };
    const Case cases[] = {
        {{kKeyEscape, kKeyUp, kKeyB}, FrameEnd::kQuit, 35, 0},              // Escape quits alone
        {{kKeyC, kKeySpace, kKeyDown, kKeyB}, FrameEnd::kContinue, 35, 0},  // C hides the rest
        {{kKeyDown, kKeyB}, FrameEnd::kContinue, 34, 0},
        {{kKeyB}, FrameEnd::kContinue, 34, 1},
        {{kKeyB}, FrameEnd::kContinue, 34, 2},
        {{kKeyB}, FrameEnd::kContinue, 34, 0},  // three presses come back to 0
        {{}, FrameEnd::kContinue, 34, 0},
    };
    for (const Case& c : cases) {
        KeySnapshot keys = Pushed(c.keys);
        EXPECT_EQ(HandleSparkBenchKeys(keys), c.end);
        EXPECT_EQ(g_sparkBench.fireworkCount, c.fireworkCount);
        EXPECT_EQ(g_sparkBench.drawMode, c.drawMode);
    }
    EXPECT_EQ(FireworksAlive(), 35);  // neither Escape's Up nor C's Space made one

    KeySnapshot held;  // held but not newly pushed: nothing
    held.pressed[kKeyUp] = true;
    HandleSparkBenchKeys(held);
    EXPECT_EQ(g_sparkBench.fireworkCount, 34);
}

TEST_F(SparkBenchTest, SparkAtExactlyFifteenIsDrawnWithTheLastCellThenFreed) {
    EndSparkBench();
    PoolInit();
    g_sparkBench.sparkCount = 0;
    CreateSpark(100 * kFixedOne, 50 * kFixedOne, kFixedOne, 0, kFixedOne);  // right, 1 px
    EXPECT_EQ(g_sparkBench.sparkCount, 1);

    RunFrames(15);
    ASSERT_EQ(g_drawn.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(g_drawn[i].cell, i + 1);  // age i + 1 after its (i + 1)th move
        EXPECT_EQ(g_drawn[i].x, 101 + i);
        EXPECT_EQ(g_drawn[i].y, 50);
    }
    EXPECT_EQ(g_sparkBench.sparkCount, 1);
    PoolUpdate();  // age 16 > 15: freed without drawing
    EXPECT_EQ(g_drawn.size(), 15u);
    EXPECT_EQ(g_sparkBench.sparkCount, 0);
    EXPECT_EQ(PoolActiveCount(), 0);
}

TEST_F(SparkBenchTest, AYoungSparkUsesCellZero) {
    EndSparkBench();
    PoolInit();
    CreateSpark(0, 0, 0, 0, 10 * 1024);  // the slowest ageing of a trail spark
    PoolUpdate();
    ASSERT_EQ(g_drawn.size(), 1u);
    EXPECT_EQ(g_drawn[0].cell, 0);
}

TEST_F(SparkBenchTest, CountsStayTrueWhenThePoolRunsOut) {
    for (int i = 0; i < 20; ++i) HandleSparkBenchKeys(Pushed({kKeyUp}));
    for (int i = 0; i < 5000; ++i)
        CreateSpark(320 * kFixedOne, 240 * kFixedOne, kFixedOne, i, 1024);
    EXPECT_EQ(PoolActiveCount(), kPoolTaskCount);
    EXPECT_EQ(FireworksAlive(), 35 + 20);
    EXPECT_EQ(g_sparkBench.fireworkCount, 55);

    HandleSparkBenchKeys(Pushed({kKeyUp}));  // no record left: the count still rises
    EXPECT_EQ(g_sparkBench.fireworkCount, 56);
    EXPECT_EQ(FireworksAlive(), 55);
    for (int frame = 0; frame < 400; ++frame) {
        PoolUpdate();
        ASSERT_EQ(PoolActiveCount() + PoolFreeCount(), kPoolTaskCount);
        ASSERT_EQ(FireworksAlive(), 55);
    }
}

TEST_F(SparkBenchTest, RestartBuildsEverythingAnew) {
    HandleSparkBenchKeys(Pushed({kKeyB}));
    HandleSparkBenchKeys(Pushed({kKeyDown}));
    RunFrames(10);
    EndSparkBench();
    StartSparkBench();
    EXPECT_EQ(g_sparkBench.fireworkCount, 35);
    EXPECT_EQ(g_sparkBench.sparkCount, 0);
    EXPECT_EQ(g_sparkBench.drawMode, 0);
    EXPECT_EQ(PoolActiveCount(), 35);
}

// ---- the raw background ------------------------------------------------------------

std::string Bitmap(int width, int height, int bits, const std::string& pixels) {
    std::string file(1078, '\0');
    auto put = [&](int at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, 1078 + pixels.size(), 4);
    put(10, 1078, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, bits, 2);
    return file + pixels;
}

// File row k holds the byte k; the picture's top row is the file's last.
std::string RowsNumbered(int rows) {
    std::string pixels;
    for (int k = 0; k < rows; ++k) pixels += std::string(640, static_cast<char>(k));
    return pixels;
}

std::vector<std::uint8_t> CopyWithPitch(long pitch) {
    std::vector<std::uint8_t> surface(pitch * kRawBackgroundHeight, 0xEE);
    CopyRawBackground(surface.data(), pitch);
    return surface;
}

TEST(RawBackground, RowsArriveTopFirstAtThePitch) {
    vorn::test::TempDir dir;
    vorn::test::WriteHostFile(dir.file("nae.bmp"), Bitmap(640, 480, 8, RowsNumbered(480)));
    ASSERT_TRUE(LoadRawBackground(dir.file("nae.bmp").c_str()));

    const long pitch = 704;
    const std::vector<std::uint8_t> surface = CopyWithPitch(pitch);
    for (int row : {0, 1, 240, 479}) {
        const std::uint8_t expected = static_cast<std::uint8_t>(479 - row);
        EXPECT_EQ(surface[row * pitch], expected) << row;
        EXPECT_EQ(surface[row * pitch + 639], expected) << row;
        EXPECT_EQ(surface[row * pitch + 640], 0xEE) << row;  // beyond the row: untouched
    }
}

TEST(RawBackground, RefusesWhatItCannotCopyAndKeepsTheRows) {
    vorn::test::TempDir dir;
    vorn::test::WriteHostFile(dir.file("good.bmp"), Bitmap(640, 480, 8, RowsNumbered(480)));
    ASSERT_TRUE(LoadRawBackground(dir.file("good.bmp").c_str()));
    const std::vector<std::uint8_t> before = CopyWithPitch(640);

    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        {"16bit.bmp", Bitmap(640, 480, 16, RowsNumbered(480))},
        {"small.bmp", Bitmap(320, 240, 8, RowsNumbered(240))},
        {"topdown.bmp", Bitmap(640, -480, 8, RowsNumbered(480))},
        {"short.bmp", "BM"},
        {"picture.png", "\x89PNG\r\n\x1a\n" + std::string(2000, '\0')},
    };
    for (const Case& c : cases) {
        vorn::test::WriteHostFile(dir.file(c.name), c.content);
        EXPECT_FALSE(LoadRawBackground(dir.file(c.name).c_str())) << c.name;
    }
    EXPECT_FALSE(LoadRawBackground(dir.file("missing.bmp").c_str()));
    EXPECT_EQ(CopyWithPitch(640), before);
}

TEST(RawBackground, ATruncatedFileFillsOnlyTheRowsItHolds) {
    vorn::test::TempDir dir;
    vorn::test::WriteHostFile(dir.file("full.bmp"),
                              Bitmap(640, 480, 8, std::string(640 * 480, '\x07')));
    ASSERT_TRUE(LoadRawBackground(dir.file("full.bmp").c_str()));
    vorn::test::WriteHostFile(dir.file("cut.bmp"), Bitmap(640, 480, 8, RowsNumbered(10)));
    EXPECT_TRUE(LoadRawBackground(dir.file("cut.bmp").c_str()));

    const std::vector<std::uint8_t> surface = CopyWithPitch(640);
    EXPECT_EQ(surface[479 * 640], 0);  // file row 0 is the bottom row
    EXPECT_EQ(surface[470 * 640], 9);
    EXPECT_EQ(surface[469 * 640], 7);  // not in the file: as it was
    EXPECT_EQ(surface[0], 7);
}

}  // namespace
