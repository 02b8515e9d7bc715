// The listings of the string heap: added blocks, one string's view, the
// block dump, and the allocation warnings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "strings/StringTestSupport.h"

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(StringDiagnostics, ListAddedShowsOnlyBlocksCreatedSinceTheMark)
{
    SetLocation("before.c", 1);
    DynamicString old = StringFromBuffer("old", 3);
    StringHeapMark();
    SetLocation("diag.c", 42);
    DynamicString fresh = StringFromBuffer("hi\x01", 3);
    DynamicString longer = StringFromBuffer("0123456789abcdefghijKLMN", 24);
    ::testing::internal::CaptureStdout();
    StringHeapListAdded();
    std::string listing = ::testing::internal::GetCapturedStdout();
    // Newest first; 20 bytes of data, unprintable ones as '.'.
    EXPECT_EQ(listing,
              "STRING HEAP ADD diag.c(42) 32 0123456789abcdefghij\n"
              "STRING HEAP ADD diag.c(42) 32 hi..................\n");
    StringRelease(&fresh);
    StringRelease(&longer);
    ::testing::internal::CaptureStdout();
    StringHeapListAdded();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    StringRelease(&old);
}

TEST(StringDiagnostics, ListAddedShowsFewerBytesOfASmallBlock)
{
    StringHeapMark();
    SetLocation("tiny.c", 3);
    DynamicString empty = StringFromBuffer(nullptr, 0);
    StringResize(&empty, -1, -1, 0, false);  // size 0: a block without data
    ::testing::internal::CaptureStdout();
    StringHeapListAdded();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "STRING HEAP ADD tiny.c(3) 0 \n");
    StringRelease(&empty);
}

TEST(StringDiagnostics, DebugPrintOfEachKindOfValue)
{
    SetLocation("print.c", 8);
    DynamicString heap = StringFromBuffer("hey you", 7);
    const char *text = "abc";
    DynamicString constant = StringConstant(text);
    DynamicString zero = 0;
    char expectedConstant[64];
    snprintf(expectedConstant, sizeof expectedConstant, "CONSTANT STRING %llX L=3\n",
             static_cast<unsigned long long>(constant));
    ::testing::internal::CaptureStdout();
    StringDebugPrint(&heap);
    StringDebugPrint(&constant);
    StringDebugPrint(&zero);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              std::string("STRING print.c(8) 32 L=7 hey you.............\n") + expectedConstant +
                  "CONSTANT STRING 0 L=0\n");
    StringRelease(&heap);
}

TEST(StringDiagnostics, DumpListsEveryBlockOnStandardError)
{
    EXPECT_EXIT(
        {
            SetLocation("dump.c", 5);
            DynamicString a = StringFromBuffer("a", 1);
            SetLocation("dump.c", 6);
            DynamicString b = StringFromBuffer(nullptr, 40);
            (void)a;
            (void)b;
            StringHeapDump();
            exit(1);
        },
        ExitedWithCode(1),
        AllOf(StartsWith("\x1b" "Cstrings\n" "dump.c,6,64,\n" "dump.c,5,32,\n"), EndsWith(",\n\x1b")));
}

TEST(StringDiagnostics, DumpStopsAtABrokenBlock)
{
    EXPECT_EXIT(
        {
            SetLocation("dump.c", 5);
            DynamicString a = StringFromBuffer("a", 1);
            DynamicString b = StringFromBuffer("b", 1);
            StringWritableText(&a)[32] = 0;
            (void)b;
            StringHeapDump();
            exit(1);
        },
        ExitedWithCode(1), EndsWith("\x1b" "Cstrings\n" "dump.c,5,32,\n" "\x1b"));
}

TEST(StringDiagnostics, LargeAllocationWarningsShareOneCounterOfTen)
{
    EXPECT_EXIT(
        {
            StringWarningCount = 0;
            ::testing::internal::CaptureStdout();
            // At the limit: no warning.
            StringBlockFree("big.c", 1, StringBlockAlloc("big.c", 1, 100000000));
            StringBlockFree("big.c", 2, StringBlockAlloc("big.c", 2, 100000001));
            uint32_t live = StringBlockCount;
            StringBlockCount = 10000001;
            SetLocation("many.c", 9);
            DynamicString s = StringFromBuffer("m", 1);
            StringBlockCount = 10000000;
            DynamicString t = StringFromBuffer("n", 1);  // exactly 10,000,000 live: no warning
            StringBlockCount = 10000001;
            for (int i = 0; i < 12; ++i) StringBlockFree("many.c", 10, StringBlockAlloc("many.c", 10, 1));
            StringBlockCount = live + 2;
            std::string out = ::testing::internal::GetCapturedStdout();
            fputs(out.c_str(), stderr);
            (void)s;
            (void)t;
            exit(0);
        },
        ExitedWithCode(0),
        EndsWith("LARGE STRING ALLOCATION 100000001 big.c(2)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(9)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"
                 "LARGE NUMBER OF STRING ALLOCATIONS many.c(10)\n"));
}
