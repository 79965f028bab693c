// The time source: the choice of clock from the timer capabilities, and the timer
// resolution held from the first user to the last.
#include "timing/time_source.h"

#include <gtest/gtest.h>

#include "platform/testing/testing.h"
#include "platform/windows.h"

namespace {

class TimeSource : public ::testing::Test {
protected:
    void SetUp() override {
        vorn::testing::ClearFaults();
        vorn::testing::UseVirtualClock(5000);
    }
    void TearDown() override {
        vorn::testing::ResetTimerCaps();
        vorn::testing::UseRealClock();
        vorn::testing::ClearFaults();
    }
};

}  // namespace

TEST_F(TimeSource, ChoosesTheClockFromTheFinestPeriod) {
    struct Case {
        UINT minPeriod;
        unsigned result;
        bool multimedia;
    } cases[] = {{1, 1, true}, {9, 9, true}, {10, 1, false}, {16, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minPeriod);
        vorn::testing::SetTimerCaps(c.minPeriod, 1000);
        vorn::testing::ClearFaults();
        EXPECT_EQ(BeginTimerPeriod(), c.result);
        EXPECT_EQ(vorn::testing::ActiveTimerPeriods(),
                  c.multimedia ? std::vector<UINT>{c.minPeriod} : std::vector<UINT>{});
        vorn::testing::AdvanceClock(7);
        EXPECT_EQ(GetTime(), vorn::testing::VirtualTime());
        EXPECT_EQ(vorn::testing::CallCount("timeGetSystemTime") > 0, c.multimedia);
        EndTimerPeriod();
        EXPECT_TRUE(vorn::testing::ActiveTimerPeriods().empty());
    }
}

TEST_F(TimeSource, RaisesTheResolutionOnceForAllUsers) {
    vorn::testing::SetTimerCaps(1, 1000);
    vorn::testing::ClearFaults();
    BeginTimerPeriod();
    BeginTimerPeriod();
    EXPECT_EQ(vorn::testing::CallCount("timeBeginPeriod"), 1);
    EndTimerPeriod();
    EXPECT_EQ(vorn::testing::CallCount("timeEndPeriod"), 0);
    EndTimerPeriod();
    EndTimerPeriod();  // unmatched: ignored
    EXPECT_EQ(vorn::testing::CallCount("timeEndPeriod"), 1);
    EXPECT_TRUE(vorn::testing::ActiveTimerPeriods().empty());
    BeginTimerPeriod();  // the count is balanced again: the next first user raises it
    EXPECT_EQ(vorn::testing::ActiveTimerPeriods(), std::vector<UINT>{1});
    EndTimerPeriod();
}

TEST_F(TimeSource, ReadingsWrapModulo32Bits) {
    vorn::testing::SetTimerCaps(1, 1000);
    BeginTimerPeriod();
    vorn::testing::UseVirtualClock(0xFFFFFFFEu);
    const DWORD before = GetTime();
    vorn::testing::AdvanceClock(5);
    EXPECT_EQ(GetTime(), 3u);
    EXPECT_EQ(GetTime() - before, 5u);
    EndTimerPeriod();
}
