#include <gtest/gtest.h>

#include <cstdlib>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/OS.h"
#include "ZemriSub/ZemriSub.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

TEST(ModuleInit, TableHoldsEveryModuleInOrderAndEndsWithNull)
{
    int count = 0;
    while (ModuleInitTable[count]) ++count;
    EXPECT_EQ(count, 14);
    EXPECT_EQ(ModuleInitTable[0], &ZemriSubModuleInit);
    EXPECT_EQ(ModuleInitTable[2], &StringHeapCreate);
    EXPECT_EQ(ModuleInitTable[4], &OsModuleInit);
}

static uint64_t PerfMicroseconds(uint64_t ticks)
{
    return ticks / PlatPerfFrequency() * 1000000u + ticks % PlatPerfFrequency() * 1000000u / PlatPerfFrequency();
}

// Run in a fresh process of its own: the initialisers change the process
// (file mode, stream buffers, an exit handler), which the child leaves
// without running the exit handlers. The exit code tells what was found.
TEST(ModuleInit, RunRestartsTheClockAndCreatesTheStringHeap)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int status = 0;
            if (StringHeapCapacity() != 0) status |= 1;
            ClockInit();
            PlatSleepMs(30);
            uint32_t before = MicroClock();
            uint64_t start = PlatPerfCounter();
            RunModuleInitialisers();
            uint32_t after = MicroClock();
            uint64_t elapsed = PerfMicroseconds(PlatPerfCounter() - start);
            // Restarted: at most the time the initialisers took; going on:
            // at least that plus the time before them.
            if (after >= elapsed + before / 2) status |= 2;
            if (StringHeapCapacity() == 0) status |= 4;
            std::_Exit(status);
        },
        ::testing::ExitedWithCode(0), "");
}
