#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "RuntimeTestSupport.h"
#include "platform/Platform.h"

using ::testing::ExitedWithCode;
using ::testing::StrEq;

TEST(Location, SetLocationStoresFileAndLine)
{
    SetLocation("libGeneric/StringUtility", 321);
    EXPECT_STREQ(CurrentFile, "libGeneric/StringUtility");
    EXPECT_EQ(CurrentLine, 321);
    SetLocation(nullptr, 0);
    EXPECT_EQ(CurrentFile, nullptr);
}

struct FatalCase {
    const char *name;
    std::function<void()> run;
    const char *text;
};

// The case's name in test listings (gtest would print the record's bytes).
static void PrintTo(const FatalCase &c, std::ostream *os) { *os << c.name; }

class FatalFamily : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FatalFamily, WritesItsTextAndExitsWithOne)
{
    const FatalCase &c = GetParam();
    EXPECT_EXIT(
        {
            RouteConsoleToStderr();
            c.run();
        },
        ExitedWithCode(1), StrEq(c.text));
}

static uint8_t *GuardedBlock(int32_t size) { return static_cast<uint8_t *>(GuardedAlloc("t", 1, size)); }

INSTANTIATE_TEST_SUITE_P(
    Runtime, FatalFamily,
    ::testing::Values(
        FatalCase{"FatalError", [] { FatalError("x", 12, "boom"); }, "\r\nboom:x:12\r\n"},
        FatalCase{"AssertFailed", [] { AssertFailed("Tools/Tavrel/DiagConsole", 7); },
                  "\r\nAssert Failed:Tools/Tavrel/DiagConsole:7\r\n"},
        FatalCase{"IndexOutOfBounds", [] { IndexOutOfBounds("m", 40000); }, "\r\nArray index out of bounds:m:40000\r\n"},
        FatalCase{"StopAt", [] { StopAt("m", 3); }, "\r\nStop:m:3\r\n"},
        FatalCase{"BadPointer", [] { BadPointer("m", -4); }, "\r\nBad pointer:m:-4\r\n"},
        FatalCase{"CheckIndexNegative", [] { CheckIndex(-1, 5, "c", 9); }, "\r\nArray index out of bounds:c:9\r\n"},
        FatalCase{"CheckIndexAtLimit", [] { CheckIndex(5, 5, "c", 10); }, "\r\nArray index out of bounds:c:10\r\n"},
        FatalCase{"HeapOver",
                  [] {
                      uint8_t *data = GuardedBlock(10);
                      data[10] = 0;
                      GuardedFree("caller", 77, data);
                  },
                  "\r\nHEAP WRITE OUT OF BOUNDS (OVER):caller:77\r\n"},
        FatalCase{"HeapUnder",
                  [] {
                      uint8_t *data = GuardedBlock(10);
                      data[-1] = 0;
                      GuardedFree("caller", 78, data);
                  },
                  "\r\nHEAP WRITE OUT OF BOUNDS (UNDER):caller:78\r\n"},
        FatalCase{"HeapOverOfEmptyBlock",
                  [] {
                      uint8_t *data = GuardedBlock(-5);
                      data[0] = 1;
                      GuardedFree("caller", 79, data);
                  },
                  "\r\nHEAP WRITE OUT OF BOUNDS (OVER):caller:79\r\n"},
        FatalCase{"HeapInvalidPointer",
                  [] {
                      static uint8_t notABlock[64] = {};
                      GuardedFree("caller", 80, notABlock + 16);
                  },
                  "\r\nINVALID HEAP POINTER:caller:80\r\n"},
        FatalCase{"HeapNullPointer", [] { GuardedFree("caller", 81, nullptr); },
                  "\r\nINVALID HEAP POINTER:caller:81\r\n"},
        FatalCase{"ArgStringOutOfRange",
                  [] {
                      static char name[] = "Tavrel";
                      static char *args[] = {name, nullptr};
                      SetProgramArguments(1, args);
                      SetLocation("Tools/Tavrel/Tavrel", 55);
                      ArgString(1);
                  },
                  "\r\nArray index out of bounds:Tools/Tavrel/Tavrel:55\r\n"}),
    [](const ::testing::TestParamInfo<FatalCase> &info) { return std::string(info.param.name); });

TEST(FatalFamilyExtra, UseOfAClosedFileIsABadPointerOfTheFileModule)
{
    EXPECT_EXIT(
        {
            RouteConsoleToStderr();
            FileHandle *file = nullptr;
            FileWriteByte(&file, 1);
        },
        ExitedWithCode(1), ::testing::StartsWith("\r\nBad pointer:ZemriSub/ZemriSubPC:"));
}

TEST(FatalFamilyExtra, CheckIndexPassesIndexesInRange)
{
    EXPECT_EQ(CheckIndex(0, 5, "c", 1), 0);
    EXPECT_EQ(CheckIndex(4, 5, "c", 1), 4);
    // A limit of 0 or below checks only the lower bound.
    EXPECT_EQ(CheckIndex(70000, 0, "c", 1), 70000);
    EXPECT_EQ(CheckIndex(3, -1, "c", 1), 3);
}

static void SayExitHandlerRan() { std::fputs("[exit handler]", stderr); }

TEST(FatalFamilyExtra, LeavesThroughTheNormalExitSoHandlersRun)
{
    EXPECT_EXIT(
        {
            RouteConsoleToStderr();
            std::atexit(SayExitHandlerRan);
            FatalError("x", 1, "end");
        },
        ExitedWithCode(1), StrEq("\r\nend:x:1\r\n[exit handler]"));
}

TEST(FatalFamilyExtra, FatalSystemErrorWritesTheCurrentErrorTextToStandardError)
{
    std::string expected = std::string("Fatal error: ") + PlatErrnoText(ENOENT) + "\n";
    EXPECT_EXIT(
        {
            std::setvbuf(stderr, nullptr, _IONBF, 0);
            PlatSetErrno(ENOENT);
            FatalSystemError(1234);
        },
        ExitedWithCode(1), StrEq(expected));
}
