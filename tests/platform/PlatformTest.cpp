#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

TEST(Platform, FileRoundTripAndDelete)
{
    const char *path = "platform_roundtrip.tmp";
    int fd = PlatFileCreate(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(PlatFileWrite(fd, "abc\0d", 5), 5);
    EXPECT_EQ(PlatFileClose(fd), 0);

    fd = PlatFileOpenAppend(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(PlatFileWrite(fd, "e", 1), 1);
    PlatFileClose(fd);

    fd = PlatFileOpenRead(path);
    ASSERT_GE(fd, 0);
    char buffer[16] = {};
    EXPECT_EQ(PlatFileRead(fd, buffer, sizeof buffer), 6);
    EXPECT_EQ(std::string(buffer, 6), std::string("abc\0de", 6));
    EXPECT_EQ(PlatFileRead(fd, buffer, sizeof buffer), 0);
    PlatFileClose(fd);

    EXPECT_EQ(PlatFileDelete(path), 0);
    EXPECT_EQ(PlatFileOpenRead(path), -1);
    EXPECT_NE(PlatErrno(), 0);
    EXPECT_NE(std::string(PlatErrnoText(PlatErrno())), "");
}

TEST(Platform, ClocksAdvance)
{
    uint64_t frequency = PlatPerfFrequency();
    ASSERT_GT(frequency, 0u);
    // The microsecond clock keeps the low 32 bits of the counter: they must
    // not wrap between two readings a minute apart.
    EXPECT_GE((uint64_t{1} << 32) / frequency, 60u);
    uint64_t start = PlatPerfCounter();
    uint32_t tick = PlatTickCount();
    PlatSleepMs(20);
    EXPECT_GT(PlatPerfCounter(), start);
    EXPECT_GE(static_cast<uint32_t>(PlatTickCount() - tick), 10u);
}

TEST(Platform, RecursiveLockNests)
{
    PlatLock *lock = PlatLockCreate();
    PlatLockEnter(lock);
    PlatLockEnter(lock);
    PlatLockLeave(lock);
    PlatLockLeave(lock);
    EXPECT_NE(PlatThreadId(), 0u);
}
