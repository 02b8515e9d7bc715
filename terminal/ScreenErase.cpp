// Clearing the screen and erasing parts of it.
#include <cstring>

#include "terminal/Term.h"

static void ClearAllLines() { std::memset(ScreenBuffer.Lines, 0, sizeof(ScreenLine) * LineStorage); }

// The window's default colours follow the colours in use when the screen
// is cleared.
static void TakeScreenColours()
{
    ScreenBuffer.ScreenFore = ScreenBuffer.CurrentFore.load();
    ScreenBuffer.ScreenBack = ScreenBuffer.CurrentBack.load();
}

void TermClearScreen()
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    ClearAllLines();
    S.LineCount = 0;
    S.TopLine = 0;
    S.LeftColumn = 0;
    S.CursorRow = 0;
    S.CursorColumn = 0;
    S.TextAttributes = 0;
    S.VisibleRows = 0;
    S.VisibleColumns = 0;
    TakeScreenColours();
    S.ScrollInfoDirty = true;
    S.RepaintDirty = true;
    ScreenLockLeave();
}

void TermEraseText()
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    ClearAllLines();
    S.LineCount = S.CursorRow + 1;
    TakeScreenColours();
    S.ScrollInfoDirty = true;
    S.RepaintDirty = true;
    ScreenLockLeave();
}

static void SetCell(ScreenLine &line, int column, TermColour fore, TermColour back)
{
    line.Chars[column] = ' ';
    line.Attrs[column] = 0;
    line.Fore[column] = fore;
    line.Back[column] = back;
}

// The cursor may stand one past the last column after TermSetColumns; the
// erasers never reach beyond the line.
static int LastCursorCell()
{
    int column = ScreenBuffer.CursorColumn;
    return column < ScreenBuffer.ColumnCount ? column : ScreenBuffer.ColumnCount - 1;
}

void TermEraseLine()
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    ScreenLine &line = S.Lines[S.CursorRow];
    TermColour fore = S.CurrentFore, back = S.CurrentBack;
    line.Length = S.ColumnCount;
    for (int c = 0; c < S.ColumnCount; ++c) SetCell(line, c, fore, back);
    S.RepaintDirty = true;
    ScreenLockLeave();
}

void TermEraseLineStart()
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    ScreenLine &line = S.Lines[S.CursorRow];
    TermColour fore = S.CurrentFore, back = S.CurrentBack;
    int last = LastCursorCell();
    if (line.Length < last) line.Length = last;
    for (int c = 0; c <= last; ++c) SetCell(line, c, fore, back);
    S.RepaintDirty = true;
    ScreenLockLeave();
}

void TermEraseLineEnd()
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    ScreenLine &line = S.Lines[S.CursorRow];
    int cursor = S.CursorColumn < S.ColumnCount ? S.CursorColumn : S.ColumnCount;
    for (int c = line.Length; c < cursor; ++c) SetCell(line, c, S.ScreenFore, S.ScreenBack);
    line.Length = S.ColumnCount;
    TermColour fore = S.CurrentFore, back = S.CurrentBack;
    for (int c = cursor; c < S.ColumnCount; ++c) SetCell(line, c, fore, back);
    S.RepaintDirty = true;
    ScreenLockLeave();
}
