// The environment and its fixed store, local and file date and time, and
// signals.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "OsTestSupport.h"
#include "ZemriSub/OS.h"
#include "terminal/Console.h"

namespace {

TEST(Environment, SetAndGet)
{
    EXPECT_EQ(TakeText(GetEnv(StringConstant("TAVREL_TEST_NEVER_SET"))), "");
    SetEnv(StringConstant("TAVREL_TEST_VALUE"), StringConstant("one two=three"));
    EXPECT_EQ(TakeText(GetEnv(StringConstant("TAVREL_TEST_VALUE"))), "one two=three");
    SetEnv(StringConstant("TAVREL_TEST_VALUE"), StringConstant("again"));
    EXPECT_EQ(TakeText(GetEnv(StringConstant("TAVREL_TEST_VALUE"))), "again");
    SetEnv(StringConstant("TAVREL_TEST_VALUE"), 0);
    EXPECT_EQ(TakeText(GetEnv(StringConstant("TAVREL_TEST_VALUE"))), "");
}

std::string Captured;
void CaptureToStderr(uint8_t ch)
{
    Captured.push_back(static_cast<char>(ch));
    fputc(ch, stderr);
}

// Fills the store to its last byte. Runs in a child process (the store only
// grows); the exit code says whether the environment stayed as it was.
int FillEnvStore()
{
    setbuf(stderr, nullptr);
    ConsoleTap = CaptureToStderr;
    auto overflowed = [] {
        bool seen = Captured.find("Environment storage overflow") != std::string::npos;
        Captured.clear();
        return seen;
    };
    std::string big(1500, 'v');
    int i = 0;
    for (;; i++) {
        std::string name = "TAVREL_FILL_" + std::to_string(i);
        SetEnv(Arg(name), Arg(big));
        if (overflowed()) {
            if (!TakeText(GetEnv(Arg(name))).empty()) return 2;
            break;
        }
        if (TakeText(GetEnv(Arg(name))) != big) return 3;
    }
    // The largest value that still fits ends the store; then nothing fits.
    std::string value = big;
    for (;;) {
        SetEnv(StringConstant("TAVREL_LAST"), Arg(value));
        if (!overflowed()) break;
        if (value.empty()) return 4;
        value.pop_back();
    }
    if (TakeText(GetEnv(StringConstant("TAVREL_LAST"))) != value) return 5;
    SetEnv(StringConstant("X"), 0);
    if (!overflowed()) return 6;
    if (!TakeText(GetEnv(StringConstant("X"))).empty()) return 7;
    // Earlier entries are intact.
    if (TakeText(GetEnv(StringConstant("TAVREL_FILL_0"))) != big) return 8;
    fputs("\nfilled\n", stderr);
    return 0;
}

TEST(EnvironmentDeathTest, OverflowIsReportedAndChangesNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(FillEnvStore()), ::testing::ExitedWithCode(0),
                ::testing::AllOf(::testing::HasSubstr("\rEnvironment storage overflow"),
                                 ::testing::HasSubstr("filled")));
}

TEST(DateTime, LocalNowMatchesTheClock)
{
    DateTimeRecord now;
    time_t before = time(nullptr);
    GetLocalDateTime(&now);
    const tm *local = localtime(&before);
    EXPECT_EQ(now.year, local->tm_year - 100);
    EXPECT_EQ(now.month, local->tm_mon + 1);
    EXPECT_EQ(now.day, local->tm_mday);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_LE(now.second, 60);
}

TEST(DateTime, Compare)
{
    const DateTimeRecord base{31, 3, 5, 14, 7, 9};
    const struct {
        DateTimeRecord other;
        int16_t result;  // base compared with other
    } cases[] = {
        {{31, 3, 5, 14, 7, 9}, 0},  {{31, 3, 5, 14, 7, 8}, 1},  {{31, 3, 5, 14, 7, 10}, -1},
        {{30, 12, 31, 23, 59, 59}, 1}, {{32, 1, 1, 0, 0, 0}, -1}, {{31, 3, 5, 14, 8, 0}, -1},
        {{-1, 3, 5, 14, 7, 9}, 1},  // signed: before 2000
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CompareDateTime(&base, &c.other), c.result);
        EXPECT_EQ(CompareDateTime(&c.other, &base), -c.result);
    }
}

class FileTimeTest : public TempFolderTest {};

TEST_F(FileTimeTest, SetAndGetTheModificationTime)
{
    std::string path = In("dated");
    int fd = OpenRawWrite(Arg(path), true);
    ASSERT_GE(fd, 0);
    CloseRaw(fd);
    const DateTimeRecord records[] = {{31, 3, 5, 14, 7, 9}, {26, 1, 1, 0, 0, 0}, {24, 7, 15, 12, 30, 59}};
    for (const DateTimeRecord &set : records) {
        ASSERT_TRUE(SetFileDateTime(Arg(path), &set));
        DateTimeRecord got{};
        ASSERT_TRUE(GetFileDateTime(Arg(path), &got));
        EXPECT_EQ(CompareDateTime(&got, &set), 0)
            << int(got.year) << "-" << int(got.month) << "-" << int(got.day) << " " << int(got.hour) << ":"
            << int(got.minute) << ":" << int(got.second);
    }
    DateTimeRecord got{};
    EXPECT_FALSE(GetFileDateTime(Arg(In("missing")), &got));
    EXPECT_EQ(TakeText(GetOsErrorText()), strerror(ENOENT));
    EXPECT_FALSE(SetFileDateTime(Arg(In("missing")), &records[0]));
}

std::atomic<int> SignalsSeen{0};
void CountSignal(int) { SignalsSeen++; }

TEST(Signals, HandlerRunsOnRaise)
{
    SignalHandlerProc previous = SetSignalHandler(SIGTERM, CountSignal);
    EXPECT_EQ(SetSignalHandler(SIGTERM, CountSignal), CountSignal) << "the previous handler comes back";
    EXPECT_TRUE(RaiseSignal(SIGTERM));
    EXPECT_EQ(SignalsSeen.load(), 1);
    SetSignalHandler(SIGTERM, previous);
}

}  // namespace
