// Frame pacing against an injected clock: the schedule is window start +
// counter * 33 ms, and lateness is made up by frames that do not sleep.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/frame_pacer.h"

namespace {

uint32_t fakeNow = 0;
std::vector<uint32_t> sleeps;

uint32_t FakeClock()
{
    return fakeNow;
}

void FakeSleep(uint32_t milliseconds)
{
    sleeps.push_back(milliseconds);
    fakeNow += milliseconds;
}

class FramePacerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeNow = 1000;
        sleeps.clear();
    }
    FramePacer pacer;
};

TEST_F(FramePacerTest, RateIsZeroUntilTheFirstWindowCompletes)
{
    for (int frame = 0; frame < 30; ++frame) {
        fakeNow += 10;  // the frame's own work
        const float rate = PaceFrame(pacer, FakeClock, FakeSleep);
        char text[512];
        std::snprintf(text, sizeof text, "%f\n", rate);
        EXPECT_STREQ(text, "0.000000\n") << "frame " << frame;
    }
    fakeNow += 10;
    EXPECT_NEAR(PaceFrame(pacer, FakeClock, FakeSleep), 1000.0f / 33.0f, 0.5f);
}

TEST_F(FramePacerTest, LateFrameIsFollowedByFramesWithoutSleep)
{
    PaceFrame(pacer, FakeClock, FakeSleep);  // frame 1 ends at 1033
    fakeNow += 100;                          // frame 2 takes 100 ms: 1133
    sleeps.clear();
    PaceFrame(pacer, FakeClock, FakeSleep);  // due 1066: late, no sleep
    fakeNow += 5;
    PaceFrame(pacer, FakeClock, FakeSleep);  // due 1099, now 1138: no sleep
    fakeNow += 5;
    PaceFrame(pacer, FakeClock, FakeSleep);  // due 1132, now 1143: no sleep
    EXPECT_TRUE(sleeps.empty());
    fakeNow += 5;
    PaceFrame(pacer, FakeClock, FakeSleep);  // due 1165, now 1148: sleeps 17
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0], 17u);
}

// Two windows of frames with 10 ms of work each while the millisecond clock
// wraps round to 0: the schedule and the measured rate carry on as before.
TEST_F(FramePacerTest, ClockWrapAroundKeepsTheSchedule)
{
    fakeNow = 0xFFFFFFFFu - 500u;
    for (int frame = 0; frame < 60; ++frame) {
        fakeNow += 10;
        PaceFrame(pacer, FakeClock, FakeSleep);
    }
    // Each window's first frame waits a whole period from its own start;
    // the others wait what the period leaves after the work.
    std::vector<uint32_t> expected(60, 23u);
    expected[0] = 33u;
    expected[30] = 33u;
    EXPECT_EQ(sleeps, expected);
    EXPECT_FLOAT_EQ(pacer.framesPerSecond, 30.0f);
    EXPECT_LT(fakeNow, 2000u);  // the clock did wrap
}

}  // namespace
