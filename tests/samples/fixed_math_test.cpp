// The samples' fixed-point maths: the sine table, the angle of a vector and Rand.
#include "common/fixed_math.h"

#include <gtest/gtest.h>

#include "platform/testing/testing.h"

#include <cmath>

namespace {

class FixedMathTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildSinTable(); }
};

TEST_F(FixedMathTest, SineTableHitsTheQuarterTurnsExactly) {
    struct Case {
        int angle;
        std::int32_t sin, cos;
    };
    const Case cases[] = {
        {0, 0, 65536},     {1024, 65536, 0}, {2048, 0, -65536},
        {3072, -65536, 0}, {4096, 0, 65536}, {-1024, -65536, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sin(c.angle), c.sin) << "Sin(" << c.angle << ")";
        EXPECT_EQ(Cos(c.angle), c.cos) << "Cos(" << c.angle << ")";
    }
}

TEST_F(FixedMathTest, SineIsTruncatedTowardZeroAndPeriodic) {
    for (int a = 0; a < kAngleSteps; ++a) {
        const double exact = std::sin(a * 2 * 3.14159265358979323846 / kAngleSteps) * 65536.0;
        ASSERT_EQ(Sin(a), static_cast<std::int32_t>(std::trunc(exact))) << a;
        ASSERT_EQ(Sin(a + kAngleSteps), Sin(a)) << a;
        ASSERT_EQ(Sin(a - 3 * kAngleSteps), Sin(a)) << a;
        ASSERT_EQ(Cos(a), Sin(a + kQuarterTurn)) << a;
    }
    EXPECT_EQ(Sin(1), 100);  // 0.0015339... * 65536 = 100.53, truncated
    EXPECT_EQ(Sin(2049), -100);
}

TEST(GetAngle, PointsAlongTheScreenAxes) {
    struct Case {
        std::int32_t dx, dy;
        int angle;
    };
    const Case cases[] = {
        {0, 0, 0},                    // no direction: right
        {5 * kFixedOne, 0, 0},        // right
        {0, 160 * kFixedOne, 1024},   // straight down (y grows downward)
        {-3 * kFixedOne, 0, 2048},    // left
        {0, -1, -1024},               // up
        {kFixedOne, kFixedOne, 512},  // down-right
        {-kFixedOne, -kFixedOne, -1536},
    };
    for (const Case& c : cases) EXPECT_EQ(GetAngle(c.dx, c.dy), c.angle) << c.dx << "," << c.dy;
}

TEST(FixedMul, MultipliesSixteenSixteenValuesWithoutOverflow) {
    EXPECT_EQ(FixedMul(65536, 3 * kFixedOne), 3 * kFixedOne);
    EXPECT_EQ(FixedMul(-65536, 100 * 1024), -100 * 1024);
    EXPECT_EQ(FixedMul(-1, 1), -1);  // the shift is arithmetic: rounds toward minus infinity
    EXPECT_EQ(FixedMul(200 * kFixedOne, 100 * kFixedOne), 20000 * kFixedOne);  // 64-bit product
}

TEST(Rand, IsTheLinearCongruentialSequence) {
    SeedRand(0);
    EXPECT_EQ(Rand(0x80000000u), 6925u);
    EXPECT_EQ(Rand(0x80000000u), 89124750u);  // 6925 * 12869 + 6925
    SeedRand(0);
    EXPECT_EQ(Rand(100), 6925u % 100);
    EXPECT_EQ(Rand(4096), 89124750u % 4096);
    SeedRand(0xFFFFFFFFu);  // the product wraps modulo 2^32
    EXPECT_EQ(Rand(0), 0xFFFFFFFFu * 12869u + 6925u);
}

TEST(InitSinTable, SeedsRandWithTheMultimediaTime) {
    vorn::testing::UseVirtualClock(987654);
    InitSinTable();
    const unsigned first = Rand(0);
    vorn::testing::UseRealClock();
    EXPECT_EQ(first, 987654u * 12869u + 6925u);
    EXPECT_EQ(Sin(1024), 65536);
}

}  // namespace
