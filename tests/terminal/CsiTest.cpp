// Control sequences: cursor moves, the position report, save and restore,
// erasing, the caret commands, parameter parsing and the length limit.
#include "TerminalSupport.h"

namespace {

struct MoveCase {
    const char *name;
    std::string bytes;
    int row;
    int column;
    int lineCount;
};

// n parameters of value 1.
std::string Ones(int n)
{
    std::string text = "1";
    for (int i = 1; i < n; ++i) text += ";1";
    return text;
}

class CursorTable : public TerminalTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CursorTable, EndsAt)
{
    const MoveCase &c = GetParam();
    Write(c.bytes);
    EXPECT_EQ(ScreenBuffer.CursorRow, c.row);
    EXPECT_EQ(ScreenBuffer.CursorColumn, c.column);
    EXPECT_EQ(ScreenBuffer.LineCount, c.lineCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CursorTable,
    ::testing::Values(
        MoveCase{"EmptyFirstParameterDoesNotCount", "\x1b[;5H", 4, 0, 5},
        MoveCase{"RowAndColumn", "\x1b[5;10H", 4, 9, 5},
        MoveCase{"FIsH", "\x1b[3;7f", 2, 6, 3},
        MoveCase{"HomeWithoutParameters", "abc\r\n\x1b[H", 0, 0, 2},
        MoveCase{"ZeroActsLikeOne", "\x1b[3;3H\x1b[0;0H", 0, 0, 3},
        MoveCase{"ClampedToTheStore", "\x1b[9999;9999H", 999, 119, 1000},
        MoveCase{"HugeNumberSaturates", "\x1b[99999999999999999999;99999999999999999999H", 999, 119, 1000},
        MoveCase{"Up", "\x1b[10;10H\x1b[3A", 6, 9, 10},
        MoveCase{"UpWithoutCountIsOne", "\x1b[10;10H\x1b[A", 8, 9, 10},
        MoveCase{"UpStopsAtTop", "\x1b[3;10H\x1b[7A", 0, 9, 3},
        MoveCase{"ExplicitZeroMovesNothing", "\x1b[10;10H\x1b[0A\x1b[0B\x1b[0C\x1b[0D", 9, 9, 10},
        MoveCase{"Down", "\x1b[10;10H\x1b[4B", 13, 9, 14},
        MoveCase{"Right", "\x1b[10;10H\x1b[4C", 9, 13, 10},
        MoveCase{"RightStopsAtLastColumn", "\x1b[500C", 0, 119, 1},
        MoveCase{"Left", "\x1b[10;10H\x1b[4D", 9, 5, 10},
        MoveCase{"LeftHugeCount", "\x1b[10;10H\x1b[99999999999999999999D", 9, 0, 10},
        MoveCase{"DownHugeCount", "\x1b[99999999999999999999B", 999, 0, 1000},
        MoveCase{"SaveAndRestore", "\x1b[3;4H\x1b[s\x1b[10;10H\x1b[u", 2, 3, 10},
        MoveCase{"UnknownNameDoesNothing", "\x1b[5;5H\x1b[7X\x1b[2Z\x1b[25l", 4, 4, 5},
        MoveCase{"TooManyParametersDropped", "\x1b[3;4H\x1b[" + Ones(33) + "H", 2, 3, 3},
        MoveCase{"ThirtyTwoParametersRun", "\x1b[3;4H\x1b[" + Ones(32) + "H", 0, 0, 3},
        MoveCase{"EmptyParametersDoNotCount", "\x1b[;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;7;8H", 6, 7, 7},
        MoveCase{"BackspaceStopsAtColumnZero", "ab\b\b\b", 0, 0, 1}),
    [](const ::testing::TestParamInfo<MoveCase> &info) { return std::string(info.param.name); });

TEST_F(TerminalTest, PositionReport)
{
    Write("\x1b[6n");
    EXPECT_EQ(DrainKeys(), "\x1b[1,1R");
    Write("\x1b[13;35H\x1b[6n");
    EXPECT_EQ(DrainKeys(), "\x1b[13,35R");
    Write("\x1b[1000;120H\x1b[6n");
    EXPECT_EQ(DrainKeys(), "\x1b[1000,120R");
    Write("\x1b[6;1n\x1b[5n\x1b[n\x1b[;6n");
    EXPECT_EQ(DrainKeys(), "\x1b[1000,120R");  // only the last one: one parameter, 6
    EXPECT_EQ(DrainKeys(), "");
}

TEST_F(TerminalTest, QuotedParameterTakesASlot)
{
    // The quoted text holds a ';' that does not separate; its slot's value
    // 0 resets, then 1 sets bold.
    Write("\x1b[4m\x1b[\"1;2\";1mA");
    EXPECT_EQ(CellAt(0, 0).attrs, ATTR_BOLD);
}

TEST_F(TerminalTest, SequenceLongerThanTheBufferIsCutButEnds)
{
    // 97 zeros and 1m: the kept 79 bytes are all zeros, so nothing sets
    // bold; the final byte still ends the sequence and A is shown.
    Write("\x1b[" + std::string(97, '0') + "1mA");
    EXPECT_EQ(RowText(0), "A");
    EXPECT_EQ(CellAt(0, 0).attrs, 0);
    // 79 bytes exactly fit.
    Write("\x1b[" + std::string(77, '0') + "1mB");
    EXPECT_EQ(RowText(0), "AB");
    EXPECT_EQ(CellAt(0, 1).attrs, ATTR_BOLD);
}

TEST_F(TerminalTest, ControlBytesInsideASequenceAreCollected)
{
    // CR and LF inside the sequence are part of its text: no move, and the
    // unknown name runs nothing.
    Write("ab\x1b[\r\n5mc");
    EXPECT_EQ(RowText(0), "abc");
    EXPECT_EQ(ScreenBuffer.CursorRow, 0);
    EXPECT_EQ(CellAt(0, 2).attrs, 0);
}

TEST_F(TerminalTest, EraseTextKeepsCursorRow)
{
    Write("abc\r\n\r\ndef");
    Write("\x1b[J\x1b[0J\x1b[1J\x1b[3J");
    EXPECT_EQ(RowText(0), "abc");
    EXPECT_EQ(RowText(2), "def");
    TermSetFore(0x123456);
    Write("\x1b[2J");
    EXPECT_EQ(LineLength(0), 0);
    EXPECT_EQ(LineLength(2), 0);
    EXPECT_EQ(ScreenBuffer.CursorRow, 2);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 3);
    EXPECT_EQ(ScreenBuffer.LineCount, 3);
    EXPECT_EQ(ScreenBuffer.ScreenFore, 0x123456u);
}

TEST_F(TerminalTest, EraseLineVariants)
{
    struct Case {
        const char *sequence;
        int length;
        const char *text;
    };
    const Case cases[] = {
        {"\x1b[K", 120, "abcd"},   // cursor at 4: cells 4.. blank
        {"\x1b[0K", 120, "abcd"},
        {"\x1b[5K", 120, "abcd"},
        {"\x1b[1K", 8, "     fgh"},  // cells 0..4 blank
        {"\x1b[2K", 120, ""},
    };
    for (const Case &c : cases) {
        ResetTerminal();
        Write("abcdefgh\x1b[1;5H");
        TermSetFore(0x0000FF);
        TermSetBack(0x00FF00);
        Write(c.sequence);
        EXPECT_EQ(LineLength(0), c.length) << c.sequence;
        std::string text = RowText(0);
        std::string trimmed = text.substr(0, text.find_last_not_of(' ') + 1);
        EXPECT_EQ(trimmed, c.text) << c.sequence;
        EXPECT_EQ(CellAt(0, 4).ch, ' ') << c.sequence;
        EXPECT_EQ(CellAt(0, 4).fore, 0x0000FFu) << c.sequence;
        EXPECT_EQ(CellAt(0, 4).back, 0x00FF00u) << c.sequence;
    }
}

TEST_F(TerminalTest, EraseLineEndPadsUpToTheCursorInScreenColours)
{
    TermSetFore(0x0000FF);
    Write("ab\x1b[1;6H\x1b[K");
    EXPECT_EQ(LineLength(0), 120);
    EXPECT_EQ(CellAt(0, 3).fore, 0xFFFFFFu);  // padding: screen colours
    EXPECT_EQ(CellAt(0, 5).fore, 0x0000FFu);  // from the cursor on: current colours
    EXPECT_EQ(CellAt(0, 119).fore, 0x0000FFu);
}

std::vector<int> CaretPosts;
void RecordCaret(int type) { CaretPosts.push_back(type); }

TEST_F(TerminalTest, CaretCommandsAndShapes)
{
    CaretPosts.clear();
    CaretTypeTap = RecordCaret;
    Write("\x1b[?25l\x1b[?25h\x1b[?25i\x1b[?25j\x1b[?25k\x1b[?26l\x1b[25h");
    EXPECT_EQ(CaretPosts, (std::vector<int>{3, 2, 1, 0}));
    CaretPosts.clear();
    TermSetCursorShape(0);
    TermSetCursorShape(1);
    TermSetCursorShape(2);
    TermSetCursorShape(-7);
    EXPECT_EQ(CaretPosts, (std::vector<int>{3, 2, 0, 0}));
    EXPECT_EQ(RowText(0), "");
}

}  // namespace
