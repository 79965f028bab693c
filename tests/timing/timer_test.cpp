// Pausable timers: nested pauses, the registry's pause of all, reset and reading.
#include "timing/timer.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/testing/testing.h"

using vorn::testing::AdvanceClock;

namespace {

class Timer : public ::testing::Test {
protected:
    void SetUp() override { vorn::testing::UseVirtualClock(0xFFFFFF00u); }
    void TearDown() override { vorn::testing::UseRealClock(); }
};

}  // namespace

TEST_F(Timer, NestedPausesCountFromTheOutermostPause) {
    CTimer timer;
    AdvanceClock(100);
    timer.Pause();
    AdvanceClock(50);
    timer.Pause();
    AdvanceClock(50);
    timer.Resume();
    EXPECT_TRUE(timer.IsPaused());
    AdvanceClock(50);
    EXPECT_EQ(timer.Get(), 100u);
    timer.Resume();
    EXPECT_FALSE(timer.IsPaused());
    AdvanceClock(300);  // crosses the wrap of the counter
    EXPECT_EQ(timer.Get(), 400u);
    timer.Resume();  // unmatched: ignored
    timer.Pause();
    EXPECT_TRUE(timer.IsPaused());
}

TEST_F(Timer, PauseAllLeavesWhatTheGamePausedItselfPaused) {
    CTimer::PauseAll();  // an empty registry: nothing happens
    CTimer::ResumeAll();
    CTimer running;
    CTimer paused;
    { CTimer gone; }  // a destroyed timer leaves the registry
    auto late = std::make_unique<CTimer>();
    paused.Pause();
    AdvanceClock(10);
    CTimer::PauseAll();
    late.reset();
    AdvanceClock(1000);
    CTimer::ResumeAll();
    AdvanceClock(5);
    EXPECT_EQ(running.Get(), 15u);
    EXPECT_TRUE(paused.IsPaused());
    EXPECT_EQ(paused.Get(), 0u);
    paused.Resume();
    AdvanceClock(5);
    EXPECT_EQ(paused.Get(), 5u);
}

TEST_F(Timer, ResetStartsCountingAgainEvenWhilePaused) {
    CTimer timer;
    AdvanceClock(70);
    timer.Reset();
    AdvanceClock(30);
    EXPECT_EQ(timer.Get(), 30u);
    timer.Pause();
    timer.Reset();
    AdvanceClock(30);
    EXPECT_EQ(timer.Get(), 0u);
    timer.Resume();
    AdvanceClock(8);
    EXPECT_EQ(timer.Get(), 8u);
}
