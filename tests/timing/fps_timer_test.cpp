// Frame pacing on the virtual clock. Each read of the clock advances it by 1 ms (so
// that the timer's spin ends): a frame's work of w ms below is seen as w + 1 ms, and a
// wait returns with the clock 1 ms past the deadline it saw.
#include "timing/fps_timer.h"

#include <gtest/gtest.h>

#include "platform/testing/testing.h"

namespace {

using vorn::testing::AdvanceClock;
using vorn::testing::SleepCalls;
using vorn::testing::VirtualTime;

constexpr DWORD kStart = 100000;

class FPSTimer : public ::testing::Test {
protected:
    void SetUp() override { Restart(kStart, 60); }
    void TearDown() override { vorn::testing::UseRealClock(); }

    void Restart(DWORD start, DWORD fps) {
        vorn::testing::UseVirtualClock(start);
        vorn::testing::SetClockReadStep(1);
        timer.SetFPS(fps);
    }
    // Runs one frame whose work takes `work` ms; returns the deadline the wait met.
    DWORD Frame(DWORD work) {
        AdvanceClock(work);
        timer.WaitFrame();
        return VirtualTime() - 1;
    }
    // The lengths of `count` frames of 4 ms work each, the first counted from `start`;
    // `last` receives the last deadline met.
    std::vector<DWORD> FrameLengths(DWORD start, int count, DWORD& last) {
        std::vector<DWORD> lengths;
        last = start;
        for (int i = 0; i < count; ++i) {
            const DWORD met = Frame(4);
            lengths.push_back(met - last);
            last = met;
        }
        return lengths;
    }

    CFPSTimer timer;
};

}  // namespace

TEST_F(FPSTimer, SixtyFramesPerSecondAlternateSixteenAndSeventeenMs) {
    EXPECT_EQ(timer.GetFPS(), 60u);
    DWORD deadline;
    EXPECT_EQ(FrameLengths(kStart, 6, deadline), (std::vector<DWORD>{16, 17, 16, 17, 17, 16}));
    // Sleep covers all but the last 3 ms of each wait: target - work seen - 3.
    EXPECT_EQ(SleepCalls(), (std::vector<DWORD>{8, 9, 8, 9, 9, 8}));
    for (int frame = 7; frame <= 600; ++frame) deadline = Frame(4);
    EXPECT_EQ(deadline - kStart, 9999u);  // 600 frames of 16.667 ms, the fraction carried
}

TEST_F(FPSTimer, ShortWaitsSpinWithoutSleeping) {
    Frame(12);  // 3 ms left of 16: no sleep
    EXPECT_TRUE(SleepCalls().empty());
    Frame(12);  // 4 ms left of 17: sleeps 1
    EXPECT_EQ(SleepCalls(), std::vector<DWORD>{1});
}

TEST_F(FPSTimer, LateFramesKeepTheScheduleUnlessSevenMsBehind) {
    struct Case {
        DWORD late;      // how late the second frame's wait begins
        DWORD nextFrom;  // the third frame's deadline counts from: 0 = planned, 1 = now - 7
    } cases[] = {{0, 0}, {6, 0}, {7, 1}, {500, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.late);
        Restart(kStart, 60);
        const DWORD first = Frame(4);   // deadline kStart + 16
        AdvanceClock(17 + c.late - 1);  // the wait sees exactly 17 + late ms
        const DWORD now = VirtualTime();
        timer.WaitFrame();
        EXPECT_EQ(VirtualTime(), now + 1) << "a late frame does not wait";
        const DWORD third = Frame(0);
        EXPECT_EQ(third, (c.nextFrom ? now - 7 : first + 17) + 16);
    }
}

TEST_F(FPSTimer, AnOvershotSleepSuspendsSleepingForSixtyFrames) {
    Frame(4);
    vorn::testing::SetOversleep(5, 1);
    Frame(4);  // sleeps 9, wakes 2 ms after its deadline
    ASSERT_EQ(SleepCalls().size(), 2u);
    for (int i = 0; i < 60; ++i) Frame(4);
    EXPECT_EQ(SleepCalls().size(), 2u);
    Frame(4);
    EXPECT_EQ(SleepCalls().size(), 3u);
}

TEST_F(FPSTimer, PacesAcrossTheWrapOfTheMillisecondCounter) {
    const DWORD start = 0xFFFFFFFFu - 40;
    Restart(start, 60);
    DWORD deadline;
    EXPECT_EQ(FrameLengths(start, 6, deadline), (std::vector<DWORD>{16, 17, 16, 17, 17, 16}));
    EXPECT_LT(deadline, start);  // it did wrap
    for (int i = 0; i < 10; ++i) Frame(4);
    EXPECT_EQ(timer.GetRealFPS(), 60u);  // 15 intervals over 250 ms, across the wrap
}

TEST_F(FPSTimer, RealFPSMeasuresTheLastSixteenFrames) {
    std::vector<DWORD> entries;
    for (int i = 1; i <= 20; ++i) {
        entries.push_back(VirtualTime() + 4);
        Frame(4);
        const DWORD expected = i < 16 ? 0 : 15000 / (entries.back() - entries[i - 16]);
        EXPECT_EQ(timer.GetRealFPS(), expected) << i;
    }
    EXPECT_EQ(timer.GetRealFPS(), 60u);
    timer.SetFPS(30);
    EXPECT_EQ(timer.GetRealFPS(), 0u);  // SetFPS restarts measuring
}

TEST_F(FPSTimer, RateZeroMeasuresWithoutPacing) {
    timer.SetFPS(0);
    for (int i = 0; i < 16; ++i) {
        const DWORD before = VirtualTime();
        Frame(9);
        EXPECT_EQ(VirtualTime(), before + 10);  // the work and the one read
    }
    EXPECT_TRUE(SleepCalls().empty());
    EXPECT_EQ(timer.GetRealFPS(), 100u);

    vorn::testing::SetClockReadStep(0);  // sixteen frames at the same instant
    for (int i = 0; i < 16; ++i) timer.WaitFrame();
    EXPECT_EQ(timer.GetRealFPS(), 0u);
}
