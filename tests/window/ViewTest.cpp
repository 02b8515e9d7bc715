// The view: visible size, scroll bars, scrolling and the wheel.
#include "WindowSupport.h"

namespace {

constexpr int CW = 7, CH = 14;

TEST_F(WindowTest, PartlyVisibleCellsCount)
{
    ScrollBarState v{}, h{};
    TermViewUpdate(80 * CW, 50 * CH, CW, CH, &v, &h);
    EXPECT_EQ(ScreenBuffer.VisibleRows, 51);
    EXPECT_EQ(ScreenBuffer.VisibleColumns, 81);
    TermViewUpdate(80 * CW + 3, 50 * CH - 1, CW, CH, &v, &h);
    EXPECT_EQ(ScreenBuffer.VisibleRows, 50);
    EXPECT_EQ(ScreenBuffer.VisibleColumns, 81);
}

TEST_F(WindowTest, BarsAreNeededOnceTheStoreFillsTheView)
{
    ScrollBarState v{}, h{};
    FillLines(10);
    TermViewUpdate(200 * CW, 20 * CH, CW, CH, &v, &h);
    EXPECT_FALSE(v.Needed);
    EXPECT_FALSE(h.Needed);  // 120 columns < 201 visible
    FillLines(20);
    TermViewUpdate(100 * CW, 20 * CH, CW, CH, &v, &h);
    EXPECT_TRUE(v.Needed);
    EXPECT_EQ(v.Max, ScreenBuffer.LineCount - 1);
    EXPECT_EQ(v.Page, 20);
    EXPECT_TRUE(h.Needed);
    EXPECT_EQ(h.Max, 119);
    EXPECT_EQ(h.Page, 100);
}

TEST_F(WindowTest, ViewIsPulledBackIntoTheStore)
{
    FillLines(30);
    ScreenBuffer.TopLine = 25;
    ScreenBuffer.LeftColumn = 100;
    TermViewUpdate(50 * CW, 10 * CH, CW, CH, nullptr, nullptr);
    EXPECT_EQ(ScreenBuffer.TopLine, 30 - 11 + 1);
    EXPECT_EQ(ScreenBuffer.LeftColumn, 120 - 51 + 1);
}

struct ScrollCase {
    int code, position, top;
};

TEST_F(WindowTest, VerticalScrollCodes)
{
    FillLines(100);
    TermViewUpdate(80 * CW, 50 * CH, CW, CH, nullptr, nullptr);  // 51 rows
    ASSERT_EQ(TermMaxTopLine(), 50);
    const ScrollCase cases[] = {
        {ScrollBottom, 0, 50},      {ScrollLineDown, 0, 50},  {ScrollLineUp, 0, 49},
        {ScrollPageUp, 0, 0},       {ScrollLineUp, 0, 0},     {ScrollPageDown, 0, 50},
        {ScrollTop, 0, 0},          {ScrollPageDown, 0, 50},  {ScrollThumbTrack, 17, 17},
        {ScrollThumbPosition, 33, 33}, {ScrollThumbTrack, 0xFFFF, 0}, {ScrollThumbTrack, 400, 50},
    };
    for (const ScrollCase &c : cases) {
        EXPECT_TRUE(TermScrollVertical(c.code, c.position));
        EXPECT_EQ(ScreenBuffer.TopLine, c.top) << "code " << c.code;
    }
    EXPECT_FALSE(TermScrollVertical(8, 0));  // SB_ENDSCROLL changes nothing
    EXPECT_EQ(ScreenBuffer.TopLine, 50);
}

TEST_F(WindowTest, HorizontalScrollStopsAtTheColumnCountThenIsPulledBack)
{
    TermViewUpdate(50 * CW, 10 * CH, CW, CH, nullptr, nullptr);  // 51 columns
    EXPECT_TRUE(TermScrollHorizontal(ScrollBottom, 0));
    EXPECT_EQ(ScreenBuffer.LeftColumn, 120);
    TermViewUpdate(50 * CW, 10 * CH, CW, CH, nullptr, nullptr);
    EXPECT_EQ(ScreenBuffer.LeftColumn, 70);
    EXPECT_TRUE(TermScrollHorizontal(ScrollPageUp, 0));
    EXPECT_EQ(ScreenBuffer.LeftColumn, 20);
}

TEST_F(WindowTest, WheelMovesTwoLinesANotchAndAddsUpSmallDeltas)
{
    FillLines(100);
    TermViewUpdate(80 * CW, 20 * CH, CW, CH, nullptr, nullptr);
    ScreenBuffer.TopLine = 40;
    TermWheel(40);
    TermWheel(40);
    EXPECT_EQ(ScreenBuffer.TopLine, 40);
    TermWheel(40);
    EXPECT_EQ(ScreenBuffer.TopLine, 38);
    TermWheel(-240);
    EXPECT_EQ(ScreenBuffer.TopLine, 42);
    TermWheel(120 * 50);
    EXPECT_EQ(ScreenBuffer.TopLine, 0);
    TermWheel(-120 * 100);
    EXPECT_EQ(ScreenBuffer.TopLine, TermMaxTopLine());
}

}  // namespace
