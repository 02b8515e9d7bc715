// The view over the store: visible size, scroll bars, scrolling and the
// mouse wheel. Runs on the window thread; reads the store's sizes and writes
// only the view values.
#include "terminal/TermWindowLogic.h"

#include <algorithm>

static int WheelRemainder = 0;

void TermViewUpdate(int clientWidth, int clientHeight, int cellWidth, int cellHeight,
                    ScrollBarState *vertical, ScrollBarState *horizontal)
{
    ScreenBufferRecord &S = ScreenBuffer;
    if (cellWidth <= 0) cellWidth = 1;
    if (cellHeight <= 0) cellHeight = 1;
    int rows = (std::max(clientHeight, 0) + cellHeight) / cellHeight;
    int columns = (std::max(clientWidth, 0) + cellWidth) / cellWidth;
    S.VisibleRows = rows;
    S.VisibleColumns = columns;
    if (S.TopLine + rows > S.LineCount) S.TopLine = std::max(S.LineCount - rows + 1, 0);
    if (S.LeftColumn + columns > S.ColumnCount)
        S.LeftColumn = std::max(S.ColumnCount - columns + 1, 0);
    if (vertical) {
        vertical->Needed = S.LineCount >= rows;
        vertical->Max = std::max(S.LineCount - 1, 0);
        vertical->Page = rows - 1;
        vertical->Pos = S.TopLine;
    }
    if (horizontal) {
        horizontal->Needed = S.ColumnCount >= columns;
        horizontal->Max = std::max(S.ColumnCount - 1, 0);
        horizontal->Page = columns - 1;
        horizontal->Pos = S.LeftColumn;
    }
}

int TermMaxTopLine()
{
    return std::max(ScreenBuffer.LineCount - ScreenBuffer.VisibleRows + 1, 0);
}

// The new first cell of a scroll along one axis; false for an unknown code.
static bool ScrollAxis(int code, int position, int current, int visible, int limit, int *result)
{
    switch (code) {
    case ScrollLineUp: *result = std::max(current - 1, 0); return true;
    case ScrollLineDown: *result = std::min(current + 1, limit); return true;
    case ScrollPageUp: *result = std::max(current - visible + 1, 0); return true;
    case ScrollPageDown: *result = std::min(current + visible - 1, limit); return true;
    case ScrollThumbPosition:
    case ScrollThumbTrack:
        // A thumb outside the range would put the view outside the store.
        *result = std::clamp(static_cast<int>(static_cast<int16_t>(position)), 0, limit);
        return true;
    case ScrollTop: *result = 0; return true;
    case ScrollBottom: *result = limit; return true;
    default: return false;
    }
}

bool TermScrollVertical(int code, int position)
{
    ScreenBufferRecord &S = ScreenBuffer;
    int top = S.TopLine;
    if (!ScrollAxis(code, position, top, S.VisibleRows, TermMaxTopLine(), &top)) return false;
    S.TopLine = top;
    return true;
}

// The right-hand limit is the column count; the view update pulls it back.
bool TermScrollHorizontal(int code, int position)
{
    ScreenBufferRecord &S = ScreenBuffer;
    int left = S.LeftColumn;
    if (!ScrollAxis(code, position, left, S.VisibleColumns, S.ColumnCount, &left)) return false;
    S.LeftColumn = left;
    return true;
}

void TermWheel(int delta)
{
    ScreenBufferRecord &S = ScreenBuffer;
    int sum = WheelRemainder + delta;
    if (sum > 0) {
        int n = sum / 120;
        WheelRemainder = sum - 120 * n;
        S.TopLine = std::max(S.TopLine - 2 * n, 0);
    } else {
        int n = -sum / 120;
        WheelRemainder = sum + 120 * n;
        S.TopLine = std::min(S.TopLine + 2 * n, TermMaxTopLine());
    }
}

void TermWheelReset() { WheelRemainder = 0; }
