// The key queue and the key poll, the console bridge with its line ends and
// time stamps, the tap, the window and exit operations without a window.
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "TerminalSupport.h"

#include "terminal/Console.h"
#include "ZemriSub/ZemriSubPC.h"

namespace {

TEST_F(TerminalTest, SixteenPushesKeepFifteen)
{
    for (int i = 1; i <= 16; ++i) TermKeyPush(static_cast<uint8_t>(i));
    std::string expected;
    for (int i = 1; i <= 15; ++i) expected += static_cast<char>(i);
    EXPECT_EQ(DrainKeys(), expected);
    EXPECT_FALSE(ConsoleKeyAvailable());
}

TEST_F(TerminalTest, QueueWrapsAroundItsRing)
{
    std::string got;
    for (int round = 0; round < 10; ++round) {
        for (int i = 0; i < 7; ++i) TermKeyPush(static_cast<uint8_t>('a' + (round * 7 + i) % 26));
        while (ConsoleKeyAvailable()) got += static_cast<char>(ConsoleGetKey());
    }
    std::string expected;
    for (int k = 0; k < 70; ++k) expected += static_cast<char>('a' + k % 26);
    EXPECT_EQ(got, expected);
}

TEST_F(TerminalTest, SequencePushedWholeOrCutWhenFull)
{
    const uint8_t del[] = {0x1B, '[', '3', '~'};
    TermKeyPushBytes(del, 4);
    EXPECT_EQ(DrainKeys(), "\x1b[3~");
    for (int i = 0; i < 13; ++i) TermKeyPush('k');
    TermKeyPushBytes(del, 4);  // two places left: the sequence is cut
    EXPECT_EQ(DrainKeys(), std::string(13, 'k') + "\x1b[");
}

TEST_F(TerminalTest, KeyEchoShowsTheKey)
{
    TermKeyPush('q');
    TermKeyPush('\r');
    EXPECT_TRUE(ConsoleKeyAvailable());
    EXPECT_EQ(ConsoleGetKeyEcho(), 'q');
    EXPECT_EQ(TermGetKeyEcho(), '\r');
    EXPECT_EQ(RowText(0), "q");
    EXPECT_EQ(ScreenBuffer.CursorColumn, 0);
    EXPECT_TRUE(ShownByKeyPoll);
}

TEST_F(TerminalTest, PutCharIsRawAndTraceJoinsLines)
{
    for (uint8_t ch : std::string("a\nb")) ConsolePutChar(ch);
    EXPECT_EQ(RowText(0), "a");
    EXPECT_EQ(RowText(1), " b");
    ResetTerminal();
    for (uint8_t ch : std::string("a\nb")) ConsoleTracePutChar(ch);
    EXPECT_EQ(RowText(0), "ab");
    EXPECT_EQ(ScreenBuffer.LineCount, 1);
}

TEST_F(TerminalTest, LinePutWritesTheBreakWhenTextFollows)
{
    for (uint8_t ch : std::string("x\r")) ConsoleLinePut(ch);
    EXPECT_EQ(ScreenBuffer.CursorRow, 0);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 1);
    ConsoleLinePut('y');
    EXPECT_EQ(RowText(1), "y");
    // CR LF is one break; two CRs give one at once and one pending.
    for (uint8_t ch : std::string("\r\nz\r\r")) ConsoleLinePut(ch);
    EXPECT_EQ(RowText(2), "z");
    EXPECT_EQ(ScreenBuffer.CursorRow, 3);
    EXPECT_EQ(LineLength(3), 0);
    ConsoleLinePut('w');
    EXPECT_EQ(RowText(4), "w");
    EXPECT_EQ(ScreenBuffer.LineCount, 5);
}

TEST_F(TerminalTest, TraceLinesStartWithTheTimeStamp)
{
    for (uint8_t ch : std::string("abc\rdef\r")) ConsoleTracePutChar(ch);
    const std::regex stamp("[0-9][0-9]\\.[0-9][0-9][0-9]: ");
    EXPECT_EQ(RowText(0), "abc");
    std::string second = RowText(1);
    ASSERT_EQ(second.size(), 11u) << second;
    EXPECT_TRUE(std::regex_match(second.substr(0, 8), stamp)) << second;
    EXPECT_EQ(second.substr(8), "def");
    std::string third = RowText(2);
    EXPECT_TRUE(std::regex_match(third, stamp)) << third;
    EXPECT_EQ(ScreenBuffer.CursorRow, 2);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 8);
    EXPECT_EQ(ScreenBuffer.LineCount, 3);
}

std::string Tapped;
void TapByte(uint8_t ch) { Tapped += static_cast<char>(ch); }

TEST_F(TerminalTest, TapSeesTheBytesAsPassedAndTheScreenToo)
{
    Tapped.clear();
    ConsoleTap = TapByte;
    for (uint8_t ch : std::string("p\r\n")) ConsolePutChar(ch);
    for (uint8_t ch : std::string("q\rr")) ConsoleTracePutChar(ch);
    TermKeyPush('e');
    ConsoleGetKeyEcho();
    ConsoleTap = nullptr;
    EXPECT_EQ(Tapped, "p\r\nq\rre");
    EXPECT_EQ(RowText(0), "p");
    EXPECT_EQ(RowText(1), "q");
    EXPECT_EQ(RowText(2).substr(8), "re");
}

TEST_F(TerminalTest, AbortWaitWithoutAWindowReturns)
{
    Tapped.clear();
    ConsoleTap = TapByte;
    Write("abc");
    TermAbortWait();
    ConsoleTap = nullptr;
    EXPECT_EQ(RowText(0), "abc");
    EXPECT_EQ(RowText(1), "-- aborted");
    EXPECT_EQ(Tapped, "\r\n-- aborted");
}

TEST_F(TerminalTest, GeometryChangedIsTakenOnce)
{
    EXPECT_FALSE(TermTakeGeometryChanged());
    GeometryChanged = true;
    EXPECT_TRUE(TermTakeGeometryChanged());
    EXPECT_FALSE(TermTakeGeometryChanged());
}

TEST_F(TerminalTest, WindowOperationsWithoutAWindowAreHarmless)
{
    TermShowWindow(1);
    TermSetTitle(0);
    TermSetTitle(StringConstant("Tavrel COM3"));
    TermMoveWindow(10, 20, 300, 200);
    TermPlaceWindow(10, 20, 80, 25);
    TermSizeWindow(80, 25);
    TermEmbed(0);
    TermPostCaretType(2);
    ScreenBuffer.RepaintDirty = false;
    TermSetFont("Lucida Console", -12);
    EXPECT_TRUE(ScreenBuffer.RepaintDirty);
    EXPECT_TRUE(ScreenBuffer.ScrollInfoDirty);
    int x = -1, y = -1, w = -1, h = -1;
    TermGetWindowRect(&x, &y, &w, &h);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(w, 0);
}

TEST_F(TerminalTest, ScreenColourSetters)
{
    ScreenBuffer.RepaintDirty = false;
    TermSetScreenForeRGB(1, 2, 3);
    TermSetScreenBackRGB(0x104, 5, 6);
    EXPECT_EQ(ScreenBuffer.ScreenFore, 0x030201u);
    EXPECT_EQ(ScreenBuffer.ScreenBack, 0x060504u);
    EXPECT_TRUE(ScreenBuffer.RepaintDirty);
    Write("\x1b[1;3H.");  // padding takes the screen colours
    EXPECT_EQ(CellAt(0, 0).fore, 0x030201u);
    EXPECT_EQ(CellAt(0, 0).back, 0x060504u);
}

std::vector<std::string> Traced;
void TraceText(const char *text) { Traced.push_back(text); }

TEST_F(TerminalTest, OperationsNotProvidedOnlyTrace)
{
    Traced.clear();
    DebugTap = TraceText;
    TermDelLine();
    int results = TermGetText();
    TermGetTextInfo();
    TermInsLine();
    results += TermMoveText();
    TermTextAttr();
    TermTextMode();
    TermWindow();
    results += TermPutText();
    DebugTap = nullptr;
    EXPECT_EQ(results, 0);
    EXPECT_EQ(Traced, (std::vector<std::string>{
                          "delline: not implemented\n", "gettext: not implemented\n",
                          "gettextinfo: not implemented\n", "insline: not implemented\n",
                          "movetext: not implemented\n", "textattr: not implemented\n",
                          "textmode: not implemented\n", "window: not implemented\n",
                          "delline: not implemented\n"}));
    EXPECT_EQ(RowText(0), "");
}

TEST_F(TerminalTest, ClearToLineEnd)
{
    Write("abcdef\r\x1b[2C");
    TermClearToLineEnd();
    EXPECT_EQ(LineLength(0), 120);
    EXPECT_EQ(RowText(0).substr(0, 4), "ab  ");
}

// The process ends from the key poll and from the writer once the window is
// closed, unless an exit is in progress (or, for the writer, the program
// thread pumped messages of its own).
using TerminalDeathTest = TerminalTest;

TEST_F(TerminalDeathTest, ClosedWindowEndsTheProcessAtTheKeyPoll)
{
    EXPECT_EXIT(
        {
            WindowClosed = true;
            ConsoleKeyAvailable();
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            WindowClosed = true;
            ConsoleGetKey();  // an empty queue: ends instead of waiting forever
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(TerminalDeathTest, ClosedWindowDuringExitLetsThePollReturn)
{
    EXPECT_EXIT(
        {
            WindowClosed = true;
            TermSetExitInProgress();
            bool any = ConsoleKeyAvailable();
            TermKeyPush('k');
            std::exit(any ? 3 : ConsoleGetKey() == 'k' ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(TerminalDeathTest, ClosedWindowEndsTheProcessAtTheNextWrite)
{
    EXPECT_EXIT(
        {
            WindowClosed = true;
            OutputPaused = true;  // a closed window ends the pause too
            TermPutChar('a');
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            WindowClosed = true;
            ProgramPumpedMessages = true;
            TermPutChar('a');
            std::exit(RowText(0) == "a" ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            WindowClosed = true;
            TermSetExitInProgress();
            TermPutChar('a');
            std::exit(RowText(0) == "a" ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
