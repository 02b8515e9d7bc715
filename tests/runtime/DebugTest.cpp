#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeTestSupport.h"
#include "platform/Platform.h"

static void PutChars(const std::string &text)
{
    for (char ch : text) DebugPutChar(static_cast<uint8_t>(ch));
}

TEST(DebugLine, CarriageReturnEndsTheLineAndOtherControlsAreDropped)
{
    const struct {
        const char *typed;
        std::vector<std::string> lines;
    } cases[] = {
        {"abc", {"abc\r\n"}},
        {"ab\rcd\r", {"ab\r\n", "cd\r\n"}},
        {"a\nb\x01" "c\x1f" "d\x7f", {"abcd\x7f\r\n"}},
        {"\r\r\n\r", {}},
        {"\xe9t\xe9", {"\xe9t\xe9\r\n"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        DebugCapture capture;
        PutChars(c.typed);
        DebugFlushLine();
        EXPECT_EQ(DebugCapture::lines, c.lines);
    }
}

TEST(DebugLine, HoldsAtMost120Characters)
{
    DebugCapture capture;
    std::string typed;
    for (int i = 0; i < 130; ++i) typed.push_back(static_cast<char>('A' + i % 26));
    PutChars(typed);
    DebugFlushLine();
    ASSERT_EQ(DebugCapture::lines.size(), 1u);
    EXPECT_EQ(DebugCapture::lines[0], typed.substr(0, 120) + "\r\n");
    // The buffer starts empty again.
    DebugFlushLine();
    EXPECT_EQ(DebugCapture::lines.size(), 1u);
}

// "%.6d TID=%d ": six digits of microseconds within the second and the
// thread id, then the message and CR LF.
static void ExpectDebugLine(const std::string &line, const std::string &message)
{
    ASSERT_GE(line.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(line[i] >= '0' && line[i] <= '9') << line;
    EXPECT_EQ(line.substr(6), " TID=" + std::to_string(PlatThreadId()) + " " + message + "\r\n");
}

TEST(DebugPrint, FlushesThePendingLineThenWritesAStampedLine)
{
    DebugCapture capture;
    PutChars("pending");
    DebugPrint("TTY Started %d %s", 5, "x");
    ASSERT_EQ(DebugCapture::lines.size(), 2u);
    EXPECT_EQ(DebugCapture::lines[0], "pending\r\n");
    ExpectDebugLine(DebugCapture::lines[1], "TTY Started 5 x");
}

TEST(DebugPrint, LongMessagesAreCutToTheBufferAndStillEndTheLine)
{
    DebugCapture capture;
    std::string message(400, 'm');
    DebugPrint("%s", message.c_str());
    ASSERT_EQ(DebugCapture::lines.size(), 1u);
    const std::string &line = DebugCapture::lines[0];
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(line.size() - 3), "m\r\n");
}

// Debug lines come from every thread; no line is torn or overlong.
TEST(DebugPrint, ThreadsWriteWholeLines)
{
    static std::vector<std::string> seen;
    static PlatLock *seenLock = PlatLockCreate();
    seen.clear();
    DebugTap = [](const char *text) {
        PlatLockEnter(seenLock);
        seen.emplace_back(text);
        PlatLockLeave(seenLock);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i) {
                if (t % 2) {
                    DebugPrint("thread %d line %d", t, i);
                } else {
                    PutChars("piece");
                    DebugPutChar('\r');
                }
            }
        });
    for (auto &thread : threads) thread.join();
    DebugFlushLine();
    DebugTap = nullptr;
    size_t printed = 0;
    for (const std::string &line : seen) {
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        EXPECT_LE(line.size(), 255u);
        if (line.find(" TID=") != std::string::npos) ++printed;
    }
    EXPECT_EQ(printed, 400u);
}

TEST(ConsoleMessageTest, MessageAndPathOnALineOfTheirOwn)
{
    {
        ConsoleCapture capture;
        ConsoleMessage("Cannot open file: ", "a/b.txt");
    }
    std::string shown = ConsoleCapture::text;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), '\r');
    size_t at = shown.find("Cannot open file: a/b.txt");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(shown.find('\r', at), std::string::npos);

    {
        ConsoleCapture capture;
        ConsoleMessage("No path", nullptr);
    }
    shown = ConsoleCapture::text;
    at = shown.find("No path");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(shown.find('\r', at), std::string::npos);
}
