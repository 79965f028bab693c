// The tick count, the multimedia time, Sleep and the timer resolution, on the virtual
// clock and on the host's.
#include <gtest/gtest.h>

#include "platform/testing/testing.h"
#include "platform/windows.h"

namespace {

DWORD SystemTime() {
    MMTIME time{};
    EXPECT_EQ(timeGetSystemTime(&time, sizeof time), TIMERR_NOERROR);
    EXPECT_EQ(time.wType, TIME_MS);
    return time.u.ms;
}

class VirtualClock : public ::testing::Test {
protected:
    void TearDown() override {
        vorn::testing::UseRealClock();
        vorn::testing::ResetTimerCaps();
    }
};

}  // namespace

TEST_F(VirtualClock, DrivesEveryClockSleepAndWrapsModulo32Bits) {
    vorn::testing::UseVirtualClock(0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    EXPECT_EQ(SystemTime(), 0xFFFFFFF0u);
    Sleep(10);
    vorn::testing::AdvanceClock(16);
    EXPECT_EQ(timeGetTime(), 10u);  // wrapped

    vorn::testing::SetOversleep(5, 1);
    Sleep(3);
    Sleep(3);
    EXPECT_EQ(GetTickCount(), 10u + 3 + 5 + 3);
    EXPECT_EQ(vorn::testing::SleepCalls(), (std::vector<DWORD>{10, 3, 3}));

    vorn::testing::SetClockReadStep(2);
    const DWORD first = timeGetTime();
    EXPECT_EQ(timeGetTime(), first + 2);
    EXPECT_EQ(vorn::testing::VirtualTime(), first + 4);
}

TEST_F(VirtualClock, FixesTheLocalTime) {
    const SYSTEMTIME fixed{2026, 3, 0, 9, 7, 5, 4, 0};
    vorn::testing::FixLocalTime(fixed);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2026);
    EXPECT_EQ(now.wSecond, 4);
    vorn::testing::UseRealClock();
    GetLocalTime(&now);
    EXPECT_GE(now.wYear, 2024);
    EXPECT_LE(now.wMonth, 12);
}

TEST_F(VirtualClock, TimerCapsAndNestedPeriods) {
    TIMECAPS caps{};
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(timeGetDevCaps(&caps, 4), TIMERR_NOCANDO);
    EXPECT_EQ(timeGetDevCaps(nullptr, sizeof caps), TIMERR_NOCANDO);

    vorn::testing::SetTimerCaps(15, 100);
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 15u);
    EXPECT_EQ(caps.wPeriodMax, 100u);
    EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOCANDO);
    EXPECT_EQ(timeBeginPeriod(15), TIMERR_NOERROR);
    EXPECT_EQ(timeBeginPeriod(20), TIMERR_NOERROR);
    EXPECT_EQ(vorn::testing::ActiveTimerPeriods(), (std::vector<UINT>{15, 20}));
    EXPECT_EQ(timeEndPeriod(30), TIMERR_NOCANDO);
    EXPECT_EQ(timeEndPeriod(15), TIMERR_NOERROR);
    EXPECT_EQ(timeEndPeriod(20), TIMERR_NOERROR);
    EXPECT_TRUE(vorn::testing::ActiveTimerPeriods().empty());

    vorn::testing::ClearFaults();
    vorn::testing::FailNext("timeGetDevCaps");
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOCANDO);
    vorn::testing::ClearFaults();
}

TEST(RealClock, SleepLastsAtLeastItsTimeOnTheSharedClock) {
    const DWORD before = GetTickCount();
    const DWORD mmBefore = timeGetTime();
    Sleep(20);
    EXPECT_GE(GetTickCount() - before, 20u);
    EXPECT_GE(timeGetTime() - mmBefore, 20u);
    EXPECT_LT(timeGetTime() - mmBefore, 1000u);
}
