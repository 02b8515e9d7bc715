#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

TEST(Clock, MicroClockNeverGoesBackAndFollowsSleep)
{
    ClockInit();
    uint32_t previous = MicroClock();
    for (int i = 0; i < 100000; ++i) {
        uint32_t now = MicroClock();
        ASSERT_GE(now, previous);
        previous = now;
    }
    uint32_t start = MicroClock();
    PlatSleepMs(20);
    EXPECT_GE(ClockSince(&start), 19000u);
}

TEST(Clock, ExpiryAndLaps)
{
    ClockInit();
    uint32_t start = MicroClock();
    EXPECT_TRUE(ClockExpired(start, 0));
    EXPECT_FALSE(ClockExpired(start, 1000u * 1000000u));
    // The comparison is signed: an interval beyond 2^31 counts as negative.
    EXPECT_TRUE(ClockExpired(start, 3000u * 1000000u));
    PlatSleepMs(5);
    EXPECT_TRUE(ClockExpired(start, 4000));

    uint32_t lap = start;
    uint32_t first = ClockLap(&lap);
    EXPECT_GE(first, 4000u);
    EXPECT_NE(lap, start);
    uint32_t sinceLap = ClockSince(&lap);
    uint32_t sinceStart = ClockSince(&start);
    EXPECT_GE(sinceStart, sinceLap + first);
    // A start in the future has not expired yet (the comparison is signed).
    EXPECT_FALSE(ClockExpired(MicroClock() + 1000000u, 0));
}

// A second ClockInit starts the count again from 0; the wrapped count goes
// on from where it was.
TEST(Clock, RestartKeepsTheWrappedCountGoing)
{
    ClockInit();
    PlatSleepMs(30);
    uint32_t before = MicroClock();
    uint32_t wrappedBefore = WrappedMicroClock();
    ASSERT_GE(before, 30000u);
    ClockInit();
    EXPECT_LT(MicroClock(), before);
    uint32_t wrappedAfter = WrappedMicroClock();
    EXPECT_GE(wrappedAfter, wrappedBefore);
    EXPECT_LT(wrappedAfter - wrappedBefore, 60u * 1000000u);
    EXPECT_LT(wrappedAfter, 1843200000u);
}

TEST(Clock, ThreadsSeeTheirReadingsInOrder)
{
    ClockInit();
    std::vector<std::thread> threads;
    std::vector<int> backwards(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &backwards] {
            uint32_t last = WrappedMicroClock();
            uint32_t lastMicro = MicroClock();
            for (int i = 0; i < 20000; ++i) {
                uint32_t now = WrappedMicroClock();
                uint32_t micro = MicroClock();
                if (now < last || micro < lastMicro) ++backwards[t];
                last = now;
                lastMicro = micro;
            }
        });
    for (auto &thread : threads) thread.join();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(backwards[t], 0) << t;
}
