// The character writer: escape forms, control bytes, UTF-8, storing with
// padding, wrapping, the end of write with scrolling and the view.
#include <cstdio>

#include "TerminalSupport.h"

#include "ZemriSub/ZemriSubPC.h"

namespace {

struct ShowCase {
    const char *name;
    std::string bytes;
    std::vector<uint16_t> codes;  // row 0
};

class ShownTable : public TerminalTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(ShownTable, RowHolds)
{
    Write(GetParam().bytes);
    EXPECT_EQ(RowCodes(0), GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    EscapeForms, ShownTable,
    ::testing::Values(ShowCase{"LetterSwallowsOneMore", "\x1b" "Axy", {'y'}},
                      ShowCase{"DollarSwallowsOneMore", "\x1b$12", {'2'}},
                      ShowCase{"OtherByteDropped", "\x1b(B", {'B'}},
                      ShowCase{"EscAfterEscIsDropped", "\x1b\x1bZ", {'Z'}},
                      ShowCase{"SwallowedByteMayBeControl", "\x1b" "a\nq", {'q'}},
                      ShowCase{"VerticalTabAndOthersIgnored", "a\x0b\x01\x1f\x7f" "b", {'a', 0x7F, 'b'}}),
    [](const ::testing::TestParamInfo<ShowCase> &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Utf8, ShownTable,
    ::testing::Values(ShowCase{"TwoBytes", "\xC3\xA9", {0x00E9}},
                      ShowCase{"ThreeBytes", "\xE2\x98\xBA", {0x263A}},
                      ShowCase{"FourBytesKeepLow16Bits", "\xF0\x9F\x98\x80", {0xF600}},
                      ShowCase{"LeadThenAsciiShowsOnlyAscii", "\xE9" "A", {'A'}},
                      ShowCase{"LoneContinuationIsItself", "\x80", {0x0080}},
                      ShowCase{"ContinuationAfterSequenceIsItself", "\xC3\xA9\xA9", {0x00E9, 0x00A9}},
                      ShowCase{"NewLeadAbandonsSequence", "\xC3\xE2\x98\xBA", {0x263A}},
                      ShowCase{"ShortSequenceCutByAscii", "\xE2\x98x", {'x'}},
                      ShowCase{"F8IsNotALead", "\xC3\xF8", {0x00F8}},
                      ShowCase{"FFIsItself", "\xFF\xFE", {0x00FF, 0x00FE}},
                      ShowCase{"OverlongIsNotRejected", "\xC0\x80" "a", {0x0000, 'a'}},
                      ShowCase{"SurrogateIsNotRejected", "\xED\xA0\x80", {0xD800}},
                      ShowCase{"ControlByteDoesNotAbandon", "\xC3\r\xA9", {0x00E9}},
                      ShowCase{"EscapeFormInsideSequence", "\xC3\x1b" "Axy\xA9", {'y', 0x00A9}}),
    [](const ::testing::TestParamInfo<ShowCase> &info) { return std::string(info.param.name); });

TEST_F(TerminalTest, IncompleteSequencePadsButStoresNothing)
{
    Write("\x1b[1;6H\xE2\x98");
    EXPECT_EQ(LineLength(0), 5);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 5);
    Write("\xBA");
    EXPECT_EQ(LineLength(0), 6);
    EXPECT_EQ(CellAt(0, 5).ch, 0x263A);
}

TEST_F(TerminalTest, PaddingUsesScreenColoursAndTheCellTheCurrentOnes)
{
    TermSetFore(0x0000FF);
    TermSetBack(0x00FF00);
    TermSetAttributes(ATTR_UNDERLINE);
    Write("\x1b[1;11HX");
    EXPECT_EQ(LineLength(0), 11);
    for (int c = 0; c < 10; ++c) {
        Cell cell = CellAt(0, c);
        EXPECT_EQ(cell.ch, ' ');
        EXPECT_EQ(cell.attrs, 0);
        EXPECT_EQ(cell.fore, 0xFFFFFFu);
        EXPECT_EQ(cell.back, 0x000000u);
    }
    Cell x = CellAt(0, 10);
    EXPECT_EQ(x.ch, 'X');
    EXPECT_EQ(x.attrs, ATTR_UNDERLINE);
    EXPECT_EQ(x.fore, 0x0000FFu);
    EXPECT_EQ(x.back, 0x00FF00u);
    EXPECT_TRUE(ScreenBuffer.RepaintDirty);
    EXPECT_TRUE(ScreenBuffer.CaretDirty);
}

TEST_F(TerminalTest, OverwriteKeepsLength)
{
    Write("abcdef\r\x1b[2CX");
    EXPECT_EQ(RowText(0), "abXdef");
    EXPECT_EQ(ScreenBuffer.CursorColumn, 3);
}

TEST_F(TerminalTest, LineFeedKeepsColumnAndCarriageReturnResets)
{
    Write("ab\nc");
    EXPECT_EQ(RowText(0), "ab");
    EXPECT_EQ(RowText(1), "  c");
    EXPECT_EQ(ScreenBuffer.LineCount, 2);
    Write("\rd");
    EXPECT_EQ(RowText(1), "d c");
}

TEST_F(TerminalTest, Tabs)
{
    struct Case {
        int start;
        int stop;
    };
    const Case cases[] = {{0, 8}, {7, 8}, {8, 16}, {13, 16}, {111, 112}};
    for (const Case &c : cases) {
        ResetTerminal();
        TermGoto(c.start, 0);
        Write("\t");
        EXPECT_EQ(ScreenBuffer.CursorColumn, c.stop) << c.start;
        EXPECT_EQ(LineLength(0), c.stop) << c.start;
        EXPECT_EQ(RowText(0), std::string(c.stop, ' ')) << c.start;
    }
    // A wrap to column 0 ends the tab: 150 columns, from 148.
    ResetTerminal();
    TermSetColumns(150);
    TermGoto(148, 0);
    Write("\t");
    EXPECT_EQ(ScreenBuffer.CursorRow, 1);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 0);
    EXPECT_EQ(LineLength(0), 150);
    EXPECT_EQ(LineLength(1), 0);
}

TEST_F(TerminalTest, WrapAtColumnCount)
{
    TermSetColumns(150);
    Write(std::string(150, 'a') + "b");
    EXPECT_EQ(LineLength(0), 150);
    EXPECT_EQ(RowText(1), "b");
    EXPECT_EQ(ScreenBuffer.CursorRow, 1);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 1);
    EXPECT_EQ(ScreenBuffer.LineCount, 2);
}

TEST_F(TerminalTest, FullLineLeavesCursorOnNextRow)
{
    Write(std::string(120, 'x'));
    EXPECT_EQ(ScreenBuffer.CursorRow, 1);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 0);
    EXPECT_EQ(ScreenBuffer.LineCount, 2);
}

TEST_F(TerminalTest, FormFeedEmptiesEverything)
{
    TermSetFore(0x0000FF);
    TermSetBack(0x111111);
    Write("\x1b[1;4mabc\r\ndef\x1b[40;50H\f");
    EXPECT_EQ(ScreenBuffer.LineCount, 1);  // the end of the write counts the cursor line
    EXPECT_EQ(ScreenBuffer.CursorRow, 0);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 0);
    EXPECT_EQ(ScreenBuffer.TextAttributes, 0);
    EXPECT_EQ(LineLength(0), 0);
    EXPECT_EQ(LineLength(1), 0);
    EXPECT_EQ(ScreenBuffer.ScreenFore, 0x0000FFu);
    EXPECT_EQ(ScreenBuffer.ScreenBack, 0x111111u);
    Write("z");
    EXPECT_EQ(RowText(0), "z");
    EXPECT_EQ(ScreenBuffer.LineCount, 1);
}

TEST_F(TerminalTest, GotoClampsAndCountsLines)
{
    TermGoto(5, 20);
    EXPECT_EQ(ScreenBuffer.LineCount, 21);
    TermGoto(-3, -9);
    EXPECT_EQ(ScreenBuffer.CursorRow, 0);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 0);
    EXPECT_EQ(ScreenBuffer.LineCount, 21);
    TermGotoOneBased(3, 4);
    EXPECT_EQ(TermCursorColumnOneBased(), 3);
    EXPECT_EQ(TermCursorRowOneBased(), 4);
}

// Writes lines L0, L1, ... each ended by CR LF.
void WriteLines(int from, int to)
{
    char text[32];
    for (int i = from; i < to; ++i) {
        std::snprintf(text, sizeof text, "L%d\r\n", i);
        Write(text);
    }
}

TEST_F(TerminalTest, ThousandLinesThenEveryLineDropsTheOldest)
{
    WriteLines(0, 999);
    EXPECT_EQ(ScreenBuffer.CursorRow, 999);
    EXPECT_EQ(ScreenBuffer.LineCount, 1000);
    EXPECT_EQ(RowText(0), "L0");
    WriteLines(999, 1005);
    EXPECT_EQ(ScreenBuffer.LineCount, 1000);
    EXPECT_EQ(ScreenBuffer.CursorRow, 999);
    EXPECT_EQ(RowText(0), "L6");
    EXPECT_EQ(RowText(998), "L1004");
    EXPECT_EQ(LineLength(999), 0);
    EXPECT_EQ(ScreenBuffer.TopLine, 0);  // the text moves under the view
}

TEST_F(TerminalTest, ScrollMovesOrRemovesTheSelection)
{
    WriteLines(0, 999);
    ScreenBuffer.SelTop = 5;
    ScreenBuffer.SelLeft = 1;
    ScreenBuffer.SelBottom = 7;
    ScreenBuffer.SelRight = 3;
    Write("\n");
    EXPECT_EQ(ScreenBuffer.SelTop, 4);
    EXPECT_EQ(ScreenBuffer.SelBottom, 6);
    EXPECT_EQ(ScreenBuffer.SelLeft, 1);
    EXPECT_EQ(ScreenBuffer.SelRight, 3);
    EXPECT_EQ(RowText(4), "L5");  // still under the selection's first row

    ScreenBuffer.SelTop = 0;
    ScreenBuffer.SelBottom = 2;
    Write("\n");
    EXPECT_EQ(ScreenBuffer.SelTop, -1);
    EXPECT_EQ(ScreenBuffer.SelLeft, -1);
    EXPECT_EQ(ScreenBuffer.SelBottom, -1);
    EXPECT_EQ(ScreenBuffer.SelRight, -1);

    // No selection (a -1 among the four): nothing shifts.
    ScreenBuffer.SelTop = 5;
    ScreenBuffer.SelBottom = 6;
    Write("\n");
    EXPECT_EQ(ScreenBuffer.SelTop, 5);
}

TEST_F(TerminalTest, WrapOnTheLastLineScrolls)
{
    TermGoto(0, 999);
    Write(std::string(121, 'w'));
    EXPECT_EQ(ScreenBuffer.CursorRow, 999);
    EXPECT_EQ(ScreenBuffer.LineCount, 1000);
    EXPECT_EQ(LineLength(998), 120);
    EXPECT_EQ(RowText(999), "w");
}

TEST_F(TerminalTest, ViewFollowsOnlyWhenItShowedTheBottom)
{
    ScreenBuffer.VisibleRows = 10;
    WriteLines(0, 8);
    EXPECT_EQ(ScreenBuffer.TopLine, 0);
    Write("L8\r\n");  // the cursor reaches row 9 = TopLine + VisibleRows - 1
    EXPECT_EQ(ScreenBuffer.TopLine, 1);
    Write("L9\r\n");
    EXPECT_EQ(ScreenBuffer.TopLine, 2);

    // A user who scrolled up stays where he is.
    ScreenBuffer.TopLine = 0;
    WriteLines(10, 20);
    EXPECT_EQ(ScreenBuffer.TopLine, 0);

    // A wrap follows like LF.
    ResetTerminal();
    ScreenBuffer.VisibleRows = 3;
    Write("x\r\n" + std::string(120, 'y'));
    EXPECT_EQ(ScreenBuffer.CursorRow, 2);
    EXPECT_EQ(ScreenBuffer.TopLine, 1);
}

TEST_F(TerminalTest, ClearScreenResetsViewAndKeepsSizes)
{
    TermSetColumns(150);
    ScreenBuffer.VisibleRows = 20;
    ScreenBuffer.VisibleColumns = 90;
    ScreenBuffer.TopLine = 4;
    ScreenBuffer.LeftColumn = 2;
    Write("abc\x1b[5m");
    TermClearScreen();
    EXPECT_EQ(ScreenBuffer.TopLine, 0);
    EXPECT_EQ(ScreenBuffer.LeftColumn, 0);
    EXPECT_EQ(ScreenBuffer.VisibleRows, 0);
    EXPECT_EQ(ScreenBuffer.VisibleColumns, 0);
    EXPECT_EQ(ScreenBuffer.TextAttributes, 0);
    EXPECT_EQ(ScreenBuffer.ColumnCount, 150);
    EXPECT_EQ(ScreenBuffer.LineCapacity, 1000);
}

TEST_F(TerminalTest, SizesAreLimited)
{
    TermSetColumns(500);
    EXPECT_EQ(ScreenBuffer.ColumnCount, 200);
    TermSetColumns(0);
    EXPECT_EQ(ScreenBuffer.ColumnCount, 1);
    TermSetColumns(-4);
    EXPECT_EQ(ScreenBuffer.ColumnCount, 1);
    Write("ab");
    EXPECT_EQ(RowText(0), "a");
    EXPECT_EQ(RowText(1), "b");
    TermSetLineCapacity(5000);
    EXPECT_EQ(ScreenBuffer.LineCapacity, 1000);
    TermSetLineCapacity(-1);
    EXPECT_EQ(ScreenBuffer.LineCapacity, 1);
}

TEST_F(TerminalTest, FewerColumnsLeaveTheCursorOnePastAndTheNextWriteWraps)
{
    TermSetColumns(150);
    Write("\x1b[1;131H");
    TermSetColumns(100);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 100);
    Write("X");
    EXPECT_EQ(RowText(1), "X");
    EXPECT_EQ(ScreenBuffer.CursorRow, 1);
    EXPECT_EQ(ScreenBuffer.CursorColumn, 1);
}

TEST_F(TerminalTest, FewerColumnsOnTheLastLineScrollBeforeStoring)
{
    TermSetColumns(150);
    TermGoto(130, 999);
    Write("A");
    TermSetColumns(100);
    Write("X");
    EXPECT_EQ(ScreenBuffer.CursorRow, 999);
    EXPECT_EQ(RowText(999), "X");
    EXPECT_EQ(CellAt(998, 130).ch, 'A');
    EXPECT_EQ(ScreenBuffer.LineCount, 1000);
}

TEST_F(TerminalTest, FewerColumnsThenEraseStaysInsideTheLine)
{
    TermSetColumns(150);
    Write("\x1b[1;131H");
    TermSetColumns(100);
    Write("\x1b[1K");
    EXPECT_EQ(LineLength(0), 99);
    Write("\x1b[K");
    EXPECT_EQ(LineLength(0), 100);
}

TEST_F(TerminalTest, SmallerCapacityScrollsAtTheNewLimit)
{
    WriteLines(0, 10);
    TermSetLineCapacity(5);
    EXPECT_EQ(ScreenBuffer.CursorRow, 5);
    Write("X");
    EXPECT_LT(ScreenBuffer.CursorRow, 5);
    EXPECT_GE(ScreenBuffer.LineCount, ScreenBuffer.CursorRow + 1);
}

std::vector<std::string> DebugLines;
void RecordDebug(const char *text) { DebugLines.push_back(text); }

TEST_F(TerminalTest, InconsistentScrollIsTracedAndCarriesOn)
{
    WriteLines(0, 10);
    TermSetLineCapacity(5);
    DebugLines.clear();
    DebugTap = RecordDebug;
    Write("\n");
    DebugTap = nullptr;
    // The cursor is two rows beyond the new limit: two scrolls, each traced.
    ASSERT_EQ(DebugLines.size(), 2u);
    EXPECT_NE(DebugLines[0].find("assert failed: CursorRow (6) == LineCount (11)"), std::string::npos)
        << DebugLines[0];
    EXPECT_NE(DebugLines[1].find("assert failed: CursorRow (5) == LineCount (11)"), std::string::npos)
        << DebugLines[1];
    EXPECT_EQ(ScreenBuffer.CursorRow, 4);
}

TEST_F(TerminalTest, BellRateLimit)
{
    // Far from any real tick count used so far by this process.
    uint32_t t = 0x80000000u;
    TermBellAllowed(t);
    EXPECT_FALSE(TermBellAllowed(t + 1));
    EXPECT_FALSE(TermBellAllowed(t + 10000));
    EXPECT_TRUE(TermBellAllowed(t + 10001));
    EXPECT_FALSE(TermBellAllowed(t + 10002));
    // The tick count wraps.
    EXPECT_TRUE(TermBellAllowed(5000));
    EXPECT_FALSE(TermBellAllowed(5001));
    Write("\a\a");
    EXPECT_EQ(RowText(0), "");
}

}  // namespace
