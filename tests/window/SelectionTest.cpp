// Block selection and the text it copies.
#include "WindowSupport.h"

namespace {

constexpr int CW = 7, CH = 14;

// The pixel in the middle of a cell of the view.
int X(int column) { return column * CW + CW / 2; }
int Y(int row) { return row * CH + CH / 2; }

void Write(const char *text)
{
    while (*text) TermPutChar(static_cast<uint8_t>(*text++));
}

TEST_F(WindowTest, DragSelectsTheBlockBetweenTheTwoCells)
{
    TermSelectionStart(X(5), Y(2), CW, CH);
    EXPECT_FALSE(TermSelectionExists());  // one cell is no selection
    TermSelectionExtend(X(1), Y(4), CW, CH);
    EXPECT_EQ(ScreenBuffer.SelTop, 2);
    EXPECT_EQ(ScreenBuffer.SelBottom, 4);
    EXPECT_EQ(ScreenBuffer.SelLeft, 1);
    EXPECT_EQ(ScreenBuffer.SelRight, 5);
    EXPECT_TRUE(ScreenBuffer.RepaintDirty);
    TermSelectionExtend(X(5), Y(2), CW, CH);
    EXPECT_FALSE(TermSelectionExists());
}

TEST_F(WindowTest, PointsFollowTheViewAndAreClampedAtTheFarEnd)
{
    ScreenBuffer.TopLine = 10;
    ScreenBuffer.LeftColumn = 3;
    int row = 0, column = 0;
    TermPointToCell(X(2), Y(1), CW, CH, &row, &column);
    EXPECT_EQ(row, 11);
    EXPECT_EQ(column, 5);
    TermPointToCell(100000, 100000, CW, CH, &row, &column);
    EXPECT_EQ(row, LineStorage - 1);
    EXPECT_EQ(column, 119);
    TermPointToCell(-20, -30, CW, CH, &row, &column);  // truncated toward zero
    EXPECT_EQ(row, 10 - 2);
    EXPECT_EQ(column, 3 - 2);
}

TEST_F(WindowTest, CopyGivesOneBytePerCellAndCrLfAfterEveryLine)
{
    Write("abcdef\r\nxy\r\n\r\n0123456789");
    TermSelectionStart(X(1), Y(0), CW, CH);
    TermSelectionExtend(X(4), Y(3), CW, CH);
    EXPECT_EQ(TermSelectionText(), "bcde\r\ny\r\n\r\n1234\r\n");
}

TEST_F(WindowTest, CopyStopsAtTheStore)
{
    Write("one\r\ntwo");
    TermSelectionStart(X(0), Y(1), CW, CH);
    TermSelectionExtend(X(9), Y(6), CW, CH);
    EXPECT_EQ(TermSelectionText(), "two\r\n");  // lines below LineCount are left out
}

TEST_F(WindowTest, CopyTakesTheLowByteOfEachCharacter)
{
    Write("\xe2\x98\xba!");  // U+263A
    TermSelectionStart(X(0), Y(0), CW, CH);
    TermSelectionExtend(X(1), Y(0), CW, CH);
    EXPECT_EQ(TermSelectionText(), "\x3a!\r\n");
}

TEST_F(WindowTest, NoSelectionCopiesNothing)
{
    Write("text");
    EXPECT_EQ(TermSelectionText(), "");
    TermSelectionStart(-20, -20, CW, CH);
    TermSelectionExtend(X(2), Y(0), CW, CH);
    EXPECT_EQ(TermSelectionText(), "");  // a block reaching left of the text is never copied
}

}  // namespace
